#!/usr/bin/env bash
# Times the whole `vantorel export` process (templates loaded, screen composed, palette,
# mapping, files written and flushed) against ImageMagick's undithered 256-colour reduction
# of the rendered PNG, on the default screen and the high-colour screen of
# tools/benchmarks/screens; then a 20-scene campaign exported in one call against one export.
# The commands of a comparison run in turn, RUNS rounds (default 7), and the medians are
# printed beside the exact commands, with the load average before and after: on a machine
# others use, load that comes and goes then falls on both sides alike.
#
#   tools/compare_imagemagick.sh [BUILD_DIR]
#
# BUILD_DIR defaults to build/native. ImageMagick must be Debian's /usr/bin/convert. Note
# the option order: "+dither -colors 256" turns dithering off for the reduction, while
# "-colors 256 +dither" still dithers (and takes about three times longer).
# The tool reads its templates' decoded pictures from a cache of its own for the run, filled
# by a first export that is not counted: the user's cache is shared with every other run on
# the machine and can lose entries between two of these runs, and a rebuild gives the
# templates new times, which makes their entries stale.
set -euo pipefail

build=${1:-build/native}
tool=$build/bin/vantorel
screens_tool=$build/bin/benchmark_screens
runs=${RUNS:-7}
convert=/usr/bin/convert
for program in "$tool" "$screens_tool"; do
  [ -x "$program" ] || { echo "no $program: build the native preset first" >&2; exit 1; }
done
"$convert" -version 2>/dev/null | grep -q ImageMagick || { echo "$convert is not ImageMagick (apt-get install imagemagick)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CACHE_HOME=$work/cache

# The wall time and the CPU time (user and system, all threads) of one run, in ms.
timed_run() {
  local TIMEFORMAT='%3R %3U %3S' times
  times=$({ time "$@" > /dev/null 2>&1; } 2>&1)
  awk '{ printf "%d %d\n", $1 * 1000, ($2 + $3) * 1000 }' <<< "$times"
}
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# Runs the commands (functions named in "$@") in turn, `runs` rounds, after one run each
# that is not counted; then sets wall[NAME] and cpu[NAME] to the medians.
declare -A wall cpu
interleaved() {
  local name round
  for name in "$@"; do "$name" > /dev/null 2>&1; rm -f "$work/$name.times"; done
  for round in $(seq "$runs"); do
    for name in "$@"; do timed_run "$name" >> "$work/$name.times"; done
  done
  for name in "$@"; do
    wall[$name]=$(cut -d' ' -f1 "$work/$name.times" | median)
    cpu[$name]=$(cut -d' ' -f2 "$work/$name.times" | median)
  done
}
row() { printf '%-86s %8s %8s\n' "$1" "$2" "${3:-}"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.1fx", a / b; else print "-" }'; }
load() { cut -d' ' -f1-3 /proc/loadavg; }

echo "$(nproc) cores ($(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)); medians of $runs interleaved rounds"
while read -r name package scene; do
  [ "$name" = flat ] && continue
  "$tool" render "$scene" --package "$package" -o "$work/screen.png"
  colours=$("$convert" "$work/screen.png" -format %k info:)
  ours() { "$tool" export "$scene" --package "$package" -o "$work/s.shp" --palette "$work/s.pal"; }
  best() { "$tool" export "$scene" --package "$package" -o "$work/s.shp" --palette "$work/s.pal" --quantizer best; }
  magick() { "$convert" "$work/screen.png" +dither -colors 256 "$work/magick.png"; }
  before=$(load)
  interleaved ours best magick
  printf '\nscreen: %s, %s distinct colours; load %s before, %s after\n' "$name" "$colours" "$before" "$(load)"
  row "command" "wall ms" "CPU ms"
  row "vantorel export $name.ini -o s.shp --palette s.pal" "${wall[ours]}" "${cpu[ours]}"
  row "vantorel export $name.ini -o s.shp --palette s.pal --quantizer best" "${wall[best]}" "${cpu[best]}"
  row "convert screen.png +dither -colors 256 magick.png" "${wall[magick]}" "${cpu[magick]}"
  row "ratio convert / vantorel export (goal >= 8x)" "$(ratio "${wall[magick]}" "${wall[ours]}")" \
    "$(ratio "${cpu[magick]}" "${cpu[ours]}")"
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
one() { "$tool" export "${campaign[0]}" -o "$work/one.shp" --palette "$work/one.pal"; }
all() { "$tool" export "${campaign[@]}" --out-dir "$work/campaign"; }
before=$(load)
interleaved one all
printf '\ncampaign: 20 scenes on the default package; load %s before, %s after\n' "$before" "$(load)"
row "command" "wall ms" "CPU ms"
row "vantorel export m1.ini -o one.shp --palette one.pal" "${wall[one]}" "${cpu[one]}"
row "vantorel export m1.ini ... m20.ini --out-dir campaign" "${wall[all]}" "${cpu[all]}"
row "ratio campaign / one export (goal <= 3x wall)" "$(ratio "${wall[all]}" "${wall[one]}")" \
  "$(ratio "${cpu[all]}" "${cpu[one]}")"
