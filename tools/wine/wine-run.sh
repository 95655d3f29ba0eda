#!/usr/bin/env bash
# Runs a Windows program in the Wine environment that wine-env.sh started.
# The build directory's environment comes from VORMAPPER_WINE_DIR.
set -euo pipefail
dir=${VORMAPPER_WINE_DIR:?VORMAPPER_WINE_DIR is not set}
export WINEPREFIX=$dir/prefix WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
export DISPLAY=$(cat "$dir/display")
exec wine "$@"
