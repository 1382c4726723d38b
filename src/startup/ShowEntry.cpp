// The show-mode entry and the common exit.
#include "platform/Forms.h"
#include "platform/Registry.h"
#include "platform/Runtime.h"
#include "platform/User32.h"
#include "show/ScreenSaver.h"
#include "startup/Starter.h"
#include "startup/System.h"
#include "startup/Trap.h"

namespace Starter {

void Run_ScreenSaver() {
  Trapped("Starter/Run_ScreenSaver", [] {
    RunMode = rmScreenSaver;
    ShowCursor(0);
    OSName = System::GetVersion32();
    if (OSName == "95") UsePassword = X_GetRegValue(HKEY_CURRENT_USER, "Control Panel\\Desktop", "ScreenSaveUsePassword");
    System::SetTFS("disable");
    // The whole show runs inside the loading of its window.
    vb::FormInstance<ScreenSaver>().Load();
  });
}

void X_Cleanup_And_End() {
  if (Trapped("Starter/X_Cleanup_And_End", [] {
        ShowCursor(-1);
        System::SetTFS("enable");
        SendMci("status theme mode");
        if (MciReply.compare(0, 7, "playing") == 0) SendMci("stop theme");
        SetMciReply("");
        SendMci("close theme");
      }))
    return;
  vb::End(0);
}

}  // namespace Starter
