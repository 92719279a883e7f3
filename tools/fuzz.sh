#!/usr/bin/env bash
# Builds the libFuzzer targets (the `fuzz` preset: clang with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each one for SECONDS (default 20) from its seed
# corpus in tests/fuzz/corpus/, as many at once as the machine has cores. Stops at the
# first finding: the input is kept in build/fuzz/findings/ and the script exits non-zero.
#
#   bash tools/fuzz.sh            # the short run tools/test.sh does (about 20 s a target)
#   bash tools/fuzz.sh 1800       # a longer hunt: half an hour for each target
#   bash tools/fuzz.sh 60 scene   # only the named targets
#   bash tools/fuzz.sh --build-only / --no-build [SECONDS [NAME...]]
#
# What a run discovers beyond the seeds is kept in build/fuzz/corpus/ and used again by
# the next run; copy an input into tests/fuzz/corpus/NAME/ to keep it in the repository.
set -euo pipefail
cd "$(dirname "$0")/.."
build_step=yes run_step=yes
case ${1:-} in
  --build-only) build_step=yes run_step=no; shift ;;
  --no-build) build_step=no; shift ;;
esac
seconds=${1:-20}
shift || true

if [ "$build_step" = yes ]; then
  cmake --preset fuzz -DVANTOREL_WERROR="${VANTOREL_WERROR:-OFF}" >/dev/null
  cmake --build --preset fuzz -j "$(nproc)" >/dev/null
fi
[ "$run_step" = yes ] || exit 0
build=build/fuzz
mapfile -t targets < "$build/fuzz_targets.txt"
[ $# -gt 0 ] && targets=("$@")

export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:allocator_may_return_null=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
mkdir -p "$build/findings"

# One target's run; its one-line result goes to $build/findings/NAME.result.
fuzz_one() {
  local name=$1 log="$build/findings/$1.log"
  mkdir -p "$build/corpus/$name"
  if "$build/bin/fuzz_$name" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 -max_len=65536 \
       -artifact_prefix="$build/findings/$name-" -print_final_stats=1 \
       "$build/corpus/$name" "tests/fuzz/corpus/$name" >"$log" 2>&1; then
    echo "$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$') runs, nothing found" >"$build/findings/$name.result"
  else
    echo "FOUND A FAULT" >"$build/findings/$name.result"
    return 1
  fi
}

# The targets in batches of one per core; results are printed in the list's order.
parallel=$(nproc)
status=0
for ((first = 0; first < ${#targets[@]}; first += parallel)); do
  batch=("${targets[@]:first:parallel}")
  pids=()
  for name in "${batch[@]}"; do
    [ -n "$name" ] || continue
    fuzz_one "$name" &
    pids+=($!)
  done
  for pid in "${pids[@]}"; do wait "$pid" || status=1; done
  for name in "${batch[@]}"; do
    [ -n "$name" ] || continue
    printf 'fuzz %-10s %ss ... %s\n' "$name" "$seconds" "$(cat "$build/findings/$name.result")"
    if grep -q FAULT "$build/findings/$name.result"; then
      tail -n 60 "$build/findings/$name.log"
      echo "the input is in $build/findings/ (log: $build/findings/$name.log)"
    fi
  done
  [ "$status" -eq 0 ] || exit 1
done
