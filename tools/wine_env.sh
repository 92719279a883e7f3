# Sourced by the scripts: a fresh, quiet 64-bit Wine prefix in a temporary folder.
#   wine_prefix_start   sets WINEPREFIX and friends and boots the prefix (about 5 s)
#   wine_prefix_stop    stops the wine server and removes the prefix
#   xvfb_start          a virtual display of our own
wine_prefix_start() {
  export WINEPREFIX="${1:-$(mktemp -d /tmp/vantorel-wine.XXXXXX)}"
  export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  # No DISPLAY while booting: no "updating prefix" window.
  DISPLAY= wineboot -i >/dev/null 2>&1 || true
  local settings="$WINEPREFIX/vantorel-settings.reg"
  # Managed=N: without a window manager each hidden top-level window otherwise costs 2 s.
  # ShowCrashDialog=0: a crash exits at once instead of waiting in a debugger dialog.
  printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"ShowCrashDialog"=dword:00000000\r\n' > "$settings"
  DISPLAY= wine regedit /S "$settings" >/dev/null 2>&1 || true
  wineserver -k 2>/dev/null || true
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
}

wine_prefix_stop() {
  [ -n "${WINEPREFIX:-}" ] || return 0
  wineserver -k 2>/dev/null || true
  case "$WINEPREFIX" in /tmp/vantorel-wine.*) rm -rf "$WINEPREFIX" ;; esac
}

# xvfb_start FOLDER GEOMETRY: starts Xvfb on a free display number, which Xvfb writes to
# fd 5 (FOLDER/display; its messages go to FOLDER/xvfb.log). Sets xvfb_pid at once, so a
# cleanup can end it, and xvfb_display (":N") once the number is there. Returns 1 when
# Xvfb ended, 2 when it gave no number within 10 s.
xvfb_start() {
  local folder=$1 geometry=$2
  exec 5>"$folder/display"
  Xvfb -displayfd 5 -screen 0 "$geometry" -nolisten tcp >"$folder/xvfb.log" 2>&1 &
  xvfb_pid=$!
  exec 5>&-
  for _ in $(seq 100); do
    [ -s "$folder/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || return 1
    sleep 0.1
  done
  [ -s "$folder/display" ] || return 2
  xvfb_display=:$(head -n 1 "$folder/display")
}
