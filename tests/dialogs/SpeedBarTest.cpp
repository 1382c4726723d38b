#include "platform/VbError.h"
#include "tests/dialogs/DialogTestSupport.h"

namespace {

using SpeedBar = DialogTest;

// A stored speed beyond the bar's range (start-up bounds it) is refused.
TEST_F(SpeedBar, KeysMoveTheThumbTheWayTheyPointAndASpeedItCannotHoldIsRefused) {
  for (float speed : {0.4f, 200.6f}) EXPECT_THROW(SpeedScrollValue(speed), vb::VbError) << speed;
  OpenSettings();
  dialogs::HScrollBar* bar = dlg->hsbSpeed;
  bar->setFocus();
  // Left, Up and Page Up go towards "Slow" (200), the others towards "Fast" (1).
  const std::tuple<int, Qt::Key, int> keys[] = {
      {100, Qt::Key_Left, 101},   {100, Qt::Key_Right, 99},   {100, Qt::Key_Up, 101},
      {100, Qt::Key_Down, 99},    {100, Qt::Key_PageUp, 105}, {100, Qt::Key_PageDown, 95},
      {100, Qt::Key_Home, 200},   {100, Qt::Key_End, 1},      {198, Qt::Key_PageUp, 200},
  };
  for (auto [from, key, expected] : keys) {
    bar->SetValue(from);
    QTest::keyClick(bar, key);
    EXPECT_EQ(bar->Value(), expected) << QKeySequence(key).toString().toStdString();
  }
}

// Like the classic bar: a square thumb, as wide as the bar is tall, in a
// track filled with a plainly visible checkerboard. Down the middle of the
// bar a track column alternates between its two colours; the thumb is the
// run of columns between the two parts of the track.
TEST_F(SpeedBar, HasASquareThumbInADitheredTrack) {
  OpenSettings();
  dialogs::HScrollBar* bar = dlg->hsbSpeed;
  bar->SetValue(100);
  const QImage image = bar->grab().toImage();
  const int y = image.height() / 2;
  std::vector<int> track;
  int faint = 0;  // track columns whose two colours are hard to tell apart
  for (int x = 0; x < image.width(); ++x) {
    const QRgb c = image.pixel(x, y), below = image.pixel(x, y + 1);
    if (c == below || c != image.pixel(x, y + 2)) continue;
    track.push_back(x);
    faint += std::abs(qGray(c) - qGray(below)) < 40;
  }
  EXPECT_GT(track.size(), 100u);
  EXPECT_EQ(faint, 0);
  int thumb = 0;
  for (size_t i = 1; i < track.size(); ++i) thumb = std::max(thumb, track[i] - track[i - 1] - 1);
  EXPECT_EQ(thumb, bar->height());
}

}  // namespace
