#!/usr/bin/env bash
# Starts or stops the private Wine environment of one build directory: a
# prefix of the build's kind (DIR/arch: win32 or win64; created once), one
# Xvfb display and one persistent wineserver.
#   wine-env.sh start DIR | stop DIR
set -euo pipefail
action=$1
dir=$(mkdir -p "$2" && cd "$2" && pwd)
. "$(dirname "$0")/wine-arch.sh"
wine_use_dir "$dir"
WINEDEBUG=-all

stop() {
  if [ -d "$WINEPREFIX" ]; then
    "$WINESERVER" -k 2>/dev/null || true
    "$WINESERVER" -w 2>/dev/null || true
  fi
  if [ -f "$dir/xvfb.pid" ]; then
    kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
    rm -f "$dir/xvfb.pid"
  fi
  rm -f "$dir/display"
}

start() {
  local why
  if why=$(wine_cannot_run "$WINEARCH"); then
    echo "Wine cannot start for the $WINEARCH build: $why" >&2
    exit 1
  fi
  stop
  # Xvfb picks a free display and writes its number to fd 3.
  rm -f "$dir/display.fd"
  setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display.fd" </dev/null >"$dir/xvfb.log" 2>&1 &
  echo $! >"$dir/xvfb.pid"
  for _ in $(seq 100); do [ -s "$dir/display.fd" ] && break; sleep 0.1; done
  [ -s "$dir/display.fd" ] || { echo "Xvfb did not start"; cat "$dir/xvfb.log"; exit 1; }
  echo ":$(tr -d '[:space:]' <"$dir/display.fd")" >"$dir/display"
  export DISPLAY=$(cat "$dir/display")

  if [ ! -f "$WINEPREFIX/.vormapper-ready" ]; then
    rm -rf "$WINEPREFIX"
    "$WINE" wineboot -i >"$dir/wineboot.log" 2>&1 </dev/null
    "$WINESERVER" -w
    # No window manager: without Managed=N every hide or destroy waits 2 s.
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >>"$dir/wineboot.log" 2>&1
    # A crash must end the process, not open a dialog that waits forever.
    "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >>"$dir/wineboot.log" 2>&1
    m=$(ls /usr/share/fonts/truetype/wine/marlett.ttf /usr/share/wine/fonts/marlett.ttf 2>/dev/null | head -1 || true)
    [ -n "$m" ] && cp "$m" "$WINEPREFIX/drive_c/windows/Fonts/" || true
    "$WINESERVER" -w
    touch "$WINEPREFIX/.vormapper-ready"
  fi
  # One persistent server for the whole run; Wine's services inherit the first
  # client's output, so that client writes to a log, not to the test runner.
  setsid "$WINESERVER" -p </dev/null >"$dir/wineserver.log" 2>&1 || true
  setsid "$WINE" wineboot </dev/null >>"$dir/wineboot.log" 2>&1 || true
  echo "wine ready ($WINEARCH) on $DISPLAY, prefix $WINEPREFIX"
}

case "$action" in
  start) start ;;
  stop) stop; echo "wine stopped" ;;
  *) echo "usage: $0 start|stop DIR" >&2; exit 2 ;;
esac
