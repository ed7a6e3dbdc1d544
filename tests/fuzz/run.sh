#!/usr/bin/env bash
# Builds the fuzz targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer, and runs
# each for SECONDS (default 60) from its committed seeds (corpus/NAME) and the game's own data.
# Any finding fails the run; its input is left in build/fuzz/findings to go into the corpus
# with the fix.
# Usage: tests/fuzz/run.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-60}
CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORMELDA_FUZZ=ON \
  -DVORMELDA_BUILD_TESTS=OFF -DVORMELDA_BUILD_BENCH=OFF -DVORMELDA_WERROR="${VORMELDA_WERROR:-OFF}" \
  >/dev/null
targets=(recording high_score sound_length picture_header)
cmake --build build/fuzz -j"$(nproc)" --target vormelda-data "${targets[@]/%/_fuzz}"
game=build/fuzz/game
declare -A seeds=([recording]="tests/data" [high_score]="$game/HighScore.ini"
  [sound_length]="$game/Music" [picture_header]="$game/Picture")
mkdir -p build/fuzz/findings
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for t in "${targets[@]}"; do
  work=$(mktemp -d)  # the corpus grows here, not in the committed one
  cp tests/fuzz/corpus/"$t"/* "$work/"
  extra=${seeds[$t]}
  [ -d "$extra" ] || { mkdir -p "$work.extra" && cp "$extra" "$work.extra/"; extra=$work.extra; }
  echo "-- $t for $seconds s"
  status=0
  build/fuzz/fuzz/"${t}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=65536 -print_final_stats=1 -artifact_prefix=build/fuzz/findings/"$t"- \
    "$work" "$extra" >"$work.log" 2>&1 || status=$?
  grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|SUMMARY|==[0-9]+==ERROR)' "$work.log" || true
  if [ "$status" != 0 ]; then
    tail -n 40 "$work.log" >&2
    echo "FAIL: $t found a fault (its input is in build/fuzz/findings)" >&2
    exit 1
  fi
  rm -rf "$work" "$work.extra" "$work.log"
done
echo "PASS: no finding"
