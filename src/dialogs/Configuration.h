#pragma once
// The "Screen Saver Set-Up" dialog.
#include "platform/Forms.h"

class Configuration : public vb::Form {
  Q_OBJECT
 protected:
  void Form_Load() override;
  void Form_Unload(int16_t& Cancel) override;
};
