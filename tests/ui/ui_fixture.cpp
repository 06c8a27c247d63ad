#include "ui_fixture.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <filesystem>

#include "db/backup_folder.h"
#include "db/database.h"
#include "db/file_access.h"
#include "ui/twips.h"

namespace zelbor::testing {
namespace {

db::Database openDatabase(const std::string& path) {
  auto database = db::Database::open(db::systemFileSystem(), path);
  if (!database) throw std::runtime_error(database.error().message);
  return std::move(database).value();
}

}  // namespace

UiFixture::UiFixture(bool keepBackups)
    : databasePath(dir.file("TeamAndPlayerInfo.bag")),
      editor(window, prompts, fileDialog, browser, db::systemFileSystem(),
             {QCoreApplication::applicationDirPath().toStdString(),
              {},
              ".",
              keepBackups ? &db::backupFolderFromEnvironment : nullptr}) {
  // The tests run beside the built program, which has the sample database beside it.
  std::filesystem::copy_file("TeamAndPlayerInfo.bag", databasePath);
  window.setEditor(editor);
  const editor::StartupOutcome outcome = editor.InitialiseEditor(databasePath);
  EXPECT_EQ(outcome, editor::StartupOutcome::Ready);
}

db::PlayerRecord UiFixture::filePlayer(int team, int index) const {
  db::Database database = openDatabase(databasePath);
  EXPECT_TRUE(database.LoadTeam(team).ok());
  return database.player(index);
}

void UiFixture::changeFilePlayer(int team, int index, void (*change)(db::PlayerRecord&)) const {
  db::Database database = openDatabase(databasePath);
  ASSERT_TRUE(database.LoadTeam(team).ok());
  change(database.player(index));
  ASSERT_TRUE(database.StoreTeam(team).ok());
}

QRect pixelRect(const ui::TwipsRect& twips) {
  const double dpi = ui::screenLogicalDpi();
  return {ui::pixelsFromTwips(twips.left, dpi), ui::pixelsFromTwips(twips.top, dpi),
          ui::pixelsFromTwips(twips.width, dpi), ui::pixelsFromTwips(twips.height, dpi)};
}

QString captionOf(const QWidget* control) {
  if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
  if (const auto* frame = qobject_cast<const QGroupBox*>(control)) return frame->title();
  if (const auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
  return {};
}

void expectLayout(const QWidget* window, const std::vector<LayoutCheck>& checks) {
  for (const LayoutCheck& check : checks) {
    const auto* control = window->findChild<QWidget*>(QString::fromStdString(check.name));
    ASSERT_NE(control, nullptr) << check.name;
    EXPECT_EQ(captionOf(control), check.caption) << check.name;
    EXPECT_EQ(control->geometry(), pixelRect(check.rect)) << check.name;
  }
}

std::vector<std::string> tabOrder(const QWidget* first, int count) {
  std::vector<std::string> names;
  const QWidget* widget = first;
  while (static_cast<int>(names.size()) < count) {
    names.push_back(widget->objectName().toStdString());
    do {
      widget = widget->nextInFocusChain();
    } while ((widget->focusPolicy() & Qt::TabFocus) == 0 && widget != first);
    if (widget == first) break;
  }
  return names;
}

}  // namespace zelbor::testing
