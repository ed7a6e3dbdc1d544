#!/usr/bin/env bash
# Builds Vormelda for 64-bit Windows on Debian 12: build/windows/vormelda-VERSION-windows-x64.zip,
# holding vormelda.exe, vormelda-sim.exe, SDL's libraries, the data, a fresh HighScore.ini, a
# README and the licences. Installs what is missing (mingw-w64 among it); SDL2, SDL2_image and
# SDL2_mixer are built from Debian's source packages once and cached in $VORMELDA_CACHE (default
# ~/.cache/vormelda).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
source scripts/cross-build.sh

# The build machine's tools (the data generator runs here) and the cross compiler.
./scripts/install-deps.sh
install_missing g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
  dpkg-dev
toolchain=$root/cmake/mingw-w64-x86_64.cmake

# SDL for Windows, from the cache or built now; the zip also ships the MinGW-w64 runtime's
# licence, which is linked into the programs.
prefix=$VORMELDA_CACHE/$(sdl_cache_key windows-x64)
if [ ! -f "$prefix/.complete" ]; then
  echo "Building SDL2, SDL2_image and SDL2_mixer for Windows into $prefix"
  build_sdl_libraries "$prefix" ON cmake -DCMAKE_TOOLCHAIN_FILE="$toolchain"
  cp /usr/share/doc/mingw-w64-common/copyright "$prefix/licences/MinGW-w64-runtime.txt"
  touch "$prefix/.complete"
fi

# The game for Windows, its data made by the generator built for this machine, and its zip.
datagen=$(host_datagen)
cmake --preset windows -DCMAKE_FIND_ROOT_PATH="$prefix" -DVORMELDA_DATAGEN="$datagen" \
  -DVORMELDA_LICENCE_DIR="$prefix/licences" -DVORMELDA_WERROR="${VORMELDA_WERROR:-OFF}" >/dev/null
cmake --build --preset windows -j"$(nproc)"
(cd build/windows/build && cpack -G ZIP >/dev/null)
zip=$(ls build/windows/vormelda-*-windows-x64.zip)
echo "The Windows game is in $zip"
