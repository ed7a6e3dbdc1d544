#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh --test
# CI sets VORMELDA_WERROR=ON: a warning fails the build there.
cmake --preset release -DVORMELDA_WERROR="${VORMELDA_WERROR:-OFF}" >/dev/null
cmake --build --preset release -j"$(nproc)"
ctest --preset release -j"$(nproc)"
