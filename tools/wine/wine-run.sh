#!/usr/bin/env bash
# Runs a Windows program in the Wine environment that wine-env.sh started,
# with the loader of the build's kind. The build directory's environment
# comes from VORMAPPER_WINE_DIR; VORMAPPER_WINE_DISPLAY, when set, is the
# display to use instead of the environment's own. VORMAPPER_WINE_DPI, when
# set, is the screen's pixels per inch while the program (and whatever it
# starts) runs; the prefix is at 96 again afterwards. Such runs must not
# overlap with others in the same prefix (ctest: RUN_SERIAL).
set -euo pipefail
dir=${VORMAPPER_WINE_DIR:?VORMAPPER_WINE_DIR is not set}
. "$(dirname "$0")/wine-arch.sh"
wine_use_dir "$dir"
export DISPLAY=${VORMAPPER_WINE_DISPLAY:-$(cat "$dir/display")}
dpi=${VORMAPPER_WINE_DPI:-96}
[ "$dpi" = 96 ] && exec "$WINE" "$@"

set_dpi() {
  "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 ||
    { echo "wine-run.sh: could not set the screen to $1 DPI" >&2; return 1; }
}
set_dpi "$dpi"
trap 'set_dpi 96' EXIT
# Whoever stops this script stops the program.
"$WINE" "$@" &
child=$!
trap 'kill $child 2>/dev/null' TERM INT HUP
status=0
wait $child || status=$?
wait $child 2>/dev/null || true
exit $status
