#!/bin/sh
# Draws the editor's icon (resources/vantorel.ico): a globe on a dark tile, framed by a
# target box, with a side-coloured marker. Drawn once at 256 x 256 and scaled down, so
# every size of the .ico shows the same picture. Needs ImageMagick (Debian: imagemagick).
# Usage: tools/icon/make_icon.sh [output.ico]
set -eu
magick=/usr/bin/convert
out=${1:-$(dirname "$0")/../../resources/vantorel.ico}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$magick" -size 256x256 xc:none \
  -fill '#1b2a3a' -stroke '#0c141d' -strokewidth 6 -draw 'roundrectangle 6,6 250,250 36,36' \
  -fill '#1f6f8b' -stroke '#9fd3e6' -strokewidth 6 -draw 'circle 128,132 128,40' \
  -fill none -stroke '#9fd3e6' -strokewidth 4 \
  -draw 'ellipse 128,132 40,92 0,360' \
  -draw 'line 36,132 220,132' \
  -draw 'ellipse 128,132 92,30 180,360' -draw 'ellipse 128,132 92,30 0,180' \
  -fill '#3fa34d' -stroke none \
  -draw 'polygon 70,90 110,78 122,104 98,120 84,112' \
  -draw 'polygon 140,150 176,140 186,172 160,196 146,178' \
  -fill none -stroke '#ffd23f' -strokewidth 10 \
  -draw 'polyline 22,70 22,22 70,22' -draw 'polyline 186,22 234,22 234,70' \
  -draw 'polyline 22,186 22,234 70,234' -draw 'polyline 186,234 234,234 234,186' \
  -fill '#ce0000' -stroke '#ffffff' -strokewidth 5 \
  -draw 'polygon 160,70 196,70 178,104' \
  "$work/icon-256.png"

for size in 16 24 32 48 64; do
  "$magick" "$work/icon-256.png" -resize ${size}x${size} "$work/icon-$size.png"
done
"$magick" "$work/icon-16.png" "$work/icon-24.png" "$work/icon-32.png" "$work/icon-48.png" \
  "$work/icon-64.png" "$work/icon-256.png" -depth 8 "$out"
echo "wrote $out"
