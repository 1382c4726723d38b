// The pacing of the show: the deaf tick, the responsive fixed waits, midnight,
// and the effect rule.
#include "ShowFixture.h"

namespace {

using Waits = ShowFixture;

// A tick lasts SpinSpeed hundredths, deaf, then makes one pass; a fixed wait
// (its length shows in the episodes' timelines) handles messages as they come
// without spinning. Late in the day, where a single-precision time of day has
// steps of almost 8 ms.
TEST_F(Waits, TickIsDeafThenMakesOnePassAndAFixedWaitAnswersAtOnceWhateverTheSpeed) {
  MakeShow();
  host.midnightOffset = 86000.0;
  for (float speed : {1.0f, 10.0f, 57.5f, 200.0f})
    for (bool tick : {true, false}) {
      Starter::Settings.SpinSpeed = speed;
      const double start = host.now, length = tick ? speed / 100.0 : 4;
      const int passes = host.passes;
      std::vector<double> handled;  // when the two messages were handled
      for (double at : {start + 0.001, start + length - 0.001}) host.At(at, [&] { handled.push_back(host.now); });
      tick ? Probe().WaitTick() : Probe().Wait4Sec();
      EXPECT_NEAR(host.now - start, length, 1e-6) << speed;
      const std::vector<double> heard{tick ? host.now : start + 0.001, tick ? host.now : start + length - 0.001};
      EXPECT_EQ(handled, heard) << speed;
      EXPECT_TRUE(tick ? host.passes - passes == 1 : host.passes - passes <= 3) << speed << ": passes";
    }
}

TEST_F(Waits, AtMidnightAFixedWaitEndsWhenTheClockWrapsAndATickIsNotHeld) {
  MakeShow();
  host.midnightOffset = 86400.0 - 1.5;
  Probe().Wait4Sec();
  EXPECT_NEAR(host.now, 1.5, 1e-6);
  Probe().Wait4Sec();  // just after midnight a wait is whole again
  EXPECT_NEAR(host.now, 5.5, 1e-6);
  Starter::Settings.SpinSpeed = 200;
  host.midnightOffset = 86400.0 - 5.5 - 0.5;
  Probe().WaitTick();
  EXPECT_NEAR(host.now, 7.5, 1e-6);
}

// Every episode's sounds go through here: with the sound off nothing else
// changes, as no effect waits.
TEST_F(Waits, EffectsPlayFromTheDataFolderWithoutWaitingAndNotAtAllWithTheSoundOff) {
  MakeShow();
  dir.Write("z_step.wav", "RIFF");
  Starter::Settings.Sound = 1;  // any non-zero value is on
  Probe().PlayEffect("z_step.wav");
  Probe().PlayEffect("z_gun.wav");  // missing: silent, no error
  Starter::Settings.Sound = 0;
  Probe().PlayEffect("z_step.wav");
  const std::string folder = "PlayEffect " + dir.Path() + "/";
  EXPECT_EQ(host.CallsStartingWith("PlayEffect"),
            (std::vector<std::string>{folder + "z_step.wav", folder + "z_gun.wav"}));
  EXPECT_DOUBLE_EQ(host.now, 0) << "an effect does not wait";
}

}  // namespace
