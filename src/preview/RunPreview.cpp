// The preview run mode.
#include "startup/Starter.h"
#include "startup/Trap.h"

namespace Starter {

void Run_Preview() {
  Trapped("Starter/Run_Preview", [] { RunMode = rmPreview; });
}

void X_LoadPics4Preview() {}

}  // namespace Starter
