#!/usr/bin/env bash
# Installs what is missing, builds a Release build and starts Zuv Poker Simulator
# in the repository folder, which holds cardimages/ and the other data files.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF > /dev/null
cmake --build build/release --target zuvpoker zuvsim -j"$(nproc)"
exec ./build/release/zuvpoker "$@"
