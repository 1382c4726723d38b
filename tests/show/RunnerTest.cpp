// "Marathon Runner": the entry from wherever the last run ended, the bounces
// up to the drawn count (a corner counting twice), the exit and the resting
// place beyond the edge.
#include <optional>

#include "ShowFixture.h"

namespace {

using Event = Timeline::Event;
constexpr float kStep = 75;

struct Case {
  const char* name;
  int width, height;
  std::optional<std::pair<float, float>> start;  // none: where the stage setup parked it
  float draw;
  int boinks;
  int firstX, firstY;  // the direction of the first step
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class Runner : public ShowFixture, public testing::WithParamInterface<Case> {};

// One run checked against the rules: a step diagonal each tick with the
// frames 1, 2, 0, ... of its way; silent until wholly on screen with a step to
// spare; the drawn number of bounces inside the screen; then straight out, to
// rest just beyond the edge it crossed.
TEST_P(Runner, EntersBouncesAndLeaves) {
  const Case& c = GetParam();
  Stage(c.width, c.height);
  if (c.start) show->imgSurf.Move(c.start->first, c.start->second);  // where an earlier run left it
  Image& r = show->imgSurf;
  const float left0 = r.Left(), top0 = r.Top();
  host.effects.clear();
  host.draws = {c.draw};
  Timeline timeline(host, *show, 100000);
  ASSERT_NO_THROW(Probe().PlayEpisodeRunner()) << "the run does not end";
  const std::vector<Event> steps = timeline.Of("imgSurf");
  const float W = r.Width(), H = r.Height();
  ASSERT_FALSE(steps.empty());
  EXPECT_EQ(std::tuple(r.Visible(), r.Left(), r.Top()), std::tuple(false, steps.back().left, steps.back().top))
      << "hidden where it stopped, where the next run starts";
  EXPECT_EQ(std::pair(steps[0].left, steps[0].top), std::pair(left0 + c.firstX * kStep, top0 + c.firstY * kStep));
  for (size_t i = 0; i < steps.size(); ++i) {
    const float dx = steps[i].left - (i ? steps[i - 1].left : left0);
    const float dy = steps[i].top - (i ? steps[i - 1].top : top0);
    const std::string frame = (dx > 0 ? "righter" : "lefter") + std::to_string((i + 1) % 3);
    ASSERT_TRUE(std::abs(dx) == kStep && std::abs(dy) == kStep && steps[i].visible && steps[i].picture == frame)
        << "step " << i << ": " << steps[i] << " after " << (i ? steps[i - 1] : steps[0]);
  }
  auto inside = [&](const Event& e, float spare) {
    return e.left >= spare && e.left + W + spare <= SW() && e.top >= spare && e.top + H + spare <= SH();
  };
  size_t in = 0;
  while (in < steps.size() && !inside(steps[in], kStep + 1)) ++in;
  ASSERT_EQ(static_cast<int>(host.effects.size()), c.boinks);
  for (const FakeBackend::Effect& e : host.effects) {
    EXPECT_EQ(e.file, "z_boink.wav");
    EXPECT_GE(e.at, steps[in].t) << "a bounce before the runner was in";
  }
  size_t out = in;  // the step after the last bounce
  while (out < steps.size() && steps[out].t <= host.effects.back().at) ++out;
  for (size_t i = in; i <= out && i < steps.size(); ++i) EXPECT_TRUE(inside(steps[i], 0)) << i;
  auto way = [&](size_t i) { return std::pair(steps[i].left - steps[i - 1].left, steps[i].top - steps[i - 1].top); };
  for (size_t i = out + 1; i < steps.size(); ++i) EXPECT_EQ(way(i), way(out)) << "a turn on the way out";
  // Straight on, it rests just beyond the edge: one step from the last place not beyond it.
  auto beyond = [&](const Event& e) { return e.left < -W || e.left > SW() || e.top < -H || e.top > SH(); };
  ASSERT_GE(steps.size(), 2u);
  EXPECT_TRUE(beyond(steps.back()) && !beyond(steps[steps.size() - 2])) << "rests at " << steps.back();
}

// 1024 x 768 at 15 twips per pixel is 15360 x 11520 twips; the runner is 1845 x 1860.
INSTANTIATE_TEST_SUITE_P(
    Runs, Runner,
    testing::Values(Case{"FirstRunFromTheTopLeftCorner", 1024, 768, std::nullopt, 0.0f, 3, +1, +1},
                    Case{"FromTheLeft", 1024, 768, std::pair{-1900.f, 4000.f}, 0.2f, 4, +1, +1},
                    Case{"FromTheRight", 1024, 768, std::pair{15400.f, 4000.f}, 0.4f, 5, -1, +1},
                    Case{"FromTheBottom", 1024, 768, std::pair{6000.f, 11550.f}, 0.999f, 7, +1, -1},
                    Case{"FromTheBottomRightTurningBoth", 1024, 768, std::pair{15400.f, 11550.f}, 0.0f, 3, -1, -1},
                    // Far above the top right: it turns off the left edge on its way in.
                    Case{"TurnsSilentlyWhileComingIn", 1024, 768, std::pair{15400.f, -20000.f}, 0.0f, 3, -1, +1},
                    Case{"ACornerAtTheLastBounceCountsTwice", 1024, 768, std::pair{5730.f, -1890.f}, 0.0f, 4, +1, +1},
                    Case{"SmallestScreen", 320, 200, std::nullopt, 0.999f, 7, +1, +1},
                    Case{"LargestScreen", 7680, 4320, std::nullopt, 0.999f, 7, +1, +1}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
