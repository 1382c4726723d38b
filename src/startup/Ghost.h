#pragma once
// A hidden window that opens the support page or the home page, then ends
// the program through the common exit.
#include "platform/Forms.h"

class Ghost : public vb::Form {
  Q_OBJECT
 protected:
  void Form_Load() override;
};
