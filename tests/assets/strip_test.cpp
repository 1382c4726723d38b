// The preview strip: a bitmap of twenty 100 x 75 frames
// that all show something, and one after another they move (a short hold
// with the flag is fine).
#include "data_files.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

TEST(PreviewStrip, IsABitmapOfTwentyFramesThatShowSomethingAndMove) {
  const QImage strip(QString::fromStdString(DataPath("Z_Preview.bmp")), "BMP");
  ASSERT_EQ(strip.size(), QSize(2000, 75));
  int moving = 0;
  for (int k = 0; k < 20; ++k) {
    int lit = 0, changed = 0;
    for (int y = 0; y < 75; ++y)
      for (int x = 0; x < 100; ++x) {
        const QRgb c = strip.pixel(k * 100 + x, y);
        lit += (qRed(c) | qGreen(c) | qBlue(c)) > 60;
        changed += c != strip.pixel((k + 1) % 20 * 100 + x, y);
      }
    EXPECT_GT(lit, 300) << "frame " << k;
    moving += changed > 50;
  }
  EXPECT_GE(moving, 14);
}

// The planet's rim is drawn smooth: in most columns its topmost pixel is only
// partly covered, a shade between the black sky and the planet below it.
// Frame 10 has the hero in the middle and no stars below row 50.
TEST(PreviewStrip, PlanetsRimIsSmooth) {
  const QImage strip(QString::fromStdString(DataPath("Z_Preview.bmp")), "BMP");
  int blended = 0, columns = 0;
  for (int x : {0, 5, 10, 15, 20, 25, 30, 70, 75, 80, 85, 90, 95, 99}) {
    int y = 50;
    while (y < 74 && qBlue(strip.pixel(1000 + x, y)) == 0) ++y;
    blended += qBlue(strip.pixel(1000 + x, y)) < qBlue(strip.pixel(1000 + x, y + 1)) * 0.8;
    ++columns;
  }
  EXPECT_GE(blended, columns / 2);
}

}  // namespace
