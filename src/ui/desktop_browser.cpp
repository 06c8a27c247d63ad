#include "desktop_browser.h"

#include <QCoreApplication>
#include <QProcess>

namespace zelbor::ui {
namespace {

// How long xdg-open may take to fail: without a browser it fails at once; one still running is
// waiting on the browser it started.
constexpr int kFailureWaitMilliseconds = 1500;

}  // namespace

bool DesktopBrowser::open(const std::string& address) {
  // xdg-open, which the desktop's own handler answers, is asked directly: Qt starts it detached
  // and takes its start for success, so a failure to find a browser went unseen. The address is
  // an argument of its own, percent-encoded already; no shell sees it.
  auto* opener = new QProcess(QCoreApplication::instance());
  QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
  QObject::connect(opener, &QProcess::errorOccurred, opener, [opener](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) opener->deleteLater();
  });
  opener->start(QStringLiteral("xdg-open"), {QString::fromStdString(address)});
  if (!opener->waitForStarted()) return false;
  if (!opener->waitForFinished(kFailureWaitMilliseconds)) return true;
  return opener->exitStatus() == QProcess::NormalExit && opener->exitCode() == 0;
}

}  // namespace zelbor::ui
