// The pacing of the show, and its sound effects.
//
// A tick sleeps through its pause without looking at messages, then makes
// one message pass: the changes of one animation step appear together, and
// input waits for the end of the tick. A fixed wait sleeps in the message
// loop, so it answers input at once. Neither spins on the clock.
#include <algorithm>

#include "platform/Backend.h"
#include "platform/WinMM.h"
#include "show/ScreenSaver.h"
#include "startup/Starter.h"

namespace {
constexpr double kSecondsPerDay = 86400.0;
}

void ScreenSaver::WaitTick() {
  Backend& host = Host();
  const double start = host.Monotonic();
  const float delay = Starter::Settings.SpinSpeed / 100.0f;
  host.SleepUntil(start + delay);
  host.ProcessEvents();
}

void ScreenSaver::WaitSeconds(double seconds) {
  Backend& host = Host();
  const double start = host.Monotonic();
  // Measured on the time of day, a wait ends when the clock falls back to 0
  // at midnight.
  const double untilMidnight = kSecondsPerDay - host.SecondsSinceMidnight();
  const double deadline = start + std::min(seconds, untilMidnight);
  do {
    host.WaitForEvents(deadline);
  } while (host.Monotonic() < deadline);
}

void ScreenSaver::Wait1Sec() { WaitSeconds(1); }
void ScreenSaver::Wait2Sec() { WaitSeconds(2); }
void ScreenSaver::Wait3Sec() { WaitSeconds(3); }
void ScreenSaver::Wait4Sec() { WaitSeconds(4); }
void ScreenSaver::Wait6Sec() { WaitSeconds(6); }
void ScreenSaver::Wait15Sec() { WaitSeconds(15); }

void ScreenSaver::PlayEffect(const char* file) {
  if (!Starter::Settings.Sound) return;
  sndPlaySoundA((Starter::DataPath + file).c_str(), SND_ASYNC);
}
