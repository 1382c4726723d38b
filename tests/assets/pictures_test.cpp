#include "assets/Pictures.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// How many points of `area` pass `test`.
int Count(QRect area, auto test) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) n += test(QPoint(x, y));
  return n;
}

bool Bright(QRgb c, int above) { return (qRed(c) | qGreen(c) | qBlue(c)) > above; }

TEST(Pictures, EveryPictureLoadsAtItsExactSizeAndShowsSomething) {
  for (const PictureSpec& spec : AllPictures()) {
    const QImage image = LoadPicture(spec.name);
    ASSERT_EQ(image.size(), QSize(spec.width, spec.height)) << spec.name;
    // Pixels that would show on the black stage.
    const int visible =
        Count(image.rect(), [&](QPoint p) { return qAlpha(image.pixel(p)) == 255 && Bright(image.pixel(p), 40); });
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
    const int differing = Count(legs[a].rect(), [&](QPoint p) {
      const QRgb c = legs[a].pixel(p), d = legs[b].pixel(p);
      return std::max({std::abs(qRed(c) - qRed(d)), std::abs(qGreen(c) - qGreen(d)), std::abs(qBlue(c) - qBlue(d)),
                       std::abs(qAlpha(c) - qAlpha(d))}) > 48;
    });
    EXPECT_GT(differing, 650) << "righter" << a << " and righter" << b;
  }
}

// The error window's edge cuts its right-hand picture after 46 columns.
TEST(Pictures, ErrorWindowsRightPictureIsDrawnWithinItsVisible46Columns) {
  const QImage image = LoadPicture("bugright");
  EXPECT_EQ(Count(image.rect().adjusted(46, 0, 0, 0), [&](QPoint p) { return qAlpha(image.pixel(p)) > 0; }), 0);
}

// The bullet and the pistol's left end (its first 4 columns) are drawn in
// the rows the show lines them up by.
TEST(Pictures, BulletAndMuzzleAreDrawnInTheRowsTheShowLinesThemUpBy) {
  struct Case { const char* name; int columns, alpha, minTop, maxBottom, minSpan; };  // columns 0: the whole width
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
    const QRect frame(k * 100, 0, 100, 75);
    EXPECT_GT(Count(frame, [&](QPoint p) { return Bright(strip.pixel(p), 60); }), 300) << "frame " << k;
    moving += Count(frame, [&](QPoint p) { return strip.pixel(p) != strip.pixel((p.x() + 100) % 2000, p.y()); }) > 50;
  }
  EXPECT_GE(moving, 14);

  int blended = 0;
  for (int x : {0, 5, 10, 15, 20, 25, 30, 70, 75, 80, 85, 90, 95, 99}) {
    int y = 50;
    while (y < 74 && qBlue(strip.pixel(1000 + x, y)) == 0) ++y;
    blended += qBlue(strip.pixel(1000 + x, y)) < qBlue(strip.pixel(1000 + x, y + 1)) * 0.8;
  }
  EXPECT_GE(blended, 7);  // of the 14 columns
}

}  // namespace
