#!/usr/bin/env bash
# Installs what building, playing and testing need, from Debian's packages, when it is missing.
set -euo pipefail
packages=(build-essential cmake pkg-config libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev
  libmp3lame-dev libpng-dev zlib1g-dev libstb-dev libcli11-dev nlohmann-json3-dev libgtest-dev
  libbenchmark-dev)
case "${1:-}" in
  # gdb: a window test that waits in vain shows where the game was waiting.
  --test) packages+=(xvfb xdotool imagemagick x11-utils python3 libx11-6 gdb) ;;
  # Building the Debian package and checking it as a player's machine would.
  --package) packages+=(dpkg-dev file lintian desktop-file-utils appstream-util xvfb xdotool
    x11-utils) ;;
esac
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
