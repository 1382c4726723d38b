// The Introduction: the theme music starts, then the two title lines come
// and go. A step that fails is passed over without a word.
#include "show/ScreenSaver.h"
#include "startup/Starter.h"
#include "startup/Trap.h"

void ScreenSaver::PlayEpisodeIntro() {
  Skipping([] { Starter::SendMci("open \"" + Starter::DataPath + "z_wumble.mid\" type sequencer alias theme"); });
  Skipping([] { Starter::SendMci("play theme from 0"); });
  Skipping([this] { Wait3Sec(); });
  Skipping([this] { title1.SetVisible(true); });
  Skipping([this] { Wait3Sec(); });
  Skipping([this] { title2.SetVisible(true); });
  Skipping([this] { Wait15Sec(); });
  Skipping([this] { title1.SetVisible(false); });
  Skipping([this] { title2.SetVisible(false); });
  Skipping([this] { Wait3Sec(); });
}
