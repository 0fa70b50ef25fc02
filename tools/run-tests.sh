#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test suite.
# VARNEL_SANITIZE=1 builds with AddressSanitizer and UndefinedBehaviorSanitizer instead
# (in its own build directory).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh

build_dir=build
cmake_args=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${VARNEL_SANITIZE:-0}" = "1" ]; then
  build_dir=build-sanitize
  cmake_args+=(-DVARNEL_SANITIZE=ON -DVARNEL_BUILD_BENCH=OFF)
fi

cmake -S . -B "$build_dir" "${cmake_args[@]}"
cmake --build "$build_dir" -j "$(nproc)"
export SDL_VIDEODRIVER=dummy QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
