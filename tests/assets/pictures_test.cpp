#include "assets/Pictures.h"

#include <gtest/gtest.h>
#include <string>

namespace {

TEST(Pictures, EveryPictureLoadsAtItsExactSizeAndShowsSomething) {
  for (const PictureSpec& spec : AllPictures()) {
    const QImage image = LoadPicture(spec.name);
    ASSERT_EQ(image.size(), QSize(spec.width, spec.height)) << spec.name;
    int visible = 0;  // pixels that would show on the black stage
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QRgb c = image.pixel(x, y);
        visible += qAlpha(c) == 255 && (qRed(c) | qGreen(c) | qBlue(c)) > 40;
      }
    EXPECT_GT(visible, image.width() * image.height() / 50) << spec.name;
  }
}

// A walk or a peek whose frames were identical would not move.
TEST(Pictures, FramesOfOneMotionDiffer) {
  const std::pair<const char*, const char*> differ[] = {
      {"righty0", "righty1"}, {"righty1", "righty2"}, {"righty0", "righty2"}, {"heada", "headb"}, {"headb", "headc"},
      {"heada", "headc"}, {"headd", "heada"}, {"head4", "head1"}};
  for (const auto& [a, b] : differ) EXPECT_NE(LoadPicture(a), LoadPicture(b)) << a << " " << b;
}

// The runner's three frames put his legs in three phases (one leg forward,
// passing, the other leg forward). Frames whose legs nearly matched would
// make him look as if he hopped on one leg. The legs are the rows below his
// body, the bottom quarter of the frame.
TEST(Pictures, EachRunFrameShowsItsLegsInAnotherPhase) {
  QImage legs[3];
  for (int i = 0; i < 3; ++i)
    legs[i] = LoadPicture("righter" + std::to_string(i)).copy(0, 92, 123, 32).convertToFormat(QImage::Format_ARGB32);
  for (const auto& [a, b] : {std::pair{0, 1}, std::pair{1, 2}, std::pair{0, 2}}) {
    int differing = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 123; ++x) {
        const QRgb c = legs[a].pixel(x, y), d = legs[b].pixel(x, y);
        differing += std::max({std::abs(qRed(c) - qRed(d)), std::abs(qGreen(c) - qGreen(d)),
                               std::abs(qBlue(c) - qBlue(d)), std::abs(qAlpha(c) - qAlpha(d))}) > 48;
      }
    EXPECT_GT(differing, 650) << "righter" << a << " and righter" << b;
  }
}

// The error window's edge cuts its right-hand picture after 46 columns.
TEST(Pictures, ErrorWindowsRightPictureIsDrawnWithinItsVisible46Columns) {
  const QImage image = LoadPicture("bugright");
  int beyond = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 46; x < image.width(); ++x) beyond += qAlpha(image.pixel(x, y)) > 0;
  EXPECT_EQ(beyond, 0);
}

// The bullet and the pistol's left end (its first 4 columns) are drawn in
// the rows the show lines them up by.
TEST(Pictures, BulletAndMuzzleAreDrawnInTheRowsTheShowLinesThemUpBy) {
  struct Case {
    const char* name;
    int columns, alpha, minTop, maxBottom, minSpan;  // columns 0 = the whole width
  };
  for (const Case& c : {Case{"bullet0", 0, 0, 13, 24, 6}, Case{"gun5", 4, 100, 158, 170, 4}}) {
    const QImage image = LoadPicture(c.name);
    int top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < (c.columns ? c.columns : image.width()); ++x)
        if (qAlpha(image.pixel(x, y)) > c.alpha) top = std::min(top, y), bottom = std::max(bottom, y);
    EXPECT_GE(top, c.minTop) << c.name;
    EXPECT_LE(bottom, c.maxBottom) << c.name;
    EXPECT_GT(bottom, top + c.minSpan) << c.name;
  }
}

// The preview strip, a bitmap of twenty 100 x 75 frames: they all show
// something, and one after another they move (a short hold with the flag is
// fine). The planet's rim is drawn smooth: in most columns its topmost pixel
// is only partly covered, a shade between the black sky and the planet below
// it (frame 10 has the hero in the middle and no stars below row 50).
TEST(PreviewStrip, FramesShowSomethingAndMoveAndThePlanetsRimIsSmooth) {
  const QImage strip(ZENTRAVO_BUILD_DATA_DIR "/Z_Preview.bmp", "BMP");
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
