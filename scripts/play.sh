#!/usr/bin/env bash
# Installs what is missing, builds the game with its data and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)"
exec ./build/release/game/vormelda
