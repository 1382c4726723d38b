// "Flag The Planet": lanes, directions, the stop, the walk cycle and its
// footsteps, recorded as a timeline of the walker.
#include <cmath>

#include "ShowFixture.h"

namespace {

using Event = Timeline::Event;

// Twelve runs of one show: both ways across in turn, each lane with and
// without the stop (which speaks case 4: 3 s of silence), the walk cycle
// going on from run to run.
class Flag : public ShowFixture, public testing::WithParamInterface<int> {};

TEST_P(Flag, CrossesInItsLaneAndStopsAtMidScreenWhenDrawn) {
  ScreenSaver& s = Stage(1024, 768, GetParam());
  const float W = s.righty[0].Width(), H = s.righty[0].Height();
  int frame = 0;  // the walking frame shown last
  for (int run = 0; run < 12; ++run) {
    const bool right = run % 2 == 0, stops = run >= 6;
    const int lane = run / 2 % 3 + 1;
    SCOPED_TRACE(testing::Message() << "run " << run << (right ? " rightward" : " leftward") << " in lane " << lane
                                    << (stops ? " with" : " without") << " the stop");
    const float step = right ? 75 : -75;
    const double start = host.now;
    host.draws = {(lane - 1) / 3.0f + 0.01f, stops ? 0.2f : 0.7f, 3 / 9.0f + 0.01f};
    host.effects.clear();
    std::vector<Event> pose, steps;
    {
      Timeline timeline(host, s, 200000, nullptr, 0.01);
      Probe().PlayEpisodeFlag();
      for (const Event& e : timeline.Of("imgflag")) (e.picture == "stand" ? pose : steps).push_back(e);
    }
    ASSERT_GE(steps.size(), 4u);
    EXPECT_NEAR(steps[0].t - start, 4.01, 1e-4) << "4 s of nothing, then the first step";
    EXPECT_EQ(right ? steps[0].left + W : steps[0].left, right ? step : SW() + step) << "one step in from its edge";

    const float bottom = lane == 1 ? s.stand.Height() : lane == 2 ? SH() / 2 + H / 2 : SH();
    size_t mid = 0;  // the first step at or past mid-screen
    while (mid < steps.size() && (right ? steps[mid].left < SW() / 2 - W / 2 : steps[mid].left > SW() / 2 - W / 2))
      ++mid;
    ASSERT_LT(mid + 1, steps.size());
    for (size_t i = 0; i < steps.size(); ++i) {
      EXPECT_EQ(steps[i].top + H, bottom) << steps[i];
      EXPECT_EQ(steps[i].picture, (right ? "righty" : "lefty") + std::to_string((frame + i + 1) % 3))
          << "the frame after the one shown last";
      if (i == 0 || i == mid + 1) continue;
      EXPECT_EQ(steps[i].left - steps[i - 1].left, step) << steps[i];
      EXPECT_NEAR(steps[i].t - steps[i - 1].t, 0.03, 1e-4) << "three ticks a step: " << steps[i];
    }
    frame = steps.back().picture.back() - '0';
    // The stop: the pose right after the last step's ticks, standing for the
    // speech (1 s alone, 2 s after); then on, the rightward walker from half
    // a stand width further left. Else on at once.
    const Event &stop = steps[mid], &resume = steps[mid + 1];
    EXPECT_EQ(resume.left, stop.left + step - (stops && right ? s.stand.Width() / 2 : 0));
    EXPECT_NEAR(resume.t - stop.t, stops ? 3.03 : 0.03, 0.012);
    ASSERT_EQ(pose.size(), stops ? 1u : 0u);
    if (stops) {
      EXPECT_TRUE(pose[0].visible);
      EXPECT_EQ(pose[0].top + s.stand.Height(), bottom) << "the pose keeps the walker's bottom edge";
      EXPECT_EQ(pose[0].left, right ? stop.left + W - 1.5f * s.stand.Width() : stop.left);
      EXPECT_NEAR(pose[0].t - stop.t, 0.025, 0.006);
    }
    // A footstep with each frame 1, as it is drawn.
    std::vector<std::pair<std::string, double>> footsteps, played;
    for (const Event& e : steps)
      if (e.picture.back() == '1') footsteps.emplace_back("z_step.wav", std::round((e.t - 0.01) * 1000));
    for (const FakeBackend::Effect& e : host.effects) played.emplace_back(e.file, std::round(e.at * 1000));
    EXPECT_EQ(played, footsteps);
    // Walks until wholly beyond the far edge, then hides there.
    const Event &last = steps.back(), &lastOn = steps[steps.size() - 2];
    EXPECT_EQ(std::pair(s.imgflag.Visible(), s.imgflag.Left()), std::pair(false, last.left));
    EXPECT_TRUE(right ? last.left >= SW() && lastOn.left < SW() : last.left <= -W && lastOn.left > -W) << last;
  }
}

INSTANTIATE_TEST_SUITE_P(TwipsPerPixel, Flag, testing::Values(15, 12));

}  // namespace
