// The order of the episode loop. This test brings its own repeating episodes,
// which note when they run and then wait their usual 4 s; the linker takes
// them instead of the show's own.
#include <string>
#include <utility>
#include <vector>

#include "ShowFixture.h"
#include "platform/Backend.h"

namespace {
std::vector<std::pair<std::string, double>> played;
void Played(const char* name) { played.emplace_back(name, Host().Monotonic()); }
}  // namespace

void ScreenSaver::PlayEpisodeFlag() { Played("Flag"), Wait4Sec(); }
void ScreenSaver::PlayEpisodeBelow() { Played("Below"), Wait4Sec(); }
void ScreenSaver::PlayEpisodeRunner() { Played("Runner"), Wait4Sec(); }
void ScreenSaver::PlayEpisodeGunner() { Played("Gunner"), Wait4Sec(); }
void ScreenSaver::PlayEpisodeAbove() { Played("Above"), Wait4Sec(); }

namespace {

using Trace = std::vector<std::pair<std::string, double>>;

class Loop : public ShowFixture {
 protected:
  void SetUp() override {
    ShowFixture::SetUp();
    played.clear();
    dir.Write("z_wumble.mid", "MThd");
  }
  void Set(int16_t intro, int16_t flag, int16_t below, int16_t runner, int16_t gunner, int16_t above) {
    auto& s = Starter::Settings;
    s.Intro = intro, s.Flag = flag, s.Below = below, s.Runner = runner, s.Gunner = gunner, s.Above = above;
  }
  void Expect(double keyAt, const Trace& trace) {
    PressKeyAt(keyAt);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(played, trace);
  }
};

TEST_F(Loop, AllOnPlaysTheIntroductionOnceThenTheFiveInOrderForEver) {
  Set(-1, -1, -1, -1, -1, -1);
  Expect(24 + 4 * 11 + 1, (Trace{{"Flag", 24}, {"Below", 28}, {"Runner", 32}, {"Gunner", 36}, {"Above", 40},
                           {"Flag", 44}, {"Below", 48}, {"Runner", 52}, {"Gunner", 56}, {"Above", 60},
                           {"Flag", 64}, {"Below", 68}}));
  EXPECT_EQ(host.CallsStartingWith("MusicOpen").size(), 1u);
}

TEST_F(Loop, WithoutTheIntroductionTheFirstEpisodeStartsAtOnceAndNoMusicPlays) {
  Set(0, 0, -1, 0, -1, 0);
  Expect(17, (Trace{{"Below", 0}, {"Gunner", 4}, {"Below", 8}, {"Gunner", 12}, {"Below", 16}}));
  EXPECT_TRUE(host.CallsStartingWith("Music").empty());
}

TEST_F(Loop, ASingleEpisodeRepeats) {
  Set(0, 0, 0, 0, 0, -1);
  Expect(10, (Trace{{"Above", 0}, {"Above", 4}, {"Above", 8}}));
}

TEST_F(Loop, SettingsAreReadBeforeEachCall) {
  Set(0, -1, -1, 1, 0, 0);  // any non-zero value is on
  host.At(2, [] { Starter::Settings.Below = 0; });
  Expect(13, (Trace{{"Flag", 0}, {"Runner", 4}, {"Flag", 8}, {"Runner", 12}}));
}

TEST_F(Loop, WithEveryEpisodeOffItWaitsForInputWithoutSpinning) {
  Set(-1, 0, 0, 0, 0, 0);
  MouseDownAt(5000, {0, 0});
  EXPECT_EQ(Run(), 0);
  EXPECT_DOUBLE_EQ(host.now, 5000);
  EXPECT_TRUE(played.empty());
  EXPECT_LT(host.passes, 20);
}

}  // namespace
