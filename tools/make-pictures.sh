#!/usr/bin/env bash
# Builds the picture generator and redraws the committed pictures:
# cardimages/*.png, ZuvPokerLogo.jpg and BannerText.jpg in the repository root.
# Usage: tools/make-pictures.sh [--preview FILE.png]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S tools/cardgen -B build-cardgen -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build-cardgen -j"$(nproc)"
QT_QPA_PLATFORM=offscreen ./build-cardgen/zuvcardgen "$@" .
echo "Pictures written to $(pwd)/cardimages, ZuvPokerLogo.jpg and BannerText.jpg"
