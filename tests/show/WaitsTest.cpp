// The pacing of the show: the deaf tick, the responsive fixed waits, midnight,
// and the effect rule.
#include <cmath>

#include "ShowFixture.h"

namespace {

class Waits : public ShowFixture {
 protected:
  void SetUp() override {
    ShowFixture::SetUp();
    MakeShow();
  }
  // Virtual times at which scheduled messages were handled.
  std::vector<double> handled;
  void MessageAt(double t) {
    host.At(t, [this] { handled.push_back(host.now); });
  }
};

TEST_F(Waits, TickLastsSpinSpeedHundredthsThenMakesOnePass) {
  for (float speed : {1.0f, 10.0f, 57.5f, 200.0f}) {
    Starter::Settings.SpinSpeed = speed;
    double start = host.now;
    int passes = host.passes;
    Probe().WaitTick();
    EXPECT_NEAR(host.now - start, speed / 100.0, 1e-6) << speed;
    EXPECT_EQ(host.passes - passes, 1) << speed;
  }
}

TEST_F(Waits, TickIsDeafUntilItsEnd) {
  Starter::Settings.SpinSpeed = 200;
  MessageAt(0.001);
  MessageAt(1.5);
  Probe().WaitTick();
  EXPECT_EQ(handled, (std::vector<double>{2.0, 2.0}));
}

TEST_F(Waits, FixedWaitsLastTheirSecondsWhateverTheSpeed) {
  for (float speed : {1.0f, 200.0f}) {
    Starter::Settings.SpinSpeed = speed;
    for (int n : {1, 2, 3, 4, 6, 15}) {
      double start = host.now;
      Probe().Wait(n);
      EXPECT_NEAR(host.now - start, n, 1e-9) << n << " s at speed " << speed;
    }
  }
}

TEST_F(Waits, FixedWaitHandlesMessagesAsTheyCome) {
  MessageAt(0.25);
  MessageAt(2.5);
  MessageAt(3.5);  // after the wait
  int passes = host.passes;
  Probe().Wait(3);
  EXPECT_EQ(handled, (std::vector<double>{0.25, 2.5}));
  EXPECT_LE(host.passes - passes, 3) << "the wait spins";
  EXPECT_GE(host.passes - passes, 1);
}

TEST_F(Waits, FixedWaitStraddlingMidnightEndsWhenTheClockWraps) {
  host.midnightOffset = 86400.0 - 1.5;
  Probe().Wait(4);
  EXPECT_NEAR(host.now, 1.5, 1e-6);
  // Just after midnight a wait is whole again.
  Probe().Wait(4);
  EXPECT_NEAR(host.now, 5.5, 1e-6);
}

TEST_F(Waits, TickStraddlingMidnightIsNotHeld) {
  Starter::Settings.SpinSpeed = 200;
  host.midnightOffset = 86400.0 - 0.5;
  Probe().WaitTick();
  EXPECT_NEAR(host.now, 2.0, 1e-6);
}

TEST_F(Waits, TickLengthIsExactLateInTheDay) {
  // A single-precision time of day has steps of almost 8 ms here.
  host.midnightOffset = 86000.0;
  Starter::Settings.SpinSpeed = 1;
  for (int i = 0; i < 5; ++i) {
    double start = host.now;
    Probe().WaitTick();
    EXPECT_NEAR(host.now - start, 0.01, 1e-6);
  }
}

TEST_F(Waits, EffectsPlayFromTheDataFolderOnlyWithSoundOn) {
  dir.Write("z_step.wav", "RIFF");
  Starter::Settings.Sound = 0;
  Probe().PlayEffect("z_step.wav");
  EXPECT_TRUE(host.CallsStartingWith("PlayEffect").empty());

  Starter::Settings.Sound = 1;  // any non-zero value is on
  Probe().PlayEffect("z_step.wav");
  Probe().PlayEffect("z_gun.wav");  // missing: silent, no error
  EXPECT_EQ(host.CallsStartingWith("PlayEffect"),
            (std::vector<std::string>{"PlayEffect " + dir.Path() + "/z_step.wav",
                                      "PlayEffect " + dir.Path() + "/z_gun.wav"}));
  EXPECT_DOUBLE_EQ(host.now, 0) << "an effect does not wait";
}

}  // namespace
