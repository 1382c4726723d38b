#!/bin/bash
# Hostile themes on the real program under a private X server: a key must
# end the show at once, with 0. Usage: e2e_data.sh <zentravo> <data folder>
set -u
BIN=$1
. "$(dirname "$0")/../e2e/lib.sh"
e2e_setup "$2"
DATA=$ZENTRAVO_WINDIR/Zentravo/Zorvik_The_Vexling
# Only the Introduction, which opens the theme at once.
printf '[Zorvik_The_Vexling]\nfirstrun=1\nIntro=1\nSound=0\n' >"$ZENTRAVO_WINDIR/zentravo.ini"

# Show $1 ended by a key after $2 s, with little on its error output.
show_ends_on_key() {
  start_program "$1" "$BIN" /s
  wait_until 10 shows_window "$1" || fail "$1: no show window"
  sleep "$2"
  xdotool key space
  RC=$(exit_code "$1" 2)
  [ "$RC" = running ] && kill -9 "$(program_pid "$1")" && wait_until 5 program_ended "$1"
  [ "$(stat -c %s "$E2E_TMP/$1.err")" -lt 16384 ] || { truncate -s 16K "$E2E_TMP/$1.err"; fail "$1: stderr flooded"; }
  [ "$RC" = 0 ] || fail "$1: a key did not end the show with 0 within 2 s"
}

# Four million notes at one instant (more than the synthesiser plays), within
# a data file's bound; the sound font after a FIFO, which is passed over.
perl -e 'my $n = 4000000; print "MThd", pack("Nnnn", 6, 0, 1, 96), "MTrk", pack("N", 4 * $n + 4);
  print pack("C4", 0, 0x90 | $_ % 16, 24 + int($_ / 16) % 84, 100) for 0 .. $n - 1;
  print pack("C4", 0x60, 0xff, 0x2f, 0)' >"$DATA/z_wumble.mid"
mkfifo "$E2E_TMP/font.sf2"
SDL_SOUNDFONTS="$E2E_TMP/font.sf2;/usr/share/sounds/sf2/TimGM6mb.sf2" show_ends_on_key dense 0.3

# A theme swapped for a FIFO and back while shows start.
cp "$2/z_wumble.mid" "$DATA/z_wumble.mid"
mkfifo "$DATA/fifo"
start_program swapper timeout 60 perl -e 'chdir shift; while (1) { rename "z_wumble.mid", "file";
  rename "fifo", "z_wumble.mid"; rename "z_wumble.mid", "fifo"; rename "file", "z_wumble.mid" }' "$DATA"
for run in 1 2 3 4 5 6; do show_ends_on_key "swapped$run" 0.2; done
echo "-- all checks passed"
