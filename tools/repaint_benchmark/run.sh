#!/usr/bin/env bash
# Prints the time of one editor repaint (render plus copy to a window) under Wine on a
# virtual display. Usage: tools/repaint_benchmark/run.sh [windows build folder]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../../build/windows}" && pwd)
[ -f "$build/bin/repaint_benchmark.exe" ] || { echo "build the windows preset first" >&2; exit 2; }
source "$here/../wine_env.sh"
display_file=$(mktemp)
exec 5>"$display_file"
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() { wine_prefix_stop; kill "$xvfb" 2>/dev/null || true; rm -f "$display_file"; }
trap cleanup EXIT
for _ in $(seq 50); do [ -s "$display_file" ] && break; sleep 0.1; done
wine_prefix_start
DISPLAY=":$(head -1 "$display_file")" wine "$build/bin/repaint_benchmark.exe"
