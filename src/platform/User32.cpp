#include "platform/User32.h"

#include <QWindow>

#include "platform/Forms.h"

namespace {
int displayCount = 0;
}

int ShowCursor(int show) {
  displayCount += show ? 1 : -1;
  Host().SetPointerHidden(displayCount < 0);
  return displayCount;
}

int CursorDisplayCount() { return displayCount; }

HWND FindWindowA(const char* className, const char* windowName) {
  if (className || !windowName) return 0;  // only the search by title is needed
  return Host().FindTopLevelWindow(windowName);
}

bool SetWindowPos(HWND window, int32_t insertAfter, int x, int y, int cx, int cy, uint32_t flags) {
  vb::Form* form = vb::FormFromHandle(window);
  if (!form) return false;
  if (!(flags & SWP_NOZORDER) && (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST)) {
    bool topmost = insertAfter == HWND_TOPMOST;
    if (form->testAttribute(Qt::WA_WState_Created) || form->isVisible()) {
      bool visible = form->isVisible();
      form->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);  // re-creates the window: show again
      if (visible) form->show();
    } else {
      form->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    }
    if (topmost) form->raise();
  }
  // Inside another program's window, a place is in that window's pixels: the
  // display's own. It is given once the window shows, which would undo it.
  QWindow* handle = form->windowHandle();
  const bool inForeign = handle && handle->parent() && !(flags & (SWP_NOMOVE | SWP_NOSIZE));
  if (!inForeign && !(flags & SWP_NOMOVE)) form->move(x, y);
  if (!inForeign && !(flags & SWP_NOSIZE)) form->resize(cx, cy);
  if (flags & SWP_SHOWWINDOW) form->show();
  if (inForeign) Host().PlaceInDevicePixels(handle, QRect(x, y, cx, cy));
  return true;
}

int32_t GetWindowLongA(HWND window, int32_t index) {
  vb::Form* form = vb::FormFromHandle(window);
  if (!form) return 0;
  if (index == GWL_STYLE) return form->style;
  if (index == GWL_HWNDPARENT) return static_cast<int32_t>(form->owner);
  return 0;
}

int32_t SetWindowLongA(HWND window, int32_t index, int32_t value) {
  vb::Form* form = vb::FormFromHandle(window);
  if (!form) return 0;
  int32_t old = GetWindowLongA(window, index);
  if (index == GWL_STYLE) form->style = value;
  if (index == GWL_HWNDPARENT) form->owner = static_cast<uint32_t>(value);
  return old;
}

HWND SetParent(HWND child, HWND newParent) {
  vb::Form* form = vb::FormFromHandle(child);
  if (!form) return 0;
  const bool embedded = Host().EmbedInForeign(form, newParent);
  // A child goes with its parent: when the other program destroys the parent
  // (or it was gone already), our window is unloaded.
  if (newParent != 0) Host().WatchForeignWindow(newParent, [form] { form->Unload(); });
  return embedded ? newParent : 0;
}

bool GetClientRect(HWND window, RECT* rect) {
  if (!rect) return false;
  if (vb::Form* form = vb::FormFromHandle(window)) {
    *rect = RECT{0, 0, form->width(), form->height()};
    return true;
  }
  return Host().ClientRect(window, rect);
}

bool SystemParametersInfoA(uint32_t, uint32_t, void*, uint32_t) { return false; }
