#!/usr/bin/env bash
# Start-up end to end, with the real program under a private X server:
# the error window, the web-page modes, the single-instance rule, damaged
# settings files and a missing display.
set -u
ZENTRAVO=$1 X11_TOOL=$2 DATA_DIR=$3
. "$(dirname "$0")/../e2e/lib.sh"
e2e_setup "$DATA_DIR"

# A stand-in browser that records the address it is given.
mkdir -p "$E2E_TMP/bin"
cat >"$E2E_TMP/bin/xdg-open" <<SH
#!/bin/sh
echo "\$*" >>"$E2E_TMP/opened"
SH
chmod +x "$E2E_TMP/bin/xdg-open"
export PATH="$E2E_TMP/bin:$PATH"
INI=$ZENTRAVO_WINDIR/zentravo.ini

echo "--- /a alone shows the error window; closing it ends the program with 0"
start_program pwd "$ZENTRAVO" /a
wait_until 10 has_window "Error Code: VORN- 5-Starter/Run_Password" || fail "no error window"
"$X11_TOOL" close "$(window_by_title "Error Code: VORN- 5-Starter/Run_Password")"
[ "$(exit_code pwd 5)" = 0 ] || fail "closing the error window did not end the program with 0"

echo "--- /a with a number calls nothing and ends with no window"
start_program pwd2 "$ZENTRAVO" /a 1234
[ "$(exit_code pwd2 10)" = 0 ] || fail "/a 1234 did not end with 0"

echo "--- /h and /w hand their page to the browser and end"
start_program support "$ZENTRAVO" /h
[ "$(exit_code support 10)" = 0 ] || fail "/h did not end with 0"
start_program home "$ZENTRAVO" /W
[ "$(exit_code home 10)" = 0 ] || fail "/w did not end with 0"
wait_until 5 test "$(wc -l <"$E2E_TMP/opened" 2>/dev/null)" = 2 || fail "the browser was not called twice"
[ "$(sed -n 1p "$E2E_TMP/opened")" = "http://www.zentravo.example/support.htm" ] || fail "wrong support page"
[ "$(sed -n 2p "$E2E_TMP/opened")" = "http://www.zentravo.example/" ] || fail "wrong home page"

echo "--- a second /s ends at once"
start_program first "$ZENTRAVO" /a
wait_until 10 has_window "Error Code: VORN- 5-Starter/Run_Password" || fail "no first instance"
mkfifo "$INI"  # a second show that went on would read this as missing and keep running
start_program second "$ZENTRAVO" /s
[ "$(exit_code second 5)" = 0 ] || fail "a second /s did not end at once"
rm -f "$INI"

echo "--- ... and goes on to the show when Display Properties is open"
coproc HOSTWIN { "$X11_TOOL" window "Display Properties"; }
read -r _ <&"${HOSTWIN[0]}"
start_program third "$ZENTRAVO" /s
shows_window() { [ -n "$(xdotool search --onlyvisible --pid "$(program_pid "$1")" 2>/dev/null)" ]; }
wait_until 10 shows_window third || fail "the second show did not open its window"
kill "$(program_pid third)"
kill "$HOSTWIN_PID" 2>/dev/null
exit_code third 5 >/dev/null  # a search while its windows go can miss the others
"$X11_TOOL" close "$(window_by_title "Error Code: VORN- 5-Starter/Run_Password")"
[ "$(exit_code first 5)" = 0 ] || fail "first instance did not end"

echo "--- every running instance counts, whichever of them started first"
shows_own_window() { [ -n "$(xdotool search --onlyvisible --pid "$(program_pid "$1")" 2>/dev/null)" ]; }
for i in 1 2 3; do
  start_program "inst$i" "$ZENTRAVO" /a
  wait_until 10 shows_own_window "inst$i" || fail "instance $i showed no window"
done
stop() { kill "$(program_pid "$1")"; [ "$(exit_code "$1" 5)" != running ] || fail "$1 did not end"; }
show_ends_at_once() {
  start_program "$1" "$ZENTRAVO" /s
  [ "$(exit_code "$1" 3)" = 0 ] || fail "$2: /s did not end at once"
}
stop inst1
show_ends_at_once probe1 "the first instance ended, two run"
stop inst3
show_ends_at_once probe2 "the first and the last ended, one runs"
stop inst2
start_program probe3 "$ZENTRAVO" /s
wait_until 10 shows_own_window probe3 || fail "with no other instance left, /s showed no window"
stop probe3

echo "--- a garbage settings file never crashes the program"
head -c 4096 /dev/urandom >"$INI"
printf '\n[Zorvik_The_Vexling]\nfirstrun=1\nSpinSpeed=1e999\nSound=\377\n' >>"$INI"
start_program garbage "$ZENTRAVO" /c
wait_until 10 has_window "Screen Saver Set-Up" || fail "no settings dialog over a garbage file"
xdotool key --window "$(window_by_title "Screen Saver Set-Up")" Return
[ "$(exit_code garbage 5)" = 0 ] || fail "Apply over a garbage file did not end with 0"
grep -q '^SpinSpeed=200' "$INI" || fail "Apply did not write a bounded speed"

echo "--- with no display the program says so and exits non-zero"
DISPLAY= "$ZENTRAVO" /s 2>"$E2E_TMP/nodisplay.err"
rc=$?
[ $rc -ne 0 ] && [ $rc -lt 128 ] || fail "no display: exit code $rc"
[ "$(wc -l <"$E2E_TMP/nodisplay.err")" = 1 ] || fail "no display: expected one line on stderr"

echo "--- starting as the only client of an X server that resets when its last client leaves"
exec 6>"$E2E_TMP/display2"
Xvfb -displayfd 6 -screen 0 640x480x24 -nolisten tcp >"$E2E_TMP/xvfb2.log" 2>&1 &
E2E_PIDS+=($!)
exec 6>&-
wait_until 10 test -s "$E2E_TMP/display2" || fail "second Xvfb did not start"
for i in $(seq 1 25); do
  DISPLAY=":$(head -n1 "$E2E_TMP/display2")" timeout 0.5 "$ZENTRAVO" /a 2>"$E2E_TMP/reset.err"
  rc=$?
  [ $rc = 124 ] || fail "start $i on a resetting server ended with $rc: $(head -n1 "$E2E_TMP/reset.err")"
done

echo "1 passed, 0 failed"
