#!/usr/bin/env bash
# Builds the fuzz target with clang and libFuzzer and runs it for $1 seconds
# (default 10). Longer runs by hand: tests/fuzz/run_fuzz.sh 600
# Every file in tests/fuzz/corpus is run first, so an input that once crashed
# the target and was kept there is tried again on every run. Any crash, leak
# or undefined behaviour fails the step; the input is left in $OUT/crashes.
set -euo pipefail
SECONDS_TO_RUN=${1:-10}
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
OUT=${FUZZ_OUT:-$ROOT/build/fuzz}
mkdir -p "$OUT/corpus" "$OUT/crashes"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I"$ROOT/src" -I"$ROOT" \
  "$ROOT/tests/fuzz/fuzz_profile.cpp" "$ROOT/src/platform/IniText.cpp" \
  "$ROOT/src/platform/VbConv.cpp" "$ROOT/src/platform/VbError.cpp" -o "$OUT/fuzz_profile"
# New inputs go to the first folder; the kept ones are only read.
status=0
"$OUT/fuzz_profile" -max_total_time="$SECONDS_TO_RUN" -print_final_stats=1 \
  -artifact_prefix="$OUT/crashes/" "$OUT/corpus" "$ROOT/tests/fuzz/corpus" >"$OUT/log" 2>&1 || status=$?
if [ "$status" != 0 ]; then
  grep -E 'ERROR|runtime error|Test unit written|SUMMARY' "$OUT/log" | head -n 20
  echo "fuzz_profile failed ($status); full log in $OUT/log."
  echo "Keep the input as a unit case: copy it from $OUT/crashes into tests/fuzz/corpus."
  exit 1
fi
grep -E "INITED|DONE|^stat::" "$OUT/log"
