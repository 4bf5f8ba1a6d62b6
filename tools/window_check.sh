#!/usr/bin/env bash
# Looks at the real game window as a player would, with no display of your own:
# starts Xvfb, opens krax, presses START, plays ten seconds and writes a screenshot
# of the whole virtual screen. Reports the share of a core the game used meanwhile.
#   tools/window_check.sh [OUT.png] [KRAX ARGS...]
# Needs xvfb, xdotool and imagemagick (apt-get install xvfb xdotool imagemagick).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-/tmp/krax_window.png}
shift || true
krax=build/bin/krax
display=:77

Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
# The round it plays is kept in a folder of its own, not among the player's rounds.
state=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$state"' EXIT
sleep 1
export DISPLAY=$display XDG_STATE_HOME=$state
"$krax" "$@" &
game=$!
sleep 2
# START, found on the menu window, which the game centres on the screen.
read -r x y w h < <(xdotool search --name "KRAX 1.0" getwindowgeometry --shell %@ |
  awk -F= '/^X=/{x=$2}/^Y=/{y=$2}/^WIDTH=/{w=$2}/^HEIGHT=/{h=$2}END{print x, y, w, h}')
scale=$((w / 405))
xdotool mousemove $(( (1280 - w) / 2 + 351 * scale )) $(( (1024 - h) / 2 + 343 * scale )) click 1
sleep 1
ticks() { awk '{print $14 + $15}' "/proc/$game/stat"; }
before=$(ticks)
sleep 10
after=$(ticks)
import -window root "$out"
kill "$game"
echo "screenshot: $out"
echo "cpu: $(( after - before )) clock ticks in 10 s ($(getconf CLK_TCK) a second)"
