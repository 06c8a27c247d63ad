#include "text_fit.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>

namespace zelbor::testing {
namespace {

// QLineEdit keeps this much room on each side of its text, inside its contents rectangle.
constexpr int kLineEditHorizontalMargin = 2;
constexpr int kLineEditVerticalMargin = 1;

class Checker {
 public:
  void check(const QWidget* control) {
    // Qt's own helpers, such as the menu bar's overflow button, show no text of ours.
    if (!control->isVisibleTo(control->window()) ||
        control->objectName().startsWith(QStringLiteral("qt_"))) {
      return;
    }
    if (const auto* label = qobject_cast<const QLabel*>(control)) return checkLabel(label);
    if (const auto* frame = qobject_cast<const QGroupBox*>(control)) return checkFrame(frame);
    if (const auto* box = qobject_cast<const QLineEdit*>(control)) return checkBox(box);
    if (const auto* list = qobject_cast<const QComboBox*>(control)) return checkDropDown(list);
    if (const auto* list = qobject_cast<const QListWidget*>(control)) return checkList(list);
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
      return checkButton(button);
    }
  }

  std::vector<std::string> clipped;

 private:
  void expectFits(const QWidget* control, const QString& text, QSize needed, QSize room) {
    if (needed.width() <= room.width() && needed.height() <= room.height()) return;
    clipped.push_back(control->objectName().toStdString() + ": \"" + text.toStdString() +
                      "\" needs " + std::to_string(needed.width()) + "x" +
                      std::to_string(needed.height()) + " px, has " + std::to_string(room.width()) +
                      "x" + std::to_string(room.height()));
  }

  static QSize lineSize(const QFontMetrics& metrics, const QString& text) {
    return {metrics.horizontalAdvance(text), metrics.height()};
  }

  void checkLabel(const QLabel* label) {
    if (label->text().isEmpty()) return;
    const QFontMetrics metrics(label->font());
    const int margin = label->margin();
    const QRect room = label->contentsRect().adjusted(margin, margin, -margin, -margin);
    if (!label->wordWrap()) {
      return expectFits(label, label->text(), lineSize(metrics, label->text()), room.size());
    }
    const QRect needed = metrics.boundingRect(QRect(0, 0, room.width(), 100000),
                                              Qt::TextWordWrap | label->alignment(), label->text());
    expectFits(label, label->text(), needed.size(), room.size());
  }

  void checkFrame(const QGroupBox* frame) {
    QStyleOptionGroupBox option;
    option.initFrom(frame);
    option.text = frame->title();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    option.textAlignment = frame->alignment();
    const QStyle* style = frame->style();
    const QRect title =
        style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
    const QRect border =
        style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, frame);
    expectFits(frame, frame->title(), {title.right() + 1, title.bottom() + 1}, frame->size());
    // The title and the frame's top line must not run through what the frame holds.
    for (const QWidget* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (!child->isVisibleTo(frame->window())) continue;
      const QRect place = child->geometry();
      if (place.intersects(title) || place.top() <= border.top()) {
        clipped.push_back(frame->objectName().toStdString() +
                          ": its title or top line runs through " +
                          child->objectName().toStdString());
      }
    }
  }

  void checkBox(const QLineEdit* box) {
    // Blanks after a stored text show nothing: only what is visible must fit.
    QString text = box->text();
    while (!text.isEmpty() && text.back().isSpace()) text.chop(1);
    if (text.isEmpty()) return;
    QStyleOptionFrame option;
    option.initFrom(box);
    option.rect = box->rect();
    option.lineWidth =
        box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents = box->style()
                               ->subElementRect(QStyle::SE_LineEditContents, &option, box)
                               .marginsRemoved(box->textMargins());
    const QSize room(contents.width() - 2 * kLineEditHorizontalMargin,
                     contents.height() - 2 * kLineEditVerticalMargin);
    expectFits(box, text, lineSize(QFontMetrics(box->font()), text), room);
  }

  void checkDropDown(const QComboBox* list) {
    QStyleOptionComboBox option;
    option.initFrom(list);
    option.editable = false;
    option.frame = list->hasFrame();
    option.subControls = QStyle::SC_All;
    const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, list);
    const QFontMetrics metrics(list->font());
    // The item's text is drawn one pixel inside the field on each side.
    const QSize room(field.width() - 2, field.height());
    for (int i = 0; i < list->count(); ++i) {
      const QString item = list->itemText(i);
      expectFits(list, item, lineSize(metrics, item), room);
    }
  }

  void checkList(const QListWidget* list) {
    const QFontMetrics metrics(list->font());
    // The item view keeps a focus margin and one pixel on each side of an item's text.
    const int margin =
        2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
    const QSize room(list->viewport()->width() - margin, list->viewport()->height());
    for (int row = 0; row < list->count(); ++row) {
      // Names stored padded with spaces are cut at the end, as designed: only the visible part.
      const QString item = list->item(row)->text().trimmed();
      expectFits(list, item, {metrics.horizontalAdvance(item), metrics.height()}, room);
    }
  }

  void checkButton(const QAbstractButton* button) {
    const QFontMetrics metrics(button->font());
    const QSize text = lineSize(metrics, button->text());
    if (qobject_cast<const QPushButton*>(button) != nullptr) {
      const int margin = 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
      return expectFits(button, button->text(), {text.width() + margin, text.height()},
                        button->size());
    }
    // An option button: its indicator, the spacing and the caption.
    const QStyle* style = button->style();
    const int indicator = style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, button) +
                          style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, button);
    expectFits(button, button->text(), {indicator + text.width(), text.height()}, button->size());
  }
};

}  // namespace

std::vector<std::string> clippedTexts(const QWidget* window) {
  Checker checker;
  for (const QWidget* control : window->findChildren<QWidget*>()) checker.check(control);
  return std::move(checker.clipped);
}

}  // namespace zelbor::testing
