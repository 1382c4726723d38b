#!/bin/bash
# How long one cycle of an episode takes on the real program:
# "zentravo /s" with that episode alone (no Introduction) on a private
# 1920 x 1080 X server, under strace. A cycle begins with the 4-s wait that
# opens every run (a poll of about 4000 ms on the main thread); its ticks are
# the sleeps of the main thread until the next one. For each cycle it prints
# the measured seconds next to the figure the design gives: ticks x
# SpinSpeed / 100 s plus the fixed waits.
# With Flag or Below, a two-part remark (its first half held 4 s) reads as
# the start of a cycle: such a cycle shows as two. Needs strace. Usage:
#   bench/episode_cycles.sh <build dir> <Flag|Below|Runner|Gunner|Above> <SpinSpeed> [cycles, default 4]
set -u
BUILD=$(cd "${1:?usage: episode_cycles.sh <build dir> <episode> <speed> [cycles]}" && pwd)
EPISODE=${2:?episode}
SPEED=${3:?SpinSpeed}
CYCLES=${4:-4}
BIN="$BUILD/src/app/zentravo"

. "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_setup "$BUILD/data" 1920x1080 -dpi 96

{
  printf '[Zorvik_The_Vexling]\nfirstrun=1\nIntro=0\nSound=1\nSpinSpeed=%s\n' "$SPEED"
  for e in Flag Below Runner Gunner Above; do echo "$e=$([ "$e" = "$EPISODE" ] && echo 1 || echo 0)"; done
} >"$ZENTRAVO_WINDIR/zentravo.ini"

TRACE=$E2E_TMP/trace
start_program show strace -f --seccomp-bpf -tt -e trace=clock_nanosleep,nanosleep,poll,ppoll -o "$TRACE" "$BIN" /s
wait_until 10 test -s "$TRACE" || fail "no trace"
MAIN=$(awk 'NR == 1 { print $1 }' "$TRACE")

# The cycles found in the trace so far, and how many are complete.
runs() {
  python3 - "$TRACE" "$MAIN" "$SPEED" <<'PY'
import re, sys
trace, main, speed = sys.argv[1], sys.argv[2], float(sys.argv[3])
def secs(stamp):
    h, m, s = stamp.split(":")
    return int(h) * 3600 + int(m) * 60 + float(s)
starts, ticks, waits = [], [], []
wait_ends = 0.0  # the end of the fixed wait under way
for line in open(trace):
    f = line.split(None, 2)
    if len(f) < 3 or f[0] != main:
        continue
    t, call = secs(f[1]), f[2]
    if call.startswith(("clock_nanosleep", "nanosleep")):
        if starts:
            ticks[-1] += 1
        continue
    m = re.match(r"poll\(.*\], \d+, (-?\d+)", call)
    timeout = int(m.group(1)) / 1000 if m else None
    if call.startswith("ppoll("):
        m = re.search(r"\{tv_sec=(\d+), tv_nsec=(\d+)\}", call)
        timeout = int(m.group(1)) + int(m.group(2)) / 1e9 if m else None
    # The first poll of a fixed wait asks for (nearly) the whole wait; later
    # ones, after an event woke it, for what is left.
    if timeout is None or timeout < 0.9 or t < wait_ends - 0.05:
        continue
    wait_ends = t + timeout
    if 3.9 <= timeout <= 4.01:
        starts.append(t); ticks.append(0); waits.append(0)
    if starts:
        waits[-1] += round(timeout)
for i in range(len(starts) - 1):
    measured = starts[i + 1] - starts[i]
    design = ticks[i] * speed / 100 + waits[i]
    print("cycle %d: measured %.2f s, ticks %d, waits %d s, design %.2f s (+%.1f%%)"
          % (i + 1, measured, ticks[i], waits[i], design, 100 * (measured - design) / design))
print("complete cycles: %d" % max(0, len(starts) - 1))
PY
}
complete() { runs | awk -v n="$CYCLES" '/^complete cycles/ { exit !($3 >= n) }'; }

until complete; do
  program_ended show && fail "the show ended early"
  sleep 1
done
xdotool key space
[ "$(exit_code show 10)" = 0 ] || fail "the show did not end on a key"
echo "== $EPISODE at SpinSpeed $SPEED on 1920 x 1080"
runs | head -n "$CYCLES"
