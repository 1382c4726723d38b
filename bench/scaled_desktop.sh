#!/bin/bash
# What the show costs on a desktop that scales its screen, beside one that
# does not: the same 1920 x 1080 X server at 96 dpi and with "Xft.dpi: 144"
# (as desktops set it), each running
#   - show_bench (a runner re-framed and moved every tick at SpinSpeed 1):
#     its CPU, wakeups per tick and tick errors, with the X server's CPU;
#   - the real Marathon Runner episode ("/s" with only Runner on) over the
#     given seconds: program and X server CPU (% of one core).
# Run by hand: bench/scaled_desktop.sh <build dir> [seconds, default 20]
set -u
BUILD=$(cd "${1:?usage: scaled_desktop.sh <build dir> [seconds]}" && pwd)
SECS=${2:-20}
BIN=$BUILD/src/app/zentravo

. "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_setup "$BUILD/data" 1920x1080 -dpi 96
printf '[Zorvik_The_Vexling]\nfirstrun=1\nSpinSpeed=1\nSound=0\nIntro=0\nFlag=0\nBelow=0\nRunner=1\nGunner=0\nAbove=0\n' \
  >"$ZENTRAVO_WINDIR/zentravo.ini"

percent() { awk -v c="$1" -v ns="$2" 'BEGIN { printf "%.2f", 100 * c / ns }'; }

# CPU of program $1 and of the X server over $2 seconds; prints "program x_server".
cpu_pair() {
  local c0 x0 t0 c1 x1 t1
  c0=$(cpu_ns "$1") x0=$(cpu_ns "$XVFB_PID") t0=$(date +%s%N)
  sleep "$2"
  c1=$(cpu_ns "$1") x1=$(cpu_ns "$XVFB_PID") t1=$(date +%s%N)
  echo "$(percent $((c1 - c0)) $((t1 - t0))) $(percent $((x1 - x0)) $((t1 - t0)))"
}

for dpi in 96 144; do
  [ "$dpi" != 96 ] && { echo "Xft.dpi: $dpi" | xrdb -merge || fail "xrdb"; }
  "$BUILD/bench/show_bench" --seconds $((SECS + 3)) --speed 1 >"$E2E_TMP/bench.out" &
  bench=$!
  E2E_PIDS+=("$bench")
  sleep 2
  read -r bench_cpu bench_x < <(cpu_pair "$bench" "$SECS")
  wait "$bench"
  echo "Xft.dpi $dpi show_bench: $(cat "$E2E_TMP/bench.out") x_server_cpu_percent=$bench_x"

  start_program "runner$dpi" "$BIN" /s
  sleep 4
  read -r run_cpu run_x < <(cpu_pair "$(program_pid "runner$dpi")" "$SECS")
  echo "Xft.dpi $dpi Marathon Runner: program_cpu_percent=$run_cpu x_server_cpu_percent=$run_x"
  xdotool key space
  [ "$(exit_code "runner$dpi" 10)" = 0 ] || fail "the show did not end on a key"
done
