#!/usr/bin/env bash
# Installs what is missing, builds the game with its pictures and sounds (nothing else) and starts
# it; any options go to the game (--help lists them).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)" --target vormelda
echo "vormelda: the game is built in $PWD/build/release/game"
exec ./build/release/game/vormelda "$@"
