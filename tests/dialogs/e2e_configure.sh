#!/usr/bin/env bash
# End to end on a private X server: "/c" shows the settings dialog centred,
# clicks change the choices, Apply writes them and ends the process, and the
# next "/c" shows what was written.
# Usage: e2e_configure.sh <zentravo binary> [folder for the screenshots]
set -u
BIN=$1
OUT=${2:-}
WORK=$(mktemp -d /tmp/zentravo-e2e-XXXXXX)
[ -n "$OUT" ] || OUT=$WORK/shots
mkdir -p "$OUT"
XVFB_PID=
APP_PID=

cleanup() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# --- a private X server ---
exec 3>"$WORK/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
exec 3>&-
for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.1; done
[ -s "$WORK/display" ] || fail "Xvfb did not start"
export DISPLAY=:$(head -n1 "$WORK/display")
export ZENTRAVO_WINDIR=$WORK/windows
export XDG_RUNTIME_DIR=$WORK/xdg
export QT_QPA_PLATFORM=xcb
mkdir -p "$ZENTRAVO_WINDIR" && mkdir -m 700 "$XDG_RUNTIME_DIR"
INI=$ZENTRAVO_WINDIR/zentravo.ini
TITLE="Screen Saver Set-Up"

# Starts "/c" and waits for the dialog; sets WID, X, Y, WIDTH, HEIGHT.
open_dialog() {
  "$BIN" /c >"$WORK/app.log" 2>&1 &
  APP_PID=$!
  WID=$(timeout 20 xdotool search --sync --onlyvisible --name "^$TITLE\$" | head -n1)
  [ -n "$WID" ] || fail "the dialog did not appear"
  eval "$(xdotool getwindowgeometry --shell "$WID")"
}

# Waits for the program to end by itself; fails unless it ended with code 0.
expect_exit_0() {
  local i
  for i in $(seq 100); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$APP_PID" 2>/dev/null && fail "the process did not end when the dialog closed ($1)"
  wait "$APP_PID"
  local rc=$?
  APP_PID=
  [ "$rc" -eq 0 ] || fail "exit code $rc ($1)"
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
open_dialog
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
open_dialog
import -window root "$OUT/second.png" || fail "no screenshot"
xdotool key Return
expect_exit_0 "Enter"
[ "$(cat "$INI")" = "$expected"$'\nmessagetext=kept' ] || fail "the second run did not show the stored choices: $(cat "$INI")"

# --- third run: Esc closes without writing ---
before=$(cat "$INI")
open_dialog
click_twips $INTRO
xdotool key Escape
expect_exit_0 "Esc"
[ "$(cat "$INI")" = "$before" ] || fail "Esc wrote the file"
echo "PASS (screenshots in $OUT)"
