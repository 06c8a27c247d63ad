#include "held_keys.h"

#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QWidget>

#include "editor/held_keys.h"

namespace zelbor::ui {
namespace {

class HeldKeyFilter final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr) return false;
    switch (event->type()) {
      case QEvent::Show:
        if (widget->isWindow() && widget->isModal()) heldKeys_.insert(widget, {});
        return false;
      case QEvent::Hide:
        if (widget->isWindow()) heldKeys_.remove(widget);
        return false;
      case QEvent::KeyPress:
      case QEvent::ShortcutOverride:
      case QEvent::KeyRelease:
        return dropped(widget->window(), static_cast<QKeyEvent&>(*event));
      default:
        return false;
    }
  }

 private:
  // Whether `key`, received by a widget of `window`, is a repeat of a key the window did not see
  // go down.
  bool dropped(const QWidget* window, QKeyEvent& key) {
    const auto held = heldKeys_.find(window);
    if (held == heldKeys_.end()) return false;
    // A key goes down with its press; an override or release of it says nothing new.
    if (!key.isAutoRepeat() && key.type() != QEvent::KeyPress) return false;
    if (held->passes(key.key(), key.isAutoRepeat())) return false;
    // An accepted override keeps the repeat from triggering a shortcut; the press is dropped.
    key.accept();
    return true;
  }

  // The keys that went down in each open modal window.
  QHash<const QWidget*, editor::HeldKeys> heldKeys_;
};

}  // namespace

void dropKeysHeldIntoModalWindows() {
  static const HeldKeyFilter* const filter = [] {
    auto* installed = new HeldKeyFilter(qApp);
    qApp->installEventFilter(installed);
    return installed;
  }();
  static_cast<void>(filter);
}

}  // namespace zelbor::ui
