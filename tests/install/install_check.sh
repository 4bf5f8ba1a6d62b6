#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks it as a player's system would see
# it: every file of the desktop game in its place and nothing else, icons of the sizes
# their folders name, a metainfo that finds its desktop entry, and the installed program
# telling its version and playing a scenario from there.
#   install_check.sh CMAKE BUILD_DIR VERSION APP_ID SCENARIO
set -euo pipefail
cmake=$1 build=$2 version=$3 id=$4 scenario=$5
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
prefix=$root/usr
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

sizes=(16 24 32 48 64 128 256)
expected=(games/krax share/applications/$id.desktop share/metainfo/$id.metainfo.xml
  share/icons/hicolor/scalable/apps/$id.svg share/man/man6/krax.6.gz
  share/doc/krax/copyright share/doc/krax/changelog.gz)
for s in "${sizes[@]}"; do expected+=("share/icons/hicolor/${s}x$s/apps/$id.png"); done

status=0
fail() { echo "$*"; status=1; }
installed=$(cd "$prefix" && find . -type f -printf '%P\n' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
[ "$installed" = "$wanted" ] ||
  fail "installed files differ (< installed, > expected):$(echo; diff <(echo "$installed") <(echo "$wanted"))"

# A PNG's width and height stand as big-endian words at bytes 16 to 23.
for s in "${sizes[@]}"; do
  png=$prefix/share/icons/hicolor/${s}x$s/apps/$id.png
  [ -f "$png" ] || continue
  read -r w h < <(od -An -tu1 -j16 -N8 "$png" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  [ "$w $h" = "$s $s" ] || fail "icon ${s}x$s is $w x $h pixels"
done

if command -v appstreamcli >/dev/null; then
  appstreamcli validate-tree --no-net "$root" >/dev/null || fail "$(appstreamcli validate-tree --no-net "$root")"
fi

# The menu entry's action, for a player who never opens a terminal: the last round again.
entry=$prefix/share/applications/$id.desktop
action=$(sed -n '/^\[Desktop Action watch-last-round\]$/,/^\[/p' "$entry")
grep -qx 'Name=Watch the last round' <<<"$action" && grep -q '^Exec=.*/krax --replay last$' <<<"$action" ||
  fail "the desktop entry has no action \"Watch the last round\" that runs krax --replay last"

krax=$prefix/games/krax
[ "$("$krax" --version)" = "krax $version" ] || fail "--version says \"$("$krax" --version)\", not \"krax $version\""
(cd "$prefix" && "$krax" --headless --seed 1 --script "$scenario") || fail "the installed krax did not play $scenario"
exit $status
