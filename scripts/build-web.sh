#!/usr/bin/env bash
# Builds Vormelda for the browser on Debian 12: build/web/, a folder any static web server can
# serve as it is (index.html, the game's vormelda.js, .wasm and .data), and the headless runner
# for node (build/web/vormelda-sim.js). Installs what is missing (Debian's emscripten among it);
# SDL2, SDL2_image and SDL2_mixer are built for WebAssembly from Debian's source packages once and
# cached in $VORMELDA_CACHE (default ~/.cache/vormelda).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/cross-build.sh

./scripts/install-deps.sh
install_missing emscripten nodejs dpkg-dev
# Debian's emcc finds its JavaScript parser among Debian's node modules.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

prefix=$VORMELDA_CACHE/$(sdl_cache_key web)
if [ ! -f "$prefix/.complete" ]; then
  echo "Building SDL2, SDL2_image and SDL2_mixer for the browser into $prefix (some minutes)"
  build_sdl_libraries "$prefix" OFF emcmake cmake
  touch "$prefix/.complete"
fi

datagen=$(host_datagen)
cmake --preset web -DCMAKE_FIND_ROOT_PATH="$prefix" -DVORMELDA_DATAGEN="$datagen" \
  -DVORMELDA_WERROR="${VORMELDA_WERROR:-OFF}" >/dev/null
cmake --build --preset web -j"$(nproc)"
mkdir -p build/web/licences && cp "$prefix/licences/"*.txt build/web/licences/
echo "The web game is in build/web: try it with python3 -m http.server -d build/web"
