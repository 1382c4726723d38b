#include "show/ScreenSaver.h"

#include "startup/Starter.h"

ScreenSaver::ScreenSaver() {
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setStyleSheet("background: black");
}

void ScreenSaver::Form_Load() { showFullScreen(); }

void ScreenSaver::Form_Unload(int16_t&) { Starter::X_Cleanup_And_End(); }
