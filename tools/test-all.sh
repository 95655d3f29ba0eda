#!/usr/bin/env bash
# Every test of the project, from a fresh Debian 12 machine (run as root):
# installs what is missing, then builds and tests the native build, the same
# under AddressSanitizer and UndefinedBehaviorSanitizer, the autosave worker
# under ThreadSanitizer, the 32-bit Windows
# build under Wine, and fuzzes the map reader for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
jobs=$(nproc)

step() { printf '\n=== %s\n' "$*"; }

step "native build and tests"
cmake --preset native >/dev/null
cmake --build --preset native -j"$jobs"
ctest --preset native -j"$jobs"

step "sanitizer build and tests"
cmake --preset asan >/dev/null
cmake --build --preset asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset asan -j"$jobs"

step "thread sanitizer: the autosave worker"
cmake --preset tsan >/dev/null
cmake --build --preset tsan -j"$jobs" --target recovery_tests
TSAN_OPTIONS=halt_on_error=1 ctest --preset tsan -j"$jobs" -R 'Autosave|MapSnapshot|StartupRecovery|Backups'

if command -v clang++ >/dev/null; then
  step "fuzzing the map reader"
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz -j"$jobs" --target fuzz_targets
  ctest --preset fuzz -L fuzz
fi

step "32-bit Windows build and tests under Wine"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j"$jobs"
ctest --preset win32 -j"$jobs"
