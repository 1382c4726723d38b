// The show window's stage: the layout on different screens, what the window
// paints and what takes the mouse.
#include <QPaintEvent>
#include <QRegion>
#include <QTest>

#include "ShowFixture.h"

namespace {

struct Screen {
  int width, height, twips;
};

class StageLayout : public ShowFixture, public testing::WithParamInterface<Screen> {};

TEST_P(StageLayout, TitlesCentredAsABlockGunFlushRightAndEdgeSpritesJustOffScreen) {
  const auto [width, height, twips] = GetParam();
  ScreenSaver& s = Stage(width, height, twips);
  for (const Image* image : {&s.hand1, &s.stand, &s.gun[5], &s.bullet[7], &s.title2, &s.head4})
    EXPECT_EQ(image->Width(), image->Picture().width() * twips);
  const Label& t1 = s.title1;
  const Image& t2 = s.title2;
  EXPECT_FLOAT_EQ(t1.Left() + t1.Width() / 2, SW() / 2);
  EXPECT_FLOAT_EQ(t2.Left() + t2.Width() / 2, SW() / 2);
  EXPECT_FLOAT_EQ(t2.Top(), t1.Top() + t1.Height());
  EXPECT_FLOAT_EQ(t1.Top() + (t1.Height() + t2.Height()) / 2, SH() / 2);
  EXPECT_NEAR((t1.PixelRect() | t2.PixelRect()).center().y(), height / 2.0, 1.0);
  for (const Image& frame : s.gun) {
    EXPECT_FLOAT_EQ(frame.Left() + frame.Width(), SW());
    EXPECT_FLOAT_EQ(frame.Top() + frame.Height() / 2, SH() / 2);
    EXPECT_EQ(frame.PixelRect().right() + 1, width);
  }
  EXPECT_EQ(std::tuple(s.hand1.Top(), s.hand2.Top(), s.head.Top(), s.handa.Top(), s.handb.Top()),
            std::tuple(SH(), SH(), SH(), -s.handa.Height(), -s.handb.Height()));
  EXPECT_EQ(std::pair(s.imgSurf.Left(), s.imgSurf.Top()), std::pair(-915.f, -615.f));
  for (int y = 0; y < height; y += 7)  // nothing shows: the window is all black
    for (int x = 0; x < width; x += 7) ASSERT_FALSE(s.OverControl({x, y})) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Screens, StageLayout,
                         testing::Values(Screen{1024, 768, 15}, Screen{800, 600, 12}, Screen{2560, 1440, 10},
                                         Screen{1366, 768, 8}));

class Window : public ShowFixture {};

// Collects the regions the window repaints.
class PaintSpy : public QObject {
 public:
  QRegion painted;
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region(), ++paints;
    return false;
  }
};

TEST_F(Window, OnlyWhatChangedIsRepaintedAtTheNextPass) {
  ScreenSaver& s = Stage();
  s.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&s));
  s.imgflag.SetPicture(s.righty[0].Picture());
  s.imgflag.Move(1500, 1500);
  host.ProcessEvents();
  PaintSpy spy;
  s.installEventFilter(&spy);
  host.ProcessEvents();
  EXPECT_EQ(spy.paints, 0) << "repainted without a change";
  QRect before = s.imgflag.PixelRect();
  s.imgflag.SetLeft(1500 + 10 * 15);
  s.imgflag.SetPicture(s.righty[1].Picture());
  QRect after = s.imgflag.PixelRect();
  EXPECT_EQ(spy.paints, 0) << "painted before the message pass";
  host.ProcessEvents();
  ASSERT_GE(spy.paints, 1);
  EXPECT_TRUE((spy.painted - before - after).isEmpty()) << "painted more than the sprite's old and new places";
  EXPECT_TRUE((QRegion(before) + after - spy.painted).isEmpty());
  s.removeEventFilter(&spy);
}

TEST_F(Window, LabelFontsFollowTheScreenAndTheSpeechLabelMovesWithItsBox) {
  ScreenSaver& s = MakeShow();
  EXPECT_EQ(s.cloudlbl.Font().pixelSize(), 11);  // 8.25 pt at 96 dpi
  s.cloud.Move(1500, 750);
  EXPECT_EQ(s.cloudlbl.PixelRect().topLeft(), QPoint(100 + 8, 50 + 8));
  EXPECT_FALSE(s.cloudlbl.Shows());  // the box is hidden
  host.twipsX = host.twipsY = 12;
  EXPECT_EQ(MakeShow().title1.Font().pixelSize(), 16);  // 9.75 pt at 120 dpi
}

TEST_F(Window, PaintsTheSpeechBoxOverTheTitle) {
  ScreenSaver& s = Stage();
  s.resize(host.screenWidth, host.screenHeight);
  s.title1.SetVisible(true);
  s.cloud.Move(s.title1.Left() + s.title1.Width() / 2, s.title1.Top());  // over half the title
  s.cloudlbl.SetCaption("Hi");
  s.cloud.SetVisible(true);
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
