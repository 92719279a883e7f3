#!/usr/bin/env bash
# Sets everything up, builds both presets and runs the main job on the default template
# package: with a display, the editor under Wine; without one, the example scene rendered
# to a PNG and exported as an SHP sprite with its palette (into out/).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh

jobs=$(nproc)
# Configured exactly as tools/test.sh configures (our warnings as errors), so that the
# test run after this one builds nothing again.
cmake --preset native -DVANTOREL_WERROR=ON >/dev/null
cmake --build --preset native -j "$jobs"
cmake --preset windows -DVANTOREL_WERROR=ON >/dev/null
cmake --build --preset windows -j "$jobs"

editor=build/windows/bin/Vantorel.exe
if [ -n "${DISPLAY:-}" ] && [ -f "$editor" ]; then
  echo "Starting the editor under Wine on $DISPLAY (the default template package is beside it)."
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if locale -a 2>/dev/null | grep -qi '^zh_CN.utf-\?8$'; then export LANG=zh_CN.UTF-8; fi
  exec wine "$editor"
fi

tool=build/native/bin/vantorel
scene=examples/allied_invasion.ini
mkdir -p out
"$tool" render "$scene" -o out/allied_invasion.png
"$tool" export "$scene" -o out/allied_invasion.shp --palette out/allied_invasion.pal
"$tool" inspect out/allied_invasion.shp
echo
echo "Built: build/native/bin/vantorel, build/windows/bin/Vantorel.exe, build/windows/bin/vantorel-cli.exe"
echo "Wrote: out/allied_invasion.png, out/allied_invasion.shp, out/allied_invasion.pal"
