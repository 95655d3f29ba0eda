#!/usr/bin/env bash
# Every test of the project, from a fresh Debian 12 machine (run as root):
# installs what is missing, then builds and tests the native build, the same
# under AddressSanitizer and UndefinedBehaviorSanitizer, the autosave worker
# under ThreadSanitizer, fuzzes the file readers for a bounded time, builds
# both Windows builds and runs the Windows tests under Wine: the 64-bit
# build's always, the 32-bit build's where this machine runs 32-bit programs
# (VORMAPPER_NO_WIN32=1 treats it as unable to). Where both run, the client
# of each build also docks the mapper of the other. The last lines sum up
# what ran; the exit status is that of the first failed step.
set -uo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh || exit 1
. tools/wine/wine-arch.sh
jobs=$(nproc)
logs=build/test-all
mkdir -p "$logs"
summary=() status=0

step() { printf '\n=== %s\n' "$*"; }
# run NAME COMMAND...: runs a step, keeps its ctest figures for the summary.
run() {
  local name=$1 rc figures start=$SECONDS
  shift
  "$@" 2>&1 | tee "$logs/$name.log"
  rc=${PIPESTATUS[0]}
  figures=$(grep -E '^[0-9]+% tests passed' "$logs/$name.log" | tail -1)
  figures="${figures:+$figures, }$((SECONDS - start)) s"
  if [ "$rc" -eq 0 ]; then
    summary+=("$name: passed ($figures)")
  else
    summary+=("$name: FAILED (exit $rc) ($figures)")
    [ "$status" -ne 0 ] || status=$rc
  fi
  return "$rc"
}
build() {  # build PRESET [TARGET...] [-- CONFIGURE OPTIONS]
  local preset=$1 targets=() options=()
  shift
  while [ $# -gt 0 ] && [ "$1" != -- ]; do targets+=(--target "$1"); shift; done
  [ $# -gt 0 ] && { shift; options=("$@"); }
  cmake --preset "$preset" "${options[@]}" >/dev/null && cmake --build --preset "$preset" -j"$jobs" "${targets[@]}"
}

step "native build and tests"
run native-build build native && run native ctest --preset native -j"$jobs"

step "sanitizer build and tests"
run asan-build build asan &&
  run asan env ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset asan -j"$jobs"

step "thread sanitizer: the autosave worker"
run tsan-build build tsan recovery_tests &&
  run tsan env TSAN_OPTIONS=halt_on_error=1 ctest --preset tsan -j"$jobs" -R 'Autosave|MapSnapshot|StartupRecovery|Backups'

if command -v clang++ >/dev/null; then
  step "fuzzing the file readers"
  run fuzz-build build fuzz fuzz_targets && run fuzz ctest --preset fuzz -L fuzz
fi

# The 32-bit programs are built on every machine, so that a compile error
# fails; their tests run where the machine can run them.
if no32=$(wine_cannot_run win32); then
  peer=
else
  no32= peer=$PWD/build/win32
fi
step "Windows builds: 64-bit and 32-bit"
run win64-build build win64 -- -DVORMAPPER_PEER_BUILD="$peer"; built64=$?
run win32-build build win32; built32=$?
if ! why=$(wine_cannot_run win64); then
  step "64-bit Windows tests under Wine"
  [ "$built64" -ne 0 ] || run win64 ctest --preset win64 -j"$jobs"
else
  echo "64-bit Windows tests cannot run: $why"
  summary+=("win64: FAILED ($why)")
  [ "$status" -ne 0 ] || status=1
fi
if [ -z "$no32" ]; then
  step "32-bit Windows tests under Wine"
  [ "$built32" -ne 0 ] || run win32 ctest --preset win32 -j"$jobs"
else
  echo "32-bit Windows tests skipped: this machine cannot run 32-bit programs ($no32)"
  summary+=("win32: skipped: this machine cannot run 32-bit programs")
fi

step "summary"
printf '%s\n' "${summary[@]}"
echo "in all: $((SECONDS / 60)) min $((SECONDS % 60)) s"
exit "$status"
