#!/usr/bin/env bash
# The editor's start as a user sees it, measured from outside the process: an X11 client
# (first_picture_watch, native build) launches the program under Wine on a virtual display
# and notes when its main window is mapped and when the window first shows the composed
# load screen, pixel for pixel against `vantorel render` of the start screen. The floor is
# startup_floor.exe, a window program with the editor's imports that paints one colour;
# floor and editor are launched in turn, round by round, with a warm wine server (a keeper
# process holds the Wine desktop between launches), and the medians of ROUNDS rounds
# (default 7) are printed:
#   warm: the editor's picture cache filled by an earlier start, the files in the page cache;
#   cold: before each launch the picture cache removed and the programs' own files (the
#         executable, Templates/, Settings.ini) dropped from the page cache; Wine's files
#         stay cached, for both programs alike.
# Then BREAKDOWN_ROUNDS (default 3) traced starts of the editor give a breakdown from inside
# its process (Wine's debug output, timestamped on the watcher's clock): slower than the
# untraced starts, so only the order and the gaps mean something.
#
# Usage: tools/startup_benchmark/run.sh [WINDOWS_BUILD [NATIVE_BUILD]]
#        (defaults build/windows and build/native)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
windows=$(cd "${1:-$here/../../build/windows}" && pwd)
native=$(cd "${2:-$here/../../build/native}" && pwd)
rounds=${ROUNDS:-7}
breakdown_rounds=${BREAKDOWN_ROUNDS:-3}
for program in Vantorel.exe startup_floor.exe desktop_keeper.exe; do
  [ -f "$windows/bin/$program" ] || { echo "no $windows/bin/$program: build the windows preset first" >&2; exit 2; }
done
watch=$native/bin/first_picture_watch
for program in "$watch" "$native/bin/vantorel"; do
  [ -x "$program" ] || { echo "no $program: build the native preset first (the watcher needs libx11-dev, libxdamage-dev and libxext-dev)" >&2; exit 2; }
done
editor=$windows/bin/Vantorel.exe floor=$windows/bin/startup_floor.exe
title="Vantorel "  # the main window's title begins so in either language

source "$here/../wine_env.sh"
work=$(mktemp -d)
exec 5>"$work/display"
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
keeper=
cleanup() {
  [ -n "$keeper" ] && kill "$keeper" 2>/dev/null
  wine_prefix_stop
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
wine_prefix_start
export DISPLAY=":$(head -1 "$work/display")"
wineserver -p
wine "$windows/bin/desktop_keeper.exe" > "$work/keeper" &
keeper=$!
for _ in $(seq 300); do grep -q ready "$work/keeper" && break; sleep 0.1; done

printf '[LoadScreen]\n' > "$work/start.ini"
"$native/bin/vantorel" render "$work/start.ini" --package "$windows/bin" -o "$work/start.png"
picture_cache=$(echo "$WINEPREFIX"/drive_c/users/*/AppData/Local)/Vantorel/ImageCache

# Drops the files from the page cache (only pages no process maps; nothing else is touched).
evict() { for file in "$@"; do dd if="$file" iflag=nocache count=0 status=none; done; }
# One launch, watched; prints the watcher's line. A launch whose picture never shows stops
# the benchmark with the watcher's line.
launch_floor() { "$watch" --title floor --colour 010203 -- wine "$floor"; }
launch_editor() { "$watch" --title "$title" --picture "$work/start.png" ${at:+--at "$at"} -- wine "$editor"; }
measure() {
  local line
  sleep 0.3  # the last program's end settles first
  line=$("$@") || { echo "no picture within 10 s: $line" >&2; exit 1; }
  echo "$line"
}
field() { awk -v name="$1" '{ for (i = 1; i < NF; ++i) if ($i == name) print $(i + 1) }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else if (NR) printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "load: $(cut -d' ' -f1-3 /proc/loadavg); $(nproc) cores; $rounds rounds; $(wine --version 2>/dev/null)"
# Not counted: they bring the files into the page cache and fill the picture cache; the
# editor's also finds where its picture shows, which the counted launches then check alone.
at=
measure launch_floor > /dev/null
at=$(measure launch_editor | field at)

run_block() {
  local mode=$1 round floorLine editorLine
  for round in $(seq "$rounds"); do
    [ "$mode" = cold ] && evict "$floor"
    floorLine=$(measure launch_floor)
    if [ "$mode" = cold ]; then
      rm -rf "$picture_cache"
      evict "$editor" "$windows/bin/Settings.ini" "$windows"/bin/Templates/*
    fi
    editorLine=$(measure launch_editor)
    echo "$floorLine" >> "$work/$mode.floor"
    echo "$editorLine" >> "$work/$mode.editor"
    printf '  %s round %d: floor mapped %6s, first frame %6s; editor mapped %6s, picture %6s ms (white checks %s)\n' \
      "$mode" "$round" "$(field mapped <<< "$floorLine")" "$(field picture <<< "$floorLine")" \
      "$(field mapped <<< "$editorLine")" "$(field picture <<< "$editorLine")" "$(field white <<< "$editorLine")"
  done
}
report_block() {
  local mode=$1
  local floorMapped floorFrame editorMapped editorPicture
  floorMapped=$(field mapped < "$work/$mode.floor" | median)
  floorFrame=$(field picture < "$work/$mode.floor" | median)
  editorMapped=$(field mapped < "$work/$mode.editor" | median)
  editorPicture=$(field picture < "$work/$mode.editor" | median)
  printf '\n%s, median of %d interleaved rounds, ms after the launch (`wine PROGRAM`):\n' "$mode" "$rounds"
  printf '  floor window mapped                      %7.1f\n' "$floorMapped"
  printf '  floor first frame (its one colour)       %7.1f\n' "$floorFrame"
  printf '  editor window mapped                     %7.1f  (%+.1f after the floor'"'"'s window)\n' "$editorMapped" \
    "$(awk -v a="$editorMapped" -v b="$floorMapped" 'BEGIN { print a - b }')"
  printf '  editor first picture                     %7.1f  (%+.1f after the floor'"'"'s window; goal at most 60)\n' \
    "$editorPicture" "$(awk -v a="$editorPicture" -v b="$floorMapped" 'BEGIN { print a - b }')"
}

run_block warm
run_block cold
report_block warm
report_block cold

# The breakdown: Wine's relay trace of a few calls that mark the editor's steps, plus the
# view's window procedure (its WM_PAINT draws the picture). Relay tracing reads its list from
# the registry when a traced process starts.
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Debug]\r\n"RelayInclude"="%s"\r\n' \
  "user32.SetWindowsHookExA;user32.CreateWindowExA;user32.ShowWindow;user32.SetWindowPlacement;kernel32.CreateFileW;kernel32.FindFirstFileA" \
  > "$work/relay.reg"
wine regedit /S "$work/relay.reg" >/dev/null 2>&1
view_procedure=$(x86_64-w64-mingw32-nm -C "$editor" | awk '/ MapViewProc\(/ && !found { print toupper($1); found = 1 }')
for round in $(seq "$breakdown_rounds"); do
  line=$(WINEDEBUG=+timestamp,+loaddll,+relay measure launch_editor 2> "$work/trace")
  awk -v launch="$(field launch <<< "$line")" -v view="$view_procedure" -f "$here/trace_milestones.awk" "$work/trace" \
    > "$work/milestones.$round"
  printf 'x_mapped %s\nx_picture %s\n' "$(field mapped <<< "$line")" "$(field picture <<< "$line")" >> "$work/milestones.$round"
done
printf '\nbreakdown: %d traced starts of the editor (warm), median ms after the launch:\n' "$breakdown_rounds"
while read -r key label; do
  value=$(cat "$work"/milestones.* | awk -v key="$key" '$1 == key { print $2 }' | median)
  printf '  %-58s %7s\n' "$label" "${value:--}"
done <<'EOF_LABELS'
exe Vantorel.exe loaded (Wine's loader)
entry main thread starts (libraries initialised)
hook dialog hook installed (SetWindowsHookExA)
settings per-user settings opened
thread template thread starts
create main window: CreateWindowExA called
created main window: CreateWindowExA returned
shown main window shown (ShowWindow or SetWindowPlacement)
x_mapped X: the main window mapped
paint view: first WM_PAINT begins
painted view: first WM_PAINT ends
x_picture X: the picture shows
recovery recovery scan (FindFirstFileA; - when after the picture)
EOF_LABELS
