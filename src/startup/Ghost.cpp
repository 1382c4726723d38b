#include "startup/Ghost.h"

#include "platform/Shell.h"
#include "startup/Starter.h"

void Ghost::Form_Load() {
  const char* page = Starter::RunMode == Starter::rmSupport ? Starter::kSupportPage : Starter::kHomePage;
  ShellExecuteA(hWnd(), "open", page, "", "0", 0);
  Starter::X_Cleanup_And_End();
}
