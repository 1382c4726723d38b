// The speech cloud: what each draw says and for how long, beside either
// speaker, and how the cloud holds its text on the real font.
#include <QFontInfo>

#include "ShowFixture.h"

namespace {

using Speech = ShowFixture;

// The nine draws, each at both speakers: every line is said once, the halves
// of a remark 4 s apart; one draw says nothing; the cloud lies beside the
// speaker with its caption set before it shows, for 6 or 7 s; a 2-s pause ends.
TEST_F(Speech, NineDrawsSayEveryLineOnceBesideEitherSpeaker) {
  for (bool atFlag : {true, false}) {
    std::map<std::string, int> said;
    int silent = 0;
    for (int draw = 0; draw < 9; ++draw) {
      ScreenSaver& s = Stage();
      Image& speaker = atFlag ? s.imgflag : s.head;
      speaker.SetPicture((atFlag ? s.stand : s.heada).Picture());
      speaker.Move(6000, atFlag ? 0 : 3000);
      s.cloudlbl.SetCaption("an earlier speech");
      Timeline timeline(host, s, 200000, nullptr, 0.01);
      const double start = host.now;
      host.draws = {draw / 9.0f + 0.01f};
      atFlag ? Probe().SpeakAtFlag() : Probe().SpeakAtHead();
      const double lead = atFlag ? 1 : 0;  // the standing figure alone first
      std::vector<Timeline::Event> cloud = timeline.Of("cloud");
      std::erase_if(cloud, [](const Timeline::Event& e) { return !e.visible && e.picture == "an earlier speech"; });
      if (cloud.empty()) {
        ++silent;
        EXPECT_NEAR(host.now - start, lead + 2, 1e-6);
        continue;
      }
      ASSERT_TRUE(cloud.front().visible);
      EXPECT_NE(cloud.front().picture, "an earlier speech");
      EXPECT_EQ(cloud.front().left, speaker.Left() + speaker.Width());
      EXPECT_EQ(cloud.front().top, atFlag ? 0 : 3000 - s.cloud.Height() / 2) << "tops level; or its middle on the head's top";
      const double shown = cloud.back().t - cloud.front().t;
      EXPECT_FALSE(cloud.back().visible);
      EXPECT_NEAR(cloud.front().t - start, lead, 0.011);
      EXPECT_NEAR(host.now, cloud.back().t + 2, 0.011);
      if (cloud.size() == 3) {  // a remark in two halves
        EXPECT_NEAR(cloud[1].t - cloud[0].t, 4, 0.011);
        EXPECT_NEAR(shown, 7, 0.011);
        said[cloud[0].picture + " " + cloud[1].picture]++;
      } else {
        ASSERT_EQ(cloud.size(), 2u);
        EXPECT_NEAR(shown, 6, 0.011);
      }
      for (size_t i = 0; i + 1 < cloud.size(); ++i) said[cloud[i].picture]++;
    }
    EXPECT_EQ(silent, 1);
    for (int line = 1; line <= 10; ++line) EXPECT_EQ(said[ScreenSaver::SpeechLines(line).toStdString()], 1) << line;
    EXPECT_EQ(said.size(), 12u) << "the halves of lines 3-4 and 6-7 always together";
    EXPECT_TRUE(host.effects.empty());
  }
}

// At 15, 12 and 10 twips per pixel, each line in the cloud: every pixel its
// label changes was white in the bubble, so no text or label background lies
// on the outline or beyond it; the text is centred in the bubble's white both
// ways; its font is the label's 8.25 pt. The bubble lies whole in its box,
// clear of the box's top rows, so that it stays whole at the top of the screen.
class Cloud : public ShowFixture, public testing::WithParamInterface<int> {};

TEST_P(Cloud, HoldsEveryLineCentredOnItsWhiteMiddle) {
  const int twips = GetParam();
  ScreenSaver& s = Stage(1024, 768, twips);
  s.resize(host.screenWidth, host.screenHeight);
  ASSERT_EQ(QFontInfo(s.cloudlbl.Font()).family(), "Liberation Sans") << "install fonts-liberation";
  EXPECT_EQ(QFontInfo(s.cloudlbl.Font()).pixelSize(), std::lround(165.0 / twips));
  s.cloud.Move(3000, 3000);
  s.cloud.SetVisible(true);
  const QRect box = s.cloud.PixelRect();
  s.cloudlbl.SetVisible(false);
  const QImage bubble = s.grab(box).toImage();
  auto white = [&](int x, int y) { return bubble.pixelColor(x, y) == Qt::white; };
  int onBorder = 0;
  for (int y = 0; y < box.height(); ++y)
    for (int x = 0; x < box.width(); ++x)
      onBorder += (y < 2 || x == 0 || x == box.width() - 1 || y == box.height() - 1) && bubble.pixel(x, y) != qRgb(0, 0, 0);
  EXPECT_EQ(onBorder, 0) << "bubble pixels on the box's edges or in its two top rows";

  s.cloudlbl.SetVisible(true);
  for (int line = 1; line <= 10; ++line) {
    s.cloudlbl.SetCaption(ScreenSaver::SpeechLines(line));
    const QImage shot = s.grab(box).toImage();
    QRect text;
    int outside = 0;
    for (int y = 0; y < box.height(); ++y)
      for (int x = 0; x < box.width(); ++x)
        if (shot.pixel(x, y) != bubble.pixel(x, y)) {
          text |= QRect(x, y, 1, 1);
          outside += !white(x, y);
        }
    EXPECT_EQ(outside, 0) << "pixels off the white, line " << line;
    ASSERT_FALSE(text.isEmpty()) << line;
    // The white's middle, from its edges above and below the text's middle
    // half, and left and right of it.
    auto edge = [&](int x, int y, int dx, int dy) {
      while (x + dx >= 0 && y + dy >= 0 && x + dx < box.width() && y + dy < box.height() && white(x + dx, y + dy))
        x += dx, y += dy;
      return dx ? x : y;
    };
    const QPointF c = QRectF(text).center();
    double top = 0, bottom = 0, left = 0, right = 0;
    const int cx = static_cast<int>(c.x()), cy = static_cast<int>(c.y());
    const int columns = text.width() / 2, rows = text.height() / 2;
    for (int x = cx - columns / 2; x < cx - columns / 2 + columns; ++x)
      top += edge(x, cy, 0, -1), bottom += edge(x, cy, 0, 1);
    for (int y = cy - rows / 2; y < cy - rows / 2 + rows; ++y) left += edge(cx, y, -1, 0), right += edge(cx, y, 1, 0);
    EXPECT_NEAR(c.x(), (left + right) / rows / 2 + 0.5, 2) << "line " << line;
    EXPECT_NEAR(c.y(), (top + bottom) / columns / 2 + 0.5, 2) << "line " << line;
  }
}

INSTANTIATE_TEST_SUITE_P(TwipsPerPixel, Cloud, testing::Values(15, 12, 10));

}  // namespace
