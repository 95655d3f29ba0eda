#!/usr/bin/env bash
# Runs a Windows program in the Wine environment that wine-env.sh started,
# with the loader of the build's kind. The build directory's environment
# comes from VORMAPPER_WINE_DIR; VORMAPPER_WINE_DISPLAY, when set, is the
# display to use instead of the environment's own.
set -euo pipefail
dir=${VORMAPPER_WINE_DIR:?VORMAPPER_WINE_DIR is not set}
. "$(dirname "$0")/wine-arch.sh"
wine_use_dir "$dir"
export DISPLAY=${VORMAPPER_WINE_DISPLAY:-$(cat "$dir/display")}
exec "$WINE" "$@"
