#!/usr/bin/env bash
# Builds the static libraries krax.exe links (SDL2, FreeType, SDL2_ttf, SDL2_image, and
# GoogleTest for the unit tests) for 64-bit Windows, from Debian's own sources, into a
# prefix in the cache. The prefix is named after the sources' versions, the compilers'
# and this script's own text, so it is built once and found ready afterwards; the last
# line printed is its path. Needs root (or sudo) only to add the source lines to apt.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
toolchain=$here/toolchain.cmake
cache=${XDG_CACHE_HOME:-$HOME/.cache}/krax

# The Debian packages whose sources are built, by the name of one of their binaries.
sources=(libsdl2-dev libfreetype-dev libsdl2-ttf-dev libsdl2-image-dev)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

# What the prefix is made of: a change to any of it builds a new one.
key() {
  apt-cache policy "${sources[@]}" googletest mingw-w64-x86-64-dev g++-mingw-w64-x86-64-posix |
    grep -E '^[^ ]|Candidate:'
  cat "$0" "$toolchain" "$here/empty_png.cmake"
}

# apt-get source needs deb-src lines: a copy of each of the system's own entries for its
# release (the same mirror, suites and keys) as a source entry, unless there are some.
write_source_lines() {
  local codename dir=/etc/apt/sources.list.d
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  awk -v c="$codename" 'BEGIN { RS = ""; ORS = "\n\n" }
    ("\n" $0) ~ ("\nSuites:[^\n]*" c) && ("\n" $0) ~ "\nTypes:[^\n]*deb" {
      sub(/Types:[^\n]*/, "Types: deb-src"); print }' $(ls $dir/*.sources 2>/dev/null) </dev/null |
    $sudo tee $dir/krax-deb-src.sources >&2
  awk -v c="$codename" '$1 == "deb" && $0 ~ " " c { $1 = "deb-src"; print }' \
    $(ls /etc/apt/sources.list $dir/*.list 2>/dev/null) </dev/null | $sudo tee $dir/krax-deb-src.list >&2
}

add_source_lines() {
  local index
  index=$(apt-get indextargets --format '$(FILENAME)' 'Created-By: Sources' | head -n1)
  [ -n "$index" ] && [ -f "$index" ] && return 0
  [ -n "$index" ] || write_source_lines
  $sudo apt-get update >&2
}

# Configures, builds and installs one CMake project into the prefix.
cmake_install() {
  local src=$1
  shift
  cmake -S "$src" -B "$src/build-windows" -G "Unix Makefiles" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DKRAX_WINDOWS_DEPS="$prefix" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBUILD_SHARED_LIBS=OFF "$@" >&2
  cmake --build "$src/build-windows" -j"$(nproc)" >&2
  cmake --install "$src/build-windows" >&2
}

build_all() {
  local work=$1
  add_source_lines
  (cd "$work" && apt-get source --download-only "${sources[@]}" >&2 &&
    for dsc in *.dsc; do dpkg-source --no-check -x "$dsc" >&2; done)
  local sdl freetype ttf image
  sdl=$(echo "$work"/libsdl2-2*/)
  freetype=$(echo "$work"/freetype-*/)
  ttf=$(echo "$work"/libsdl2-ttf-*/)
  image=$(echo "$work"/libsdl2-image-*/)

  # Video, events, timers and audio (Windows' own, and SDL's disk and dummy drivers that
  # the tests play into): the game has no game controllers, and draws on the processor.
  cmake_install "$sdl" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_AUDIO=ON -DSDL_JOYSTICK=OFF \
    -DSDL_HAPTIC=OFF -DSDL_HIDAPI=OFF -DSDL_SENSOR=OFF -DSDL_POWER=OFF -DSDL_VULKAN=OFF -DSDL_OPENGL=OFF \
    -DSDL_OPENGLES=OFF -DSDL_RENDER_D3D=OFF
  # Only what the game's fonts need: no compressed fonts, no colour bitmaps, no shaping.
  cmake_install "$freetype" -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
    -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
  # Debian's sources leave out the bundled libraries: FreeType comes from its own source
  # above and text is laid out without HarfBuzz, as the game's labels need no shaping.
  cmake_install "$ttf" -DSDL2TTF_HARFBUZZ=OFF -DSDL2TTF_VENDORED=OFF -DSDL2TTF_SAMPLES=OFF
  # PNG alone, through the stb_image the source still carries; its CMake asks for
  # libpng all the same, which an empty target answers.
  cmake_install "$image" -DSDL2IMAGE_VENDORED=OFF -DSDL2IMAGE_SAMPLES=OFF -DSDL2IMAGE_BACKEND_STB=ON \
    -DSDL2IMAGE_BACKEND_WIC=OFF -DSDL2IMAGE_DEPS_SHARED=OFF \
    -DSDL2IMAGE_AVIF=OFF -DSDL2IMAGE_BMP=OFF -DSDL2IMAGE_GIF=OFF -DSDL2IMAGE_JPG=OFF -DSDL2IMAGE_JXL=OFF \
    -DSDL2IMAGE_LBM=OFF -DSDL2IMAGE_PCX=OFF -DSDL2IMAGE_PNM=OFF -DSDL2IMAGE_QOI=OFF -DSDL2IMAGE_SVG=OFF \
    -DSDL2IMAGE_TGA=OFF -DSDL2IMAGE_TIF=OFF -DSDL2IMAGE_WEBP=OFF -DSDL2IMAGE_XCF=OFF -DSDL2IMAGE_XPM=OFF \
    -DSDL2IMAGE_XV=OFF -DSDL2IMAGE_PNG=ON -DCMAKE_PROJECT_INCLUDE="$here/empty_png.cmake"
  # GoogleTest from the source Debian installs with libgtest-dev.
  cp -r /usr/src/googletest "$work/googletest"
  cmake_install "$work/googletest" -Dgtest_disable_pthreads=OFF
}

hash=$(key | sha256sum | cut -c1-16)
prefix=$cache/windows-deps-$hash
if [ ! -f "$prefix/.complete" ]; then
  echo "Building the Windows libraries into $prefix" >&2
  rm -rf "$prefix"
  mkdir -p "$cache"
  work=$(mktemp -d "$cache/windows-src.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  build_all "$work"
  touch "$prefix/.complete"
fi
echo "$prefix"
