#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QPixmap>
#include <QTimer>
#include <iostream>

#include "editor_session.h"

namespace {

bool save(QWidget& widget, const char* path) {
  if (widget.grab().save(QFile::decodeName(path), "PNG")) return true;
  std::cerr << "zelbor-screenshot: cannot write " << path << "\n";
  return false;
}

// Plays the user of File "Import Players...": picks `table` in the file dialog, renders the
// preview into `picture` and cancels it, so nothing is written.
class ImportPreviewShot final : public QObject {
 public:
  ImportPreviewShot(const char* table, const char* picture) : table_(table), picture_(picture) {
    qApp->installEventFilter(this);
  }
  bool saved = false;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (event->type() != QEvent::Show || dialog == nullptr) return false;
    QTimer::singleShot(0, dialog, [this, dialog] {
      if (auto* files = qobject_cast<QFileDialog*>(dialog)) {
        files->selectFile(QFile::decodeName(table_));
        static_cast<QDialog*>(files)->accept();
      } else if (dialog->objectName() == QStringLiteral("frmImportPreview")) {
        saved = save(*dialog, picture_);
        dialog->reject();
      }
    });
    return false;
  }

 private:
  const char* table_;
  const char* picture_;
};

}  // namespace

// zelbor-screenshot DATABASE PNG [TABLE PREVIEW-PNG]: renders the main window, started on
// DATABASE, into PNG; with TABLE, also the preview of importing it into PREVIEW-PNG.
int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 3 && argc != 5) {
    std::cerr << "usage: zelbor-screenshot DATABASE PNG [TABLE PREVIEW-PNG]\n";
    return 2;
  }
  zelbor::app::EditorSession session;
  if (session.start(argv[1]) != zelbor::editor::StartupOutcome::Ready) return 1;
  session.window().show();
  // The window settles its layout (menu bar height, scroll bars) in posted events.
  QCoreApplication::processEvents();
  if (!save(session.window(), argv[2])) return 1;
  if (argc == 3) return 0;
  ImportPreviewShot shot(argv[3], argv[4]);
  session.window().findChild<QAction*>(QStringLiteral("mnuImport"))->trigger();
  return shot.saved ? 0 : 1;
}
