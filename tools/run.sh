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
win=${VORMAPPER_WIN32_BUILD:-build/win32}
native=${VORMAPPER_NATIVE_BUILD:-build/native}
jobs=$(nproc)
cmake --preset win32 -B "$win" >/dev/null
cmake --build "$win" -j"$jobs" --target playclient VorMapper vmm
cmake --preset native -B "$native" >/dev/null
cmake --build "$native" -j"$jobs" --target vmm
out=${VORMAPPER_OUT:-$PWD/build/demo}
if [ -n "${DISPLAY:-}" ] && [ -z "${VORMAPPER_HEADLESS:-}" ]; then
  exec python3 tools/playclient/demo/demo.py --build "$win" --out "$out"
fi
exec python3 tools/playclient/demo/demo.py --build "$win" --out "$out" --headless --check --step-ms 400 \
  --vmm "$native/tools/vmm/vmm"
