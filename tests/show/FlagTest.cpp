// "Flag The Planet": lanes, directions, the stop, the walk cycle and its
// footsteps, recorded as a timeline of the walker.
#include <algorithm>
#include <sstream>

#include "Passes.h"
#include "ShowFixture.h"
#include "Timeline.h"

namespace {

using Event = Timeline::Event;

// One run of the walker, split at mid-screen.
struct Walk {
  std::vector<Event> approach, stand, walkOff;  // stand: the standing pose, if it stopped
  std::vector<FakeBackend::Effect> effects;
};

class Flag : public ShowFixture {
 protected:
  void SetUp() override {
    ShowFixture::SetUp();
    Starter::Settings.Sound = -1;
    MakeShow();
    Probe().SetupStage();
  }
  float SW() const { return static_cast<float>(host.screenWidth * host.twipsX); }
  float SH() const { return static_cast<float>(host.screenHeight * host.twipsY); }
  float W() const { return show->righty[0].Width(); }
  float H() const { return show->righty[0].Height(); }
  float Mid() const { return SW() / 2 - W() / 2; }

  // Plays one run: lane 1 to 3, with or without the stop (which speaks
  // case 4: 3 s of silence).
  Walk Play(int lane, bool stops) {
    const bool right = Probe().FlagDirection() == 0;
    host.draws = {(lane - 1) / 3.0f + 0.01f, stops ? 0.2f : 0.7f, 3 / 9.0f + 0.01f};
    host.effects.clear();
    Timeline timeline(host, *show);
    PassEvery(host, 0.01, host.now + 60);
    Probe().PlayEpisodeFlag();
    host.ProcessEvents();  // what the run left on screen
    Walk walk;
    bool atMid = false;  // the approach ends at the first place at or past mid-screen
    for (const Event& e : timeline.Of("imgflag")) {
      if (e.picture == "stand") walk.stand.push_back(e);
      else (atMid ? walk.walkOff : walk.approach).push_back(e);
      atMid = atMid || (right ? e.left >= Mid() : e.left <= Mid());
    }
    walk.effects = host.effects;
    return walk;
  }
};

struct Run {
  int16_t direction;
  int lane;
  bool stops;
};

class FlagRun : public Flag, public testing::WithParamInterface<Run> {};

TEST_P(FlagRun, CrossesInItsLaneAndStopsAtMidScreenWhenDrawn) {
  const auto [direction, lane, stops] = GetParam();
  const bool right = direction == 0;
  const float step = right ? 75 : -75;
  Probe().SetFlagDirection(direction);
  const double start = host.now;
  Walk walk = Play(lane, stops);

  ASSERT_GE(walk.approach.size(), 2u);
  ASSERT_FALSE(walk.walkOff.empty());
  const Event& first = walk.approach.front();
  EXPECT_NEAR(first.t - start, 4.01, 1e-4) << "4 s of nothing, then the first step";
  // It enters one step in from its edge.
  EXPECT_EQ(right ? first.left + W() : first.left, right ? step : SW() + step);

  // Every walking frame stands in the lane: top, middle or bottom.
  const float bottom = lane == 1 ? show->stand.Height() : lane == 2 ? SH() / 2 + H() / 2 : SH();
  std::vector<Event> steps = walk.approach;
  steps.insert(steps.end(), walk.walkOff.begin(), walk.walkOff.end());
  for (const Event& e : steps) {
    EXPECT_EQ(e.top + H(), bottom) << e;
    EXPECT_EQ(e.picture.substr(0, 5), right ? "right" : "lefty") << e;
  }
  // Steps of 75 twips, three ticks apart.
  for (size_t i = 1; i < walk.approach.size(); ++i) {
    EXPECT_EQ(walk.approach[i].left - walk.approach[i - 1].left, step) << walk.approach[i];
    EXPECT_NEAR(walk.approach[i].t - walk.approach[i - 1].t, 0.03, 1e-4) << walk.approach[i];
  }
  const Event& stop = walk.approach.back();

  const Event& resume = walk.walkOff.front();  // the first step after mid-screen
  if (stops) {
    ASSERT_EQ(walk.stand.size(), 1u);
    const Event& pose = walk.stand.front();
    EXPECT_TRUE(pose.visible);
    EXPECT_EQ(pose.top + show->stand.Height(), bottom) << "the pose keeps the walker's bottom edge";
    if (lane == 1) EXPECT_EQ(pose.top, 0);
    EXPECT_EQ(pose.left, right ? stop.left + W() - 1.5f * show->stand.Width() : stop.left);
    EXPECT_NEAR(pose.t - stop.t, 0.025, 0.006) << "right after the last step's ticks";
    // It stands for the speech (1 s alone, 2 s after), then walks on from
    // where it stopped, the rightward walker half a stand width further left.
    EXPECT_EQ(resume.left, (right ? stop.left - show->stand.Width() / 2 : stop.left) + step);
    EXPECT_NEAR(resume.t - pose.t, 3, 0.012);
  } else {
    EXPECT_TRUE(walk.stand.empty());
    EXPECT_EQ(resume.left, stop.left + step) << "no pause at mid-screen";
    EXPECT_NEAR(resume.t - stop.t, 0.03, 1e-4);
  }
  for (size_t i = 1; i < walk.walkOff.size() - 1; ++i) {
    EXPECT_EQ(walk.walkOff[i].left - walk.walkOff[i - 1].left, step) << walk.walkOff[i];
    EXPECT_NEAR(walk.walkOff[i].t - walk.walkOff[i - 1].t, 0.03, 1e-4) << walk.walkOff[i];
  }
  // The frames run on 1, 2, 0, ... across the stop; each frame 1 brings a step.
  std::vector<double> footsteps;
  for (size_t i = 0; i + 1 < steps.size(); ++i) {
    EXPECT_EQ(steps[i].picture.back(), "120"[i % 3]) << steps[i];
    if (steps[i].picture.back() == '1') footsteps.push_back(steps[i].t - 0.01);
  }
  ASSERT_EQ(walk.effects.size(), footsteps.size());
  for (size_t i = 0; i < footsteps.size(); ++i) {
    EXPECT_EQ(walk.effects[i].file, "z_step.wav");
    EXPECT_NEAR(walk.effects[i].at, footsteps[i], 1e-4);
  }
  // It walks until it is wholly beyond the far edge, then hides there.
  const Event& gone = walk.walkOff.back();
  EXPECT_FALSE(gone.visible);
  const Event& last = walk.walkOff[walk.walkOff.size() - 2];
  const Event& lastOn = walk.walkOff[walk.walkOff.size() - 3];
  EXPECT_EQ(gone.left, last.left);
  EXPECT_TRUE(right ? last.left >= SW() && lastOn.left < SW() : last.left <= -W() && lastOn.left > -W()) << last;
  EXPECT_EQ(Probe().FlagDirection(), right ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(LanesDirectionsStops, FlagRun,
                         testing::ValuesIn(std::vector<Run>{{0, 1, false}, {0, 1, true}, {0, 2, false}, {0, 2, true},
                                                            {0, 3, false}, {0, 3, true}, {1, 1, false}, {1, 1, true},
                                                            {1, 2, false}, {1, 2, true}, {1, 3, false}, {1, 3, true}}));

TEST_F(Flag, FrameAndDirectionCarryOverFromRunToRun) {
  char shownLast = '0';
  for (int run = 0; run < 5; ++run) {
    Walk walk = Play(run % 3 + 1, run % 2 == 1);
    std::vector<Event> steps = walk.approach;
    steps.insert(steps.end(), walk.walkOff.begin(), walk.walkOff.end());
    EXPECT_EQ(steps.front().picture.substr(0, 5), run % 2 == 0 ? "right" : "lefty") << run;
    EXPECT_EQ(steps.front().picture.back(), "120"[shownLast - '0']) << run;
    shownLast = steps.back().picture.back();
    EXPECT_EQ(Probe().FlagFrame(), shownLast - '0');
    EXPECT_EQ(walk.effects.size(), std::count_if(steps.begin(), steps.end() - 1,
                                                 [](const Event& e) { return e.picture.back() == '1'; }));
  }
}

// The same runs with sound on and off: only the effects differ.
class SoundOff : public ShowFixture, public testing::WithParamInterface<const char*> {
 protected:
  std::vector<std::string> PlayOnce(int16_t sound) {
    Starter::Settings.Sound = sound;
    host.calls.clear();
    MakeShow();
    Probe().SetupStage();
    Probe().SetBelowPlace(2);
    Timeline timeline(host, *show);
    const double start = host.now;
    host.draws = {0.1f, 0.1f, 0.9f};  // Flag: lane 1, a stop, case 9; Below: sequence 1, case 1
    std::string episode = GetParam();
    episode == "Flag" ? Probe().PlayEpisodeFlag() : Probe().PlayEpisodeBelow();
    std::vector<std::string> seen;
    for (const Event& e : timeline.Events()) {
      std::ostringstream line;
      line << Event{e.t - start, e.sprite, e.picture, e.left, e.top, e.visible};
      seen.push_back(line.str());
    }
    return seen;
  }
};

TEST_P(SoundOff, ChangesNothingButTheEffects) {
  std::vector<std::string> withSound = PlayOnce(-1);
  EXPECT_FALSE(host.CallsStartingWith("PlayEffect").empty());
  std::vector<std::string> silent = PlayOnce(0);
  EXPECT_TRUE(host.CallsStartingWith("PlayEffect").empty());
  EXPECT_EQ(silent, withSound);
}

INSTANTIATE_TEST_SUITE_P(Episodes, SoundOff, testing::Values("Flag", "Below"));

}  // namespace
