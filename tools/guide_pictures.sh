#!/usr/bin/env bash
# Takes the user guide's pictures from the real editor, in both languages:
#
#   tools/guide_pictures.sh [windows build folder] [output folder]
#
# The build folder (default build/windows) must hold bin/Vantorel.exe; the pictures go to
# docs/help/images/ by default: window-LANG.jpg (the window with the Allied example scene),
# preview-LANG.jpg (the same with Preview as exported on), preview_640-LANG.jpg (the
# 640 x 400 preview with the entry-0 marks) and shp_dialog-LANG.png (the SHP
# save settings with the MIX group filled in), LANG being english and chinese. The editor
# runs under Wine on a private Xvfb display with a fresh prefix, both removed at the end;
# the language and the window's place are set through the per-user settings file, as a
# user's choice would. Look at every picture before you keep it.
# Needs Debian's wine, xvfb, imagemagick (/usr/bin/import, /usr/bin/convert), x11-utils
# (xwininfo) and xdotool.
set -euo pipefail

repo_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${1:-$repo_dir/build/windows}
out_dir=${2:-$repo_dir/docs/help/images}
import=/usr/bin/import
convert=/usr/bin/convert

fail() { echo "guide_pictures: $*" >&2; exit 2; }
source "$repo_dir/tools/wine_env.sh"
for tool in wine wineboot wineserver Xvfb xwininfo xdotool "$import" "$convert"; do
  command -v "$tool" >/dev/null || fail "'$tool' not found (Debian packages: wine xvfb x11-utils xdotool imagemagick)"
done
[ -f "$build_dir/bin/Vantorel.exe" ] || fail "no $build_dir/bin/Vantorel.exe (build the windows preset first)"
mkdir -p "$out_dir"
out_dir=$(cd "$out_dir" && pwd)
unset DISPLAY

work=$(mktemp -d "${TMPDIR:-/tmp}/vantorel-pictures.XXXXXX")
xvfb_pid=
cleanup() {
  set +e
  [ -d "$work/prefix" ] && WINEPREFIX=$work/prefix wineserver -k 2>/dev/null
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT

xvfb_start "$work" 1280x1024x24 || fail "Xvfb gave no display number: $(cat "$work/xvfb.log")"
export DISPLAY=$xvfb_display

# The Chinese captions need Wine's code page 936: a private zh_CN locale when the system lacks it.
wine_locale=(env LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8)
if ! locale -a 2>/dev/null | grep -qiE '^zh_CN\.utf-?8$'; then
  mkdir -p "$work/locale"
  localedef -i zh_CN -f UTF-8 "$work/locale/zh_CN.UTF-8" >/dev/null 2>&1 || fail "localedef could not generate zh_CN.UTF-8"
  wine_locale+=(LOCPATH="$work/locale")
fi

mkdir -p "$work/prefix"
"${wine_locale[@]}" bash -c "source '$repo_dir/tools/wine_env.sh'; wine_prefix_start '$work/prefix'"
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
ln -sfn "$work" "$WINEPREFIX/dosdevices/t:"
# In the Chinese code page Wine draws the dialogs in SimSun, which it lacks, and the
# captions in its bold: Debian's WenQuanYi Micro Hei (fonts-wqy-microhei) stands in for both,
# as a Chinese system's own font would (the caption names it, which Wine can embolden).
[ -f /usr/share/fonts/truetype/wqy/wqy-microhei.ttc ] || fail "no WenQuanYi Micro Hei (Debian package fonts-wqy-microhei)"
python3 - "$work/fonts.reg" <<'PYTHON'
import struct, sys
face = "WenQuanYi Micro Hei"
# LOGFONTW: height -12, weight 700, charset GB2312 (0x86), the face in UTF-16.
logfont = struct.pack("<5l8B", -12, 0, 0, 0, 700, 0, 0, 0, 0x86, 0, 0, 0, 0x22) + face.encode("utf-16-le").ljust(64, b"\0")
with open(sys.argv[1], "w", newline="") as reg:
    reg.write("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n")
    reg.write(f'"SimSun"="{face}"\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics]\r\n')
    reg.write('"CaptionFont"=hex:' + ",".join(f"{b:02x}" for b in logfont) + "\r\n")
PYTHON
"${wine_locale[@]}" wine regedit /S 'T:\fonts.reg' >/dev/null 2>&1 || true
wineserver -k 2>/dev/null || true

# The editor beside its package, the example scene beside its screenshot, as drive T:.
mkdir -p "$work/stage" "$work/scenes"
cp "$build_dir/bin/Vantorel.exe" "$work/stage/"
cp -R "$repo_dir/resources/package/." "$work/stage/"
cp "$repo_dir/examples/allied_invasion.ini" "$repo_dir/examples/"*.png "$work/scenes/"
appdata=$(find "$WINEPREFIX/drive_c/users" -maxdepth 3 -type d -name Roaming -path "*/AppData/*" | grep -v /Public/ | head -n 1)
[ -n "$appdata" ] || fail "no application-data folder in the prefix"

# The id of the top-level window whose name holds $1, waiting up to 20 s.
window_id() {
  local id
  for _ in $(seq 200); do
    id=$(xwininfo -root -tree | grep -F "$1" | head -n 1 | awk '{print $1}') || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  fail "no window named '$1...'"
}
# The window's picture, as the screen shows it, cropped to the window.
take() {
  local id=$1 file=$2 geometry
  geometry=$(xwininfo -id "$id" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^ *Width/ {w=$NF} /^ *Height/ {h=$NF} END {printf "%dx%d+%d+%d", w, h, x, y}')
  "$import" -window root "$work/screen.png"
  "$convert" "$work/screen.png" -crop "$geometry" +repage -quality 85 "$file"
  echo "guide_pictures: $file ($geometry)"
}

for language in ${VANTOREL_PICTURE_LANGUAGES:-chinese english}; do
  settings_dir=$appdata/Vantorel
  rm -rf "$settings_dir"
  mkdir -p "$settings_dir"
  Name=${language^}
  printf '[Interface]\r\nLanguage=%s\r\n[Window]\r\nLeft=10\r\nTop=10\r\nWidth=840\r\nHeight=640\r\nMaximized=no\r\n' "$Name" \
    >"$settings_dir/settings.ini"
  printf '[Mix]\r\nPack=1\r\nFile=expandmymod01.mix\r\nMap=ALL01UMD.MAP\r\nMissionFile=missionmd.ini\r\n' >"$settings_dir/mix.ini"
  rm -f "$work/scenes/"*.shp "$work/scenes/"*.pal
  "${wine_locale[@]}" wine 'T:\stage\Vantorel.exe' 'T:\scenes\allied_invasion.ini' >"$work/editor-$language.log" 2>&1 &
  editor_pid=$!
  main=$(window_id "Vantorel 1.11 - allied_invasion")
  sleep 3
  take "$main" "$out_dir/window-$language.jpg"

  # Preview as exported (Ctrl+E); the octree preview is drawn at once.
  xdotool windowfocus --sync "$main" 2>/dev/null || xdotool windowfocus "$main"
  xdotool key --clearmodifiers ctrl+e
  sleep 3
  take "$main" "$out_dir/preview-$language.jpg"
  xdotool key --clearmodifiers ctrl+e
  sleep 1

  # View > Preview the 640 x 400 screen (the ninth item), then View > Mark palette entry 0
  # pixels (the tenth), then the 640 item again to switch the preview off.
  view_item() { xdotool key F10 Right Right; for _ in $(seq "$1"); do xdotool key Down; done; xdotool key Return; }
  view_item 9
  sleep 2
  view_item 10
  sleep 3
  take "$main" "$out_dir/preview_640-$language.jpg"
  view_item 9
  sleep 1

  # File > Save as SHP: the menu by keyboard (F10, the File menu, the fifth item), the file
  # dialog given a name, then the SHP save settings with the remembered MIX group.
  xdotool key F10 Down Down Down Down Down Return
  sleep 2
  xdotool type --delay 50 'T:\scenes\all01.shp'
  xdotool key Return
  if [ "$language" = english ]; then dialog=$(window_id "SHP Save Settings"); else dialog=$(window_id "SHP 保存配置"); fi
  sleep 2
  take "$dialog" "$out_dir/shp_dialog-$language.png"
  xdotool key Escape
  sleep 1

  WINEPREFIX=$WINEPREFIX wineserver -k 2>/dev/null || true
  wait "$editor_pid" 2>/dev/null || true
done
