#include <memory>

#include "dialogs/Configuration.h"
#include "platform/VbError.h"
#include "tests/dialogs/DialogTestSupport.h"

namespace {

int ErrorOf(float speed) {
  try {
    SpeedScrollValue(speed);
  } catch (const vb::VbError& error) {
    return error.Number();
  }
  return 0;
}

TEST(SpeedScrollValue, RoundsHalfToEvenWithinTheBar) {
  EXPECT_EQ(SpeedScrollValue(1.0f), 1);
  EXPECT_EQ(SpeedScrollValue(1.5f), 2);
  EXPECT_EQ(SpeedScrollValue(2.5f), 2);
  EXPECT_EQ(SpeedScrollValue(3.5f), 4);
  EXPECT_EQ(SpeedScrollValue(0.6f), 1);
  EXPECT_EQ(SpeedScrollValue(199.5f), 200);
  EXPECT_EQ(SpeedScrollValue(200.5f), 200);
}

TEST(SpeedScrollValue, OutsideTheBarIsAnInvalidPropertyValueAndBeyond16BitsAnOverflow) {
  EXPECT_EQ(ErrorOf(200.6f), vb::errInvalidProperty);
  EXPECT_EQ(ErrorOf(201.0f), vb::errInvalidProperty);
  EXPECT_EQ(ErrorOf(32767.0f), vb::errInvalidProperty);
  EXPECT_EQ(ErrorOf(0.5f), vb::errInvalidProperty);  // rounds to 0
  EXPECT_EQ(ErrorOf(-3.0f), vb::errInvalidProperty);
  EXPECT_EQ(ErrorOf(32767.5f), vb::errOverflow);
  EXPECT_EQ(ErrorOf(40000.0f), vb::errOverflow);
}

class SpeedBar : public DialogTest {
 protected:
  std::unique_ptr<Configuration> dlg;
  dialogs::HScrollBar* bar = nullptr;

  void SetUp() override {
    DialogTest::SetUp();
    StartWith("");
    dlg = std::make_unique<Configuration>();
    dlg->Load();
    Activate(dlg.get());
    bar = dlg->hsbSpeed;
  }
  // Points along the bar: its two arrows and the middle of its track.
  QPoint LeftArrow() const { return QPoint(2, bar->height() / 2); }
  QPoint RightArrow() const { return QPoint(bar->width() - 3, bar->height() / 2); }
  QPoint Middle() const { return QPoint(bar->width() / 2, bar->height() / 2); }
  int16_t ClickAt(QPoint where) {
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, where);
    return bar->Value();
  }
};

TEST_F(SpeedBar, RunsFromSlow200AtTheLeftToFast1AtTheRight) {
  EXPECT_EQ(bar->Min(), 200);
  EXPECT_EQ(bar->Max(), 1);
  EXPECT_EQ(bar->SmallChange(), 1);
  EXPECT_EQ(bar->LargeChange(), 5);
  ASSERT_EQ(bar->Value(), 1);
  EXPECT_EQ(ClickAt(RightArrow()), 1);  // already at the fast end
  EXPECT_EQ(ClickAt(LeftArrow()), 2);
  EXPECT_EQ(ClickAt(LeftArrow()), 3);
  EXPECT_EQ(ClickAt(RightArrow()), 2);
  // The thumb is at the right: the track left of it pages towards slow.
  EXPECT_EQ(ClickAt(Middle()), 7);
  bar->SetValue(200);
  EXPECT_EQ(ClickAt(LeftArrow()), 200);  // already at the slow end
  EXPECT_EQ(ClickAt(Middle()), 195);     // the thumb is at the left now
  EXPECT_EQ(ClickAt(RightArrow()), 194);
}

TEST_F(SpeedBar, KeysMoveTheThumbTheWayTheyPoint) {
  bar->setFocus();
  // Left, Up and Page Up go towards "Slow" (200), the others towards "Fast" (1).
  const std::pair<Qt::Key, int> keys[] = {
      {Qt::Key_Left, 101},  {Qt::Key_Right, 99},    {Qt::Key_Up, 101}, {Qt::Key_Down, 99},
      {Qt::Key_PageUp, 105}, {Qt::Key_PageDown, 95}, {Qt::Key_Home, 200}, {Qt::Key_End, 1},
  };
  for (auto [key, expected] : keys) {
    bar->SetValue(100);
    QTest::keyClick(bar, key);
    EXPECT_EQ(bar->Value(), expected) << QKeySequence(key).toString().toStdString();
  }
  bar->SetValue(198);
  QTest::keyClick(bar, Qt::Key_PageUp);
  EXPECT_EQ(bar->Value(), 200);  // stops at the end
}

TEST_F(SpeedBar, TakesNoValueBeyondItsEnds) {
  bar->SetValue(200);
  for (int v : {0, 201, -1}) {
    try {
      bar->SetValue(v);
      ADD_FAILURE() << v << " was taken";
    } catch (const vb::VbError& error) {
      EXPECT_EQ(error.Number(), vb::errInvalidProperty);
    }
  }
  EXPECT_EQ(bar->Value(), 200);
}

}  // namespace
