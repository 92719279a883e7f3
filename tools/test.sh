#!/usr/bin/env bash
# Sets everything up and runs every test: the layout of the sources (clang-format), the
# native tests, the same core tests under the sanitizers, a short run of every fuzz target,
# the Windows build's tests under Wine, and the editor's GUI tests under Wine on a virtual
# display. Exits non-zero when anything fails.
#
#   bash tools/test.sh                  # every stage: what CI runs
#   bash tools/test.sh native gui       # only the named stages, in the usual order
#   bash tools/test.sh format           # only the layout check (tools/check_format.sh)
#
# Stages: format, native, sanitize, fuzz, windows, gui (gui needs the windows build). The
# fuzz runs and the Windows tests under Wine use the processor differently (the fuzzers one
# core each, Wine mostly waiting on its server), so when both stages run they run side by side.
set -euo pipefail
cd "$(dirname "$0")/.."

all_stages=(format native sanitize fuzz windows gui)
stages=("$@")
[ ${#stages[@]} -gt 0 ] || stages=("${all_stages[@]}")
for stage in "${stages[@]}"; do
  [[ " ${all_stages[*]} " == *" $stage "* ]] || { echo "test.sh: unknown stage '$stage' (${all_stages[*]})" >&2; exit 2; }
done
wanted() { [[ " ${stages[*]} " == *" $1 "* ]]; }

bash tools/setup.sh

jobs=$(nproc)
started=$SECONDS
# A warning in our own code fails the run (third-party code builds without warnings).
export VANTOREL_WERROR=ON
step() { printf '\n=== %s (%d s) ===\n' "$*" "$((SECONDS - started))"; }

if wanted format; then
  step "the layout of our C and C++ sources (clang-format)"
  bash tools/check_format.sh
fi

if wanted native; then
  step "native build and tests"
  cmake --preset native -DVANTOREL_WERROR=ON >/dev/null
  cmake --build --preset native -j "$jobs"
  ctest --preset native -j "$jobs"
fi

if wanted sanitize; then
  step "AddressSanitizer and UndefinedBehaviorSanitizer"
  cmake --preset sanitize -DVANTOREL_WERROR=ON >/dev/null
  cmake --build --preset sanitize -j "$jobs"
  ctest --preset sanitize -j "$jobs"
fi

# Both builds first (they want every core), then the fuzz runs in the background while the
# Windows tests run under Wine.
if wanted fuzz; then
  step "building the fuzz targets (clang, ASan and UBSan)"
  bash tools/fuzz.sh --build-only
fi
if wanted windows || wanted gui; then
  step "Windows cross build"
  cmake --preset windows -DVANTOREL_WERROR=ON >/dev/null
  cmake --build --preset windows -j "$jobs"
fi

fuzz_pid=
fuzz_log=$(mktemp /tmp/vantorel-fuzz.XXXXXX)
trap 'rm -f "$fuzz_log"' EXIT
if wanted fuzz; then
  step "fuzzing every reader of outside data (ASan and UBSan, 20 s a target, $jobs at a time)"
  if wanted windows; then
    bash tools/fuzz.sh --no-build 20 >"$fuzz_log" 2>&1 &
    fuzz_pid=$!
  else
    bash tools/fuzz.sh --no-build 20
  fi
fi

if wanted windows; then
  step "the Windows build's tests under Wine"
  windows_status=0
  (
    source tools/wine_env.sh
    wine_prefix_start
    trap wine_prefix_stop EXIT
    ctest --preset windows
  ) || windows_status=$?
  if [ -n "$fuzz_pid" ]; then
    fuzz_status=0
    wait "$fuzz_pid" || fuzz_status=$?
    step "fuzz results"
    cat "$fuzz_log"
    [ "$fuzz_status" -eq 0 ] || exit "$fuzz_status"
  fi
  [ "$windows_status" -eq 0 ] || exit "$windows_status"
fi

if wanted gui; then
  step "editor GUI tests under Wine"
  bash tests/gui/run_gui_tests.sh build/windows
fi
step "done"
printf '\nAll tests passed.\n'
