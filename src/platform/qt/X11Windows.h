#pragma once
// What only X11 itself can tell: windows of other programs.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/Backend.h"

class QWidget;

namespace x11 {

// A top-level window whose title (_NET_WM_NAME, else WM_NAME) is exactly
// `title`; 0 when there is none or there is no display.
uint32_t FindTopLevel(const std::string& title);
// The size of any window, as a client rectangle at 0, 0.
bool ClientRect(uint32_t window, RECT* rect);
// Makes our window a child of a foreign window.
bool EmbedInForeign(QWidget* window, uint32_t parent);
// Gives a window its place in its parent in the X server's own pixels.
void ConfigureExactly(uint32_t window, const QRect& place);
// Calls `gone` once when the foreign window is destroyed.
void WatchForeignWindow(uint32_t window, std::function<void()> gone);
// True for a window that exists, shows output and is no screen's root.
bool CanHostChild(uint32_t window);
// The X server fills the window with black wherever nothing is drawn.
void PaintBlackBySystem(QWidget* window);
// Calls `gone` when another program destroys the window's X window (one that
// Qt destroys itself to make a new one does not count).
void WatchOwnWindow(QWidget* window, std::function<void()> gone);
// Calls `hidden` when our window, once it has been on the screen, is
// minimised by the window manager or unmapped by anyone but Qt.
void WatchShownWindow(QWidget* window, std::function<void()> hidden);
// The frame a window manager adds around a top-level window; asked of the
// window manager before the window is first mapped.
RECT FrameMargins(QWidget* window);

}  // namespace x11
