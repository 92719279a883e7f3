#!/usr/bin/env bash
# Builds the libFuzzer targets (the `fuzz` preset: clang with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each one for SECONDS (default 20) from its seed
# corpus in tests/fuzz/corpus/. Stops at the first finding: the input is kept in
# build/fuzz/findings/ and the script exits non-zero.
#
#   bash tools/fuzz.sh            # the short run tools/test.sh does (about 20 s a target)
#   bash tools/fuzz.sh 1800       # a longer hunt: half an hour for each target
#   bash tools/fuzz.sh 60 scene   # only the named targets
#
# What a run discovers beyond the seeds is kept in build/fuzz/corpus/ and used again by
# the next run; copy an input into tests/fuzz/corpus/NAME/ to keep it in the repository.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
shift || true

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" >/dev/null
build=build/fuzz
mapfile -t targets < "$build/fuzz_targets.txt"
[ $# -gt 0 ] && targets=("$@")

export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:allocator_may_return_null=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
mkdir -p "$build/findings"
for name in "${targets[@]}"; do
  [ -n "$name" ] || continue
  mkdir -p "$build/corpus/$name"
  printf 'fuzz %-10s %ss ... ' "$name" "$seconds"
  log="$build/findings/$name.log"
  if "$build/bin/fuzz_$name" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 -max_len=65536 \
       -artifact_prefix="$build/findings/$name-" -print_final_stats=1 \
       "$build/corpus/$name" "tests/fuzz/corpus/$name" >"$log" 2>&1; then
    echo "$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$') runs, nothing found"
  else
    echo "FOUND A FAULT"
    tail -n 60 "$log"
    echo "the input is in $build/findings/ (log: $log)"
    exit 1
  fi
done
