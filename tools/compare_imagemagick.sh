#!/usr/bin/env bash
# Times ImageMagick's 256-colour reduction without dithering against `vantorel export` on the
# same load screen, best of RUNS runs each, and prints both and their ratio.
#
#   tools/compare_imagemagick.sh [BUILD_DIR] [SCENE.ini]
#
# BUILD_DIR defaults to build/native; without a scene, the Allied screen of the package
# beside the tool is used. ImageMagick must be Debian's /usr/bin/convert.
set -euo pipefail

build=${1:-build/native}
tool=$build/bin/vantorel
runs=${RUNS:-5}
convert=/usr/bin/convert
[ -x "$tool" ] || { echo "no tool at $tool: build the vantorel target first" >&2; exit 1; }
"$convert" -version 2>/dev/null | grep -q ImageMagick || { echo "$convert is not ImageMagick (apt-get install imagemagick)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
scene=${2:-}
if [ -z "$scene" ]; then
  scene=$work/scene.ini
  printf '[LoadScreen]\nSide=Allied\nCameos=2\n' > "$scene"
fi
"$tool" render "$scene" -o "$work/screen.png"

# Best wall time of `runs` runs of a command, in milliseconds.
best_ms() {
  local best=
  for _ in $(seq "$runs"); do
    local start end
    start=$(date +%s%N)
    "$@" > /dev/null
    end=$(date +%s%N)
    local ms=$(( (end - start) / 1000000 ))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
  done
  echo "$best"
}

render_ms=$(best_ms "$tool" render "$scene" -o "$work/again.png")
ours_ms=$(best_ms "$tool" export "$scene" -o "$work/screen.shp" --palette "$work/screen.pal")
magick_ms=$(best_ms "$convert" "$work/screen.png" -colors 256 +dither "$work/magick.png")

colours=$("$convert" "$work/screen.png" -format %k info:)
echo "screen: $(basename "$scene"), $colours distinct colours; best of $runs runs"
printf '%-58s %8s\n' "command" "ms"
printf '%-58s %8d\n' "vantorel render (load templates, compose, write PNG)" "$render_ms"
printf '%-58s %8d\n' "vantorel export (load, compose, quantize, map, write)" "$ours_ms"
printf '%-58s %8d\n' "convert screen.png -colors 256 +dither out.png" "$magick_ms"
awk -v m="$magick_ms" -v o="$ours_ms" 'BEGIN { if (o > 0) printf "ratio convert / vantorel export: %.1f\n", m / o }'
