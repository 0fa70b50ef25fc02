#!/usr/bin/env bash
# Installs what is missing, builds Varnel, and builds the bundled sample show into
# out/slide.gba (play it with any Game Boy Advance emulator, e.g. mgba-qt out/slide.gba).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target varnel-build viewer
examples/sample-show.sh build/bin/varnel-build out
echo "The sample show is in $(pwd)/out/slide.gba"
