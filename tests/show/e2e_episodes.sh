#!/bin/bash
# Spy From Above, Marathon Runner and Ricochet Shot end to end, each alone
# (no Introduction) in a run of its own on a private 1920 x 1080 X server:
#   the hands and upside-down head come down at the top centre; the runner
#   comes in at the top left; the banner is seen whole while it is held;
#   a key during the episode ends the show with 0.
# Usage: e2e_episodes.sh <zentravo> <data folder>
set -u
BIN=$1
DATA=$2

. "$(dirname "$0")/../e2e/lib.sh"
e2e_setup "$DATA" 1920x1080 -dpi 96
INI=$ZENTRAVO_WINDIR/zentravo.ini

note() { echo "-- $*"; }

# The settings file with one episode on ($1: Above, Runner or Gunner) at speed $2.
settings() {
  local e
  {
    echo "[Zorvik_The_Vexling]"
    echo "firstrun=1"
    echo "Intro=0"
    for e in Flag Below Runner Gunner Above; do
      if [ "$e" = "$1" ]; then echo "$e=1"; else echo "$e=0"; fi
    done
    echo "Sound=0"
    echo "SpinSpeed=$2"
  } >"$INI"
}

# The box around everything not black in the last shot: sets BOX_W BOX_H BOX_X BOX_Y
# (BOX_W is 0 when all is black).
box() {
  local b
  b=$(convert "$SHOT" -bordercolor black -border 1 -format '%@' info: 2>/dev/null)
  BOX_W=${b%%x*}
  b=${b#*x}
  BOX_H=${b%%+*}
  b=${b#*+}
  BOX_X=$((${b%%+*} - 1))
  BOX_Y=$((${b#*+} - 1))
}
# True when the shot shows something whose box satisfies the test in $1.
shows() { shoot && box && [ "$BOX_W" -gt 0 ] && eval "$1"; }
describe() { echo "${BOX_W}x${BOX_H}+${BOX_X}+${BOX_Y}"; }

start_show() {
  settings "$1" "$2"
  SHOW=$1
  start_program "$SHOW" "$BIN" /s
}

ends_with_key() {
  xdotool key space
  local rc
  rc=$(exit_code "$SHOW" 10)
  [ "$rc" = 0 ] || fail "a key during $SHOW ended the show with: $rc"
}

# --- Spy From Above: the first run is at the top centre ---
start_show Above 1
# Hands (49 x 22) with the head (73 x 104) between them, 1.75 face widths apart.
wait_until 20 shows '[ "$BOX_H" -ge 100 ]' || fail "the head did not come down: $(describe)"
note "Above: $(describe)"
[ "$BOX_Y" -le 2 ] || fail "the head is not at the top edge: $(describe)"
[ "$BOX_H" -le 106 ] || fail "more than the head shows: $(describe)"
[ "$BOX_W" -ge 220 ] && [ "$BOX_W" -le 228 ] || fail "the hands are not either side of the head: $(describe)"
centre2=$((2 * BOX_X + BOX_W))
[ "$centre2" -ge 1916 ] && [ "$centre2" -le 1924 ] || fail "not centred: $(describe)"
ends_with_key

# --- Marathon Runner: the first run comes in at the top left ---
# A slower tick, so that screenshots catch the runner coming in.
start_show Runner 10
wait_until 20 shows true || fail "the runner did not come"
note "Runner first seen: $(describe)"
[ "$BOX_X" -eq 0 ] && [ "$BOX_Y" -eq 0 ] || fail "the runner did not come in over the top-left corner: $(describe)"
[ $((BOX_X + BOX_W)) -le 200 ] && [ $((BOX_Y + BOX_H)) -le 200 ] || fail "the runner was first seen away from the corner: $(describe)"
ends_with_key

# --- Ricochet Shot: the banner is seen whole while it is held ---
start_show Gunner 1
# The arm comes first; the banner (116 x 126 with the bullet in its top rows) is held 6 s.
wait_until 40 shows '[ "$BOX_W" -ge 100 ] && [ "$BOX_W" -le 116 ] && [ "$BOX_H" -ge 100 ] && [ "$BOX_H" -le 126 ]' ||
  fail "no banner was seen: $(describe)"
note "Gunner banner: $(describe)"
[ "$BOX_Y" -gt 0 ] || fail "the banner is cut at the top edge: $(describe)"
[ $((BOX_Y + BOX_H)) -lt 1080 ] && [ "$BOX_X" -gt 0 ] && [ $((BOX_X + BOX_W)) -lt 1920 ] ||
  fail "the banner is not wholly on screen: $(describe)"
[ $((BOX_X + BOX_W)) -le 1100 ] && [ "$BOX_X" -ge 700 ] || fail "the banner is not near the middle: $(describe)"
shoot && box
[ "$BOX_H" -ge 100 ] || fail "the banner was not held: $(describe)"
ends_with_key

note "all checks passed"
