#!/usr/bin/env bash
# Runs a fuzzer for SECONDS, from its seed corpus and the corpus it has grown so far in
# WORK; a crash is written to WORK.
#   fuzz/run.sh FUZZER SECONDS WORK [SEEDS DICT]
# SEEDS and DICT default to the script fuzzer's: the scenario scripts in tests/ and
# fuzz/script.dict.
set -euo pipefail
[ $# -eq 3 ] || [ $# -eq 5 ] || { echo "usage: fuzz/run.sh FUZZER SECONDS WORK [SEEDS DICT]" >&2; exit 2; }
fuzzer=$1 seconds=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)
seeds=${4:-$here/../tests/scenarios} dict=${5:-$here/script.dict}
mkdir -p "$work/corpus"
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/../tools/lsan.supp:print_suppressions=0}
# One input in a few seconds at most; 4 KiB is room for long scenarios and long rounds.
exec "$fuzzer" -max_total_time="$seconds" -timeout=10 -max_len=4096 -print_final_stats=1 \
  -dict="$dict" -artifact_prefix="$work/" "$work/corpus" "$seeds"
