// With the sound off every episode plays exactly as with it on, and no
// sound call is made at all.
#include <algorithm>
#include <tuple>

#include "ShowFixture.h"

namespace {

struct Case {
  const char* name;
  void (ShowProbe::*play)();
  std::vector<float> draws;
  size_t effects;  // with the sound on
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class Quiet : public ShowFixture, public testing::WithParamInterface<Case> {
 protected:
  // The run's timeline, times from its start, in a show of its own.
  std::vector<Timeline::Event> Record(int16_t sound) {
    Starter::Settings.Sound = sound;
    Stage();
    host.draws = {GetParam().draws.begin(), GetParam().draws.end()};
    host.effects.clear();
    host.calls.clear();
    const double start = host.now;
    Timeline timeline(host, *show);
    (Probe().*GetParam().play)();
    for (Timeline::Event& e : timeline.events) e.t -= start;
    return timeline.events;
  }
};

TEST_P(Quiet, SoundOffChangesNothingButTheCalls) {
  const std::vector<Timeline::Event> loud = Record(-1);
  EXPECT_EQ(host.effects.size(), GetParam().effects);
  EXPECT_EQ(host.CallsStartingWith("PlayEffect").size(), host.effects.size());
  const std::vector<Timeline::Event> quiet = Record(0);
  EXPECT_TRUE(host.effects.empty());
  EXPECT_TRUE(host.CallsStartingWith("PlayEffect").empty());
  auto same = [](const Timeline::Event& a, const Timeline::Event& b) {
    return std::abs(a.t - b.t) < 1e-6 && std::tie(a.sprite, a.picture, a.left, a.top, a.visible) ==
                                             std::tie(b.sprite, b.picture, b.left, b.top, b.visible);
  };
  EXPECT_TRUE(std::equal(loud.begin(), loud.end(), quiet.begin(), quiet.end(), same)) << testing::PrintToString(quiet);
}

INSTANTIATE_TEST_SUITE_P(Episodes, Quiet,
                         testing::Values(Case{"Flag", &ShowProbe::PlayEpisodeFlag, {0.1f, 0.1f, 0.9f}, 84},
                                         Case{"Below", &ShowProbe::PlayEpisodeBelow, {0.9f, 0.1f}, 3},
                                         Case{"Above", &ShowProbe::PlayEpisodeAbove, {0.9f}, 3},
                                         Case{"Runner", &ShowProbe::PlayEpisodeRunner, {0.5f}, 5},
                                         Case{"Gunner", &ShowProbe::PlayEpisodeGunner, {0}, 6}),
                         [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
