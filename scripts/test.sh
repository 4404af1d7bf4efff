#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite
# (GUI tests headless). Tests labelled "slow" are left to scripts/test-slow.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON > /dev/null
cmake --build build/test -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build/test --output-on-failure -LE slow -j"$(nproc)"
