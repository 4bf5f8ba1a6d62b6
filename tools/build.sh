#!/usr/bin/env bash
# Sets up a fresh Debian machine for KRAX, builds it, then plays or tests it.
#   tools/build.sh run [ARGS...]   build and start the game (ARGS go to krax)
#   tools/build.sh test            build and run every test, the WebAssembly build's too,
#                                  and again on the sanitizer build with a minute of fuzzing;
#                                  the zip and the site built twice must be the same
#   tools/build.sh package         build the Debian package; its path is the last line
#   tools/build.sh screenshots     write docs/screenshots/ again from docs/screenshots.script
#   tools/build.sh site            build the static web site; its folder on the last line
#   tools/build.sh web             build the site and serve it on http://127.0.0.1:8000
#                                  (PORT changes the port)
#   tools/build.sh windows         cross-build krax.exe for Windows; the zip's path is the
#                                  last line
# Installs the Debian packages that are missing first. With CI=true, warnings are errors.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libsdl2-ttf-dev libsdl2-image-dev libfontconfig-dev libx11-dev librsvg2-bin pngquant fonts-comic-neue
  emscripten nodejs chromium firefox-esr webkit2gtk-driver scdoc desktop-file-utils appstream clang libclang-rt-14-dev llvm
  python3 xvfb xauth xdotool x11-utils xrestop sway grim wtype)
# The Windows build and its tests under Wine: dpkg-dev unpacks the libraries' sources
# (GoogleTest's come with libgtest-dev), ImageMagick packs the icon.
windows_packages=(cmake make python3 librsvg2-bin fonts-comic-neue libgtest-dev g++-mingw-w64-x86-64-posix
  wine wine64 dpkg-dev zip imagemagick xvfb xdotool)

# Installs those of the named packages that are missing.
install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  if ((${#missing[@]})); then
    echo "Installing ${missing[*]}" >&2
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
  fi
  # Some builds of Node.js bring npm along; Debian's own is a package of its own.
  command -v npm >/dev/null || DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends npm
}

preset=default
[ "${CI:-}" = true ] && preset=ci
build_dir=build
[ "$preset" = ci ] && build_dir=build-ci
werror=OFF
[ "$preset" = ci ] && werror=ON

# The package's build: Debian's optimisation and all of its hardening flags, as Debian
# builds its own packages (no build type of CMake's own on top), installed below /usr.
package() {
  install_missing "${packages[@]}" dpkg-dev file
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all
  cmake --preset package -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
  cmake --build --preset package -j"$(nproc)"
  rm -f build-package/krax_*.deb
  # The package's folders are made with the umask's rights: the same ones everywhere.
  (cd build-package && umask 022 && cpack) >&2
  realpath build-package/krax_*.deb
}

build_native() {
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$(nproc)"
}

# The WebAssembly build: the site in build-web/site and krax for Node.js.
build_web() {
  cmake --preset web -DKRAX_WERROR="$werror" -DKRAX_NATIVE="$PWD/$build_dir/bin/krax" >/dev/null
  cmake --build --preset web -j"$(nproc)"
}

# krax.exe and its zip in build-windows, with the static libraries it links built once
# from Debian's sources (tools/windows/build_deps.sh); its window test replays what it
# records on the Linux build.
build_windows() {
  install_missing "${windows_packages[@]}"
  local deps
  deps=$(tools/windows/build_deps.sh)
  # Libraries from a new prefix: found again from nothing, not from the cache.
  local fresh=""
  grep -qx "KRAX_WINDOWS_DEPS:PATH=$deps" build-windows/CMakeCache.txt 2>/dev/null || fresh=--fresh
  cmake --preset windows $fresh -DKRAX_WINDOWS_DEPS:PATH="$deps" -DKRAX_WERROR="$werror" \
    -DKRAX_NATIVE="$PWD/$build_dir/bin/krax" >/dev/null
  cmake --build --preset windows -j"$(nproc)"
}

windows_zip() {
  local version
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-windows/CMakeCache.txt)
  echo "$PWD/build-windows/krax-$version-windows-x64.zip"
}

# The sanitizer build in build-asan: the tests again, the monkey and a bounded fuzz run.
build_asan() {
  cmake --preset asan >/dev/null
  cmake --build --preset asan -j"$(nproc)"
}

# The browser test's npm packages, as the lock file pins them; again only when it changed.
install_npm_packages() {
  local dir=build-web/npm
  cmp -s tests/web/package-lock.json "$dir/installed.lock" && return 0
  mkdir -p "$dir"
  cp tests/web/package.json tests/web/package-lock.json "$dir/"
  (cd "$dir" && npm ci --no-audit --no-fund) && cp tests/web/package-lock.json "$dir/installed.lock"
}

[ "${1:-}" = package ] && { package; exit; }
[ "${1:-}" = windows ] && { build_windows; windows_zip; exit; }

install_missing "${packages[@]}"
case "${1:-run}" in
  run) shift || true; build_native; exec "$build_dir/bin/krax" "$@" ;;
  test)
    build_native
    build_web
    build_windows
    # Without them (no network, say) the browser test reports itself skipped.
    install_npm_packages || echo "krax: the browser test's npm packages did not install" >&2
    build_asan
    # The zip and the site once more in another folder: byte for byte the same.
    tools/same_twice.sh zip site
    ctest --preset "$preset"
    ctest --preset web
    ctest --preset windows
    ctest --preset asan ;;
  screenshots) build_native; "$build_dir/bin/krax" --headless --seed 3 --script docs/screenshots.script ;;
  site) build_web; echo "$PWD/build-web/site" ;;
  web) build_web; exec node tools/serve_site.js build-web/site "${PORT:-8000}" ;;
  *) echo "usage: tools/build.sh run [ARGS...] | test | package | screenshots | site | web | windows" >&2; exit 2 ;;
esac
