#!/usr/bin/env bash
# run-fuzz.sh FUZZER VMM CORPUS_DIR SECONDS: seeds the corpus with real maps,
# then fuzzes for a bounded time with a 64 MB allocation limit.
set -euo pipefail
fuzzer=$1 vmm=$2 corpus=$3 seconds=$4
mkdir -p "$corpus"
"$vmm" new "$corpus/new.vmm" >/dev/null
exec "$fuzzer" -max_total_time="$seconds" -malloc_limit_mb=64 -rss_limit_mb=1024 -timeout=10 \
  -print_final_stats=1 "$corpus"
