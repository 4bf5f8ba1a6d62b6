#!/usr/bin/env bash
# Builds the sanitizer build and fuzzes the scenario driver for SECONDS (default 600).
#   tools/fuzz.sh [SECONDS]
# Needs clang (tools/build.sh test installs it). A crash leaves its input in
# build-asan/fuzz/; replay it with build-asan/bin/krax_fuzz_script FILE.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset asan >/dev/null
cmake --build --preset asan -j"$(nproc)" --target krax_fuzz_script
exec fuzz/run.sh build-asan/bin/krax_fuzz_script "${1:-600}" build-asan/fuzz
