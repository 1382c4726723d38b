#!/usr/bin/env bash
# Builds the fuzz target with clang and libFuzzer and runs it for $1 seconds
# (default 10). Longer runs by hand: tests/fuzz/run_fuzz.sh 600
set -eu
SECONDS_TO_RUN=${1:-10}
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
OUT=${FUZZ_OUT:-$ROOT/build/fuzz}
mkdir -p "$OUT/corpus"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I"$ROOT/src" -I"$ROOT" \
  "$ROOT/tests/fuzz/fuzz_profile.cpp" "$ROOT/src/platform/IniText.cpp" \
  "$ROOT/src/platform/VbConv.cpp" "$ROOT/src/platform/VbError.cpp" -o "$OUT/fuzz_profile"
printf 'Zorvik_The_Vexling=SpinSpeed\n[Zorvik_The_Vexling]\nfirstrun=1\nSpinSpeed=&H1F\n' >"$OUT/corpus/seed1"
printf 's=k\r\n; c\r\n[s]\r\nk = 1e5 \r\n[s]\r\nk=2' >"$OUT/corpus/seed2"
"$OUT/fuzz_profile" -max_total_time="$SECONDS_TO_RUN" -print_final_stats=0 "$OUT/corpus" 2>&1 | tail -n 3
