// The pacing of the show: the deaf tick, the responsive fixed waits, midnight,
// and the effect rule.
#include "ShowFixture.h"

namespace {

class Waits : public ShowFixture {
 protected:
  void SetUp() override {
    ShowFixture::SetUp();
    MakeShow();
  }
  std::vector<double> handled;  // virtual times at which scheduled messages were handled
  void MessageAt(double t) {
    host.At(t, [this] { handled.push_back(host.now); });
  }
};

// Late in the day, where a single-precision time of day has steps of almost 8 ms.
TEST_F(Waits, TickLastsSpinSpeedHundredthsIsDeafThenMakesOnePass) {
  host.midnightOffset = 86000.0;
  for (float speed : {1.0f, 10.0f, 57.5f, 200.0f}) {
    Starter::Settings.SpinSpeed = speed;
    handled.clear();
    const double start = host.now;
    const int passes = host.passes;
    MessageAt(start + 0.001);
    MessageAt(start + speed / 100 - 0.001);
    Probe().WaitTick();
    EXPECT_NEAR(host.now - start, speed / 100.0, 1e-6) << speed;
    EXPECT_EQ(host.passes - passes, 1) << speed;
    EXPECT_EQ(handled, (std::vector<double>{host.now, host.now})) << speed;
  }
}

// The fixed waits' lengths show in the episodes' timelines.
TEST_F(Waits, FixedWaitHandlesMessagesAsTheyComeWithoutSpinningWhateverTheSpeed) {
  for (float speed : {1.0f, 200.0f}) {
    Starter::Settings.SpinSpeed = speed;
    handled.clear();
    const double start = host.now;
    const int passes = host.passes;
    MessageAt(start + 0.25);
    Probe().Wait4Sec();
    EXPECT_NEAR(host.now - start, 4, 1e-9) << speed;
    EXPECT_EQ(handled, (std::vector<double>{start + 0.25})) << speed;
    EXPECT_LE(host.passes - passes, 3) << "the wait spins";
  }
}

TEST_F(Waits, AtMidnightAFixedWaitEndsWhenTheClockWrapsAndATickIsNotHeld) {
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
