#!/usr/bin/env bash
# Our windows on a screen of 320 x 200 pixels: the settings dialog starts on
# screen, so "Apply" can be clicked; when another program destroys the
# settings dialog's window, the process ends with 0 (every window is unloaded
# alike); and under a window manager, a show whose window is taken off the
# screen ends with 0.
# Usage: e2e_windows.sh <zentravo> <x11_tool> <built data folder>
set -u
ZENTRAVO=$1 X11_TOOL=$2 DATA=$3
. "$(dirname "$0")/lib.sh"
e2e_setup "$DATA" 320x200
INI=$ZENTRAVO_WINDIR/zentravo.ini
SETUP="Screen Saver Set-Up"

# Starts program $1 with the rest as its arguments and waits for the window
# titled $TITLE; sets WID, X, Y, WIDTH, HEIGHT.
open_window() {
  local name=$1
  shift
  start_program "$name" "$ZENTRAVO" "$@"
  wait_until 10 has_window "$TITLE" || fail "$name: no window \"$TITLE\""
  WID=$(window_by_title "$TITLE")
  eval "$(xdotool getwindowgeometry --shell "$WID")"
}
ends_with_0() { [ "$(exit_code "$1" 3)" = 0 ] || fail "$2"; }

echo "--- the settings dialog starts on screen; Apply can be clicked"
TITLE=$SETUP open_window small /c
xdotool mousemove $((X + 4087 * WIDTH / 4920)) $((Y + 397 * HEIGHT / 4395)) click 1
ends_with_0 small "clicking Apply did not end the dialog"
[ -s "$INI" ] || fail "Apply wrote nothing"

echo "--- another program destroys the dialog's window: the process ends with 0"
TITLE=$SETUP open_window dlg /c
"$X11_TOOL" destroy "$WID"
ends_with_0 dlg "the dialog's process lives on without its window"

echo "--- under a window manager, a show that others minimise, hide, unmap or destroy ends with 0"
# The first show is already running when the window manager starts and takes its window in.
start_program minimise "$ZENTRAVO" /s
wait_until 10 shows_window minimise || fail "the show opened no window"
start_openbox
for how in minimise unmap destroy show-desktop; do
  [ -f "$E2E_TMP/$how.pid" ] || start_program "$how" "$ZENTRAVO" /s
  wait_until 10 shows_window "$how" || fail "$how: the show opened no window"
  wait_until 1 program_ended "$how" && fail "$how: the show ended by itself under a window manager"
  WID=$(xdotool search --onlyvisible --pid "$(program_pid "$how")" | head -n1)
  case $how in
    minimise) xdotool windowminimize "$WID" ;;  # the request a program makes for its own window
    show-desktop) wmctrl -k on ;;  # what the window manager's own key does
    unmap) xdotool windowunmap "$WID" ;;
    destroy) "$X11_TOOL" destroy "$WID" ;;
  esac
  ends_with_0 "$how" "$how: the show lives on out of sight"
done

echo "1 passed, 0 failed"
