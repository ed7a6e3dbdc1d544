# Sourced by the scripts that build the game for another system: SDL2, SDL2_image and SDL2_mixer
# of the versions Debian 12 ships, from Debian's own source packages, built once and cached
# outside the clone (keyed by the system and the versions), so that later builds skip them.

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
      dpkg-source -x "${SDL_PACKAGES[$i]}_${SDL_VERSIONS[$i]#*:}.dsc" >/dev/null
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
