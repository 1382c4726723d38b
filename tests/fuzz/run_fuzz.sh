#!/usr/bin/env bash
# Builds fuzz target $1 (profile: the settings-file reader; midi: the theme's
# MIDI reader) with clang and libFuzzer and runs it for $2 seconds (default
# 10). Longer runs by hand: tests/fuzz/run_fuzz.sh midi 600
# Every file in tests/fuzz/corpus/$1 is run first, so an input that once
# crashed the target and was kept there is tried again on every run. Any
# crash, leak, undefined behaviour or input that takes over 10 s fails the
# step; the input is left in $OUT/crashes, to be kept as a unit case in
# tests/fuzz/corpus/$1.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
OUT=${FUZZ_OUT:-$ROOT/build/fuzz}/$1
case "$1" in
  profile) SOURCES=(src/platform/IniText.cpp src/platform/VbConv.cpp src/platform/VbError.cpp) ;;
  midi) SOURCES=(src/platform/qt/MidiSequence.cpp) ;;
esac
mkdir -p "$OUT/corpus" "$OUT/crashes"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I"$ROOT/src" -I"$ROOT" "$ROOT/tests/fuzz/fuzz_$1.cpp" "${SOURCES[@]/#/$ROOT/}" -o "$OUT/fuzz_$1"
# New inputs go to the first folder; the kept ones are only read. On a
# failure, the lines that say why; the full log stays in $OUT/log.
"$OUT/fuzz_$1" -max_total_time="${2:-10}" -timeout=10 -print_final_stats=1 -artifact_prefix="$OUT/crashes/" \
  "$OUT/corpus" "$ROOT/tests/fuzz/corpus/$1" >"$OUT/log" 2>&1 ||
  { grep -E 'ERROR|runtime error|Test unit written|SUMMARY' "$OUT/log" | head -n 20; exit 1; }
grep -E "INITED|DONE|^stat::" "$OUT/log"
