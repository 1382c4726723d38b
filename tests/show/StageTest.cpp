// What the show window paints. The stage's layout shows in the episodes'
// timelines; the titles' place and the black start, end to end; the speech
// cloud's text, in SpeechTest.
#include "ShowFixture.h"

namespace {

using Window = ShowFixture;

TEST_F(Window, PaintsTheSpeechBoxOverTheTitle) {
  ScreenSaver& s = Stage();
  s.resize(host.screenWidth, host.screenHeight);
  s.title1.SetVisible(true);
  s.cloud.Move(s.title1.Left() + s.title1.Width() / 2, s.title1.Top());  // over half the title
  s.cloudlbl.SetCaption("Hi");
  s.cloud.SetVisible(true);
  const QImage shot = s.grab().toImage();
  int red[2] = {0, 0};  // beside the box, under it
  const QRect title = s.title1.PixelRect();
  for (int y = title.top(); y <= title.bottom(); ++y)
    for (int x = title.left(); x <= title.right(); ++x) {
      QColor c = shot.pixelColor(x, y);
      red[s.cloud.PixelRect().contains(x, y)] += c.red() > 128 && c.green() < 64;
    }
  EXPECT_GT(red[0], 20) << "the title's red text";
  EXPECT_EQ(red[1], 0) << "the title shows through the box";
}

}  // namespace
