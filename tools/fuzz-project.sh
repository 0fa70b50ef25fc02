#!/usr/bin/env bash
# Builds the project file fuzzer with clang (AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs it for a fixed time on the committed seed corpus. Exits non-zero when the
# fuzzer finds a crash, a hang or a broken promise of the reader; the input that did it
# is kept in the build directory's fuzz-artifacts/.
#   tools/fuzz-project.sh [seconds]   (default 60)
# VARNEL_FUZZ_BUILD_DIR picks the build directory (default build-fuzz).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=${VARNEL_FUZZ_BUILD_DIR:-$root/build-fuzz}

cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DVARNEL_FUZZ=ON -DVARNEL_BUILD_TESTS=OFF -DVARNEL_BUILD_BENCH=OFF \
  -DVARNEL_BUILD_UI=OFF -DVARNEL_BUILD_VIEWER=OFF >/dev/null
cmake --build "$build" --target project_fuzz -j2

# New inputs go to a scratch folder; the committed seeds are only read.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$build/fuzz-artifacts"
"$build/bin/project_fuzz" -max_total_time="$seconds" -max_len=8192 -timeout=10 -print_final_stats=1 \
  -artifact_prefix="$build/fuzz-artifacts/" "$scratch" "$root/project/fuzz/corpus"
