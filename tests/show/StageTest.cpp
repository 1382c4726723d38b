// The show window's stage: the layout on different screens, and what the
// window paints.
#include "ShowFixture.h"

namespace {

struct Screen {
  int width, height, twips;
};

class StageLayout : public ShowFixture, public testing::WithParamInterface<Screen> {};

TEST_P(StageLayout, TitlesCentredAsABlockGunFlushRightAndNothingShowsAtFirst) {
  const auto [width, height, twips] = GetParam();
  ScreenSaver& s = Stage(width, height, twips);
  const Label& t1 = s.title1;
  const Image& t2 = s.title2;
  EXPECT_FLOAT_EQ(t1.Left() + t1.Width() / 2, SW() / 2);
  EXPECT_FLOAT_EQ(t2.Left() + t2.Width() / 2, SW() / 2);
  EXPECT_FLOAT_EQ(t2.Top(), t1.Top() + t1.Height());
  EXPECT_NEAR((t1.PixelRect() | t2.PixelRect()).center().y(), height / 2.0, 1.0);
  for (const Image& frame : s.gun) {
    EXPECT_FLOAT_EQ(frame.Top() + frame.Height() / 2, SH() / 2);
    EXPECT_EQ(frame.PixelRect().right() + 1, width);
  }
  for (int y = 0; y < height; y += 7)  // the window is all black
    for (int x = 0; x < width; x += 7) ASSERT_FALSE(s.OverControl({x, y})) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Screens, StageLayout,
                         testing::Values(Screen{1024, 768, 15}, Screen{800, 600, 12}, Screen{2560, 1440, 10},
                                         Screen{1366, 768, 8}));

using Window = ShowFixture;

TEST_F(Window, PaintsTheSpeechBoxWithItsLabelInsideOverTheTitle) {
  ScreenSaver& s = Stage();
  s.resize(host.screenWidth, host.screenHeight);
  s.title1.SetVisible(true);
  s.cloud.Move(s.title1.Left() + s.title1.Width() / 2, s.title1.Top());  // over half the title
  s.cloudlbl.SetCaption("Hi");
  s.cloud.SetVisible(true);
  ASSERT_TRUE(s.cloud.PixelRect().contains(s.cloudlbl.PixelRect())) << "the label moves with its box";
  const QImage shot = s.grab().toImage();
  int red = 0;
  const QRect title = s.title1.PixelRect();
  for (int y = title.top(); y <= title.bottom(); ++y)
    for (int x = title.left(); x <= title.right(); ++x) {
      QColor c = shot.pixelColor(x, y);
      red += c.red() > 128 && c.green() < 64 && !s.cloud.PixelRect().contains(x, y);
    }
  EXPECT_GT(red, 20) << "the title's red text";
  EXPECT_EQ(shot.pixelColor(s.cloudlbl.PixelRect().topLeft() + QPoint(1, 1)), QColor(Qt::white)) << "label on top";
}

}  // namespace
