#!/usr/bin/env bash
# Builds Vormelda for 64-bit Windows on Debian 12: build/windows/vormelda-VERSION-windows-x64.zip,
# holding vormelda.exe, vormelda-sim.exe, SDL's libraries, the data, a fresh HighScore.ini, a
# README and the licences. Installs what is missing (mingw-w64 among it); SDL2, SDL2_image and
# SDL2_mixer are built from Debian's source packages once and cached in $VORMELDA_CACHE (default
# ~/.cache/vormelda).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
source scripts/sdl-sources.sh

# The build machine's tools (the data generator runs here) and the cross compiler.
./scripts/install-deps.sh
install_missing g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
  dpkg-dev
toolchain=$root/cmake/mingw-w64-x86_64.cmake

# SDL for Windows, from the cache or built now.
prefix=$VORMELDA_CACHE/$(sdl_cache_key windows-x64)
if [ ! -f "$prefix/.complete" ]; then
  echo "Building SDL2, SDL2_image and SDL2_mixer for Windows into $prefix"
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  rm -rf "$prefix"
  fetch_sdl_sources "$work"
  cross=(-DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_FIND_ROOT_PATH="$prefix"
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release)
  build() {  # source folder, build folder, options...
    local src=$1 out=$2
    shift 2
    cmake -S "$src" -B "$out" "${cross[@]}" "$@" >"$out.log" 2>&1 &&
      cmake --build "$out" -j"$(nproc)" >>"$out.log" 2>&1 &&
      cmake --install "$out" >>"$out.log" 2>&1 ||
      { tail -n 30 "$out.log"; echo "building $(basename "$src") for Windows failed" >&2; exit 1; }
  }
  build "$(sdl_source_dir "$work" libsdl2)" "$work/sdl2" -DSDL_SHARED=ON -DSDL_STATIC=OFF \
    -DSDL_TEST=OFF
  # stb_image decodes PNG (and JPEG), miniz saves PNG: no other image library is needed.
  build "$(sdl_source_dir "$work" libsdl2-image)" "$work/image" -DSDL2IMAGE_VENDORED=OFF \
    -DSDL2IMAGE_DEPS_SHARED=OFF -DSDL2IMAGE_SAMPLES=OFF -DSDL2IMAGE_BACKEND_STB=ON \
    -DSDL2IMAGE_AVIF=OFF -DSDL2IMAGE_GIF=OFF -DSDL2IMAGE_JXL=OFF -DSDL2IMAGE_LBM=OFF \
    -DSDL2IMAGE_PCX=OFF -DSDL2IMAGE_PNM=OFF -DSDL2IMAGE_QOI=OFF -DSDL2IMAGE_SVG=OFF \
    -DSDL2IMAGE_TGA=OFF -DSDL2IMAGE_TIF=OFF -DSDL2IMAGE_WEBP=OFF -DSDL2IMAGE_XCF=OFF \
    -DSDL2IMAGE_XPM=OFF -DSDL2IMAGE_XV=OFF
  # Its installed package would still look for libjpeg and libpng, which stb_image replaces.
  sed -i -E 's/^if\(SDL2IMAGE_(JPG|PNG) AND NOT SDL2IMAGE_VENDORED/if(SDL2IMAGE_\1 AND NOT SDL2IMAGE_BACKEND_STB AND NOT SDL2IMAGE_VENDORED/' \
    "$prefix/lib/cmake/SDL2_image/SDL2_imageConfig.cmake"
  # WAV is built in; dr_mp3 decodes MP3.
  build "$(sdl_source_dir "$work" libsdl2-mixer)" "$work/mixer" -DSDL2MIXER_VENDORED=OFF \
    -DSDL2MIXER_DEPS_SHARED=OFF -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_CMD=OFF \
    -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_OPUS=OFF \
    -DSDL2MIXER_VORBIS=OFF -DSDL2MIXER_MP3=ON -DSDL2MIXER_MP3_DRMP3=ON -DSDL2MIXER_MP3_MPG123=OFF
  # What the zip ships, each with its licence: SDL's three, the decoders inside them, and the
  # MinGW-w64 runtime linked into the programs.
  mkdir -p "$prefix/licences"
  for lib in SDL2 SDL2_image SDL2_mixer; do
    cp "$prefix/share/licenses/$lib/LICENSE.txt" "$prefix/licences/$lib.txt"
  done
  collect_decoder_licences "$work" "$prefix/licences"
  cp /usr/share/doc/mingw-w64-common/copyright "$prefix/licences/MinGW-w64-runtime.txt"
  touch "$prefix/.complete"
fi

# The data generator, built for this machine.
cmake -S . -B build/host -DCMAKE_BUILD_TYPE=Release -DVORMELDA_BUILD_TESTS=OFF \
  -DVORMELDA_BUILD_BENCH=OFF -DVORMELDA_BUILD_RUNNER=OFF >/dev/null
cmake --build build/host -j"$(nproc)" --target vormelda-datagen

# The game for Windows, and its zip.
cmake --preset windows -DCMAKE_FIND_ROOT_PATH="$prefix" \
  -DVORMELDA_DATAGEN="$root/build/host/tools/vormelda-datagen" \
  -DVORMELDA_LICENCE_DIR="$prefix/licences" -DVORMELDA_WERROR="${VORMELDA_WERROR:-OFF}" >/dev/null
cmake --build --preset windows -j"$(nproc)"
(cd build/windows/build && cpack -G ZIP >/dev/null)
zip=$(ls build/windows/vormelda-*-windows-x64.zip)
echo "The Windows game is in $zip"
