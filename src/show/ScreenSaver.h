#pragma once
// The show window: a borderless, black window over the whole screen.
#include "platform/Forms.h"

class ScreenSaver : public vb::Form {
  Q_OBJECT
 public:
  ScreenSaver();

 protected:
  void Form_Load() override;
  void Form_Unload(int16_t& Cancel) override;
};
