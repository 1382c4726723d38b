// A memory device context holding a bitmap file.
#include "platform/Backend.h"
#include "platform/Gdi32.h"
#include "platform/VbError.h"
#include "preview/Preview.h"
#include "startup/Trap.h"

namespace System {
namespace {
constexpr int errOutOfMemory = 7;
}

HDC GenerateDC(const std::string& fileName) {
  HDC result = 0;
  Trapped("System/GenerateDC", [&] {
    HDC dc = CreateCompatibleDC(0);
    // The system may refuse a context for a moment; it does not get forever.
    for (int attempt = 1; static_cast<int32_t>(dc) <= 0; ++attempt) {
      if (attempt >= kGenerateDCAttempts) vb::Raise(errOutOfMemory);
      Host().SleepUntil(Host().Monotonic() + kGenerateDCPause);
      dc = CreateCompatibleDC(0);
    }
    HANDLE bitmap = LoadImageA(0, fileName.c_str(), IMAGE_BITMAP, 0, 0,
                               LR_LOADFROMFILE | LR_DEFAULTSIZE | LR_CREATEDIBSECTION);
    SelectObject(dc, bitmap);
    result = dc;
    // Still selected, so the bitmap survives this and stays in the context.
    DeleteObject(bitmap);
  });
  return result;
}

}  // namespace System
