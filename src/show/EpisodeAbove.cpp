// "Spy From Above".
#include "show/ScreenSaver.h"

void ScreenSaver::PlayEpisodeAbove() { Wait4Sec(); }
