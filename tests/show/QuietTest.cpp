// With the sound off the episodes without speech play exactly as with it on,
// and no sound call is made at all.
#include <string>

#include "ShowFixture.h"
#include "Timeline.h"

namespace {

struct Case {
  const char* name;
  void (ShowProbe::*play)();
  float draw;
  int effects;  // with the sound on
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class Quiet : public ShowFixture, public testing::WithParamInterface<Case> {
 protected:
  // The run's timeline, in a show of its own.
  std::vector<Timeline::Event> Record(int16_t sound) {
    Starter::Settings.Sound = sound;
    MakeShow();
    Probe().SetupStage();
    host.draws = {GetParam().draw};
    host.effects.clear();
    host.calls.clear();
    Timeline timeline(host, *show);
    ShowProbe probe = Probe();
    (probe.*GetParam().play)();
    return timeline.Events();
  }
};

TEST_P(Quiet, SoundOffChangesNothingButTheCalls) {
  const double start = host.now;
  std::vector<Timeline::Event> loud = Record(-1);
  EXPECT_EQ(static_cast<int>(host.effects.size()), GetParam().effects);
  EXPECT_EQ(host.CallsStartingWith("PlayEffect").size(), host.effects.size());
  const double offset = host.now - start;
  std::vector<Timeline::Event> quiet = Record(0);
  EXPECT_TRUE(host.effects.empty());
  EXPECT_TRUE(host.CallsStartingWith("PlayEffect").empty());
  ASSERT_EQ(quiet.size(), loud.size());
  for (size_t i = 0; i < loud.size(); ++i) {
    const Timeline::Event &a = loud[i], &b = quiet[i];
    ASSERT_NEAR(b.t - offset, a.t, 1e-6) << i;
    ASSERT_TRUE(a.sprite == b.sprite && a.picture == b.picture && a.left == b.left && a.top == b.top &&
                a.visible == b.visible)
        << a << " / " << b;
  }
}

INSTANTIATE_TEST_SUITE_P(Episodes, Quiet,
                         testing::Values(Case{"Above", &ShowProbe::PlayEpisodeAbove, 0.9f, 3},
                                         Case{"Runner", &ShowProbe::PlayEpisodeRunner, 0.5f, 5},
                                         Case{"Gunner", &ShowProbe::PlayEpisodeGunner, 0, 6}),
                         [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
