#!/bin/bash
# CPU use and peak memory of a running preview, in a 152 x 112 host window
# on a private Xvfb.
# Usage: preview_cpu.sh [build dir] [seconds]   (defaults: ./build, 20)
set -u
BUILD=${1:-build}
SECONDS_TO_MEASURE=${2:-20}
ZENTRAVO=$BUILD/src/app/zentravo
HOST=$BUILD/tests/preview/preview_host
[ -x "$ZENTRAVO" ] && [ -x "$HOST" ] || { echo "build zentravo and preview_host first"; exit 1; }

work=$(mktemp -d /tmp/zentravo-bench-preview.XXXXXX)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -1 "$work/display")" QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work/xdg" && mkdir -m 700 "$XDG_RUNTIME_DIR"
export ZENTRAVO_WINDIR="$work/win"
mkdir -p "$ZENTRAVO_WINDIR/Zentravo/Zorvik_The_Vexling"
cp "$BUILD"/data/* "$ZENTRAVO_WINDIR/Zentravo/Zorvik_The_Vexling/" 2>/dev/null ||
  echo "note: no built data files; the preview runs without its strip"

mkfifo "$work/hostin"
exec {hostfd}<>"$work/hostin"
"$HOST" 152 112 <"$work/hostin" >"$work/host.out" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/host.out" ] && break; sleep 0.02; done

"$ZENTRAVO" /p "$(head -1 "$work/host.out")" >"$work/preview.out" 2>&1 &
pv=$!
pids+=($pv)
sleep 2  # start-up is not what is measured

ticks() { awk '{print $14 + $15}' "/proc/$pv/stat"; }
hz=$(getconf CLK_TCK)
t0=$(date +%s%N)
c0=$(ticks)
sleep "$SECONDS_TO_MEASURE"
c1=$(ticks)
t1=$(date +%s%N)
kill -0 $pv 2>/dev/null || { echo "the preview ended early"; cat "$work/preview.out"; exit 1; }

awk -v c=$((c1 - c0)) -v hz="$hz" -v ns=$((t1 - t0)) 'BEGIN {
  cpu = c / hz; wall = ns / 1e9;
  printf "preview CPU: %.2f s in %.1f s = %.2f%% of one core\n", cpu, wall, 100 * cpu / wall }'
grep -E "VmHWM|VmRSS" "/proc/$pv/status" | sed 's/^/preview memory: /'
