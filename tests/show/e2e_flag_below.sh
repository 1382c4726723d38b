#!/bin/bash
# Flag The Planet and Spy From Below end to end, each alone, without the
# Introduction, at SpinSpeed 1 on a 1024 x 768 screen (15 twips per pixel):
#   the walker enters at the left edge in one of the three lanes and crosses
#   to the right half, staying in its lane; a key during the walk ends the
#   show with 0. The hands and the head rise at the bottom-left corner.
# Usage: e2e_flag_below.sh <zentravo> <data folder>
set -u
BIN=$1
DATA=$2

. "$(dirname "$0")/../e2e/lib.sh"
e2e_setup "$DATA" 1024x768 -dpi 96

note() { echo "-- $*"; }
# Writes the settings: only the episode $1 on, fastest, silent.
only_episode() {
  local e flags=""
  for e in Flag Below Runner Gunner Above; do flags+="$e=$([ "$e" = "$1" ] && echo 1 || echo 0)\n"; done
  printf "[Zorvik_The_Vexling]\nfirstrun=1\nIntro=0\n${flags}SpinSpeed=1\nSound=0\n" >"$ZENTRAVO_WINDIR/zentravo.ini"
}
screen_black() { shoot && [ "$(brightest)" = 0 ]; }
something_shows() { shoot && [ "$(brightest)" != 0 ]; }
# The box around every pixel that is not black in the last shot, or in the
# rows from $1 down: sets X, Y, W, H and BOTTOM (Y and BOTTOM within the rows).
box() {
  local geometry
  geometry=$(convert "$SHOT" -crop "1024x768+0+${1:-0}" +repage -format '%@' info: 2>/dev/null)
  [[ $geometry =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || return 1
  W=${BASH_REMATCH[1]} H=${BASH_REMATCH[2]} X=${BASH_REMATCH[3]} Y=${BASH_REMATCH[4]}
  BOTTOM=$((Y + H))
}
near() { [ $(($1 - $2)) -le "$3" ] && [ $(($2 - $1)) -le "$3" ]; }

start_show() {
  start_program "$1" "$BIN" /s
  wait_until 15 screen_black || fail "the show did not cover the screen in black"
}
end_with_key() {
  xdotool key space
  local rc
  rc=$(exit_code "$1" 10)
  [ "$rc" = 0 ] || fail "a key ended the show with: $rc"
}

# --- Flag The Planet: left to right in one lane ---
only_episode Flag
start_show flag
wait_until 8 something_shows || fail "no walker after the 4 s pause"
box && [ "$X" = 0 ] || fail "the walker came in at x $X, not at the left edge"
walker_in() { shoot && box && [ "$W" -ge 150 ]; }
wait_until 3 walker_in || fail "the walker did not come in"
LANE=""
near "$BOTTOM" 182 3 && LANE=1  # standing on the top edge's line: the pose would touch it
near "$BOTTOM" 436 3 && LANE=2
near "$BOTTOM" 768 3 && LANE=3
[ -n "$LANE" ] || fail "the walker is in no lane: ${W}x${H}+${X}+${Y}"
note "lane $LANE"
LANE_BOTTOM=$BOTTOM
in_right_half() {
  shoot && box || return 1
  near "$BOTTOM" "$LANE_BOTTOM" 1 || fail "the walker left its lane: ${W}x${H}+${X}+${Y}"
  [ "$X" -ge 512 ]
}
# Up to 8 s of walking and 10 s of speech at mid-screen.
wait_until 25 in_right_half || fail "the walker did not reach the right half (last at x $X)"
note "in the right half at x $X"
something_shows || fail "the walker was gone before the key"
end_with_key flag

# --- Spy From Below: the first run rises at the bottom-left corner ---
only_episode Below
start_show below
head_up() { shoot && box && [ "$H" -ge 100 ]; }
wait_until 8 head_up || fail "the head did not rise"
note "hands and head: ${W}x${H}+${X}+${Y}"
# The bottom rows, below where a speech cloud could be: up to 34 twips above
# the edge, and the hands' pictures have a thin clear margin.
box 720
[ "$X" -le 3 ] && near "$BOTTOM" 47 1 || fail "not at the bottom-left corner: ${W}x${H}+${X}+$((Y + 720))"
near $((X + W)) 226 3 || fail "the group ends at x $((X + W)), not two hands and the gap from the edge"
end_with_key below

note "all checks passed"
