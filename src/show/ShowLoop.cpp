// The episode loop: the Introduction once, then the repeating episodes in
// their fixed order for ever. The process ends from inside a wait.
#include "platform/Backend.h"
#include "show/ScreenSaver.h"
#include "startup/Starter.h"

void ScreenSaver::RunShowLoop() {
  const Starter::SettingsRecord& s = Starter::Settings;
  if (s.Intro) PlayEpisodeIntro();
  for (;;) {
    if (s.Flag) PlayEpisodeFlag();
    if (s.Below) PlayEpisodeBelow();
    if (s.Runner) PlayEpisodeRunner();
    if (s.Gunner) PlayEpisodeGunner();
    if (s.Above) PlayEpisodeAbove();
    if (!s.Flag && !s.Below && !s.Runner && !s.Gunner && !s.Above) WaitForInput();
  }
}

void ScreenSaver::WaitForInput() {
  // Sleeps in the message loop until a message comes (or an hour passes).
  Backend& host = Host();
  host.WaitForEvents(host.Monotonic() + 3600.0);
}
