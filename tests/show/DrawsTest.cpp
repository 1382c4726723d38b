// The show's random choices. Each reseeds the generator from the clock right
// before its one draw; whatever time has passed since the draw before, every
// outcome must come as often as the others. The draws are made here as the
// episodes make them, with the virtual clock moved on by the episodes' own
// waits between them (1024 x 768 at 15 twips per pixel, fastest speed: a tick
// is 0.01 s), over many runs that start at any moment of the day.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

#include "platform/Runtime.h"
#include "platform/fake/FakeBackend.h"

namespace {

constexpr double kTick = 0.01;

class Draws : public testing::Test {
 protected:
  FakeBackend host;
  std::mt19937 moments{17};

  // A moment of the day for a run to start at.
  double AnyMoment() { return std::uniform_real_distribution<double>(0, 86000)(moments); }
  // One choice as an episode makes it, `at` seconds after midnight: Int(Rnd x n + 1).
  int Draw(double at, int n) {
    host.now = at;
    vb::Randomize();
    return static_cast<int>(vb::Rnd() * static_cast<float>(n) + 1.0f);
  }
};

// Each outcome of `counts` (1 to n) came within `tolerance` of 1/n of the time.
void ExpectUniform(const std::map<int, int>& counts, int n, double tolerance, const std::string& what) {
  int total = 0;
  for (auto [outcome, count] : counts) total += count;
  ASSERT_GT(total, 0) << what;
  for (int outcome = 1; outcome <= n; ++outcome) {
    const double share = counts.count(outcome) ? static_cast<double>(counts.at(outcome)) / total : 0;
    EXPECT_NEAR(share, 1.0 / n, tolerance) << what << ": outcome " << outcome << " of " << total << " draws";
  }
}

// The lane; the stop when the walker reaches mid-screen, after as many steps
// of three ticks as the screen's width asks (the same either way across);
// the speech 1 s after he stops.
TEST_F(Draws, FlagLanesStopsInEveryLaneAndSpeechCases) {
  for (auto [width, steps] : {std::pair{1024, 122}, {1366, 156}, {1920, 212}}) {
    const double approach = steps * 3 * kTick;
    std::map<int, int> lanes, speeches, stops[4];
    for (int run = 0; run < 30000; ++run) {
      const double start = AnyMoment();
      const int lane = Draw(start, 3);
      ++lanes[lane];
      const bool stop = Draw(start + approach, 2) == 1;
      ++stops[lane][stop ? 1 : 2];
      if (stop) ++speeches[Draw(start + approach + 1, 9)];
    }
    const std::string screen = std::to_string(width) + " wide: ";
    ExpectUniform(lanes, 3, 0.015, screen + "lanes");
    for (int lane = 1; lane <= 3; ++lane)
      ExpectUniform(stops[lane], 2, 0.03, screen + "stops in lane " + std::to_string(lane));
    ExpectUniform(speeches, 9, 0.015, screen + "speech cases");
  }
}

// The eye sequence when the head is up; the speech that sequences 1 and 2
// start after 2 s, sequence 5 after a tick, 1 s and a blink run (three ticks),
// sequence 7 after 1 s, a blink run, 2 s and another blink run.
TEST_F(Draws, SpyFromBelowSequencesAndTheSpeechAfterEachSequenceThatSpeaks) {
  const std::map<int, double> speaksAfter{{1, 2}, {2, 2}, {5, 1 + 4 * kTick}, {7, 3 + 6 * kTick}};
  std::map<int, int> sequences, speeches[8];
  for (int run = 0; run < 70000; ++run) {
    const double start = AnyMoment();
    const int sequence = Draw(start, 7);
    ++sequences[sequence];
    if (auto it = speaksAfter.find(sequence); it != speaksAfter.end()) ++speeches[sequence][Draw(start + it->second, 9)];
  }
  ExpectUniform(sequences, 7, 0.015, "eye sequences");
  for (auto [sequence, after] : speaksAfter)
    ExpectUniform(speeches[sequence], 9, 0.015, "speech cases after sequence " + std::to_string(sequence));
}

// A show of Spy From Above alone: each draw comes a fixed time after the
// last, that time set by the last outcome: the sequence (2.04, 3 or 4.07 s),
// 55 ticks up, 4 s, 55 ticks down.
TEST_F(Draws, SpyFromAboveRunAfterRun) {
  const double sequenceTime[4] = {0, 1 + 1 + 4 * kTick, 1 + 2, 1 + 2 + 1 + 7 * kTick};
  std::map<int, int> sequences;
  double at = AnyMoment();
  for (int run = 0; run < 30000; ++run) {
    const int sequence = Draw(at, 3);
    ++sequences[sequence];
    at += sequenceTime[sequence] + 55 * kTick + 4 + 55 * kTick;
  }
  ExpectUniform(sequences, 3, 0.015, "sequences");
}

// Shows started at the same moment in different processes: the runner's
// bounce limit, 3 to 7, as their first draws.
TEST_F(Draws, ProcessesSeededAtTheSameMomentDrawApart) {
  std::map<int, int> limits;
  for (int process = 0; process < 10000; ++process) {
    host.processSeed = process;
    ++limits[Draw(1000, 5)];
  }
  ExpectUniform(limits, 5, 0.015, "bounce limits");
}

}  // namespace
