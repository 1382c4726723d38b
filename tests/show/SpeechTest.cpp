// The speech cloud: the nine cases for both speakers, where the cloud goes,
// and the hero's lines on the real font.
#include <QFontInfo>
#include <QFontMetrics>

#include "ShowFixture.h"

namespace {

struct Case {
  int speechCase;
  std::vector<int> lines;  // shown in order, the second 4 s after the first
  double shown;            // seconds the cloud is up
};
const Case kCases[] = {{1, {2}, 6},    {2, {1}, 6}, {3, {3, 4}, 7}, {4, {}, 0}, {5, {5}, 6},
                       {6, {6, 7}, 7}, {7, {8}, 6}, {8, {9}, 6},    {9, {10}, 6}};

class Speech : public ShowFixture, public testing::WithParamInterface<std::tuple<Case, bool>> {};

TEST_P(Speech, ShowsTheCaseLinesForTheirTimesBesideTheSpeakerThenPauses) {
  const auto [c, atFlag] = GetParam();
  ScreenSaver& s = Stage();
  if (atFlag) {  // standing on the top edge
    s.imgflag.SetPicture(s.stand.Picture());
    s.imgflag.Move(6000, 0);
  } else {  // a head risen to just below the top edge: the cloud goes partly off screen
    s.head.SetPicture(s.heada.Picture());
    s.head.Move(1000, s.cloud.Height() / 4);
  }
  const Image& speaker = atFlag ? s.imgflag : s.head;
  s.cloudlbl.SetCaption("an earlier speech");
  Timeline timeline(host, s, 200000, nullptr, 0.01);
  host.draws = {(c.speechCase - 1) / 9.0f + 0.01f};
  atFlag ? Probe().SpeakAtFlag() : Probe().SpeakAtHead();

  const double lead = atFlag ? 1 : 0;  // the standing figure alone first
  EXPECT_NEAR(host.now, lead + c.shown + 2, 1e-6);
  std::vector<Timeline::Event> cloud = timeline.Of("cloud");
  std::erase_if(cloud, [](const Timeline::Event& e) { return !e.visible && e.picture == "an earlier speech"; });
  ASSERT_EQ(cloud.size(), c.lines.empty() ? 0 : c.lines.size() + 1);
  for (size_t i = 0; i < c.lines.size(); ++i) {
    EXPECT_TRUE(cloud[i].visible);
    EXPECT_EQ(QString::fromStdString(cloud[i].picture), ScreenSaver::SpeechLines(c.lines[i]));
    EXPECT_NEAR(cloud[i].t, lead + 4 * i, 0.011);
    EXPECT_EQ(cloud[i].left, speaker.Left() + speaker.Width());
    EXPECT_EQ(cloud[i].top, atFlag ? 0 : speaker.Top() - s.cloud.Height() / 2) << "beside the flag, tops level; "
                                                                                   "its middle on the head's top";
  }
  if (!c.lines.empty()) {
    EXPECT_FALSE(cloud.back().visible);
    EXPECT_NEAR(cloud.back().t, lead + c.shown, 0.011);
  }
  EXPECT_TRUE(host.effects.empty());
}

INSTANTIATE_TEST_SUITE_P(CasesAndSpeakers, Speech, testing::Combine(testing::ValuesIn(kCases), testing::Bool()),
                         [](const auto& info) {
                           return "Case" + std::to_string(std::get<0>(info.param).speechCase) +
                                  (std::get<1>(info.param) ? "AtFlag" : "AtHead");
                         });

// Every line fits the label's box at the speech font, word-wrapped and
// centred, with no word cut, at the usual screen densities.
class SpeechLines : public ShowFixture, public testing::WithParamInterface<int> {};

TEST_P(SpeechLines, FitTheCloudLabelOnTheRealFont) {
  host.twipsX = host.twipsY = GetParam();
  const QFont& font = MakeShow().cloudlbl.Font();
  ASSERT_EQ(QFontInfo(font).family(), "Liberation Sans") << "install fonts-liberation";
  const QSize box = show->cloudlbl.PixelRect().size();
  for (int n = 1; n <= 10; ++n) {
    const QString line = ScreenSaver::SpeechLines(n);
    QRect needed =
        QFontMetrics(font).boundingRect(QRect(QPoint(0, 0), box), Qt::AlignHCenter | Qt::TextWordWrap, line);
    EXPECT_LE(needed.width(), box.width()) << "a word is cut: " << line.toStdString();
    EXPECT_LE(needed.height(), box.height()) << "too long: " << line.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(TwipsPerPixel, SpeechLines, testing::Values(15, 12, 10));

}  // namespace
