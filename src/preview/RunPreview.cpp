// The preview run mode: the strip is loaded, and the preview window becomes a
// borderless child of the host's window, filling its client area.
#include <string_view>

#include "platform/Forms.h"
#include "platform/User32.h"
#include "platform/VbConv.h"
#include "preview/Preview.h"
#include "preview/PreviewScreen.h"
#include "startup/Starter.h"
#include "startup/Trap.h"

namespace Starter {

int32_t hPreviewParent = 0;
RECT PreviewRect;
HDC PreviewDC = 0;
int16_t FrameW = 0, FrameH = 0, FrameCount = 0;
int16_t PreviewFrame = 0;
int32_t SrcX = 0, SrcY = 0;
int32_t PicX = 0, PicY = 0;

namespace {

// The host's window is the number at the end of the command line: the
// longest tail of the line that is a number, whatever stands before it.
void FindPreviewParent() {
  const std::string_view line = CmdLine;
  for (size_t start = 0; start < line.size(); ++start) {
    const std::string_view tail = line.substr(start);
    if (vb::IsDecimalNumber(tail)) {
      hPreviewParent = vb::CLng(vb::Val(tail));
      return;
    }
  }
}

}  // namespace

void Run_Preview() {
  Trapped("Starter/Run_Preview", [] {
    RunMode = rmPreview;
    X_LoadPics4Preview();
    FindPreviewParent();
    GetClientRect(static_cast<HWND>(hPreviewParent), &PreviewRect);
    PreviewScreen& window = vb::FormInstance<PreviewScreen>();
    window.Load();
    window.SetCaption("Preview");
    const HWND handle = window.hWnd();
    SetWindowLongA(handle, GWL_STYLE, GetWindowLongA(handle, GWL_STYLE) | WS_CHILD);
    SetParent(handle, static_cast<HWND>(hPreviewParent));
    SetWindowLongA(handle, GWL_HWNDPARENT, hPreviewParent);
    SetWindowPos(handle, 0, 0, 0, PreviewRect.right, PreviewRect.bottom,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);
  });
}

void X_LoadPics4Preview() {
  Trapped("Starter/X_LoadPics4Preview",
          [] { PreviewDC = System::GenerateDC(DataPath + kPreviewStrip); });
}

void ResetPreviewForTests() {
  hPreviewParent = 0;
  PreviewRect = RECT{};
  PreviewDC = 0;
  FrameW = FrameH = FrameCount = PreviewFrame = 0;
  SrcX = SrcY = PicX = PicY = 0;
}

}  // namespace Starter
