#!/bin/sh
# krax.exe draws the menu as the Linux build does, pixel for pixel: pictures, labels in
# the same font and the same layout. (Labels with kerned pairs, such as the game
# screen's "Level", may sit a pixel apart: Linux's SDL_ttf shapes text with HarfBuzz,
# the Windows build's lays it out with FreeType alone.)
# usage: same_menu.sh WINE KRAX_EXE LINUX_KRAX   exit 0 same, 1 not, 77 skipped
set -eu
wine=$1 exe=$2 linux=$3
if [ -z "$linux" ] || [ ! -x "$linux" ] || ! command -v compare >/dev/null; then
  echo "SKIPPED: needs the Linux build of krax and ImageMagick's compare"
  exit 77
fi
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
echo "shot Form1 $dir/windows.png" | "$wine" "$exe" --headless
echo "shot Form1 $dir/linux.png" | "$linux" --headless
differing=$(compare -metric AE "$dir/windows.png" "$dir/linux.png" null: 2>&1 || true)
[ "$differing" = 0 ] || { echo "the menu differs in $differing pixels" >&2; exit 1; }
echo "ok: the menu is drawn the same"
