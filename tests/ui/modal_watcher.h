#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

namespace zelbor::testing {

// Plays the user in a modal window: once a window named `objectName` (any window, when the name
// is empty) is shown, `action` runs inside its event loop, once. Destroying the watcher cancels
// it, so a window that never opened leaves nothing behind.
class ModalWatcher final : public QObject {
 public:
  ModalWatcher(QString objectName, std::function<void(QWidget*)> action);
  ~ModalWatcher() override;

  int runs() const { return runs_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QString objectName_;
  std::function<void(QWidget*)> action_;
  bool armed_ = true;
  int runs_ = 0;
};

// A repeat of `key`, held down since before `window` opened, as the keyboard sends it to the
// window's focused control.
void sendHeldKey(QWidget* window, Qt::Key key);

}  // namespace zelbor::testing
