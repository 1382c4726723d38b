// The show's random choices. Each reseeds the generator from the clock right
// before its one draw, Int(Rnd x n + 1); whatever time has passed since the
// draw before, every outcome must come as often as the others. The draws are
// made here as the episodes make them, the virtual clock moved on between
// them by the episodes' own waits (15 twips per pixel, the fastest speed: a
// tick is 0.01 s), in runs that start at any moment of the day.
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
  std::map<std::string, std::map<int, int>> counts;  // of each outcome, by what was drawn

  double AnyMoment() { return std::uniform_real_distribution<double>(0, 86000)(moments); }
  // One draw of 1 to n at virtual time `at`, counted under `what`.
  int Draw(const std::string& what, double at, int n) {
    host.now = at;
    vb::Randomize();
    const int outcome = static_cast<int>(vb::Rnd() * static_cast<float>(n) + 1.0f);
    ++counts[what][outcome];
    return outcome;
  }
  // Each outcome 1 to n of `what` came within `tolerance` of 1/n of the time.
  void ExpectUniform(const std::string& what, int n, double tolerance) {
    int total = 0;
    for (auto [outcome, count] : counts[what]) total += count;
    for (int outcome = 1; outcome <= n; ++outcome)
      EXPECT_NEAR(static_cast<double>(counts[what][outcome]) / total, 1.0 / n, tolerance)
          << what << ": outcome " << outcome << " of " << total << " draws";
  }
};

// Flag The Planet: the lane; the stop at mid-screen, after as many steps of
// three ticks as the screen's width asks (either way across); the speech 1 s later.
TEST_F(Draws, FlagLanesTheStopInEveryLaneAndTheSpeech) {
  for (auto [width, steps] : {std::pair{1024, 122}, {1366, 156}, {1920, 212}}) {
    SCOPED_TRACE(testing::Message() << width << " wide");
    counts.clear();
    for (int run = 0; run < 30000; ++run) {
      const double lane = AnyMoment(), stop = lane + steps * 3 * kTick;
      if (Draw("stops in lane " + std::to_string(Draw("lanes", lane, 3)), stop, 2) == 1)
        Draw("speech cases", stop + 1, 9);
    }
    ExpectUniform("lanes", 3, 0.015);
    for (const char* lane : {"1", "2", "3"}) ExpectUniform(std::string("stops in lane ") + lane, 2, 0.03);
    ExpectUniform("speech cases", 9, 0.015);
  }
}

// Spy From Below: the eye sequence; the speech of sequences 1 and 2 after
// 2 s, of 5 after a tick, 1 s and a blink run (three ticks), of 7 after 1 s,
// a blink run, 2 s and another blink run.
TEST_F(Draws, SpyFromBelowSequencesAndTheSpeechAfterEachThatSpeaks) {
  const std::map<int, double> speaksAfter{{1, 2}, {2, 2}, {5, 1 + 4 * kTick}, {7, 3 + 6 * kTick}};
  for (int run = 0; run < 70000; ++run) {
    const double start = AnyMoment();
    const int sequence = Draw("sequences", start, 7);
    if (speaksAfter.count(sequence))
      Draw("speech after sequence " + std::to_string(sequence), start + speaksAfter.at(sequence), 9);
  }
  ExpectUniform("sequences", 7, 0.015);
  for (auto [sequence, after] : speaksAfter)
    ExpectUniform("speech after sequence " + std::to_string(sequence), 9, 0.015);
}

// A show of Spy From Above alone: each draw a time after the last that the
// last outcome sets: its sequence (2.04, 3 or 4.07 s), 55 ticks down, 4 s, 55
// ticks up. Then shows started at the same moment in different processes:
// the runner's bounce limit, 3 to 7, as their first draws.
TEST_F(Draws, SpyFromAboveRunAfterRunAndProcessesStartedAtTheSameMoment) {
  const double sequenceTime[4] = {0, 2 + 4 * kTick, 3, 4 + 7 * kTick};
  for (int run = 0, sequence = 0; run < 30000; ++run)
    sequence = Draw("above", (run ? host.now : AnyMoment()) + sequenceTime[sequence] + 110 * kTick + 4, 3);
  ExpectUniform("above", 3, 0.015);
  for (int process = 0; process < 10000; ++process) {
    host.processSeed = process;
    Draw("bounce limits", 1000, 5);
  }
  ExpectUniform("bounce limits", 5, 0.015);
}

}  // namespace
