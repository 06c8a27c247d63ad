#include "desktop_browser.h"

#include <QByteArray>
#include <QDesktopServices>
#include <QUrl>

namespace zelbor::ui {

bool DesktopBrowser::open(const std::string& address) {
  // The address is already percent-encoded. False when the desktop has no handler for it or the
  // handler did not start (on Linux, Qt starts xdg-open, or a browser named in $BROWSER).
  return QDesktopServices::openUrl(QUrl::fromEncoded(QByteArray::fromStdString(address)));
}

}  // namespace zelbor::ui
