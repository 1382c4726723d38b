// The stage on a desktop that scales its screen by 1.5: a 1280 x 800 display
// is 853 x 533 of the program's pixels. The layout stays in the twips of that
// 96-dpi screen; only the display's pixels change, each position rounded once,
// each picture scaled once when it is loaded, the text drawn for the display.
#include <QFontInfo>

#include "ShowFixture.h"
#include "assets/Cloud.h"

namespace {

using Scaled = ShowFixture;

TEST_F(Scaled, LayoutInTwipsDrawnInTheDisplaysPixels) {
  host.devicePixelRatio = 1.5;
  ScreenSaver& s = Stage(853, 533);
  for (const Image& frame : s.gun) EXPECT_EQ(frame.PixelRect().right() + 1, 1280) << "the arm flush right";
  EXPECT_EQ(s.hand1.PixelRect().top(), 800) << "waiting just below the display";

  const Image& runner = s.righter[0];  // 123 x 124 of the program's pixels
  EXPECT_EQ(QSizeF(runner.Width(), runner.Height()), QSizeF(1845, 1860));
  EXPECT_EQ(runner.PixelRect().size(), QSize(185, 186));
  EXPECT_EQ(runner.Picture().Pixmap().size(), QSize(185, 186)) << "scaled when loaded";
  s.imgSurf.Move(7, 1000);  // 0.7 and 100 of the display's pixels, not 0 x 1.5 and 67 x 1.5
  EXPECT_EQ(s.imgSurf.PixelRect().topLeft(), QPoint(1, 100));

  EXPECT_EQ(QFontInfo(s.cloudlbl.Font()).pixelSize(), 17) << "8.25 pt at 144 dpi";
  EXPECT_EQ(s.cloud.Picture().size(), DrawCloud(1.5, 1.5).size()) << "the bubble drawn for that text";
}

}  // namespace
