#!/bin/bash
# CPU use and peak memory of a running preview, in a host window of the
# given size (152 x 112 by default) on a private Xvfb.
# Usage: preview_cpu.sh [build dir] [seconds] [host width] [host height]
#        (defaults: ./build, 20, 152, 112)
set -u
BUILD=${1:-build}
SECONDS_TO_MEASURE=${2:-20}
HOST_W=${3:-152}
HOST_H=${4:-112}
ZENTRAVO=$BUILD/src/app/zentravo
X11_TOOL=$BUILD/tests/e2e/x11_tool
[ -x "$ZENTRAVO" ] && [ -x "$X11_TOOL" ] || { echo "build zentravo and x11_tool first"; exit 1; }

. "$(dirname "$0")/../tests/e2e/lib.sh"
[ -d "$BUILD/data" ] || echo "note: no built data files; the preview runs without its strip"
e2e_setup "$BUILD/data"

start_fed_program host "$X11_TOOL" window host "$HOST_W" "$HOST_H"
start_program preview "$ZENTRAVO" /p "$(first_line host)"
pv=$(program_pid preview)
sleep 2  # start-up is not what is measured

t0=$(date +%s%N)
c0=$(cpu_ns "$pv")
sleep "$SECONDS_TO_MEASURE"
c1=$(cpu_ns "$pv")
t1=$(date +%s%N)
program_ended preview && fail "the preview ended early"

awk -v c=$((c1 - c0)) -v ns=$((t1 - t0)) 'BEGIN {
  cpu = c / 1e9; wall = ns / 1e9;
  printf "host '"${HOST_W}x$HOST_H"': preview CPU: %.3f s in %.1f s = %.3f%% of one core\n", cpu, wall, 100 * cpu / wall }'
grep -E "VmHWM|VmRSS|RssAnon|RssShmem" "/proc/$pv/status" | sed 's/^/preview memory: /'
