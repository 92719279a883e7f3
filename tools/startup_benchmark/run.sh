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
# The figure is the editor's first picture after the floor's window is mapped. Then
# BREAKDOWN_ROUNDS (default 5) traced starts of each program give a breakdown from inside the
# process (Wine's debug output, timestamped on the watcher's clock, of the start whose
# picture came at the median time): slower than untraced starts, and beside the figure,
# not instead of it. KEEP_TRACES=DIR keeps each traced start's Wine debug output there
# (NAME.ROUND.trace).
#
# Usage: tools/startup_benchmark/run.sh [WINDOWS_BUILD [NATIVE_BUILD]]
#        (defaults build/windows and build/native)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
windows=$(cd "${1:-$here/../../build/windows}" && pwd)
native=$(cd "${2:-$here/../../build/native}" && pwd)
rounds=${ROUNDS:-7}
breakdown_rounds=${BREAKDOWN_ROUNDS:-5}
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
xvfb_pid=
keeper=
cleanup() {
  [ -n "$keeper" ] && kill "$keeper" 2>/dev/null
  wine_prefix_stop
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
xvfb_start "$work" 1280x1024x24 || { echo "Xvfb gave no display: $(cat "$work/xvfb.log")" >&2; exit 2; }
wine_prefix_start
export DISPLAY=$xvfb_display
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

# The breakdown: Wine's debug output of the starts of both programs, timestamped (the loader,
# window messages with their window classes, hooks, threads, files), in turn as above.
trace() {
  local name=$1 program=$2 main=$3 round=$4 line
  shift 4
  line=$(WINEDEBUG=+timestamp,+loaddll,+message,+hook,+thread,+file measure "$@" 2> "$work/trace")
  [ -z "${KEEP_TRACES:-}" ] || { mkdir -p "$KEEP_TRACES" && cp "$work/trace" "$KEEP_TRACES/$name.$round.trace"; }
  awk -v launch="$(field launch <<< "$line")" -v program="$program" -v main="$main" \
    -f "$here/trace_milestones.awk" "$work/trace" > "$work/$name.milestones.$round"
  printf 'x_mapped %s\nx_picture %s\n' "$(field mapped <<< "$line")" "$(field picture <<< "$line")" \
    >> "$work/$name.milestones.$round"
}
for round in $(seq "$breakdown_rounds"); do
  trace floor startup_floor.exe StartupFloor "$round" launch_floor
  trace editor Vantorel.exe VANTORClass "$round" launch_editor
done
# One whole start of each, the one whose picture came at the median time: the steps of
# different starts do not add up to one start.
median_run() {
  local name=$1 run
  for run in "$work/$name".milestones.*; do echo "$(awk '$1 == "x_picture" { print $2 }' "$run") $run"; done |
    sort -n | awk '{ v[NR] = $2 } END { print v[int((NR + 1) / 2)] }'
}
[ "$breakdown_rounds" -gt 0 ] || exit 0
floor_run=$(median_run floor) editor_run=$(median_run editor)
milestone() { awk -v key="$2" '$1 == key { found = $2 } END { print found == "" ? "-" : found }' "$1"; }
printf '\nbreakdown: of %d traced starts of each (warm), the one whose picture came at the median\n' "$breakdown_rounds"
printf 'time, ms after the launch (- : not before the picture showed and the program was ended):\n'
printf '  %-56s %10s %10s\n' "" floor editor
while read -r key label; do
  printf '  %-56s %10s %10s\n' "$label" "$(milestone "$floor_run" "$key")" "$(milestone "$editor_run" "$key")"
done <<'EOF_LABELS'
exe executable loaded (Wine's loader)
hook dialog hook installed
settings per-user settings opened
thread second thread starts (the templates)
templates first template file opened
create main window: creation begins (WM_NCCREATE)
created main window: WM_CREATE returned
shown main window shown (WM_SHOWWINDOW)
x_mapped X: the main window mapped
erased view: erased to the window colour (WM_ERASEBKGND)
paint view: first WM_PAINT begins
painted view: first WM_PAINT ends
x_picture X: the picture (the floor: its colour) shows
recovery recovery scan (FindFirstFile)
EOF_LABELS
