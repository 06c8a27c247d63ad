#include "ui_fixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <filesystem>
#include <map>

#include "db/backup_folder.h"
#include "db/file_access.h"
#include "support/database_image.h"

namespace zelbor::testing {
namespace {

// Whether `control` is what `kind` builds.
bool isOfKind(const QWidget* control, forms::ControlKind kind) {
  const auto* label = qobject_cast<const QLabel*>(control);
  switch (kind) {
    case forms::ControlKind::Frame:
      return qobject_cast<const QGroupBox*>(control) != nullptr;
    case forms::ControlKind::Label:
      return label != nullptr && !label->hasScaledContents();
    case forms::ControlKind::TextBox:
      return qobject_cast<const QLineEdit*>(control) != nullptr;
    case forms::ControlKind::ComboBox: {
      const auto* combo = qobject_cast<const QComboBox*>(control);
      return combo != nullptr && !combo->isEditable();
    }
    case forms::ControlKind::ListBox:
      return qobject_cast<const QListWidget*>(control) != nullptr;
    case forms::ControlKind::Picture:
      return label != nullptr && label->hasScaledContents();
    case forms::ControlKind::Outline:
      return control->metaObject() == &QFrame::staticMetaObject &&
             static_cast<const QFrame*>(control)->frameShape() == QFrame::Box;
    case forms::ControlKind::Slider: {
      const auto* slider = qobject_cast<const QSlider*>(control);
      return slider != nullptr && slider->orientation() == Qt::Vertical;
    }
    case forms::ControlKind::OptionButton:
      return qobject_cast<const QRadioButton*>(control) != nullptr;
    case forms::ControlKind::PushButton:
      return qobject_cast<const QPushButton*>(control) != nullptr;
  }
  return false;
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
  return playerAt(readFileBytes(databasePath), team, index);
}

void UiFixture::changeFilePlayer(int team, int index, void (*change)(db::PlayerRecord&)) const {
  std::vector<db::Byte> image = readFileBytes(databasePath);
  db::PlayerRecord player = playerAt(image, team, index);
  change(player);
  putPlayer(image, team, index, player);
  writeFileBytes(databasePath, image);
}

QRect pixelRect(const forms::TwipsRect& twips, double dpi) {
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

void expectBuiltAsDesigned(const QWidget* client, const std::vector<forms::ControlSpec>& layout) {
  const double dpi = client->screen()->logicalDotsPerInchY();
  std::map<std::string, const forms::ControlSpec*> rows;
  for (const forms::ControlSpec& row : layout) {
    EXPECT_TRUE(rows.emplace(row.name, &row).second) << row.name << " is in the table twice";
  }
  std::vector<const QWidget*> built;
  const auto addChildren = [&built](const QWidget* parent) {
    for (const QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      built.push_back(child);
    }
  };
  addChildren(client);
  for (const forms::ControlSpec& row : layout) {
    if (row.kind != forms::ControlKind::Frame) continue;
    const auto* frame = client->findChild<QWidget*>(QString::fromStdString(row.name));
    ASSERT_NE(frame, nullptr) << row.name;
    addChildren(frame);
  }
  EXPECT_EQ(built.size(), layout.size());
  for (const QWidget* control : built) {
    const std::string name = control->objectName().toStdString();
    const auto found = rows.find(name);
    if (found == rows.end()) {
      ADD_FAILURE() << "\"" << name << "\" was built, but the table has no row (left) for it";
      continue;
    }
    const forms::ControlSpec& row = *found->second;
    const std::string parent = control->parentWidget() == client
                                   ? ""
                                   : control->parentWidget()->objectName().toStdString();
    EXPECT_EQ(parent, row.parent) << name;
    EXPECT_TRUE(isOfKind(control, row.kind))
        << name << " is a " << control->metaObject()->className();
    EXPECT_EQ(captionOf(control).toStdString(), row.caption) << name;
    EXPECT_EQ(control->geometry(), pixelRect(row.rect, dpi)) << name;
    rows.erase(found);
  }
  for (const auto& [name, row] : rows) ADD_FAILURE() << name << " is in the table but not built";
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
