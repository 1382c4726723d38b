#!/usr/bin/env bash
# Builds fuzz target $1 (profile or midi) with libFuzzer and runs it $2 s
# (default 10), after every input kept in tests/fuzz/corpus/$1. A crash, leak,
# undefined behaviour or input over 10 s fails; it is left in $OUT/crashes.
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
# New inputs go to the first folder; on a failure, the lines that say why.
"$OUT/fuzz_$1" -max_total_time="${2:-10}" -timeout=10 -print_final_stats=1 -artifact_prefix="$OUT/crashes/" \
  "$OUT/corpus" "$ROOT/tests/fuzz/corpus/$1" >"$OUT/log" 2>&1 ||
  { grep -E 'ERROR|runtime error|Test unit written|SUMMARY' "$OUT/log" | head -n 20; exit 1; }
grep -E "INITED|DONE|^stat::" "$OUT/log"
