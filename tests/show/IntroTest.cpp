// The Introduction: the theme and the timed titles.
#include "ShowFixture.h"
#include "platform/Forms.h"

namespace {

class Intro : public ShowFixture {
 protected:
  struct Sample {
    double t;
    bool title1, title2;
  };
  std::vector<Sample> samples;
  void SampleTitlesAt(std::initializer_list<double> times) {
    for (double t : times)
      host.At(t, [this] { samples.push_back({host.now, show->title1.Visible(), show->title2.Visible()}); });
  }
  void ExpectTimeline() {
    ASSERT_EQ(samples.size(), 7u);
    const bool expected[7][2] = {{false, false}, {true, false}, {true, false}, {true, true},
                                 {true, true},   {false, false}, {false, false}};
    for (size_t i = 0; i < samples.size(); ++i) {
      EXPECT_EQ(samples[i].title1, expected[i][0]) << "at " << samples[i].t;
      EXPECT_EQ(samples[i].title2, expected[i][1]) << "at " << samples[i].t;
    }
  }
};

TEST_F(Intro, TitlesComeAtThreeAndSixAndGoTogetherAtTwentyOneThenItReturnsAtTwentyFour) {
  dir.Write("z_wumble.mid", "MThd");
  Starter::Settings.Sound = 0;  // the theme is no effect: it plays all the same
  MakeShow();
  SampleTitlesAt({2.999, 3.001, 5.999, 6.001, 20.999, 21.001, 23.9});
  Probe().PlayEpisodeIntro();
  EXPECT_NEAR(host.now, 24.0, 1e-9);
  ExpectTimeline();
  // The theme was opened by its full path and started at the beginning.
  EXPECT_EQ(host.CallsStartingWith("Music"),
            (std::vector<std::string>{"MusicOpen " + dir.Path() + "/z_wumble.mid", "MusicPlay"}));
  EXPECT_DOUBLE_EQ(host.musicStartedAt, 0);
  char reply[256];
  EXPECT_EQ(mciSendStringA("status theme mode", reply, 255, 0), 0u) << "the device stays open";
}

TEST_F(Intro, WithoutTheThemeFileTheTitlesKeepTheirTimesAndNothingIsReported) {
  MakeShow();
  SampleTitlesAt({2.999, 3.001, 5.999, 6.001, 20.999, 21.001, 23.9});
  int forms = vb::LoadedFormCount();
  Probe().PlayEpisodeIntro();
  EXPECT_NEAR(host.now, 24.0, 1e-9);
  ExpectTimeline();
  EXPECT_FALSE(host.musicOpen);
  EXPECT_EQ(vb::LoadedFormCount(), forms) << "an error window was shown";
}

TEST_F(Intro, ExitStopsTheThemeOnlyWhileItPlays) {
  dir.Write("z_wumble.mid", "MThd");
  host.musicLength = 10;  // ends by itself before the key comes
  Starter::Settings.Intro = -1;
  PressKeyAt(40);
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(host.CallsStartingWith("Music"),
            (std::vector<std::string>{"MusicOpen " + dir.Path() + "/z_wumble.mid", "MusicPlay", "MusicClose"}));
}

}  // namespace
