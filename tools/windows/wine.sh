#!/bin/sh
# Runs a Windows program under Wine, as the tests do (CMake's emulator for the windows
# build): 64-bit Wine, no debug chatter, no Mono or Gecko to install, UTF-8 arguments,
# and a Wine prefix of KRAX's own in the cache (made on first use, in a few seconds).
export WINEPREFIX="${KRAX_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/krax/wine}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=C.UTF-8
if [ -x /usr/lib/wine/wine64 ]; then exec /usr/lib/wine/wine64 "$@"; fi
exec wine "$@"
