#include "desktop_browser.h"

#include <QByteArray>
#include <QDesktopServices>
#include <QUrl>

namespace zelbor::ui {

void DesktopBrowser::open(const std::string& address) {
  // The address is already percent-encoded; a browser that fails to start is not reported.
  QDesktopServices::openUrl(QUrl::fromEncoded(QByteArray::fromStdString(address)));
}

}  // namespace zelbor::ui
