// "Flag The Planet".
#include "show/ScreenSaver.h"

void ScreenSaver::PlayEpisodeFlag() { Wait4Sec(); }

void ScreenSaver::SpeakAtFlag() {}
void ScreenSaver::SpeakAtHead() {}
