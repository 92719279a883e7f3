#!/usr/bin/env bash
# Prints the time of one editor repaint (render plus copy to a window) under Wine on a
# virtual display. Usage: tools/repaint_benchmark/run.sh [windows build folder]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../../build/windows}" && pwd)
[ -f "$build/bin/repaint_benchmark.exe" ] || { echo "build the windows preset first" >&2; exit 2; }
source "$here/../wine_env.sh"
work=$(mktemp -d)
xvfb_pid=
cleanup() {
  wine_prefix_stop
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
xvfb_start "$work" 1280x1024x24 || { echo "Xvfb gave no display: $(cat "$work/xvfb.log")" >&2; exit 2; }
wine_prefix_start
DISPLAY=$xvfb_display wine "$build/bin/repaint_benchmark.exe"
