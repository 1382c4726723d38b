#!/usr/bin/env bash
# The real program over hostile data files, under a private X server: a FIFO
# in place of the theme or the preview strip. Nothing may hang or crash.
# (Special files in place of the settings file, and other special files:
# ProfileTest.cpp and DataFilesTest.cpp.)
# Usage: e2e_files.sh <zentravo> <x11_tool> <built data folder>
set -u
ZENTRAVO=$1 X11_TOOL=$2 DATA_DIR=$3
. "$(dirname "$0")/../e2e/lib.sh"
e2e_setup "$DATA_DIR"
INI=$ZENTRAVO_WINDIR/zentravo.ini
DATADIR=$ZENTRAVO_WINDIR/Zentravo/Zorvik_The_Vexling

# Only the Introduction, which opens the theme at once; no effects.
printf '[Zorvik_The_Vexling]\nfirstrun=1\nIntro=1\nSound=0\n' >"$INI"
echo "--- a theme that is a FIFO: the show goes on and a key ends it"
rm -f "$DATADIR/z_wumble.mid"
mkfifo "$DATADIR/z_wumble.mid"
start_program show "$ZENTRAVO" /s
wait_until 10 shows_window show || fail "no show window with a FIFO theme"
sleep 1
program_ended show && fail "the show ended by itself with a FIFO theme: $(exit_code show 0)"
xdotool key Escape
[ "$(exit_code show 5)" = 0 ] || fail "a key did not end the show with a FIFO theme"

echo "--- a FIFO preview strip: the preview still ends with its host window"
rm -f "$DATADIR/Z_Preview.bmp"
mkfifo "$DATADIR/Z_Preview.bmp"
start_fed_program host "$X11_TOOL" window host 152 112
HOSTID=$(first_line host)
[ -n "$HOSTID" ] || fail "the host window did not open"
start_program preview "$ZENTRAVO" /p "$HOSTID"
sleep 1
feed host
rc=$(exit_code preview 5)
[ "$rc" = 0 ] || fail "the preview did not end with its host window: $rc"

echo "1 passed, 0 failed"
