#!/usr/bin/env bash
# Times the whole `vantorel export` process (templates loaded, screen composed, palette,
# mapping, files written) against ImageMagick's undithered 256-colour reduction of the
# rendered PNG, on the default screen and the high-colour screen of
# tools/benchmarks/screens, best of RUNS runs each; then a 20-scene campaign exported in
# one call against one export. Prints the exact commands beside the figures.
#
#   tools/compare_imagemagick.sh [BUILD_DIR]
#
# BUILD_DIR defaults to build/native. ImageMagick must be Debian's /usr/bin/convert. Note
# the option order: "+dither -colors 256" turns dithering off for the reduction, while
# "-colors 256 +dither" still dithers (and takes about three times longer).
set -euo pipefail

build=${1:-build/native}
tool=$build/bin/vantorel
screens_tool=$build/bin/benchmark_screens
runs=${RUNS:-5}
convert=/usr/bin/convert
for program in "$tool" "$screens_tool"; do
  [ -x "$program" ] || { echo "no $program: build the native preset first" >&2; exit 1; }
done
"$convert" -version 2>/dev/null | grep -q ImageMagick || { echo "$convert is not ImageMagick (apt-get install imagemagick)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Best wall time of `runs` runs of a command, in milliseconds, and beside it the best CPU
# time (all threads, `perf stat -e task-clock`) when perf is there: on a busy machine the
# steadier figure. The CPU time comes from runs of their own: perf's own start adds some
# 40 ms of wall time, which would swamp a short export's.
best_ms() {
  local best= bestCpu=
  for _ in $(seq "$runs"); do
    local start end ms cpu
    start=$(date +%s%N)
    "$@" > /dev/null
    end=$(date +%s%N)
    ms=$(( (end - start) / 1000000 ))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
    if command -v perf >/dev/null; then
      perf stat -x, -e task-clock -o "$work/perf.txt" "$@" > /dev/null
      cpu=$(awk -F, '/task-clock/ { printf "%d", $1 }' "$work/perf.txt")
      if [ -z "$bestCpu" ] || [ "$cpu" -lt "$bestCpu" ]; then bestCpu=$cpu; fi
    fi
  done
  echo "$best ${bestCpu:--}"
}
row() { printf '%-86s %8s %8s\n' "$1" "$2" "${3:-}"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.1fx", a / b; else print "-" }'; }
# Ratios of wall and CPU times of two "wall cpu" figures.
ratios() {
  local label=$3
  set -- $1 $2
  row "$label" "$(ratio "$1" "$3")" "$(ratio "$2" "$4")"
}

echo "load: $(cut -d' ' -f1-3 /proc/loadavg); $(nproc) cores; best of $runs runs"
while read -r name package scene; do
  [ "$name" = flat ] && continue
  "$tool" render "$scene" --package "$package" -o "$work/screen.png"
  colours=$("$convert" "$work/screen.png" -format %k info:)
  ours=$(best_ms "$tool" export "$scene" --package "$package" -o "$work/s.shp" --palette "$work/s.pal")
  best=$(best_ms "$tool" export "$scene" --package "$package" -o "$work/s.shp" --palette "$work/s.pal" --quantizer best)
  magick=$(best_ms "$convert" "$work/screen.png" +dither -colors 256 "$work/magick.png")
  printf '\nscreen: %s, %s distinct colours\n' "$name" "$colours"
  row "command" "wall ms" "CPU ms"
  row "vantorel export $name.ini -o s.shp --palette s.pal" $ours
  row "vantorel export $name.ini -o s.shp --palette s.pal --quantizer best" $best
  row "convert screen.png +dither -colors 256 magick.png" $magick
  ratios "$magick" "$ours" "ratio convert / vantorel export (goal >= 8x)"
done < <("$screens_tool" "$work/screens")

# A campaign: 20 scenes on the default package, every side, both cameo counts, moved maps.
package=$(cd "$(dirname "$tool")" && pwd)
campaign=()
for i in $(seq 1 20); do
  sides=(Allied Soviet Yuri)
  printf '[LoadScreen]\nSide=%s\nCameos=%d\nSmallMapOffset=%d,%d\nLargeMapOffset=%d,%d\nTargetBoxY=%d\n' \
    "${sides[$((i % 3))]}" $((2 + i % 2)) $((i * 37)) $((i * 11)) $((i * 53)) $((i * 29)) $((60 + i * 9)) > "$work/m$i.ini"
  campaign+=("$work/m$i.ini")
done
one=$(best_ms "$tool" export "${campaign[0]}" -o "$work/one.shp" --palette "$work/one.pal")
all=$(best_ms "$tool" export "${campaign[@]}" --out-dir "$work/campaign")
printf '\ncampaign: 20 scenes on the default package\n'
row "command" "wall ms" "CPU ms"
row "vantorel export m1.ini -o one.shp --palette one.pal" $one
row "vantorel export m1.ini ... m20.ini --out-dir campaign" $all
ratios "$all" "$one" "ratio campaign / one export (goal <= 3x wall)"
