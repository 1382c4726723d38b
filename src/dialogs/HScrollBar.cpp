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
  // The classic bar's grey face and white highlight, whose checkerboard
  // fills the track.
  QPalette classic = palette();
  classic.setColor(QPalette::Button, QColor(192, 192, 192));
  classic.setColor(QPalette::Window, QColor(192, 192, 192));
  classic.setColor(QPalette::Light, Qt::white);
  classic.setColor(QPalette::Midlight, QColor(223, 223, 223));
  classic.setColor(QPalette::Dark, QColor(128, 128, 128));
  classic.setColor(QPalette::Shadow, Qt::black);
  setPalette(classic);
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
