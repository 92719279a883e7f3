#!/usr/bin/env bash
# Stress: pairs of exports of two different scenes to the same SHP and PAL at the same time.
# Prints how many pairs ended with an SHP and a PAL from the same run, how many runs failed
# (and with what), and what was left beside the targets. Usage: tools/concurrent_exports.sh [PAIRS]
# Needs the native build (cmake --preset native && cmake --build --preset native -j2), or
# another tool named in VANTOREL_TOOL.
set -euo pipefail
cd "$(dirname "$0")/.."
tool=${VANTOREL_TOOL:-$PWD/build/native/bin/vantorel}
pairs=${1:-200}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Two scenes whose sprites and palettes differ; each one's pair, exported alone, is the key.
printf '[LoadScreen]\nSide=Allied\n' > "$work/a.ini"
printf '[LoadScreen]\nSide=Soviet\nCameos=3\n' > "$work/b.ini"
for s in a b; do "$tool" export "$work/$s.ini" -o "$work/$s.shp" --palette "$work/$s.pal"; done
key_a=$(cat "$work/a.shp" "$work/a.pal" | md5sum | cut -c1-32)
key_b=$(cat "$work/b.shp" "$work/b.pal" | md5sum | cut -c1-32)
mkdir "$work/out"
consistent=0 mixed=0 failed=0 leftovers=0
for ((i = 0; i < pairs; i++)); do
  "$tool" export "$work/a.ini" -o "$work/out/t.shp" --palette "$work/out/t.pal" 2>>"$work/errors" & first=$!
  "$tool" export "$work/b.ini" -o "$work/out/t.shp" --palette "$work/out/t.pal" 2>>"$work/errors" & second=$!
  wait "$first" || failed=$((failed + 1))
  wait "$second" || failed=$((failed + 1))
  got=$(cat "$work/out/t.shp" "$work/out/t.pal" | md5sum | cut -c1-32)
  if [[ $got == "$key_a" || $got == "$key_b" ]]; then consistent=$((consistent + 1)); else mixed=$((mixed + 1)); fi
  leftovers=$((leftovers + $(find "$work/out" -name 't.*.~*' | wc -l)))
done
echo "concurrent export pairs: $pairs; consistent SHP+PAL: $consistent; mixed: $mixed; failed runs: $failed; files left: $leftovers"
echo "    $ $tool export A.ini -o t.shp --palette t.pal & $tool export B.ini -o t.shp --palette t.pal &"
if [[ -s $work/errors ]]; then echo "errors:"; sort "$work/errors" | uniq -c | head -5; fi
