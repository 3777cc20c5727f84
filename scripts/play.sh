#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game from its data directory.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHOOFBRAWL_TESTS=OFF -DHOOFBRAWL_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)"
cd build/data
exec ../hoofbrawl "$@"
