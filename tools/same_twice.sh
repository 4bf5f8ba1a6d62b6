#!/usr/bin/env bash
# Builds what players get a second time, from a copy of these sources in another folder,
# later and under another umask, and checks it byte for byte against the first build:
# the same commit must give the same files wherever and whenever it is built.
#   tools/same_twice.sh [zip] [site] [package]     (all three without arguments)
# zip:     build-windows's zip, from the last `tools/build.sh windows` or `test`
# site:    every file of build-web/site, from the last `tools/build.sh site` or `test`
# package: build-package's .deb, from the last `tools/build.sh package`
# Prints each one's sha256 sum; a difference is reported on standard error, with status 1.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
checks=("$@")
((${#checks[@]})) || checks=(zip site package)

# The sha256 sum of a file, or of a folder: that of the list of its files' sums by name,
# which goes to $2.
sum() {
  if [ -d "$1" ]; then
    (cd "$1" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 sha256sum) >"$2"
    sha256sum <"$2" | cut -d' ' -f1
  else
    sha256sum <"$1" | tee "$2" | cut -d' ' -f1
  fi
}

# What a check built below the source folder $1.
built() {
  case $2 in
    zip) ls "$1"/build-windows/krax-*-windows-x64.zip ;;
    site) echo "$1/build-web/site" ;;
    package) ls "$1"/build-package/krax_*.deb ;;
  esac 2>/dev/null
}

# Only the target itself: the tests that the first build also made take no part.
build_again() {
  case $1 in
    zip)
      local deps
      deps=$(tools/windows/build_deps.sh) && cmake --preset windows -DKRAX_WINDOWS_DEPS:PATH="$deps" &&
        cmake --build --preset windows -j"$(nproc)" --target krax_zip ;;
    site) cmake --preset web && cmake --build --preset web -j"$(nproc)" --target site ;;
    package) tools/build.sh package ;;
  esac
}

firsts=()
for check in "${checks[@]}"; do
  case $check in
    zip | site | package) ;;
    *) echo "krax: same_twice.sh checks zip, site or package, not \"$check\"" >&2; exit 2 ;;
  esac
  first=$(built "$root" "$check") && [ -e "$first" ] ||
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
  if ! build_again "$check" >"$copy/$check.log" 2>&1; then
    tail -n 20 "$copy/$check.log" >&2
    echo "krax: the $check did not build again" >&2
    exit 1
  fi
  again=$(built "$copy" "$check")
  one=$(sum "$first" "$copy/first.sums") two=$(sum "$again" "$copy/again.sums")
  echo "$check: $one first, $two again ($((SECONDS - start)) s)"
  if [ "$one" != "$two" ]; then
    echo "krax: the $check built again differs from the first build" >&2
    diff "$copy/first.sums" "$copy/again.sums" >&2 || true
    status=1
  fi
done
exit $status
