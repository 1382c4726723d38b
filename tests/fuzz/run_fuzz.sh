#!/usr/bin/env bash
# Builds fuzz target $1 (profile: the settings-file reader; midi: the theme's
# MIDI reader) with clang and libFuzzer and runs it for $2 seconds (default
# 10). Longer runs by hand: tests/fuzz/run_fuzz.sh midi 600
# Every file in tests/fuzz/corpus/$1 is run first, so an input that once
# crashed the target and was kept there is tried again on every run. Any
# crash, leak, undefined behaviour or input that takes over 10 s fails the
# step; the input is left in $OUT/crashes.
set -euo pipefail
TARGET=$1
SECONDS_TO_RUN=${2:-10}
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
OUT=${FUZZ_OUT:-$ROOT/build/fuzz}/$TARGET
case "$TARGET" in
  profile) SOURCES=(src/platform/IniText.cpp src/platform/VbConv.cpp src/platform/VbError.cpp) ;;
  midi) SOURCES=(src/platform/qt/MidiSequence.cpp) ;;
  *) echo "usage: $0 profile|midi [seconds]" >&2; exit 2 ;;
esac
mkdir -p "$OUT/corpus" "$OUT/crashes"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I"$ROOT/src" -I"$ROOT" "$ROOT/tests/fuzz/fuzz_$TARGET.cpp" "${SOURCES[@]/#/$ROOT/}" -o "$OUT/fuzz_$TARGET"
# New inputs go to the first folder; the kept ones are only read.
status=0
"$OUT/fuzz_$TARGET" -max_total_time="$SECONDS_TO_RUN" -timeout=10 -print_final_stats=1 \
  -artifact_prefix="$OUT/crashes/" "$OUT/corpus" "$ROOT/tests/fuzz/corpus/$TARGET" >"$OUT/log" 2>&1 || status=$?
if [ "$status" != 0 ]; then
  grep -E 'ERROR|runtime error|Test unit written|SUMMARY' "$OUT/log" | head -n 20
  echo "fuzz_$TARGET failed ($status); full log in $OUT/log."
  echo "Keep the input as a unit case: copy it from $OUT/crashes into tests/fuzz/corpus/$TARGET."
  exit 1
fi
grep -E "INITED|DONE|^stat::" "$OUT/log"
