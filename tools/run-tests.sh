#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test suite.
# VARNEL_SANITIZE=1 builds with AddressSanitizer and UndefinedBehaviorSanitizer instead
# (in its own build directory). VARNEL_THREAD_SANITIZE=1 builds the builder's and the
# picture loader's tests with ThreadSanitizer (in build-tsan/) and runs those alone: any
# race they report fails the run. The plain build fails on any compiler warning in the
# project's own code (VARNEL_WARNINGS_AS_ERRORS); the sanitizer builds compile the same code
# and leave their instrumentation's warnings to the compiler.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh

build_dir=build
cmake_args=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${VARNEL_SANITIZE:-0}" = "1" ]; then
  build_dir=build-sanitize
  cmake_args+=(-DVARNEL_SANITIZE=ON -DVARNEL_BUILD_BENCH=OFF)
elif [ "${VARNEL_THREAD_SANITIZE:-0}" != "1" ]; then
  cmake_args+=(-DVARNEL_WARNINGS_AS_ERRORS=ON)
fi
export SDL_VIDEODRIVER=dummy QT_QPA_PLATFORM=offscreen

if [ "${VARNEL_THREAD_SANITIZE:-0}" = "1" ]; then
  cmake_args+=(-DVARNEL_THREAD_SANITIZE=ON -DVARNEL_BUILD_BENCH=OFF)
  cmake -S . -B build-tsan "${cmake_args[@]}"
  suites=(build_tests conversion_tests picture_tests)
  cmake --build build-tsan -j "$(nproc)" --target "${suites[@]}"
  export TSAN_OPTIONS="halt_on_error=1 exitcode=66 ${TSAN_OPTIONS:-}"
  for suite in "${suites[@]}"; do
    echo "run-tests: $suite under ThreadSanitizer"
    build-tsan/bin/"$suite" --gtest_brief=1
  done
  exit 0
fi

cmake -S . -B "$build_dir" "${cmake_args[@]}"
cmake --build "$build_dir" -j "$(nproc)"
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
