// "Spy From Below".
#include "show/ScreenSaver.h"

void ScreenSaver::PlayEpisodeBelow() { Wait4Sec(); }
