// "Marathon Runner".
#include "show/ScreenSaver.h"

void ScreenSaver::PlayEpisodeRunner() { Wait4Sec(); }
