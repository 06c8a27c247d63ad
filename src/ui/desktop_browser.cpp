#include "desktop_browser.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

#include "editor/web_lookup.h"

namespace zelbor::ui {

bool DesktopBrowser::open(const std::string& address) {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
  // The system's own handler is asked, and says whether it found a browser.
  return QDesktopServices::openUrl(QUrl::fromEncoded(QByteArray::fromStdString(address)));
#else
  // xdg-open, which hands the address to the desktop's handler, is asked directly: Qt starts it
  // detached and takes its start for success, so a failure to find a browser went unseen.
  // Without a browser it fails at once; one still running waits on the browser it started.
  auto* opener = new QProcess(QCoreApplication::instance());
  QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
  QObject::connect(opener, &QProcess::errorOccurred, opener,
                   [opener](QProcess::ProcessError error) {
                     if (error == QProcess::FailedToStart) opener->deleteLater();
                   });
  // The address, percent-encoded already, is an argument of its own: no shell sees it.
  opener->start(QStringLiteral("xdg-open"), {QString::fromStdString(address)});
  if (!opener->waitForStarted()) return false;
  if (!opener->waitForFinished(editor::kBrowserFailureWaitMilliseconds)) return true;
  return opener->exitStatus() == QProcess::NormalExit && opener->exitCode() == 0;
#endif
}

}  // namespace zelbor::ui
