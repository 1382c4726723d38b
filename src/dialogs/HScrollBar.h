#pragma once
// A horizontal scroll bar with the classic properties: Min stands at the left
// end and Max at the right end, whichever of the two is larger. An arrow
// moves the value by SmallChange towards its end, a click in the track by
// LargeChange.
#include <QScrollBar>
#include <cstdint>

namespace dialogs {

class HScrollBar : public QScrollBar {
  Q_OBJECT
 public:
  HScrollBar(int16_t min, int16_t max, QWidget* parent);

  int16_t Min() const { return min_; }
  int16_t Max() const { return max_; }
  int16_t Value() const;
  // A value outside Min..Max raises the invalid-property-value error.
  void SetValue(int value);
  int16_t SmallChange() const { return static_cast<int16_t>(singleStep()); }
  int16_t LargeChange() const { return static_cast<int16_t>(pageStep()); }
  void SetSmallChange(int16_t change) { setSingleStep(change); }
  void SetLargeChange(int16_t change) { setPageStep(change); }

 protected:
  // Up and Page Up move towards Min, Down and Page Down towards Max, by
  // SmallChange and LargeChange.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // The bar itself counts from left to right; when Min is the larger end
  // it holds the negated value.
  int sign_;
  int16_t min_, max_;
};

}  // namespace dialogs
