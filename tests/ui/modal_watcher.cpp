#include "modal_watcher.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

namespace zelbor::testing {

ModalWatcher::ModalWatcher(QString objectName, std::function<void(QWidget*)> action)
    : objectName_(std::move(objectName)), action_(std::move(action)) {
  qApp->installEventFilter(this);
}

ModalWatcher::~ModalWatcher() {
  qApp->removeEventFilter(this);
}

bool ModalWatcher::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!armed_ || event->type() != QEvent::Show || widget == nullptr || !widget->isWindow() ||
      (!objectName_.isEmpty() && widget->objectName() != objectName_)) {
    return false;
  }
  armed_ = false;
  // Queued, so that it runs in the window's own event loop once the window is up.
  QTimer::singleShot(0, this, [this, window = QPointer<QWidget>(widget)] {
    if (window == nullptr) return;
    ++runs_;
    action_(window);
  });
  return false;
}

void sendHeldKey(QWidget* window, Qt::Key key) {
  const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
  QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, enter ? QStringLiteral("\r") : QString(),
                  true);
  QApplication::sendEvent(window->focusWidget() != nullptr ? window->focusWidget() : window,
                          &event);
}

}  // namespace zelbor::testing
