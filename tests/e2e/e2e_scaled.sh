#!/bin/bash
# The show and the preview on a desktop that scales its screen, under a window
# manager: first QT_SCALE_FACTOR=2, then "Xft.dpi: 144" merged into the X
# resources as desktops do it (the server keeps them: -noreset). On the
# 1280 x 800 display the show looks as at 96 dpi, 2 or 1.5 times larger:
#   - the Introduction's titles are where they are on the 96-dpi screen,
#     twice as far from the corner and twice as large, and a click on them
#     does not end the show (one beside them does);
#   - the arm of Ricochet Shot is where it is on the 96-dpi screen, 1.5 times
#     as far from the corner and 1.5 times as large;
#   - the preview's window has exactly its host's size, its frame scaled by
#     1.5 (or less, to fit) and centred.
# (The speech cloud at 144 dpi: e2e_show.sh.)
# Usage: e2e_scaled.sh <zentravo> <x11_tool> <data folder>
set -u
ZENTRAVO=$1 X11_TOOL=$2 DATA=$3
. "$(dirname "$0")/lib.sh"
e2e_setup "$DATA" 1280x800
HOME=$E2E_TMP XDG_CONFIG_HOME=$E2E_TMP XDG_CACHE_HOME=$E2E_TMP openbox --sm-disable >"$E2E_TMP/openbox.out" 2>&1 &
E2E_PIDS+=($!)
wait_until 10 wmctrl -m >/dev/null 2>&1 || fail "openbox did not start"

ends_with_zero() { [ "$(exit_code "$1" 10)" = 0 ] || fail "$2 did not end $1 with 0"; }

# The 96-dpi screens that the scaled ones show larger: 640 x 400 at scale 2,
# 853 x 533 at 1.5.
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
# `compare SCALE NAME`: the box is the one kept at 96 dpi ($REF) times SCALE,
# to within 2 pixels.
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

# --- 3: Xft.dpi 144, the preview in a small host and in a large one: its
# window, the frame's window in it, and the frame where it shows ---
for host in "152 112 149x112+1+0" "400 300 150x113+125+93"; do
  read -r width height frame <<<"$host"
  start_fed_program host "$X11_TOOL" window host "$width" "$height"
  HOSTID=$(first_line host)
  start_program preview "$ZENTRAVO" /p "$HOSTID"
  tree() { xwininfo -tree -id "$HOSTID" | awk '/^ +0x/ { print $(NF-1) }' | paste -sd' '; }
  wait_until 5 eval '[ "$(tree)" = "${width}x${height}+0+0 $frame" ]' ||
    fail "in a ${width}x${height} host the preview's windows are $(tree), not ${width}x${height}+0+0 $frame"
  at=$(xwininfo -id "$HOSTID" | awk '/Absolute upper-left [XY]/ { printf "+%s", $4 }')  # inside its frame
  wait_until 2 eval 'shoot "${width}x${height}$at" && box && [ "$(describe)" = "$frame" ]' ||
    fail "the frame shows at $(describe)"
  feed host
  ends_with_zero preview "the host's window going"
done

echo "-- all checks passed"
