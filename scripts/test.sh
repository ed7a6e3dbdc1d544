#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh --test
cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)"
ctest --preset release -j"$(nproc)"
