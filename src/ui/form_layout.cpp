#include "form_layout.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "designed_widgets.h"
#include "twips.h"

namespace zelbor::ui {

using forms::ControlKind;
using forms::ControlSpec;

namespace {

// A narrow sans serif at the forms' sizes.
using forms::kDesignPointSize;
using forms::kLargePointSize;
using forms::kTwoLinePointSize;

QLabel* createLabel(const QString& caption, unsigned look, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setTextFormat(Qt::PlainText);
  // Captions sit at the top of their label, however tall it is.
  label->setAlignment(((look & forms::kCentred) != 0 ? Qt::AlignHCenter : Qt::AlignLeft) |
                      Qt::AlignTop);
  label->setWordWrap((look & forms::kWrapped) != 0);
  if ((look & forms::kBordered) != 0) label->setFrameStyle(QFrame::Box | QFrame::Plain);
  return label;
}

QWidget* createControl(const ControlSpec& row, QWidget* parent) {
  const QString caption = QString::fromStdString(row.caption);
  switch (row.kind) {
    case ControlKind::Frame: {
      auto* frame = new QGroupBox(caption, parent);
      frame->setStyle(frameStyle());
      return frame;
    }
    case ControlKind::Label:
      return createLabel(caption, row.look, parent);
    case ControlKind::TextBox: {
      auto* box = new QLineEdit(caption, parent);
      if ((row.look & forms::kCentred) != 0) box->setAlignment(Qt::AlignCenter);
      return box;
    }
    case ControlKind::ComboBox:
      return new FocusedWheelComboBox(parent);
    case ControlKind::ListBox: {
      // Lines wider than the list are cut, as in a plain list box: a name padded with spaces
      // shows no ellipsis and no scroll bar.
      auto* list = new QListWidget(parent);
      list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      list->setTextElideMode(Qt::ElideNone);
      return list;
    }
    case ControlKind::Picture: {
      auto* picture = new QLabel(parent);
      picture->setScaledContents(true);
      return picture;
    }
    case ControlKind::Outline: {
      auto* outline = new QFrame(parent);
      outline->setFrameStyle(QFrame::Box | QFrame::Plain);
      return outline;
    }
    case ControlKind::Slider:
      return new QSlider(Qt::Vertical, parent);
    case ControlKind::OptionButton:
      return new QRadioButton(caption, parent);
    case ControlKind::PushButton:
      return new QPushButton(caption, parent);
  }
  qFatal("Unknown control kind");
}

void applyLook(QWidget* control, unsigned look) {
  if ((look & (forms::kLargeText | forms::kBold | forms::kLink | forms::kWrapped)) == 0) return;
  QFont font = control->font();
  if ((look & forms::kLargeText) != 0) font.setPointSizeF(kLargePointSize);
  if ((look & forms::kWrapped) != 0) font.setPointSizeF(kTwoLinePointSize);
  if ((look & forms::kBold) != 0) font.setBold(true);
  if ((look & forms::kLink) != 0) {
    font.setUnderline(true);
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    control->setPalette(palette);
    control->setCursor(Qt::PointingHandCursor);
  }
  control->setFont(font);
}

}  // namespace

void buildControls(QWidget* window, const std::vector<ControlSpec>& layout, double logicalDpi) {
  const auto pixels = [logicalDpi](int twips) { return pixelsFromTwips(twips, logicalDpi); };
  QHash<QString, QWidget*> frames;
  for (const ControlSpec& row : layout) {
    const QString name = QString::fromStdString(row.name);
    QWidget* parent =
        row.parent.empty() ? window : frames.value(QString::fromStdString(row.parent));
    if (parent == nullptr)
      qFatal("%s is placed in %s, which comes later", row.name.c_str(), row.parent.c_str());
    QWidget* control = createControl(row, parent);
    control->setObjectName(name);
    control->setGeometry(pixels(row.rect.left), pixels(row.rect.top), pixels(row.rect.width),
                         pixels(row.rect.height));
    applyLook(control, row.look);
    if (row.kind == ControlKind::Frame) frames.insert(name, control);
  }
}

QFont designFont() {
  QFont font = QApplication::font();
  font.setFamilies({QStringLiteral("Liberation Sans Narrow")});
  font.setPointSizeF(kDesignPointSize);
  return font;
}

void setUpDesignedWindow(QWidget* window, const char* objectName, const QString& caption,
                         Qt::WindowType type) {
  window->setObjectName(QString::fromLatin1(objectName));
  window->setWindowTitle(caption);
  window->setFont(designFont());
  window->setWindowFlags(type | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint);
}

}  // namespace zelbor::ui
