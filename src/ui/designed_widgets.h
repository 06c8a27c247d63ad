#pragma once

#include <QComboBox>
#include <QStyle>

namespace zelbor::ui {

// A closed list changes with the wheel only while it has the focus; otherwise the wheel passes on
// to what holds it, so scrolling over the window never picks an item by accident.
class FocusedWheelComboBox final : public QComboBox {
 public:
  explicit FocusedWheelComboBox(QWidget* parent);

 protected:
  void wheelEvent(QWheelEvent* event) override;
};

// The style of every frame: the border runs through the middle of the title, which interrupts it,
// as the windows were designed. The line then stays above the controls placed just below the
// title (the statistics' two-line captions), where the usual style draws it below the whole
// title. One for all frames, kept until the application ends.
QStyle* frameStyle();

}  // namespace zelbor::ui
