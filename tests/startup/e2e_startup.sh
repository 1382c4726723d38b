#!/usr/bin/env bash
# Start-up end to end: the real program under a private X server.
set -u
ZENTRAVO=$1 X11_TOOL=$2 DATA_DIR=$3
. "$(dirname "$0")/../e2e/lib.sh"
e2e_setup "$DATA_DIR"

echo "--- /s ends at once while any other instance runs, whichever started first"
for i in 1 2 3; do
  start_program "inst$i" "$ZENTRAVO" /a
  wait_until 10 shows_window "inst$i" || fail "instance $i showed no window"
done
stop() { kill "$(program_pid "$1")"; [ "$(exit_code "$1" 5)" != running ] || fail "$1 did not end"; }
show_ends_at_once() {
  start_program "$1" "$ZENTRAVO" /s
  [ "$(exit_code "$1" 3)" = 0 ] || fail "$2: /s did not end at once"
}
show_ends_at_once probe0 "three run"
stop inst1
show_ends_at_once probe1 "the first instance ended, two run"
stop inst3
show_ends_at_once probe2 "the first and the last ended, one runs"

echo "--- ... unless Display Properties is open"
coproc HOSTWIN { "$X11_TOOL" window "Display Properties"; }
read -r _ <&"${HOSTWIN[0]}"
show_runs() {
  start_program "$1" "$ZENTRAVO" /s
  wait_until 10 shows_window "$1" || fail "$2: /s showed no window"
  stop "$1"
}
show_runs dp "with Display Properties open"
kill "$HOSTWIN_PID" 2>/dev/null
stop inst2
show_runs probe3 "with no other instance left"

echo "--- the show uses the X display whatever QT_QPA_PLATFORM names"
for qpa in offscreen minimal vnc; do QT_QPA_PLATFORM=$qpa show_runs "$qpa" "QT_QPA_PLATFORM=$qpa"; done

echo "--- with no display, or no such screen, the program says so in one line and exits non-zero"
for display in "" "$DISPLAY.7"; do
  DISPLAY=$display "$ZENTRAVO" /s 2>"$E2E_TMP/nodisplay.err"
  rc=$?
  (( rc != 0 && rc < 128 )) && [ "$(wc -l <"$E2E_TMP/nodisplay.err")" = 1 ] || fail "DISPLAY=$display: exit code $rc"
done

echo "--- starting as the only client of an X server that resets when its last client leaves"
start_xvfb 640x480
for i in $(seq 1 25); do
  DISPLAY=$XVFB_DISPLAY timeout 0.5 "$ZENTRAVO" /a 2>"$E2E_TMP/reset.err"
  rc=$?
  [ $rc = 124 ] || fail "start $i on a resetting server ended with $rc: $(head -n1 "$E2E_TMP/reset.err")"
done

echo "1 passed, 0 failed"
