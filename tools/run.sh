#!/usr/bin/env bash
# The main job: installs what is missing, builds, starts a TinyMUX game on
# loopback with the demo world, and plays it in playclient (a small terminal
# client) with VorMapper docked, online and in trace mode, walking a short
# demo route so that the map grows as you watch.
# With a display ($DISPLAY) you then play on; closing the client ends it all.
# Without one (or with VORMAPPER_HEADLESS=1) it runs on a private Xvfb, saves
# the map and a screenshot of the client, prints where both are, and stops
# everything it started.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
# The 32-bit build where this machine runs 32-bit programs, else the 64-bit one.
. tools/wine/wine-arch.sh
kind=win32
if why=$(wine_cannot_run win32); then
  kind=win64
  if why64=$(wine_cannot_run win64); then
    echo "The demo cannot run: Wine starts neither kind of program here ($why; $why64)" >&2
    exit 1
  fi
  echo "The demo runs the 64-bit Windows build: $why."
else
  echo "The demo runs the 32-bit Windows build."
fi
win=${VORMAPPER_WIN_BUILD:-build/$kind}
native=${VORMAPPER_NATIVE_BUILD:-build/native}
jobs=$(nproc)
cmake --preset "$kind" -B "$win" >/dev/null
cmake --build "$win" -j"$jobs" --target playclient VorMapper vmm
cmake --preset native -B "$native" >/dev/null
cmake --build "$native" -j"$jobs" --target vmm
out=${VORMAPPER_OUT:-$PWD/build/demo}
if [ -n "${DISPLAY:-}" ] && [ -z "${VORMAPPER_HEADLESS:-}" ]; then
  exec python3 tools/playclient/demo/demo.py --build "$win" --out "$out"
fi
exec python3 tools/playclient/demo/demo.py --build "$win" --out "$out" --headless --check --step-ms 400 \
  --vmm "$native/tools/vmm/vmm"
