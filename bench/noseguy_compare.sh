#!/bin/bash
# What the show costs while it runs, side by side with XScreenSaver's noseguy
# (a walking cartoon with speech), each on its own 1920 x 1080 X server, in one
# run. Prints both and their ratio:
#   - CPU of the program and its X server while a sprite moves every tick at
#     SpinSpeed 1: the Marathon Runner episode of the real program ("/s" with
#     only Runner on), over three times the given seconds from its first
#     frame on screen, so that several whole runs with their waits are in it
#   - wakeups a second with nothing moving and no sound (after the theme)
#   - wakeups per animation tick (show_bench)
#   - start to the first black frame, default settings (bench/first_frame)
#   - peak memory, default settings
#   - CPU while the theme plays (the Introduction)
# Wakeups are voluntary context switches of all threads of a process. The X
# servers show their patterned root (-retro), so a black frame can be told.
# Run by hand: bench/noseguy_compare.sh <build dir> [seconds, default 20]
set -u
BUILD=$(cd "${1:?usage: noseguy_compare.sh <build dir> [seconds]}" && pwd)
SECS=${2:-20}
BIN=$BUILD/src/app/zentravo
BENCH=$BUILD/bench/show_bench
FIRST=$BUILD/bench/first_frame
NOSEGUY=/usr/libexec/xscreensaver/noseguy
REPEAT=9

if [ ! -x "$NOSEGUY" ]; then
  echo "== noseguy is missing: installing xscreensaver-data-extra"
  apt-get install -y xscreensaver-data-extra >/dev/null || { echo "cannot install noseguy" >&2; exit 1; }
fi

. "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_setup "$BUILD/data" 1920x1080 -dpi 96 -retro
DISPLAY_OURS=$DISPLAY
XVFB_OURS=$XVFB_PID
# The second X server, for noseguy.
start_xvfb 1920x1080 -dpi 96 -retro -noreset
XVFB_NOSE=$XVFB_PID DISPLAY_NOSE=$XVFB_DISPLAY
INI=$ZENTRAVO_WINDIR/zentravo.ini

# --- measuring ---
wakeups() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ { s += $2 } END { print s + 0 }'; }
peak_mb() { awk '/VmHWM/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status"; }

# measure SECONDS PID...: CPU (% of one core) and wakeups a second of each
# process over the same stretch; sets CPU[i] and WAKE[i].
measure() {
  local seconds=$1 i t0 t1
  shift
  local pids=("$@") c0=() w0=()
  for i in "${!pids[@]}"; do c0[i]=$(cpu_ns "${pids[i]}"); w0[i]=$(wakeups "${pids[i]}"); done
  t0=$(date +%s%N)
  sleep "$seconds"
  t1=$(date +%s%N)
  CPU=() WAKE=()
  for i in "${!pids[@]}"; do
    CPU[i]=$(awk -v c="$(($(cpu_ns "${pids[i]}") - c0[i]))" -v ns="$((t1 - t0))" \
      'BEGIN { printf "%.2f", 100 * c / ns }')
    WAKE[i]=$(awk -v w="$(($(wakeups "${pids[i]}") - w0[i]))" -v ns="$((t1 - t0))" \
      'BEGIN { printf "%.1f", w / (ns / 1e9) }')
  done
}

settings() {
  printf '[Zorvik_The_Vexling]\nfirstrun=1\nSpinSpeed=1\nSound=1\nIntro=%s\nFlag=%s\nBelow=%s\nRunner=%s\nGunner=%s\nAbove=%s\n' "$@" >"$INI"
}

end_show() {
  DISPLAY=$DISPLAY_OURS xdotool key space
  [ "$(exit_code "$1" 10)" = 0 ] || fail "$1 did not end on a key"
}

sum() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a + b }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }

# --- 1: start to the first black frame, default settings ---
echo "== first frame, $REPEAT starts each"
rm -f "$INI"
DISPLAY=$DISPLAY_OURS "$FIRST" --repeat $REPEAT -- "$BIN" /s >"$E2E_TMP/first.ours"
DISPLAY=$DISPLAY_NOSE "$FIRST" --repeat $REPEAT -- "$NOSEGUY" -geometry 1920x1080+0+0 >"$E2E_TMP/first.nose"
echo "zentravo:" $(cat "$E2E_TMP/first.ours")
echo "noseguy: " $(cat "$E2E_TMP/first.nose")
OURS_FIRST=$(sed -n 's/^median_first_frame_ms=//p' "$E2E_TMP/first.ours")
NOSE_FIRST=$(sed -n 's/^median_first_frame_ms=//p' "$E2E_TMP/first.nose")
[ -n "$OURS_FIRST" ] && [ -n "$NOSE_FIRST" ] || fail "no first frame"

# noseguy runs from here on, beside every measurement of the show.
DISPLAY=$DISPLAY_NOSE start_program noseguy "$NOSEGUY" -geometry 1920x1080+0+0
NOSE=$(program_pid noseguy)

# --- 2: the theme, then idle (the Introduction alone) ---
echo "== Introduction with its theme, then idle"
settings 1 0 0 0 0 0
start_program theme "$BIN" /s
SHOW=$(program_pid theme)
sleep 2
measure "$SECS" "$SHOW"
THEME_CPU=${CPU[0]}
# The Introduction lasts 24 s and the theme about 22 s and its tail.
sleep $((32 - 2 - SECS > 0 ? 32 - 2 - SECS : 0))
measure "$SECS" "$SHOW" "$NOSE" "$XVFB_OURS"
IDLE_WAKE=${WAKE[0]} NOSE_WAKE=${WAKE[1]} IDLE_X=${CPU[2]}
end_show theme

# --- 3: peak memory with the default settings (Introduction and all episodes) ---
echo "== default settings, 30 s"
rm -f "$INI"
start_program default "$BIN" /s
SHOW=$(program_pid default)
sleep 30
OURS_PEAK=$(peak_mb "$SHOW")
NOSE_PEAK=$(peak_mb "$NOSE")
end_show default

# --- 4: the animation ---
echo "== a sprite moving every tick at SpinSpeed 1, $SECS s"
"$BENCH" --seconds $((SECS + 3)) --speed 1 >"$E2E_TMP/bench.out" &
BENCH_PID=$!
E2E_PIDS+=("$BENCH_PID")
sleep 2  # start-up and the first full frame are not measured
measure "$SECS" "$BENCH_PID" "$XVFB_OURS" "$NOSE" "$XVFB_NOSE"
ANIM=("${CPU[@]}")
NOSE_WAKE_ANIM=${WAKE[2]}
wait "$BENCH_PID"
cat "$E2E_TMP/bench.out"
PER_TICK=$(sed -n 's/.* wakeups_per_tick=\([0-9.]*\).*/\1/p' "$E2E_TMP/bench.out")
ANIM_WHAT="show_bench stand-in"
MOVING=("${CPU[@]}")

# The real episode: a run lasts 6 to 11 s and the next starts 4 s later.
settings 0 0 0 1 0 0
start_program runner "$BIN" /s
SHOW=$(program_pid runner)
sleep 4
if wait_until 8 eval 'shoot && [ "$(brightest)" != 0 ]'; then
  echo "== Marathon Runner, $((3 * SECS)) s"
  measure "$((3 * SECS))" "$SHOW" "$XVFB_OURS" "$NOSE" "$XVFB_NOSE"
  ANIM=("${CPU[@]}")
  ANIM_WHAT="Marathon Runner"
fi
end_show runner

# --- report ---
echo
printf '%-52s %16s %16s %8s\n' figure zentravo noseguy ratio
row() { printf '%-52s %16s %16s %8s\n' "$1" "$2" "$3" "$4"; }
OURS_CPU=$(sum "${ANIM[0]}" "${ANIM[1]}")
NOSE_CPU=$(sum "${ANIM[2]}" "${ANIM[3]}")
row "CPU % program + X ($ANIM_WHAT)" "${ANIM[0]}+${ANIM[1]}=$OURS_CPU" "${ANIM[2]}+${ANIM[3]}=$NOSE_CPU" \
  "$(ratio "$OURS_CPU" "$NOSE_CPU")"
row "CPU % program + X, moving every tick (show_bench)" "${MOVING[0]}+${MOVING[1]}=$(sum "${MOVING[0]}" "${MOVING[1]}")" \
  "${MOVING[2]}+${MOVING[3]}=$(sum "${MOVING[2]}" "${MOVING[3]}")" -
row "wakeups/s, idle after the theme (noseguy: running)" "$IDLE_WAKE" "$NOSE_WAKE" "$(ratio "$IDLE_WAKE" "$NOSE_WAKE")"
row "X server CPU %, idle after the theme" "$IDLE_X" - -
row "wakeups per animation tick" "$PER_TICK" - -
row "start to first black frame, ms (median of $REPEAT)" "$OURS_FIRST" "$NOSE_FIRST" "$(ratio "$OURS_FIRST" "$NOSE_FIRST")"
row "peak memory, MB (default settings)" "$OURS_PEAK" "$NOSE_PEAK" "$(ratio "$OURS_PEAK" "$NOSE_PEAK")"
row "CPU % while the theme plays" "$THEME_CPU" - -
row "noseguy wakeups/s while the show animates" - "$NOSE_WAKE_ANIM" -
