#include "designed_widgets.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>
#include <QWheelEvent>

namespace zelbor::ui {
namespace {

class FrameStyle final : public QProxyStyle {
 public:
  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                       const QWidget* widget) const override {
    QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
    if (control == CC_GroupBox && part == SC_GroupBoxFrame) {
      rect.setTop(option->rect.top() + option->fontMetrics.height() / 2);
    }
    // The title stands a little in from the frame's corner.
    if (control == CC_GroupBox && part == SC_GroupBoxLabel) rect.translate(kTitleIndent, 0);
    return rect;
  }

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element != PE_FrameGroupBox) {
      return QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
    // The frame's rectangle is the one above; the title's place is clipped out by the caller.
    painter->save();
    painter->setPen(option->palette.color(QPalette::Mid));
    painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
    painter->restore();
  }

 private:
  static constexpr int kTitleIndent = 6;
};

}  // namespace

FocusedWheelComboBox::FocusedWheelComboBox(QWidget* parent) : QComboBox(parent) {
  // The wheel does not give the focus either.
  setFocusPolicy(Qt::StrongFocus);
}

void FocusedWheelComboBox::wheelEvent(QWheelEvent* event) {
  if (hasFocus()) {
    QComboBox::wheelEvent(event);
  } else {
    event->ignore();
  }
}

QStyle* frameStyle() {
  static QPointer<FrameStyle> style;
  if (style == nullptr) {
    style = new FrameStyle;
    style->setParent(QCoreApplication::instance());
  }
  return style;
}

}  // namespace zelbor::ui
