// "Flag The Planet".
#include "show/ScreenSaver.h"

void ScreenSaver::PlayEpisodeFlag() { Wait4Sec(); }
