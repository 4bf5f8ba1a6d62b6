#!/usr/bin/env bash
# Builds what players get a second time, from a copy of these sources in another folder,
# later and under another umask, and checks it byte for byte against the first build:
# the same commit must give the same files wherever and whenever it is built.
#   tools/same_twice.sh [zip] [site] [package]     (all three without arguments)
# zip:     build-windows's zip, from the last `tools/build.sh windows` or `test`
# site:    every file of build-web/site, from the last `tools/build.sh site` or `test`
# package: build-package's .deb, from the last `tools/build.sh package`
# Prints each one's sha256 sum; a difference is one line on standard error and status 1.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
checks=("$@")
((${#checks[@]})) || checks=(zip site package)

# One sum for a folder: that of the list of its files' sums, by name.
folder_sum() {
  (cd "$1" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 sha256sum) | tee "$2" | sha256sum | cut -d' ' -f1
}

# The first build's file of a check, and the command that makes it again in the copy.
first_file() {
  case $1 in
    zip) ls "$root"/build-windows/krax-*-windows-x64.zip ;;
    site) echo "$root/build-web/site" ;;
    package) ls "$root"/build-package/krax_*.deb ;;
  esac 2>/dev/null
}

build_again() {
  case $1 in
    zip)
      cmake --preset windows -DKRAX_WINDOWS_DEPS:PATH="$(tools/windows/build_deps.sh)" >/dev/null
      cmake --build --preset windows -j"$(nproc)" --target krax_zip >/dev/null ;;
    site)
      cmake --preset web >/dev/null
      cmake --build --preset web -j"$(nproc)" --target site >/dev/null ;;
    package) tools/build.sh package >/dev/null ;;
  esac
}

firsts=()
for check in "${checks[@]}"; do
  case $check in
    zip | site | package) ;;
    *) echo "krax: same_twice.sh checks zip, site or package, not \"$check\"" >&2; exit 2 ;;
  esac
  first=$(first_file "$check") && [ -e "$first" ] ||
    { echo "krax: no first build of the $check to compare with: build it first" >&2; exit 2; }
  firsts+=("$first")
done

copy=$(mktemp -d "${TMPDIR:-/tmp}/krax-again.XXXXXX")
trap 'rm -rf "$copy"' EXIT
tar -C "$root" --exclude=./build --exclude='./build-*' -cf - . | tar -C "$copy" -xf -
cd "$copy"
umask 077

status=0
for i in "${!checks[@]}"; do
  check=${checks[$i]} first=${firsts[$i]}
  start=$SECONDS
  build_again "$check"
  again=$(first_file "$check" | sed "s|^$root|$copy|")
  if [ -d "$first" ]; then
    one=$(folder_sum "$first" "$copy/first.sums") two=$(folder_sum "$again" "$copy/again.sums")
  else
    one=$(sha256sum <"$first" | cut -d' ' -f1) two=$(sha256sum <"$again" | cut -d' ' -f1)
  fi
  echo "$check: $one first, $two again ($((SECONDS - start)) s)"
  if [ "$one" != "$two" ]; then
    echo "krax: the $check built again differs from the first build" >&2
    [ -d "$first" ] && diff "$copy/first.sums" "$copy/again.sums" >&2
    status=1
  fi
done
exit $status
