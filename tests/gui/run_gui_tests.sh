#!/usr/bin/env bash
# Black-box GUI tests of Vantorel.exe under Wine, on a private Xvfb display and a fresh Wine
# prefix, both made in a temporary folder and removed at the end.
#
#   tests/gui/run_gui_tests.sh [windows build folder] [scenario...]
#
# The build folder (default: build/windows of this repository) must hold bin/Vantorel.exe,
# bin/vantorel_gui_driver.exe and bin/vantorel_gui_probe.dll; this script builds and
# installs nothing. Scenario names (startup keys markers settings view clipboard exit
# startup_failures shp_export mix save_image about cameos screenshot colourize scenes undo
# comfort language system_language zoom new_and_recent paste recovery preview placement names
# dpi palette_name mission game_preview command_line soak) limit the run. Each runs with the
# Chinese interface, then with the English one (all but the soak); VANTOREL_GUI_LANGUAGES=english (or chinese) runs one. Exits non-zero when a check fails or the run cannot start. Safe to run
# several times, also at once: every run has its own display, prefix and folders.
# VANTOREL_SOAK_ROUNDS=N makes the soak run N rounds after its warm-up (default 4, about
# 8 s each); the time limit grows with it. The run ends with a summary of each pass and
# the checks that failed.
set -euo pipefail

script_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo_dir=$(cd "$script_dir/../.." && pwd)
build_dir=${1:-$repo_dir/build/windows}
shift $(( $# > 0 ? 1 : 0 ))
package_dir=$repo_dir/resources/package

fail() { echo "run_gui_tests: $*" >&2; exit 2; }
source "$repo_dir/tools/wine_env.sh"  # for xvfb_start; this script boots its own prefix
# Never touch a display of the caller's: Wine only ever sees the private Xvfb below.
unset DISPLAY
to_windows() { local path=$1; echo "Z:${path//\//\\}"; }
seconds_since() { awk -v a="$1" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.1f", b - a }'; }

for tool in wine wineboot wineserver Xvfb; do
  command -v "$tool" >/dev/null || fail "'$tool' not found (Debian packages: wine wine64 xvfb)"
done
[ -d "$build_dir" ] || fail "no build folder $build_dir (build the windows preset first)"
build_dir=$(cd "$build_dir" && pwd)
for file in Vantorel.exe vantorel_gui_driver.exe vantorel_gui_probe.dll; do
  [ -f "$build_dir/bin/$file" ] || fail "missing $build_dir/bin/$file (build targets Vantorel and vantorel_gui_driver)"
done
[ -f "$package_dir/Settings.ini" ] && [ -d "$package_dir/Templates" ] ||
  fail "the template package in $package_dir is incomplete (Templates/ and Settings.ini)"

work=$(mktemp -d "${TMPDIR:-/tmp}/vantorel-gui.XXXXXX")
xvfb_pid=
wineserver_pid=
cleanup() {
  set +e
  # The read-only folder of the scene checks, so everything can go.
  chmod -R u+w "$work" 2>/dev/null
  # Ends the Wine processes of this run's prefix (only those), then our server by PID.
  [ -d "$work/prefix" ] && WINEPREFIX=$work/prefix wineserver -k 2>/dev/null
  if [ -n "$wineserver_pid" ]; then
    kill "$wineserver_pid" 2>/dev/null
    wait "$wineserver_pid" 2>/dev/null
  fi
  # Wine's service processes (services.exe, explorer.exe ...) can outlive their server; those
  # of this run's prefix, and only those, are ended by their process ids (this shell has the
  # prefix in its environment too, and stays).
  local pid
  for pid in $(grep -lsz "^WINEPREFIX=$work/prefix\$" /proc/[0-9]*/environ | cut -d/ -f3); do
    [ "$pid" = "$$" ] || [ "$pid" = "$BASHPID" ] || kill -9 "$pid" 2>/dev/null
  done
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
started=$EPOCHREALTIME

# A display of our own.
xvfb_status=0
xvfb_start "$work" 1600x1200x24 || xvfb_status=$?
[ "$xvfb_status" -ne 1 ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
[ "$xvfb_status" -eq 0 ] || fail "Xvfb gave no display number"
display=$xvfb_display

# Chinese captions need the zh_CN code page (936) in Wine; generate the locale privately
# when the system lacks it. Only Wine's processes get it: this shell keeps its own locale.
wine_locale=(env LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8)
if ! locale -a 2>/dev/null | grep -qiE '^zh_CN\.utf-?8$'; then
  command -v localedef >/dev/null || fail "no zh_CN.UTF-8 locale and no localedef (Debian package: locales)"
  mkdir -p "$work/locale"
  localedef -i zh_CN -f UTF-8 "$work/locale/zh_CN.UTF-8" >/dev/null 2>&1 ||
    fail "localedef could not generate zh_CN.UTF-8"
  wine_locale+=(LOCPATH="$work/locale")
fi

# A fresh 64-bit prefix that never offers Mono or Gecko; no display while it boots, so no
# "updating" window.
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
DISPLAY= "${wine_locale[@]}" wineboot -i >"$work/wineboot.log" 2>&1 || fail "wineboot failed: $(tail -n 5 "$work/wineboot.log")"
# Managed=N: without a window manager each hidden top-level window costs 2 s otherwise.
# ShowCrashDialog=0: a crash ends the editor at once instead of waiting in a dialog.
"${wine_locale[@]}" wine regedit /S "$(to_windows "$script_dir/wine_settings.reg")" >/dev/null 2>&1 ||
  fail "regedit could not apply wine_settings.reg"
if [ -d /usr/share/wine/fonts ]; then
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
fi
# Root may write anywhere, but the scene checks need a folder nobody may write to: as root
# the Wine server (which opens the files) and the driver run without the capabilities that
# override file permissions, when setpriv can drop them. Otherwise that check is skipped.
without_override=()
drop_override=(setpriv --bounding-set -dac_override,-dac_read_search)
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null && "${drop_override[@]}" true 2>/dev/null; then
  without_override=("${drop_override[@]}")
fi
# The settings apply to the next server: stop the boot server, start our own.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
"${without_override[@]}" "${wine_locale[@]}" wineserver -f -p >"$work/wineserver.log" 2>&1 &
wineserver_pid=$!
# Wine starts a server of its own when it finds no socket, so wait for ours to listen. The
# socket's folder is named after the prefix's device and inode, under /tmp/.wine-<uid> or a
# /tmp/wine-XXXXXX folder depending on the build.
server_dir=server-$(stat -c %D "$WINEPREFIX")-$(printf %x "$(stat -c %i "$WINEPREFIX")")
for _ in $(seq 50); do
  compgen -G "/tmp/.wine-$(id -u)/$server_dir/socket" >/dev/null && break
  compgen -G "/tmp/wine-*/$server_dir/socket" >/dev/null && break
  kill -0 "$wineserver_pid" 2>/dev/null || fail "wineserver did not start: $(cat "$work/wineserver.log")"
  sleep 0.1
done

# The editor beside its template package, as it is installed, with the command-line tool
# when it was built (the colourize checks render a scene with it) and the user guide (About's
# link opens it).
mkdir -p "$work/stage"
# A scratch folder per interface language, so the second run finds none of the first's files.
make_scratch() {
  mkdir -p "$1/readonly"
  printf '[LoadScreen]\r\nSide=Yuri\r\n' >"$1/readonly/locked.ini"
  chmod 555 "$1/readonly"
}
cp "$build_dir/bin/Vantorel.exe" "$work/stage/"
[ -f "$build_dir/bin/vantorel-cli.exe" ] && cp "$build_dir/bin/vantorel-cli.exe" "$work/stage/"
[ -f "$build_dir/bin/VANTRL.CHM" ] && cp "$build_dir/bin/VANTRL.CHM" "$work/stage/"
cp -R "$package_dir/." "$work/stage/"
# The run's folders as drive T:, where the file dialogs may browse (on Z: they complain
# about read access to the device).
ln -sfn "$work" "$WINEPREFIX/dosdevices/t:"
setup_time=$(seconds_since "$started")
checks_started=$EPOCHREALTIME

status=0
soak_rounds=${VANTOREL_SOAK_ROUNDS:-4}
[[ $soak_rounds =~ ^[0-9]+$ ]] || fail "VANTOREL_SOAK_ROUNDS must be a number of rounds"
# A pass takes about 3 minutes here with the soak (1.5 without); the limit only stops a
# driver that hangs, so it leaves room for a machine several times slower.
driver_limit=$((900 + 30 * soak_rounds))
summary=()
# run_driver NAME WHAT LIMIT COMMAND...: runs one pass of the driver on the display, its lines
# shown and kept in a log; adds its result, and the checks that failed, to the summary.
run_driver() {
  local name=$1 what=$2 limit=$3 started=$EPOCHREALTIME driver_status=0
  shift 3
  # Into a file, followed as it grows: through a pipe, the reader would wait for Wine's
  # services, which inherit the pipe's end and outlive the driver.
  : >"$work/$name.log"
  DISPLAY=$display timeout "$limit" "$@" >>"$work/$name.log" 2>&1 &
  local driver_pid=$!
  tail -n +1 -s 0.2 -f --pid="$driver_pid" "$work/$name.log" || true
  wait "$driver_pid" || driver_status=$?
  local lines counts
  lines=$(tr -d '\r' <"$work/$name.log")  # the driver writes Windows line ends
  counts=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' <<<"$lines" | tail -n 1 || true)
  if [ "$driver_status" -eq 124 ]; then
    summary+=("  $what: stopped at the limit of ${limit} s, after: $(grep -E '^(PASS|FAIL|# )' <<<"$lines" | tail -n 1)")
  else
    summary+=("  $what: ${counts:-no result} in $(seconds_since "$started") s (exit $driver_status)")
  fi
  while IFS= read -r line; do summary+=("    $line"); done < <(grep -E '^FAIL' <<<"$lines" | head -n 20)
  [ "$driver_status" -eq 0 ] || status=$driver_status
}
# Every scenario runs with the Chinese interface, then again with the English one; the soak
# (the same paths many times over, whatever the captions say) only with the first.
languages=${VANTOREL_GUI_LANGUAGES:-chinese english}
all_scenarios=(startup keys markers settings view clipboard exit startup_failures cameos screenshot colourize
  scenes undo shp_export mix save_image about comfort language system_language zoom new_and_recent paste recovery
  preview placement names dpi palette_name mission game_preview command_line soak)
for language in $languages; do
  case $language in chinese|english) ;; *) fail "VANTOREL_GUI_LANGUAGES: unknown language '$language'" ;; esac
  scenarios=("$@")
  if [ "$language" != chinese ]; then
    [ ${#scenarios[@]} -eq 0 ] && scenarios=("${all_scenarios[@]}")
    kept=()
    for scenario in "${scenarios[@]}"; do [ "$scenario" = soak ] || kept+=("$scenario"); done
    scenarios=("${kept[@]}")
    [ ${#scenarios[@]} -eq 0 ] && continue
  fi
  echo "run_gui_tests: the $language interface" >&2
  make_scratch "$work/scratch-$language"
  run_driver "$language" "$language interface" "$driver_limit" \
    "${without_override[@]}" "${wine_locale[@]}" wine "$build_dir/bin/vantorel_gui_driver.exe" \
    'T:\stage' "T:\\scratch-$language" "--language=$language" ${scenarios[@]+"${scenarios[@]}"}
done
# The first start follows the system's interface language: the language passes above run in
# the Chinese locale, so system_language runs once more in an English one.
if [ $# -eq 0 ] || [[ " $* " == *" system_language "* ]]; then
  english_locale=(env LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8)
  if ! locale -a 2>/dev/null | grep -qiE '^en_US\.utf-?8$'; then
    mkdir -p "$work/locale"
    localedef -i en_US -f UTF-8 "$work/locale/en_US.UTF-8" >/dev/null 2>&1 ||
      fail "localedef could not generate en_US.UTF-8"
    english_locale+=(LOCPATH="$work/locale")
  fi
  echo "run_gui_tests: the first start on an English system" >&2
  make_scratch "$work/scratch-system"
  run_driver system "first start on an English system" 300 \
    "${without_override[@]}" "${english_locale[@]}" wine "$build_dir/bin/vantorel_gui_driver.exe" \
    'T:\stage' 'T:\scratch-system' system_language
fi
echo "run_gui_tests: display and prefix ${setup_time} s, checks $(seconds_since "$checks_started") s" >&2
# What went wrong, last: a log's tail is what a CI page shows.
echo "run_gui_tests: summary" >&2
printf '%s\n' "${summary[@]}" >&2
exit "$status"
