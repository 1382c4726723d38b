#include "dialogs/Configuration.h"

#include "platform/Runtime.h"

void Configuration::Form_Load() {
  setWindowTitle("Screen Saver Set-Up");
  show();
}

void Configuration::Form_Unload(int16_t&) { vb::End(0); }
