#!/usr/bin/env bash
# Sets up a fresh Debian machine for KRAX, builds it, then plays or tests it.
#   tools/build.sh run [ARGS...]   build and start the game (ARGS go to krax)
#   tools/build.sh test            build and run every test, the WebAssembly build's too
#   tools/build.sh package         build the Debian package; its path is the last line
#   tools/build.sh screenshots     write docs/screenshots/ again from docs/screenshots.script
# Installs the Debian packages that are missing first. With CI=true, warnings are errors.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libsdl2-ttf-dev libsdl2-image-dev libfontconfig-dev librsvg2-bin fonts-comic-neue
  emscripten nodejs scdoc desktop-file-utils appstream)

# Installs those of the named packages that are missing.
install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  ((${#missing[@]})) || return 0
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  echo "Installing ${missing[*]}" >&2
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

preset=default
[ "${CI:-}" = true ] && preset=ci
build_dir=build
[ "$preset" = ci ] && build_dir=build-ci

# The package's build: Debian's optimisation and all of its hardening flags, as Debian
# builds its own packages (no build type of CMake's own on top), installed below /usr.
package() {
  install_missing "${packages[@]}" dpkg-dev file
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all
  cmake --preset package -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
  cmake --build --preset package -j"$(nproc)"
  rm -f build-package/krax_*.deb
  (cd build-package && cpack) >&2
  realpath build-package/krax_*.deb
}
[ "${1:-}" = package ] && { package; exit; }

install_missing "${packages[@]}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)"

case "${1:-run}" in
  run) shift || true; exec "$build_dir/bin/krax" "$@" ;;
  test)
    cmake --preset web -DKRAX_WERROR="$([ "$preset" = ci ] && echo ON || echo OFF)" >/dev/null
    cmake --build --preset web -j"$(nproc)"
    ctest --preset "$preset"
    ctest --preset web ;;
  screenshots) "$build_dir/bin/krax" --headless --seed 3 --script docs/screenshots.script ;;
  *) echo "usage: tools/build.sh run [ARGS...] | test | package | screenshots" >&2; exit 2 ;;
esac
