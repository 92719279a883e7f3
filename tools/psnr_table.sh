#!/usr/bin/env bash
# Prints the picture quality (PSNR against the rendered screen, in dB, higher is better) of
# our quantizers beside pngquant and ImageMagick on three screens (default, flat,
# high-colour; see tools/benchmarks/screens), and the whole-process time of
# `vantorel export --quantizer best` beside pngquant's, best of RUNS runs.
#
#   tools/psnr_table.sh [BUILD_DIR]
#
# Our pictures are measured as the games show them: the SHP decoded with its PAL file
# (6 bits per channel, read back times 4). pngquant's PNG keeps 8 bits per channel, which a
# PAL file cannot; "palette through a PAL file" is its palette stored in one. `--posterize 2`
# is pngquant's own setting for palette levels with the low 2 bits dropped, the fair match
# for a PAL file. "6-bit floor" is every
# pixel rounded to the nearest level a PAL file holds: no 6-bit palette gets above it.
# Needs ImageMagick (/usr/bin/convert, /usr/bin/compare) and pngquant (installed here when
# missing; measurement only, no test uses it).
set -euo pipefail

build=${1:-build/native}
runs=${RUNS:-5}
tool=$build/bin/vantorel
screens_tool=$build/bin/benchmark_screens
for program in "$tool" "$screens_tool"; do
  [ -x "$program" ] || { echo "no $program: build the native preset first" >&2; exit 1; }
done
if ! command -v pngquant >/dev/null; then
  if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends pngquant >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
psnr() { /usr/bin/compare -metric PSNR "$1" "$2" null: 2>&1 || true; }
best_ms() {
  local best=
  for _ in $(seq "$runs"); do
    local start end ms
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    ms=$(((end - start) / 1000000))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
  done
  echo "$best"
}

# export NAME EXTRA-OPTIONS...: SHP + PAL, decoded back to NAME.png
ours() {
  local name=$1
  shift
  "$tool" export "$scene" --package "$package" -o "$work/$name.shp" --palette "$work/$name.pal" "$@"
  "$tool" inspect "$work/$name.shp" --palette "$work/$name.pal" -o "$work/$name.png" >/dev/null
}

rows=("octree|vantorel export" "octree+dither|vantorel export --dither" "best|vantorel export --quantizer best"
      "best+dither|vantorel export --quantizer best --dither"
      "imagemagick|convert IN.png +dither -colors 256 OUT.png" "pngquant|pngquant --nofs 256 IN.png"
      "pngquant-pal|pngquant --nofs 256, palette through a PAL file"
      "pngquant-6bit|pngquant --nofs --posterize 2 256 IN.png"
      "pngquant-6bit-pal|pngquant --nofs --posterize 2 256, palette through a PAL file"
      "floor|6-bit floor (every pixel rounded)")
declare -A table
names=()
while read -r name package scene; do
  names+=("$name")
  "$tool" render "$scene" --package "$package" -o "$work/screen.png"
  ours octree
  ours octree+dither --dither
  ours best --quantizer best
  ours best+dither --quantizer best --dither
  /usr/bin/convert "$work/screen.png" +dither -colors 256 "$work/imagemagick.png"
  pngquant --nofs --force --output "$work/pngquant.png" 256 "$work/screen.png"
  # A PAL file keeps the top 6 bits; read back they are the value with its low 2 bits clear
  # (Q16 quantum: 0xFCFC keeps those bits of both bytes).
  /usr/bin/convert "$work/pngquant.png" -evaluate And 64764 "$work/pngquant-pal.png"
  # pngquant's setting for a palette of 6-bit levels: it drops the low 2 bits itself.
  pngquant --nofs --posterize 2 --force --output "$work/pngquant-6bit.png" 256 "$work/screen.png"
  /usr/bin/convert "$work/pngquant-6bit.png" -evaluate And 64764 "$work/pngquant-6bit-pal.png"
  /usr/bin/convert "$work/screen.png" -fx 'min(252, round(u * 255 / 4) * 4) / 255' "$work/floor.png"
  for row in "${rows[@]}"; do
    key=${row%%|*}
    table[$name,$key]=$(psnr "$work/screen.png" "$work/$key.png")
  done
  colours=$(/usr/bin/convert "$work/screen.png" -format %k info:)
  table[$name,colours]=$colours
  table[$name,best_ms]=$(best_ms "$tool" export "$scene" --package "$package" -o "$work/t.shp" --palette "$work/t.pal" --quantizer best)
  table[$name,pngquant_ms]=$(best_ms pngquant --nofs --force --output "$work/t.png" 256 "$work/screen.png")
done < <("$screens_tool" "$work/screens")

printf '\nPSNR in dB against the rendered 800 x 520 screen\n'
printf '| %-62s |' "quantizer (command)"
for name in "${names[@]}"; do printf ' %11s |' "$name"; done
printf '\n|%s|' "$(printf -- '-%.0s' $(seq 64))"
for _ in "${names[@]}"; do printf '%s|' "-------------"; done
printf '\n| %-62s |' "distinct colours"
for name in "${names[@]}"; do printf ' %11s |' "${table[$name,colours]}"; done
for row in "${rows[@]}"; do
  printf '\n| %-62s |' "${row#*|}"
  for name in "${names[@]}"; do printf ' %11.2f |' "${table[$name,${row%%|*}]}"; done
done
printf '\n\nWhole process, best of %s runs, ms\n' "$runs"
printf '| %-62s |' "command"
for name in "${names[@]}"; do printf ' %11s |' "$name"; done
printf '\n| %-62s |' "vantorel export SCENE.ini --quantizer best (render included)"
for name in "${names[@]}"; do printf ' %11s |' "${table[$name,best_ms]}"; done
printf '\n| %-62s |' "pngquant --nofs 256 SCREEN.png (on the rendered PNG)"
for name in "${names[@]}"; do printf ' %11s |' "${table[$name,pngquant_ms]}"; done
printf '\n'
