// The order of the episode loop. This test brings its own repeating episodes,
// which note when they run and then wait their usual 4 s; the linker takes
// them instead of the show's own.
#include "ShowFixture.h"
#include "platform/Backend.h"

namespace {
std::string played;
void Played(const char* name) { played += name + std::to_string(static_cast<int>(Host().Monotonic())) + " "; }
}  // namespace

void ScreenSaver::PlayEpisodeFlag() { Played("Flag"), Wait4Sec(); }
void ScreenSaver::PlayEpisodeBelow() { Played("Below"), Wait4Sec(); }
void ScreenSaver::PlayEpisodeRunner() { Played("Runner"), Wait4Sec(); }
void ScreenSaver::PlayEpisodeGunner() { Played("Gunner"), Wait4Sec(); }
void ScreenSaver::PlayEpisodeAbove() { Played("Above"), Wait4Sec(); }

namespace {

struct Case {
  const char* name;
  int16_t intro, flag, below, runner, gunner, above;  // settings: any non-zero value is on
  double input;                                       // the time of a key (of a click, with every episode off)
  std::string played;                                 // the episodes with their start times
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class Loop : public ShowFixture, public testing::WithParamInterface<Case> {};

TEST_P(Loop, PlaysTheEpisodesThatAreOnInOrderUntilInput) {
  const Case& c = GetParam();
  played.clear();
  dir.Write("z_wumble.mid", "MThd");
  auto& s = Starter::Settings;
  s.Intro = c.intro, s.Flag = c.flag, s.Below = c.below, s.Runner = c.runner, s.Gunner = c.gunner, s.Above = c.above;
  host.At(c.input, [this, &c] {
    int16_t key = 27, shift = 0;  // Escape
    if (c.played.empty()) show->MouseDownAt({0, 0}, 1, 0);
    else show->Form_KeyDown(key, shift);
  });
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(played, c.played);
  EXPECT_EQ(host.CallsStartingWith("MusicOpen").size(), c.intro ? 1u : 0u) << "the theme, with the introduction";
  EXPECT_DOUBLE_EQ(host.now, c.input);
  EXPECT_LT(host.passes, 20) << "spins";
}

INSTANTIATE_TEST_SUITE_P(
    Settings, Loop,
    testing::Values(Case{"AllOnTheIntroductionOnceThenTheFiveForEver", -1, -1, -1, -1, -1, -1, 49,
                         "Flag24 Below28 Runner32 Gunner36 Above40 Flag44 Below48 "},
                    Case{"NoIntroductionNoMusic", 0, 0, -1, 0, 1, 0, 17, "Below0 Gunner4 Below8 Gunner12 Below16 "},
                    Case{"ASingleEpisodeRepeats", 0, 0, 0, 0, 0, -1, 10, "Above0 Above4 Above8 "},
                    Case{"EveryEpisodeOffWaitsForInputWithoutSpinning", -1, 0, 0, 0, 0, 0, 5000, ""}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
