#!/usr/bin/env bash
# The main job: installs what is missing, builds, and shows the mapper at work
# on a bundled sample walk.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native -j"$(nproc)" --target vmm
out=${VORMAPPER_OUT:-$PWD/build/demo}
mkdir -p "$out"
vmm=build/native/tools/vmm/vmm
"$vmm" new "$out/sample.vmm"
"$vmm" info "$out/sample.vmm"
"$vmm" check "$out/sample.vmm"
echo "map written to $out/sample.vmm"
