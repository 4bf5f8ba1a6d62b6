#!/usr/bin/env bash
# Runs the script fuzzer for SECONDS, from the seed corpus (the scenario scripts in
# tests/) and the corpus it has grown so far in WORK; a crash is written to WORK.
#   fuzz/run.sh FUZZER SECONDS WORK
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: fuzz/run.sh FUZZER SECONDS WORK" >&2; exit 2; }
fuzzer=$1 seconds=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$work/corpus"
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/../tools/lsan.supp:print_suppressions=0}
# One input in a few seconds at most; 4 KiB is room for long scenarios.
exec "$fuzzer" -max_total_time="$seconds" -timeout=10 -max_len=4096 -print_final_stats=1 \
  -dict="$here/script.dict" -artifact_prefix="$work/" "$work/corpus" "$here/../tests/scenarios"
