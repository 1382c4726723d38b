// The preview run mode: the strip is loaded, and the preview window becomes a
// borderless child of the host's window, filling its client area.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Backend.h"
#include "platform/Forms.h"
#include "platform/Runtime.h"
#include "platform/User32.h"
#include "platform/VbConv.h"
#include "platform/VbError.h"
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

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// For each position, how many characters from there on pass `test`.
template <class Test>
std::vector<size_t> RunLengths(std::string_view line, Test test) {
  std::vector<size_t> runs(line.size() + 1, 0);
  for (size_t i = line.size(); i-- > 0;) runs[i] = test(line[i]) ? runs[i + 1] + 1 : 0;
  return runs;
}

// The host's window is the number at the end of the command line: the
// longest tail of the line that is a number, whatever stands before it. A
// number is decimal (sign, digits, decimals, exponent) or hexadecimal written
// "0x2a00007", as X11 tools print window ids. One pass over the line.
void FindPreviewParent() {
  std::string_view line = CmdLine;
  while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
  const std::vector<size_t> digits = RunLengths(line, IsDigit);
  const std::vector<size_t> hexDigits = RunLengths(line, IsHexDigit);
  const size_t end = line.size();
  auto at = [&](size_t i) { return i < end ? line[i] : '\0'; };
  // True when the text from `i` to the end is a whole decimal number.
  auto decimalFrom = [&](size_t i) {
    if (at(i) == '+' || at(i) == '-') ++i;
    size_t count = digits[i];
    i += digits[i];
    if (at(i) == '.') {
      ++i;
      count += digits[i];
      i += digits[i];
    }
    if (count == 0) return false;
    if (i == end) return true;
    if (at(i) != 'e' && at(i) != 'd') return false;
    ++i;
    if (at(i) == '+' || at(i) == '-') ++i;
    return digits[i] > 0 && i + digits[i] == end;
  };
  auto hexFrom = [&](size_t i) {
    return at(i) == '0' && at(i + 1) == 'x' && hexDigits[i + 2] > 0 && i + 2 + hexDigits[i + 2] == end;
  };
  for (size_t start = 0; start < end; ++start) {
    if (line[start] == ' ') continue;  // a tail's leading blanks do not count
    if (hexFrom(start)) {
      // An X window id (at most 0x1fffffff); like a decimal number, it
      // overflows past the largest 32-bit signed integer.
      int64_t value = 0;
      for (char c : line.substr(start + 2)) {
        value = value * 16 + (IsDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10);
        if (value > INT32_MAX) vb::Raise(vb::errOverflow);
      }
      hPreviewParent = static_cast<int32_t>(value);
      return;
    }
    if (decimalFrom(start)) {
      hPreviewParent = vb::CLng(vb::Val(line.substr(start)));
      return;
    }
  }
}

// A preview with no window to show in (no number, 0, the screen itself, an
// input-only window, a window already gone) has nothing to do: it ends at
// once through the common exit, as it does when its host window goes.
void EndUnlessHosted() {
  if (Host().CanHostChild(static_cast<uint32_t>(hPreviewParent))) return;
  X_Cleanup_And_End();
  vb::End(0);  // the common exit came back after reporting an error of its own
}

}  // namespace

void Run_Preview() {
  Trapped("Starter/Run_Preview", [] {
    RunMode = rmPreview;
    X_LoadPics4Preview();
    FindPreviewParent();
    EndUnlessHosted();
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
