#!/usr/bin/env bash
# Builds the sanitizer build and fuzzes the scenario driver, or the reading of links to
# rounds, for SECONDS (default 600).
#   tools/fuzz.sh [SECONDS [script|link]]
# Needs clang (tools/build.sh test installs it). A crash leaves its input in
# build-asan/fuzz/ (build-asan/fuzz/link/ for links); replay it with
# build-asan/bin/krax_fuzz_script FILE (krax_fuzz_link FILE).
set -euo pipefail
cd "$(dirname "$0")/.."
target=${2:-script}
cmake --preset asan >/dev/null
cmake --build --preset asan -j"$(nproc)" --target "krax_fuzz_$target"
case "$target" in
  script) exec fuzz/run.sh build-asan/bin/krax_fuzz_script "${1:-600}" build-asan/fuzz ;;
  link) exec fuzz/run.sh build-asan/bin/krax_fuzz_link "${1:-600}" build-asan/fuzz/link fuzz/link_seeds fuzz/link.dict ;;
  *) echo "usage: tools/fuzz.sh [SECONDS [script|link]]" >&2; exit 2 ;;
esac
