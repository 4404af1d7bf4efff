#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite
# (GUI tests headless). Tests labelled "slow" are left out unless other CTest
# selection options are given (scripts/test-slow.sh gives "-L slow").
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON > /dev/null
cmake --build build/test -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
if (($#)); then selection=("$@"); else selection=(-LE slow); fi
ctest --test-dir build/test --output-on-failure -j"$(nproc)" "${selection[@]}"
