// What the show window paints. The stage's layout shows in the episodes'
// timelines; the titles' place and the black start, end to end.
#include "ShowFixture.h"

namespace {

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
