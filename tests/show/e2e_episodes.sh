#!/bin/bash
# Episodes drawn by the X server, each alone (no Introduction) in a run of its
# own on a private 1920 x 1080 X server at 96 dpi (15 twips per pixel),
# asserting on screenshots: a sprite cut by the top and left edges (the runner
# coming in at the top left) and moving ones leaving no trail (the banner seen
# whole while it is held). A key ends each with 0.
# Usage: e2e_episodes.sh <zentravo> <data folder>
set -u
BIN=$1
DATA=$2

. "$(dirname "$0")/../e2e/lib.sh"
e2e_setup "$DATA" 1920x1080 -dpi 96

# The box around everything not black in the last shot: BOX_W BOX_H BOX_X
# BOX_Y (BOX_W is 0 when all is black).
box() {
  local b
  b=$(convert "$SHOT" -bordercolor black -border 1 -format '%@' info: 2>/dev/null)
  [[ $b =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || return 1
  BOX_W=${BASH_REMATCH[1]} BOX_H=${BASH_REMATCH[2]} BOX_X=$((BASH_REMATCH[3] - 1)) BOX_Y=$((BASH_REMATCH[4] - 1))
  BOX_R=$((BOX_X + BOX_W)) BOX_B=$((BOX_Y + BOX_H))
}
# True when the shot shows something whose box passes the test in $1.
shows() { shoot && box && [ "$BOX_W" -gt 0 ] && eval "$1"; }
describe() { echo "${BOX_W}x${BOX_H}+${BOX_X}+${BOX_Y}"; }

# Starts the show with only episode $1 on, silent, at SpinSpeed $2.
start_show() {
  local e
  SHOW=$1
  {
    printf "[Zorvik_The_Vexling]\nfirstrun=1\nIntro=0\nSound=0\nSpinSpeed=%s\n" "$2"
    for e in Flag Below Runner Gunner Above; do echo "$e=$([ "$e" = "$1" ] && echo 1 || echo 0)"; done
  } >"$ZENTRAVO_WINDIR/zentravo.ini"
  start_program "$SHOW" "$BIN" /s
}
ends_with_key() {
  xdotool key space
  local rc
  rc=$(exit_code "$SHOW" 10)
  [ "$rc" = 0 ] || fail "a key during $SHOW ended the show with: $rc"
}

# --- Marathon Runner: comes in at the top left (a slower tick for the shots) ---
start_show Runner 10
wait_until 10 shows true || fail "the runner did not come"
[ "$BOX_X" -eq 0 ] && [ "$BOX_Y" -eq 0 ] && [ "$BOX_R" -le 200 ] && [ "$BOX_B" -le 200 ] ||
  fail "the runner was first seen away from the top-left corner: $(describe)"
ends_with_key

# --- Ricochet Shot: the banner (116 x 126, the bullet in its top rows) is seen whole ---
start_show Gunner 1
wait_until 30 shows '[ "$BOX_W" -ge 100 ] && [ "$BOX_W" -le 116 ] && [ "$BOX_H" -ge 100 ] && [ "$BOX_H" -le 126 ]' ||
  fail "no banner was seen: $(describe)"
[ "$BOX_Y" -gt 0 ] && [ "$BOX_B" -lt 1080 ] && [ "$BOX_X" -ge 700 ] && [ "$BOX_R" -le 1100 ] ||
  fail "the banner is not wholly on screen near the middle: $(describe)"
ends_with_key

echo "-- all checks passed"
