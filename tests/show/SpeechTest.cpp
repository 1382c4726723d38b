// The speech cloud: what each draw says and for how long, beside either
// speaker; how the cloud holds its text on the real font, over what lies
// beneath, at every density and on a scaled desktop; and the mouse buttons it
// takes.
#include <QFontInfo>

#include "ShowFixture.h"
#include "assets/Cloud.h"

namespace {

using Speech = ShowFixture;

// The nine draws at both speakers: every line is said once, the halves of a
// remark 4 s apart; one draw says nothing; the cloud shows beside the speaker
// with its new caption for 6 or 7 s; a 2-s pause ends the speech.
TEST_F(Speech, NineDrawsSayEveryLineOnceBesideEitherSpeaker) {
  for (bool atFlag : {true, false}) {
    std::map<std::string, int> said;
    for (int draw = 0; draw < 9; ++draw) {
      ScreenSaver& s = Stage();
      Image& speaker = atFlag ? s.imgflag : s.head;
      speaker.SetPicture((atFlag ? s.stand : s.heada).Picture());
      speaker.Move(6000, atFlag ? 0 : 3000);
      s.cloudlbl.SetCaption("an earlier speech");
      Timeline timeline(host, s, 200000, nullptr, 0.01);
      const double start = host.now + (atFlag ? 1 : 0);  // the standing figure alone first
      host.draws = {draw / 9.0f + 0.01f};
      atFlag ? Probe().SpeakAtFlag() : Probe().SpeakAtHead();
      std::vector<Timeline::Event> cloud = timeline.Of("cloud");
      std::erase_if(cloud, [](const Timeline::Event& e) { return !e.visible && e.picture == "an earlier speech"; });
      const double end = cloud.empty() ? start : cloud.back().t;
      EXPECT_NEAR(host.now, end + 2, 0.011);
      if (cloud.empty()) {
        said["nothing"]++;
        continue;
      }
      EXPECT_NEAR(cloud[0].t, start, 0.011);
      EXPECT_NEAR(end - start, cloud.size() == 3 ? 7 : 6, 0.011);
      if (cloud.size() == 3) EXPECT_NEAR(cloud[1].t - start, 4, 0.011);
      EXPECT_EQ(cloud[0].left, speaker.Left() + speaker.Width());
      EXPECT_EQ(cloud[0].top, atFlag ? 0 : 3000 - s.cloud.Height() / 2) << "tops level; or its middle on the head's top";
      EXPECT_FALSE(cloud.back().visible);
      for (size_t i = 0; i + 1 < cloud.size(); ++i) said[cloud[i].picture] += cloud[i].visible;
      if (cloud.size() == 3) said[cloud[0].picture + cloud[1].picture]++;
    }
    for (int line = 1; line <= 10; ++line) EXPECT_EQ(said[ScreenSaver::SpeechLines(line).toStdString()], 1) << line;
    EXPECT_EQ(said["nothing"], 1);
    EXPECT_EQ(said.size(), 13u) << "the halves of lines 3-4 and 6-7 come together";
    EXPECT_TRUE(host.effects.empty());
  }
}

// At 15, 12 and 10 twips per pixel, each line in the cloud: every pixel its
// label changes was white in the bubble, so no text or label background lies
// on the outline or beyond it; the text is centred in the bubble's white both
// ways, at the label's 8.25 pt. The bubble lies whole in its box, clear of the
// box's two top rows, so that it stays whole at the top of the screen; the
// box covers the title beneath it.
class Cloud : public ShowFixture, public testing::WithParamInterface<int> {};

TEST_P(Cloud, HoldsEveryLineCentredOnItsWhiteMiddle) {
  const int twips = GetParam();
  ScreenSaver& s = Stage(1024, 768, twips);
  s.resize(host.screenWidth, host.screenHeight);
  ASSERT_EQ(QFontInfo(s.cloudlbl.Font()).family(), "Liberation Sans") << "install fonts-liberation";
  EXPECT_EQ(QFontInfo(s.cloudlbl.Font()).pixelSize(), std::lround(165.0 / twips));
  s.cloud.Move(3000, 3000);
  s.cloud.SetVisible(true);
  s.cloudlbl.SetVisible(false);
  s.title1.Move(3000 - s.title1.Width() / 3, 3300);  // its text across the box's left edge
  s.title1.SetVisible(true);
  const QRect box = s.cloud.PixelRect();
  const QImage bubble = s.grab(box).toImage();
  auto white = [&](int x, int y) { return bubble.pixelColor(x, y) == Qt::white; };
  int onEdge = 0;
  for (int y = 0; y < box.height(); ++y)
    for (int x = 0; x < box.width(); ++x)
      onEdge += (y < 2 || x == 0 || x == box.width() - 1 || y == box.height() - 1) && bubble.pixel(x, y) != qRgb(0, 0, 0);
  EXPECT_EQ(onEdge, 0) << "bubble pixels on the box's edges or in its two top rows";

  s.cloudlbl.SetVisible(true);
  for (int line = 1; line <= 10; ++line) {
    s.cloudlbl.SetCaption(ScreenSaver::SpeechLines(line));
    const QImage shot = s.grab(box).toImage();
    QRect text;
    int offWhite = 0;
    for (int y = 0; y < box.height(); ++y)
      for (int x = 0; x < box.width(); ++x)
        if (shot.pixel(x, y) != bubble.pixel(x, y)) text |= QRect(x, y, 1, 1), offWhite += !white(x, y);
    EXPECT_EQ(offWhite, 0) << "line " << line;
    ASSERT_FALSE(text.isEmpty()) << line;
    // The white's middle: its edges above and below the middle half of the
    // text, and left and right of it.
    auto edge = [&](int x, int y, int dx, int dy) {
      while (white(x + dx, y + dy)) x += dx, y += dy;
      return dx ? x : y;
    };
    const QPointF c = QRectF(text).center();
    const int cx = static_cast<int>(c.x()), cy = static_cast<int>(c.y()), w = text.width() / 2, h = text.height() / 2;
    double across = 0, down = 0;
    for (int x = cx - w / 2; x < cx - w / 2 + w; ++x) down += edge(x, cy, 0, -1) + edge(x, cy, 0, 1) + 1;
    for (int y = cy - h / 2; y < cy - h / 2 + h; ++y) across += edge(cx, y, -1, 0) + edge(cx, y, 1, 0) + 1;
    EXPECT_NEAR(c.x(), across / h / 2, 2) << "line " << line;
    EXPECT_NEAR(c.y(), down / w / 2, 2) << "line " << line;
  }
}

INSTANTIATE_TEST_SUITE_P(TwipsPerPixel, Cloud, testing::Values(15, 12, 10));

// The box takes a button anywhere over it, beyond its label too; just beside
// it the button ends the show.
TEST_F(Speech, MouseButtonOverTheBoxDoesNotEndTheShowButJustBesideItDoes) {
  ScreenSaver& s = MakeShow();
  host.At(7, [&] {
    s.cloud.Move(3000, 3000);
    s.cloud.SetVisible(true);
    s.MouseDownAt(s.cloud.PixelRect().bottomRight(), 1, 0);
  });
  host.At(8, [&] { s.MouseDownAt(s.cloud.PixelRect().bottomRight() + QPoint(1, 1), 2, 0); });
  EXPECT_EQ(Run(), 0);
  EXPECT_DOUBLE_EQ(host.now, 8);
}

// On a desktop that scales its screen by 1.5, a 1280 x 800 display is 853 x
// 533 of the program's pixels: the layout stays in the twips of that 96-dpi
// screen; each position is rounded once to the display's pixels, each picture
// scaled once when loaded, the text drawn for the display.
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
