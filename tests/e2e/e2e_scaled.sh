#!/bin/bash
# The show on a desktop that scales its screen, under a window manager: with
# QT_SCALE_FACTOR=2, then with "Xft.dpi: 144" merged into the X resources as
# desktops do it (the server keeps them: -noreset). What shows on the 1280 x
# 800 display is what shows on the 96-dpi screen it stands for, 2 or 1.5
# times as large and as far from the corner: the Introduction's titles (a
# click on them does not end the show, one beside them does) and Ricochet
# Shot's arm. (The speech cloud: e2e_show.sh; the preview: e2e_preview.sh.)
# Usage: e2e_scaled.sh <zentravo> <data folder>
set -u
ZENTRAVO=$1
. "$(dirname "$0")/lib.sh"
e2e_setup "$2" 1280x800
start_openbox

ends_with_zero() { [ "$(exit_code "$1" 10)" = 0 ] || fail "$2 did not end $1 with 0"; }

# The 96-dpi screens that the scaled ones stand for.
start_xvfb 640x400 -noreset
AT2=$XVFB_DISPLAY
start_xvfb 853x533 -noreset
AT15=$XVFB_DISPLAY

# `sight NAME DISPLAY TEST [VARIABLE=VALUE]`: the show on that display, until
# two shots 0.3 s apart pass TEST (see shows); the second one's box stays.
sight() {
  local passes=$3
  DISPLAY=$2 start_program "$1" env ${4:-} "$ZENTRAVO" /s
  DISPLAY=$2 wait_until 15 eval 'shows "$passes" && sleep 0.3 && shows "$passes"' ||
    fail "$1: nothing passing $3 came: $(describe)"
}
key_ends() { DISPLAY=$2 xdotool key space && ends_with_zero "$1" "a key"; }
# `compare SCALE NAME`: the box is the 96-dpi one ($REF) times SCALE, within 2 pixels.
compare() {
  awk -v f="$1" -v a="$BOX_W $BOX_H $BOX_X $BOX_Y" -v b="${REF[*]}" 'BEGIN {
    split(a, s); split(b, r)
    for (i = 1; i <= 4; ++i) if (s[i] - f * r[i] > 2 || f * r[i] - s[i] > 2) exit 1 }' ||
    fail "$2 at scale $1 is $BOX_W $BOX_H $BOX_X $BOX_Y (w h x y), not ${REF[*]} times $1"
}

# --- 1: QT_SCALE_FACTOR=2: the Introduction's titles; a click on them does not end it ---
silent_settings "" 1 1
TITLES='[ "$BOX_H" -ge 60 ]'  # the title picture has come
sight titles96 "$AT2" "$TITLES" && REF=("$BOX_W" "$BOX_H" "$BOX_X" "$BOX_Y") && key_ends titles96 "$AT2"
sight titles "$DISPLAY" "$TITLES" QT_SCALE_FACTOR=2 && compare 2 "the titles"
xdotool mousemove 640 $((BOX_Y + BOX_H - 10)) click 1
wait_until 1 program_ended titles && fail "a click on the title picture ended the show"
xdotool mousemove 100 100 click 1
ends_with_zero titles "a click beside the titles"

# --- 2: Xft.dpi 144: Ricochet Shot's arm, alone with the pistol held level ---
echo "Xft.dpi: 144" | xrdb -merge
silent_settings Gunner 1 0
ARM='[ $((BOX_X + BOX_W)) = "$RIGHT" ] && [ "$BOX_W" -le $((BOX_X / 2)) ] && [ $((BOX_H * 2)) -lt "$BOX_W" ]'
RIGHT=853 sight arm96 "$AT15" "$ARM" && REF=("$BOX_W" "$BOX_H" "$BOX_X" "$BOX_Y") && key_ends arm96 "$AT15"
RIGHT=1280 sight arm "$DISPLAY" "$ARM" && compare 1.5 "the arm" && key_ends arm "$DISPLAY"

echo "-- all checks passed"
