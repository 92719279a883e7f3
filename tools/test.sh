#!/usr/bin/env bash
# Sets everything up and runs every test: the native tests, the same core tests under the
# sanitizers, a short run of every fuzz target, the Windows build's tests under Wine, and
# the editor's GUI tests under Wine on a virtual display. Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh

jobs=$(nproc)
step() { printf '\n=== %s ===\n' "$*"; }

step "native build and tests"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

step "AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j "$jobs"
ctest --preset sanitize -j "$jobs"

step "fuzzing every reader of outside data (ASan and UBSan, 20 s a target)"
bash tools/fuzz.sh 20

step "Windows cross build and its tests under Wine"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
source tools/wine_env.sh
wine_prefix_start
trap wine_prefix_stop EXIT
ctest --preset windows
wine_prefix_stop
trap - EXIT

step "editor GUI tests under Wine"
bash tests/gui/run_gui_tests.sh build/windows
printf '\nAll tests passed.\n'
