#!/usr/bin/env bash
# The manual page describes exactly the options that `krax --help` lists.
#   manual_check.sh KRAX MANUAL_SOURCE
set -eu
options() { grep -o -- '--[a-z][a-z-]*' | sort -u; }
help=$("$1" --help | options)
manual=$(options < "$2")
[ "$help" = "$manual" ] && exit 0
echo "the options of --help and of the manual page differ (< --help, > manual):"
diff <(echo "$help") <(echo "$manual") || true
exit 1
