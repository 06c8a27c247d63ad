#include "window_report.h"

#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QWidget>

namespace zelbor::app {
namespace {

QString sizeOf(const QPixmap& picture) {
  if (picture.isNull()) return "none";
  return QString("%1x%2").arg(picture.width()).arg(picture.height());
}

// The title as the window system shows it: "[*]" marks where unsaved edits show a "*".
QString shownTitle(const QWidget& window) {
  QString title = window.windowTitle();
  return title.replace("[*]", window.isWindowModified() ? "*" : "");
}

}  // namespace

QString describeMainWindow(const QWidget& window) {
  QString report;
  const auto line = [&report](const QString& name, const QString& value) {
    report += name + ": " + value + "\n";
  };
  line("caption", shownTitle(window));
  line("icon", sizeOf(window.windowIcon().pixmap(64)));
  // The family the font system matched, which is a fallback when the one asked for is missing.
  line("font", QFontInfo(window.font()).family());
  line("team", window.findChild<QComboBox*>("cboTeams")->currentText());
  const QListWidgetItem* player = window.findChild<QListWidget*>("lstPlayers")->currentItem();
  line("player", player != nullptr ? player->text() : QString());
  line("name", window.findChild<QLineEdit*>("txtRealName")->text());
  for (const char* list : {"cboBat", "cboKit1", "cboKit2", "cboKit3", "cboKit4", "cboGuard"}) {
    const auto* box = window.findChild<QComboBox*>(list);
    line(list, QString("%1 (%2 items)").arg(box->currentText()).arg(box->count()));
  }
  line("cboFace", window.findChild<QComboBox*>("cboFace")->currentText());
  line("picture", sizeOf(window.findChild<QLabel*>("img1")->pixmap()));
  return report;
}

}  // namespace zelbor::app
