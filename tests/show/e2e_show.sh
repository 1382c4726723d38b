#!/bin/bash
# The show end to end: "/s" covers the screen in black without a pointer; the
# title picture comes; a mouse button ends it with 0, a moving mouse does not.
# Episodes alone as the server draws them: the runner cut by the top and left
# edges, the banner whole with no trail; at 144 dpi (Xft.dpi) the speech
# cloud's white never meets the black around it.
# Usage: e2e_show.sh <zentravo> <data folder>
set -u
BIN=$1
DATA=$2

. "$(dirname "$0")/../e2e/lib.sh"
# The patterned root: a window that has not painted does not look black.
e2e_setup "$DATA" 1024x768 -retro

# "blank" when the pointer's image, as XFIXES reports it, is wholly clear; else "visible".
pointer() {
  python3 - <<'EOF'
from ctypes import *
class Image(Structure):
    _fields_ = [(n, t) for n, t in zip(("x", "y", "width", "height", "xhot", "yhot", "serial", "pixels"),
                (c_short, c_short, c_ushort, c_ushort, c_ushort, c_ushort, c_ulong, POINTER(c_ulong)))]
x11, xfixes = CDLL("libX11.so.6"), CDLL("libXfixes.so.3")
x11.XOpenDisplay.restype, xfixes.XFixesGetCursorImage.argtypes = c_void_p, [c_void_p]
xfixes.XFixesGetCursorImage.restype = POINTER(Image)
image = xfixes.XFixesGetCursorImage(x11.XOpenDisplay(None)).contents
print("visible" if any(image.pixels[i] >> 24 for i in range(image.width * image.height)) else "blank")
EOF
}
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
# A band inside the title picture at 1024 x 768, whether the server gives 14 or 15 twips per pixel (100 or 96 dpi).
title2_shows() { shoot && above "$(brightest 400x60+312+375)" 0.5; }
screen_black() { shoot && [ "$(brightest)" = 0 ]; }
stays_alive() { ! wait_until "$1" program_ended "$SHOW"; }
ends_with_zero() {
  local rc
  rc=$(exit_code "$SHOW" 10)
  [ "$rc" = 0 ] || fail "$1 ended the show with: $rc"
}
# Starts "zentravo /s" under the name $1 and waits for the black screen.
start_show() {
  SHOW=$1
  start_program "$SHOW" "$BIN" /s
  wait_until 15 screen_black || fail "the show did not cover the screen in black"
}

# --- 1: pointer and title; a moving mouse stays, a button on the background ends ---
[ "$(pointer)" = visible ] || fail "the pointer probe does not see the pointer before the show"

start_show first
[ "$(pointer)" = blank ] || fail "the pointer shows over the show"
wait_until 10 title2_shows || fail "title2 did not appear"

xdotool mousemove 100 100 mousemove 600 500 mousemove 900 700
stays_alive 1.5 || fail "moving the mouse ended the show"
xdotool mousemove 1000 700 mousedown 3
ends_with_zero "the right button"
xdotool mouseup 3

# --- 2: episodes alone (those named in $1), silent, at SpinSpeed $2 ---
start_episode() {
  silent_settings "$1" "$2" 0
  start_show "$1"
}
start_episode Runner 10  # a slower tick for the shots
wait_until 10 shows true || fail "the runner did not come"
[ "$BOX_X" -eq 0 ] && [ "$BOX_Y" -eq 0 ] && [ "$BOX_W" -le 200 ] && [ "$BOX_H" -le 200 ] ||
  fail "the runner was first seen away from the top-left corner: $(describe)"
xdotool key space
ends_with_zero "a key during the runner"

# The banner is 116 x 126, the bullet in its top rows; nothing else shows
# beside it (where it hangs: GunnerTest).
start_episode Gunner 1
wait_until 30 shows '[ "$BOX_W" -ge 100 ] && [ "$BOX_W" -le 116 ] && [ "$BOX_H" -ge 100 ] && [ "$BOX_H" -le 126 ]' ||
  fail "no banner was seen: $(describe)"
xdotool key space
ends_with_zero "a key during the banner"

# The bubble, 1.5 times larger for the larger text: its white never meets the
# black reached from the top-left corner. The speakers take turns until one speaks.
whites() { convert "$SHOT" -fill black +opaque white -format '%[fx:int(mean*w*h+0.5)]' info:; }
white_on_black() {
  convert "$SHOT" -fill red -draw 'color 0,0 floodfill' \
    \( -clone 0 -fill black +opaque red -fill white -opaque red -morphology Dilate Diamond:1 \) \
    \( -clone 0 -fill black +opaque white \) -delete 0 -compose multiply -composite \
    -format '%[fx:int(mean*w*h+0.5)]' info:
}
echo "Xft.dpi: 144" | xrdb -merge
start_episode "Flag Below" 1
wait_until 120 eval 'shoot && [ "$(whites)" -gt 2000 ]' || fail "no speech cloud came"
touching=$(white_on_black)
[ "$touching" = 0 ] || fail "the speech cloud's white meets the black background at $touching pixels"

echo "-- all checks passed"
