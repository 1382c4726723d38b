// The settings run mode.
#include "dialogs/Configuration.h"
#include "platform/Forms.h"
#include "startup/Starter.h"
#include "startup/Trap.h"

namespace Starter {

void Run_Configure() {
  Trapped("Starter/Run_Configure", [] {
    RunMode = rmConfigure;
    vb::FormInstance<Configuration>().Load();
  });
}

}  // namespace Starter
