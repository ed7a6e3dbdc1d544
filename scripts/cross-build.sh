# Sourced by the scripts that build the game for another system (build-windows.sh, build-web.sh):
# SDL2, SDL2_image and SDL2_mixer of the versions Debian 12 ships, from Debian's own source
# packages, built once and cached outside the clone (keyed by the system and the versions), so
# that later builds skip them; and the data generator, which runs on the build machine.

# The versions Debian 12 ships, and the cache they are built into.
SDL_PACKAGES=(libsdl2 libsdl2-image libsdl2-mixer)
SDL_VERSIONS=(2.26.5+dfsg-1 2.6.3+dfsg-1 2.6.2+dfsg-2)
VORMELDA_CACHE=${VORMELDA_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vormelda}

sudo_if_needed() {
  if [ "$(id -u)" -ne 0 ]; then sudo "$@"; else "$@"; fi
}

# Installs Debian packages that are missing.
install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    sudo_if_needed apt-get update -qq
    DEBIAN_FRONTEND=noninteractive sudo_if_needed apt-get install -y -qq "${missing[@]}"
  fi
}

# apt-get source needs deb-src entries: made from the deb entries when there are none.
ensure_deb_src() {
  if grep -rqsE '^[[:space:]]*(deb-src|Types:.*deb-src)' /etc/apt/sources.list \
    /etc/apt/sources.list.d/; then
    return
  fi
  echo "Adding deb-src entries beside the deb entries, for apt-get source"
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed -E 's/^Types:[[:space:]]*deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
      sudo_if_needed tee /etc/apt/sources.list.d/vormelda-deb-src.sources >/dev/null
  fi
  if grep -qsE '^[[:space:]]*deb[[:space:]]' /etc/apt/sources.list; then
    sed -nE 's/^[[:space:]]*deb([[:space:]])/deb-src\1/p' /etc/apt/sources.list |
      sudo_if_needed tee /etc/apt/sources.list.d/vormelda-deb-src.list >/dev/null
  fi
  sudo_if_needed apt-get update -qq
}

# The key of a cache entry: the system and every version.
sdl_cache_key() {
  local key=$1
  for i in "${!SDL_PACKAGES[@]}"; do key+="_${SDL_PACKAGES[$i]}-${SDL_VERSIONS[$i]}"; done
  echo "$key"
}

# Unpacks the three source packages (patched as Debian builds them) into $1/src.
fetch_sdl_sources() {
  local work=$1
  ensure_deb_src
  mkdir -p "$work/src"
  (
    cd "$work/src"
    for i in "${!SDL_PACKAGES[@]}"; do
      local spec="${SDL_PACKAGES[$i]}=${SDL_VERSIONS[$i]}"
      apt-get source -qq --download-only "$spec" >/dev/null 2>&1 ||
        { echo "cannot fetch the source package $spec" >&2; exit 1; }
      # apt-get source has checked the files against the archive's signed index.
      dpkg-source --no-check -x "${SDL_PACKAGES[$i]}_${SDL_VERSIONS[$i]#*:}.dsc" >/dev/null
    done
  )
}

# The unpacked source folder of package $2 under $1/src.
sdl_source_dir() {
  local work=$1 package=$2
  find "$work/src" -maxdepth 1 -type d -name "${package}-[0-9]*" | head -n 1
}

# The licences of what the libraries hold, into $2 (SDL's own come with its install): the image
# and sound decoders inside them.
collect_decoder_licences() {
  local work=$1 out=$2 image mixer
  image=$(sdl_source_dir "$work" libsdl2-image)
  mixer=$(sdl_source_dir "$work" libsdl2-mixer)
  mkdir -p "$out"
  sed -n '/^This software is available under 2 licenses/,$p' "$image/stb_image.h" \
    > "$out/stb_image.txt"
  sed -n '/This is free and unencumbered software/,/unlicense.org/p' "$image/miniz.h" \
    > "$out/miniz.txt"
  sed -n '/^This software is available as a choice of the following licenses/,$p' \
    "$mixer/src/codecs/dr_libs/dr_mp3.h" > "$out/dr_mp3.txt"
  for f in "$out"/*.txt; do
    [ -s "$f" ] || { echo "no licence text found for $(basename "$f")" >&2; exit 1; }
  done
}

# Builds and installs the three libraries into $1, as shared libraries or static ones ($2: ON or
# OFF), configuring each with the command that follows (cmake with a toolchain file, or emcmake
# cmake), and writes the licences of what they hold into $1/licences. The caller marks the cache
# complete (touch $1/.complete) once it has added what else it needs.
build_sdl_libraries() {
  local prefix=$1 shared=$2
  shift 2
  local configure=("$@") work
  work=$(mktemp -d)
  rm -rf "$prefix"
  fetch_sdl_sources "$work"
  local common=(-DCMAKE_FIND_ROOT_PATH="$prefix" -DCMAKE_INSTALL_PREFIX="$prefix"
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS="$shared")
  build_one() {  # package, options...
    local src out
    src=$(sdl_source_dir "$work" "$1")
    out="$work/build-$1"
    shift
    { "${configure[@]}" -S "$src" -B "$out" "${common[@]}" "$@" &&
      cmake --build "$out" -j"$(nproc)" && cmake --install "$out"; } >"$out.log" 2>&1 ||
      { tail -n 30 "$out.log"; echo "building $(basename "$src") failed" >&2; return 1; }
  }
  local static=OFF
  [ "$shared" = ON ] || static=ON
  build_one libsdl2 -DSDL_SHARED="$shared" -DSDL_STATIC="$static" -DSDL_TEST=OFF
  # stb_image decodes PNG (and JPEG), miniz saves PNG: no other image library is needed.
  build_one libsdl2-image -DSDL2IMAGE_VENDORED=OFF -DSDL2IMAGE_DEPS_SHARED=OFF \
    -DSDL2IMAGE_SAMPLES=OFF -DSDL2IMAGE_BACKEND_STB=ON -DSDL2IMAGE_AVIF=OFF -DSDL2IMAGE_GIF=OFF \
    -DSDL2IMAGE_JXL=OFF -DSDL2IMAGE_LBM=OFF -DSDL2IMAGE_PCX=OFF -DSDL2IMAGE_PNM=OFF \
    -DSDL2IMAGE_QOI=OFF -DSDL2IMAGE_SVG=OFF -DSDL2IMAGE_TGA=OFF -DSDL2IMAGE_TIF=OFF \
    -DSDL2IMAGE_WEBP=OFF -DSDL2IMAGE_XCF=OFF -DSDL2IMAGE_XPM=OFF -DSDL2IMAGE_XV=OFF
  # Its installed package would still look for libjpeg and libpng, which stb_image replaces.
  sed -i -E 's/^if\(SDL2IMAGE_(JPG|PNG) AND NOT SDL2IMAGE_VENDORED/if(SDL2IMAGE_\1 AND NOT SDL2IMAGE_BACKEND_STB AND NOT SDL2IMAGE_VENDORED/' \
    "$prefix/lib/cmake/SDL2_image/SDL2_imageConfig.cmake"
  # WAV is built in; dr_mp3 decodes MP3.
  build_one libsdl2-mixer -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_DEPS_SHARED=OFF \
    -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_CMD=OFF -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF \
    -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_VORBIS=OFF -DSDL2MIXER_MP3=ON \
    -DSDL2MIXER_MP3_DRMP3=ON -DSDL2MIXER_MP3_MPG123=OFF
  mkdir -p "$prefix/licences"
  for lib in SDL2 SDL2_image SDL2_mixer; do
    cp "$prefix/share/licenses/$lib/LICENSE.txt" "$prefix/licences/$lib.txt"
  done
  collect_decoder_licences "$work" "$prefix/licences"
  rm -rf "$work"
}

# Builds vormelda-datagen for this machine into build/host and prints its path.
host_datagen() {
  cmake -S . -B build/host -DCMAKE_BUILD_TYPE=Release -DVORMELDA_BUILD_TESTS=OFF \
    -DVORMELDA_BUILD_BENCH=OFF -DVORMELDA_BUILD_RUNNER=OFF >/dev/null
  cmake --build build/host -j"$(nproc)" --target vormelda-datagen >&2
  echo "$PWD/build/host/tools/vormelda-datagen"
}
