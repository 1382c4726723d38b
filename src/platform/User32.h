#pragma once
// Window calls in the Windows style, acting on our own forms and, through the
// backend, on windows of other programs (found by title, or a preview host).
#include <cstdint>

#include "platform/Backend.h"

using HWND = uint32_t;

inline constexpr int32_t HWND_TOPMOST = -1;
inline constexpr int32_t HWND_NOTOPMOST = -2;
inline constexpr uint32_t SWP_NOSIZE = 0x1;
inline constexpr uint32_t SWP_NOMOVE = 0x2;
inline constexpr uint32_t SWP_NOZORDER = 0x4;
inline constexpr uint32_t SWP_NOACTIVATE = 0x10;
inline constexpr uint32_t SWP_SHOWWINDOW = 0x40;
inline constexpr int32_t GWL_STYLE = -16;
inline constexpr int32_t GWL_HWNDPARENT = -8;
inline constexpr int32_t WS_CHILD = 0x40000000;
inline constexpr uint32_t SPI_SETSCREENSAVERRUNNING = 97;

// Keeps the display counter; the pointer is hidden while it is below 0.
// Returns the new count.
int ShowCursor(int show);
HWND FindWindowA(const char* className, const char* windowName);
bool SetWindowPos(HWND window, int32_t insertAfter, int x, int y, int cx, int cy, uint32_t flags);
int32_t GetWindowLongA(HWND window, int32_t index);
int32_t SetWindowLongA(HWND window, int32_t index, int32_t value);
HWND SetParent(HWND child, HWND newParent);
bool GetClientRect(HWND window, RECT* rect);
// There is no system-key lock on this system: the call does nothing.
bool SystemParametersInfoA(uint32_t action, uint32_t param, void* data, uint32_t winIni);

// The display counter, for tests.
int CursorDisplayCount();
