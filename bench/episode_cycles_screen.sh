#!/bin/bash
# How long one cycle of an episode takes in the real program: "zentravo /s"
# with only that episode on, on a private 1920 x 1080 X server (15 twips per
# pixel), timed from the screen by screen_watch. A cycle runs from the moment
# the episode first shows something to the moment its next run does, so it
# holds the episode's 4-s opening wait.
# Usage: bench/episode_cycles_screen.sh <build dir> <Flag|Below> <SpinSpeed> <seconds>
set -u
BUILD=$(cd "${1:?usage: episode_cycles_screen.sh <build dir> <Flag|Below> <SpinSpeed> <seconds>}" && pwd)
EPISODE=${2:?episode}
SPEED=${3:?SpinSpeed}
SECONDS_RUN=${4:?seconds}

. "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_setup "$BUILD/data" 1920x1080 -dpi 96

flags=""
for e in Flag Below Runner Gunner Above; do flags+="$e=$([ "$e" = "$EPISODE" ] && echo 1 || echo 0)\n"; done
printf "[Zorvik_The_Vexling]\nfirstrun=1\nIntro=0\n${flags}SpinSpeed=$SPEED\nSound=0\n" >"$ZENTRAVO_WINDIR/zentravo.ini"

case $EPISODE in
  Flag) ROWS="100 130 170 510 540 580 1000 1030 1070" ;;  # across the three lanes
  Below) ROWS="1062 1068 1074 1079" ;;                    # the hands at the bottom edge
  *) fail "unknown episode $EPISODE" ;;
esac

start_program show "$BUILD/src/app/zentravo" /s
"$BUILD/bench/screen_watch" "$SECONDS_RUN" $ROWS >"$E2E_TMP/watch.txt"
xdotool key space
[ "$(exit_code show 10)" = 0 ] || fail "the show did not end on a key"

echo "== $EPISODE at SpinSpeed $SPEED on 1920 x 1080"
awk '
  $2 == "shown" { if (on) printf "cycle %.2f s (shown %.2f s)\n", ($1 - on) / 1000, (off - on) / 1000; on = $1 }
  $2 == "black" { off = $1 }
' "$E2E_TMP/watch.txt"
