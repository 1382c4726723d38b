// "Ricochet Shot".
#include "show/ScreenSaver.h"

void ScreenSaver::PlayEpisodeGunner() { Wait4Sec(); }
