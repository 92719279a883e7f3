#!/usr/bin/env bash
# Prints the peak memory and time of the tool on tiny hostile inputs beside an ordinary
# export, each with the exact command: what a few bytes can make the tool spend.
# Needs the native build (cmake --preset native && cmake --build --preset native -j2).
set -euo pipefail
cd "$(dirname "$0")/.."
tool=build/native/bin/vantorel
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 54-byte BMP claiming 8192 x 8192 pixels of 24 bits, as a scene's screenshot.
printf 'BM\x36\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\0\x20\0\0\0\x20\0\0\x01\0\x18\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0' > "$work/huge.bmp"
printf '[LoadScreen]\nScreenshot=huge.bmp\n' > "$work/huge.ini"
# 32-byte SHP: an 8192 x 8192 sprite with one empty frame.
printf '\0\0\0\x20\0\x20\x01\0' > "$work/huge.shp"
head -c 24 /dev/zero >> "$work/huge.shp"
head -c 768 /dev/zero > "$work/zero.pal"
# 32-byte SHP at the size every SHP may be drawn at, whatever its length: 2048 x 2048.
printf '\0\0\0\x08\0\x08\x01\0' > "$work/floor.shp"
head -c 24 /dev/zero >> "$work/floor.shp"

measure() {
  local label=$1; shift
  /usr/bin/time -o "$work/figures" -f '%M %e %x' "$@" >/dev/null 2>"$work/err" || true
  read -r peak seconds status < <(tail -n 1 "$work/figures")
  printf '%-42s peak %6d KB  %5.2f s  exit %s  %s\n' "$label" "$peak" "$seconds" "$status" "$(head -c 100 "$work/err")"
  printf '    $ %s\n' "$*"
}

measure "render, 54-byte BMP of 8192 x 8192" "$tool" render "$work/huge.ini" -o "$work/out.png"
measure "inspect -o, 32-byte SHP of 8192 x 8192" "$tool" inspect "$work/huge.shp" --palette "$work/zero.pal" -o "$work/d.png"
measure "inspect -o, 32-byte SHP of 2048 x 2048" "$tool" inspect "$work/floor.shp" --palette "$work/zero.pal" -o "$work/f.png"
printf '[LoadScreen]\nTargetBoxY=-1000000000\n' > "$work/far.ini"
mkfifo "$work/pipe.png"
printf '[LoadScreen]\nScreenshot=pipe.png\n' > "$work/fifo.ini"
measure "render, target box a billion pixels up" "$tool" render "$work/far.ini" -o "$work/far.png"
measure "render, a FIFO as the screenshot" timeout 10 "$tool" render "$work/fifo.ini" -o "$work/fifo.png"
measure "export of an example (for comparison)" "$tool" export examples/allied_invasion.ini -o "$work/a.shp" --palette "$work/a.pal"
measure "inspect -o of that export" "$tool" inspect "$work/a.shp" --palette "$work/a.pal" -o "$work/a.png"
