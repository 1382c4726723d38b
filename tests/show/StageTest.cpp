// The show window's stage: control sizes, the layout on different screens,
// what the window paints and what takes the mouse.
#include <QEvent>
#include <QImage>
#include <QPaintEvent>
#include <QRegion>
#include <QTest>
#include <tuple>

#include "ShowFixture.h"

namespace {

struct Screen {
  int width, height, twips;
};

class StageLayout : public ShowFixture, public testing::WithParamInterface<Screen> {
 protected:
  void SetUp() override {
    ShowFixture::SetUp();
    host.screenWidth = GetParam().width;
    host.screenHeight = GetParam().height;
    host.twipsX = host.twipsY = GetParam().twips;
    MakeShow();
    Probe().SetupStage();
  }
  float SW() const { return static_cast<float>(host.screenWidth * host.twipsX); }
  float SH() const { return static_cast<float>(host.screenHeight * host.twipsY); }
};

TEST_P(StageLayout, PicturesTakeTheirPixelSizeTimesTwipsPerPixel) {
  const int t = GetParam().twips;
  struct Expect {
    const Image* image;
    int w, h;
  };
  ScreenSaver& s = *show;
  std::vector<Expect> expected = {
      {&s.hand1, 49, 22},     {&s.hand2, 49, 22},     {&s.handa, 49, 22},     {&s.handb, 49, 22},
      {&s.gun[0], 102, 245},  {&s.gun[1], 133, 245},  {&s.gun[2], 159, 245},  {&s.gun[3], 181, 245},
      {&s.gun[4], 197, 245},  {&s.gun[5], 207, 245},  {&s.bullet[0], 33, 100}, {&s.bullet[1], 37, 39},
      {&s.bullet[2], 30, 40}, {&s.bullet[3], 34, 31}, {&s.bullet[4], 80, 30},  {&s.bullet[5], 113, 34},
      {&s.bullet[6], 115, 68}, {&s.bullet[7], 116, 126}, {&s.title2, 453, 86}, {&s.stand, 67, 182},
      {&s.heada, 73, 104},    {&s.headb, 73, 104},    {&s.headc, 73, 104},    {&s.headd, 73, 104},
      {&s.head1, 73, 104},    {&s.head2, 73, 104},    {&s.head3, 73, 104},    {&s.head4, 73, 104}};
  for (int i = 0; i < 3; ++i) {
    expected.push_back({&s.righty[i], 193, 105});
    expected.push_back({&s.lefty[i], 193, 105});
    expected.push_back({&s.righter[i], 123, 124});
    expected.push_back({&s.lefter[i], 123, 124});
  }
  for (const Expect& e : expected) {
    EXPECT_EQ(e.image->Width(), e.w * t) << e.w << "x" << e.h;
    EXPECT_EQ(e.image->Height(), e.h * t) << e.w << "x" << e.h;
    EXPECT_EQ(e.image->PixelRect().size(), QSize(e.w, e.h));
  }
  EXPECT_EQ(s.cloud.Picture().size(), QSize(138, 102));
  EXPECT_EQ(s.cloud.Width(), 2055);
  EXPECT_EQ(s.cloud.Height(), 1565);
  // Without a picture an image keeps the size it was made with.
  EXPECT_TRUE(s.imgflag.Picture().isNull());
  EXPECT_EQ(std::make_pair(s.imgflag.Width(), s.imgflag.Height()), std::make_pair(2895.f, 1575.f));
  EXPECT_EQ(std::make_pair(s.head.Width(), s.head.Height()), std::make_pair(975.f, 615.f));
}

TEST_P(StageLayout, TitlesAreCentredAsOneBlock) {
  const Label& t1 = show->title1;
  const Image& t2 = show->title2;
  EXPECT_FLOAT_EQ(t1.Left() + t1.Width() / 2, SW() / 2);
  EXPECT_FLOAT_EQ(t2.Left() + t2.Width() / 2, SW() / 2);
  EXPECT_FLOAT_EQ(t2.Top(), t1.Top() + t1.Height());
  EXPECT_FLOAT_EQ(t1.Top() + (t1.Height() + t2.Height()) / 2, SH() / 2);
  // On screen, in pixels, to within the rounding of one pixel.
  QRect block = t1.PixelRect() | t2.PixelRect();
  EXPECT_NEAR(block.center().y(), host.screenHeight / 2.0, 1.0);
  EXPECT_NEAR(t2.PixelRect().center().x(), host.screenWidth / 2.0, 1.0);
}

TEST_P(StageLayout, GunFramesAreFlushRightAndCentredVertically) {
  for (const Image& frame : show->gun) {
    EXPECT_FLOAT_EQ(frame.Left() + frame.Width(), SW());
    EXPECT_FLOAT_EQ(frame.Top() + frame.Height() / 2, SH() / 2);
    EXPECT_EQ(frame.PixelRect().right() + 1, host.screenWidth);
  }
}

TEST_P(StageLayout, EdgeSpritesWaitJustOutsideTheScreen) {
  ScreenSaver& s = *show;
  EXPECT_EQ(s.hand1.Top(), SH());
  EXPECT_EQ(s.hand1.Left(), 0);
  EXPECT_EQ(s.hand2.Top(), SH());
  EXPECT_EQ(s.head.Top(), SH());
  EXPECT_EQ(s.handa.Top(), -s.handa.Height());
  EXPECT_EQ(s.handb.Top(), -s.handb.Height());
  EXPECT_EQ(s.imgSurf.Left(), -915);
  EXPECT_EQ(s.imgSurf.Top(), -615);
  ShowProbe p = Probe();
  EXPECT_EQ(p.FlagDirection(), 0);
  EXPECT_EQ(p.BelowPlace(), 1);
  EXPECT_EQ(p.AbovePlace(), 2);
  // Nothing shows on the screen: the window is all black.
  const QRect screen(0, 0, host.screenWidth, host.screenHeight);
  for (int y = 0; y < host.screenHeight; y += 7)
    for (int x = 0; x < host.screenWidth; x += 7) ASSERT_FALSE(s.OverControl({x, y})) << x << "," << y;
  for (const Image* edge : {&s.hand1, &s.hand2, &s.handa, &s.handb})
    EXPECT_FALSE(edge->PixelRect().intersects(screen));
}

INSTANTIATE_TEST_SUITE_P(Screens, StageLayout,
                         testing::Values(Screen{1024, 768, 15}, Screen{1920, 1080, 15}, Screen{800, 600, 12},
                                         Screen{2560, 1440, 10}, Screen{1366, 768, 8}));

class Stage : public ShowFixture {};

TEST_F(Stage, FrameChangeKeepsTheTopLeftCornerAndTakesTheNewSize) {
  ScreenSaver& s = MakeShow();
  s.imgflag.Move(3000, 1500);
  s.imgflag.SetPicture(s.righty[1].Picture());
  EXPECT_EQ(s.imgflag.Left(), 3000);
  EXPECT_EQ(s.imgflag.Top(), 1500);
  EXPECT_EQ(s.imgflag.Width(), 193 * 15);
  s.imgflag.SetPicture(s.stand.Picture());
  EXPECT_EQ(s.imgflag.Left(), 3000);
  EXPECT_EQ(s.imgflag.Top(), 1500);
  EXPECT_EQ(s.imgflag.Height(), 182 * 15);
  EXPECT_EQ(s.imgflag.PixelRect(), QRect(200, 100, 67, 182));
}

TEST_F(Stage, LabelFontsScaleWithTwipsPerPixelAndTheSpeechLabelMovesWithItsBox) {
  host.twipsX = host.twipsY = 12;
  ScreenSaver& big = MakeShow();
  EXPECT_EQ(big.title1.Font().pixelSize(), 16);  // 9.75 pt at 120 dpi
  host.twipsX = host.twipsY = 15;
  ScreenSaver& s = MakeShow();
  EXPECT_EQ(s.title1.Font().pixelSize(), 13);
  EXPECT_EQ(s.cloudlbl.Font().pixelSize(), 11);  // 8.25 pt
  s.cloud.Move(1500, 750);
  EXPECT_EQ(s.cloudlbl.PixelRect().topLeft(), QPoint(100 + 8, 50 + 8));
  EXPECT_TRUE(s.cloudlbl.Visible());
  EXPECT_FALSE(s.cloudlbl.Shows());  // the box is hidden
}

// Collects the regions the window repaints.
class PaintSpy : public QObject {
 public:
  QRegion painted;
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      painted += static_cast<QPaintEvent*>(event)->region();
      ++paints;
    }
    return false;
  }
};

TEST_F(Stage, OnlyWhatChangedIsRepaintedAtTheNextPass) {
  ScreenSaver& s = MakeShow();
  Probe().SetupStage();
  s.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&s));
  host.ProcessEvents();
  PaintSpy spy;
  s.installEventFilter(&spy);
  host.ProcessEvents();
  EXPECT_EQ(spy.paints, 0) << "repainted without a change";

  s.imgflag.SetPicture(s.righty[0].Picture());
  s.imgflag.Move(1500, 1500);
  host.ProcessEvents();
  spy.painted = QRegion();
  spy.paints = 0;

  QRect before = s.imgflag.PixelRect();
  s.imgflag.SetLeft(1500 + 10 * 15);
  s.imgflag.SetPicture(s.righty[1].Picture());
  QRect after = s.imgflag.PixelRect();
  EXPECT_EQ(spy.paints, 0) << "painted before the message pass";
  host.ProcessEvents();
  ASSERT_GE(spy.paints, 1);
  EXPECT_TRUE((spy.painted - before - after).isEmpty()) << "painted more than the sprite's old and new places";
  EXPECT_TRUE((QRegion(before) - spy.painted).isEmpty());
  EXPECT_TRUE((QRegion(after) - spy.painted).isEmpty());
  s.removeEventFilter(&spy);
}

TEST_F(Stage, PaintsBlackWithTheSpritesOnTop) {
  ScreenSaver& s = MakeShow();
  Probe().SetupStage();
  s.resize(host.screenWidth, host.screenHeight);
  QImage shot = s.grab().toImage();
  for (int y = 0; y < shot.height(); y += 5)
    for (int x = 0; x < shot.width(); x += 5) ASSERT_EQ(shot.pixelColor(x, y), QColor(Qt::black)) << x << "," << y;

  s.title1.SetVisible(true);
  s.cloud.Move(s.title1.Left() + s.title1.Width() / 2, s.title1.Top());  // over half the title
  s.cloudlbl.SetCaption("Hi");
  s.cloud.SetVisible(true);
  shot = s.grab().toImage();
  int red = 0;
  QRect title = s.title1.PixelRect() - QMargins(0, 0, 0, 0);
  for (int y = title.top(); y <= title.bottom(); ++y)
    for (int x = title.left(); x <= title.right(); ++x) {
      QColor c = shot.pixelColor(x, y);
      if (c.red() > 128 && c.green() < 64 && !s.cloud.PixelRect().contains(x, y)) ++red;
    }
  EXPECT_GT(red, 20) << "the title's red text";
  // The speech label's white shows above the title where they overlap.
  QPoint inLabel = s.cloudlbl.PixelRect().topLeft() + QPoint(1, 1);
  EXPECT_EQ(shot.pixelColor(inLabel), QColor(Qt::white));
}

}  // namespace
