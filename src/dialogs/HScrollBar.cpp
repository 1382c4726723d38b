#include "dialogs/HScrollBar.h"

#include <QKeyEvent>
#include <algorithm>

#include "platform/VbError.h"

namespace dialogs {

HScrollBar::HScrollBar(int16_t min, int16_t max, QWidget* parent)
    : QScrollBar(Qt::Horizontal, parent), sign_(min > max ? -1 : 1), min_(min), max_(max) {
  setRange(sign_ * min, sign_ * max);
  setValue(sign_ * min);
  // Like the classic bar, it takes the focus by Tab and by a click.
  setFocusPolicy(Qt::StrongFocus);
  // The arrow keys move the thumb the way they point.
  setInvertedControls(false);
}

int16_t HScrollBar::Value() const { return static_cast<int16_t>(sign_ * value()); }

void HScrollBar::SetValue(int value) {
  if (value < std::min(min_, max_) || value > std::max(min_, max_)) vb::Raise(vb::errInvalidProperty);
  setValue(sign_ * value);
}

void HScrollBar::keyPressEvent(QKeyEvent* event) {
  // The bar counts from its left end: subtracting moves towards Min.
  switch (event->key()) {
    case Qt::Key_Up: triggerAction(SliderSingleStepSub); break;
    case Qt::Key_Down: triggerAction(SliderSingleStepAdd); break;
    case Qt::Key_PageUp: triggerAction(SliderPageStepSub); break;
    case Qt::Key_PageDown: triggerAction(SliderPageStepAdd); break;
    default: QScrollBar::keyPressEvent(event); return;
  }
  event->accept();
}

}  // namespace dialogs
