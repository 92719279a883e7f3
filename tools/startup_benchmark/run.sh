#!/usr/bin/env bash
# Times the editor's start-up under Wine: launch to the first load screen in the view,
# against a trivial window program with the same imports (the floor Wine itself sets),
# interleaved, median of RUNS runs (default 15), with a warm wine server and a virtual
# display. Usage: tools/startup_benchmark/run.sh [windows build folder]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../../build/windows}" && pwd)
for program in Vantorel.exe startup_floor.exe startup_timer.exe; do
  [ -f "$build/bin/$program" ] || { echo "no $build/bin/$program: build the windows preset first" >&2; exit 2; }
done
source "$here/../wine_env.sh"
display_file=$(mktemp)
exec 5>"$display_file"
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() { wine_prefix_stop; kill "$xvfb" 2>/dev/null || true; rm -f "$display_file"; }
trap cleanup EXIT
for _ in $(seq 50); do [ -s "$display_file" ] && break; sleep 0.1; done
wine_prefix_start
export DISPLAY=":$(head -1 "$display_file")"
echo "load: $(cut -d' ' -f1-3 /proc/loadavg); $(nproc) cores"
wine "$build/bin/startup_timer.exe" "${RUNS:-15}" "$(winepath -w "$build/bin/Vantorel.exe")" "$(winepath -w "$build/bin/startup_floor.exe")"
