#!/usr/bin/env bash
# End to end on a private X server: "/c" shows the settings dialog centred,
# clicks change the choices, Apply writes them and ends the process, and the
# next "/c" shows what was written.
# Usage: e2e_configure.sh <zentravo binary> [folder for the screenshots]
set -u
BIN=$1
OUT=${2:-}

. "$(dirname "$0")/../e2e/lib.sh"
e2e_setup ""
[ -n "$OUT" ] || OUT=$E2E_TMP/shots
mkdir -p "$OUT"
INI=$ZENTRAVO_WINDIR/zentravo.ini
TITLE="Screen Saver Set-Up"

# Starts "/c" as program $1 and waits for the dialog; sets WID, X, Y, WIDTH, HEIGHT.
open_dialog() {
  RUN=$1
  start_program "$RUN" "$BIN" /c
  wait_until 20 has_window "$TITLE" || fail "the dialog did not appear"
  WID=$(window_by_title "$TITLE")
  eval "$(xdotool getwindowgeometry --shell "$WID")"
}

# Waits for the program to end by itself; fails unless it ended with code 0.
expect_exit_0() {
  local rc
  rc=$(exit_code "$RUN" 10)
  [ "$rc" != running ] || fail "the process did not end when the dialog closed ($1)"
  [ "$rc" = 0 ] || fail "exit code $rc ($1)"
}

# Clicks the point of the dialog given in twips from its top-left corner.
click_twips() {
  local x=$((X + ($1 * WIDTH + 2460) / 4920)) y=$((Y + ($2 * HEIGHT + 2197) / 4395))
  xdotool mousemove "$x" "$y" click 1
}

# Positions (twips) of what the test clicks: the middle of a box's text, the
# speed bar's left arrow, the Apply button.
INTRO="740 2707"
FLAG="2960 3307"
SLOWER="390 1747"
APPLY="4087 397"

# --- first run: no file; every box ticked, the speed at its fastest ---
open_dialog first
cx=$(((1024 - WIDTH) / 2)); cy=$(((768 - HEIGHT) / 2))
[ $((X - cx)) -ge -1 ] && [ $((X - cx)) -le 1 ] && [ $((Y - cy)) -ge -1 ] && [ $((Y - cy)) -le 1 ] ||
  fail "not centred: ${WIDTH}x$HEIGHT at $X,$Y"
import -window root "$OUT/first.png" || fail "no screenshot"
click_twips $INTRO
click_twips $FLAG
click_twips $SLOWER
click_twips $SLOWER
click_twips $SLOWER
click_twips $APPLY
expect_exit_0 "Apply"
expected=$'[Zorvik_The_Vexling]\nfirstrun=1\nSpinSpeed=4\nSound=1\nFlag=0\nGunner=1\nBelow=1\nAbove=1\nRunner=1\nIntro=0'
[ "$(cat "$INI")" = "$expected" ] || fail "after Apply the file reads: $(cat "$INI")"

# --- second run: the dialog shows the file; Enter applies it unchanged ---
echo "messagetext=kept" >>"$INI"
open_dialog second
import -window root "$OUT/second.png" || fail "no screenshot"
xdotool key Return
expect_exit_0 "Enter"
[ "$(cat "$INI")" = "$expected"$'\nmessagetext=kept' ] || fail "the second run did not show the stored choices: $(cat "$INI")"

# --- third run: Esc closes without writing ---
before=$(cat "$INI")
open_dialog third
click_twips $INTRO
xdotool key Escape
expect_exit_0 "Esc"
[ "$(cat "$INI")" = "$before" ] || fail "Esc wrote the file"
echo "PASS (screenshots in $OUT)"
