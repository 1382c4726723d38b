#!/bin/bash
# The show's benchmarks on a private 1920 x 1080 X server:
#   1. CPU of an animation at SpinSpeed 1 with the show's sleeping tick, and
#      with a tick that spins on the clock;
#   2. tick length error at SpinSpeed 1, 10 and 200;
#   3. the real program ("zentravo /s"): CPU over the run, time from start to
#      the first frame on screen, peak memory.
# Usage: bench/show_bench.sh <build dir> [seconds, default 120]
set -u
BUILD=$(cd "${1:?usage: show_bench.sh <build dir> [seconds]}" && pwd)
SECONDS_RUN=${2:-120}
BENCH="$BUILD/bench/show_bench"
BIN="$BUILD/src/app/zentravo"

. "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_setup "$BUILD/data" 1920x1080 -dpi 96

echo "== animation at SpinSpeed 1 for $SECONDS_RUN s (1920 x 1080)"
"$BENCH" --seconds "$SECONDS_RUN" --speed 1
"$BENCH" --seconds "$SECONDS_RUN" --speed 1 --spin

echo "== tick length"
"$BENCH" --seconds 20 --speed 10
"$BENCH" --seconds 40 --speed 200

echo "== zentravo /s for $SECONDS_RUN s"
START=$(date +%s%N)
start_program show "$BIN" /s
SHOW=$(program_pid show)
until shoot && [ "$(brightest)" = 0 ]; do
  program_ended show && fail "the show ended early"
done
FIRST=$(( ($(date +%s%N) - START) / 1000000 ))
read -r -a stat0 < <(cut -d' ' -f14,15 /proc/$SHOW/stat)
T0=$(date +%s%N)
sleep "$SECONDS_RUN"
read -r -a stat1 < <(cut -d' ' -f14,15 /proc/$SHOW/stat)
T1=$(date +%s%N)
HWM=$(awk '/VmHWM/ { print $2 }' /proc/$SHOW/status)
HZ=$(getconf CLK_TCK)
xdotool key space
RC=$(exit_code show 10)
[ "$RC" != running ] || fail "the show did not end on a key"
awk -v u0="${stat0[0]}" -v s0="${stat0[1]}" -v u1="${stat1[0]}" -v s1="${stat1[1]}" -v hz="$HZ" \
    -v t0="$T0" -v t1="$T1" -v first="$FIRST" -v hwm="$HWM" -v rc="$RC" 'BEGIN {
  cpu = ((u1 - u0) + (s1 - s0)) / hz; wall = (t1 - t0) / 1e9
  printf "program: first_frame_ms<=%d cpu_percent=%.2f peak_rss_mb=%.1f exit_code=%d\n", first, 100 * cpu / wall, hwm / 1024, rc
}'
