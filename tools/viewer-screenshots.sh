#!/usr/bin/env bash
# Builds the sample show and saves PNG screenshots of a run of it in the viewer (first
# slide, frames in the middle of transitions, a caption, the full size, the help screen,
# the chooser), so that a person can look at what the console shows.
# Usage: tools/viewer-screenshots.sh [BUILD_DIRECTORY] [OUTPUT_DIRECTORY]
# (defaults: build and out/viewer-screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-out/viewer-screenshots}

if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target varnel-build viewer viewer_screenshots -j 2
mkdir -p "$out"
rm -f "$out"/*.png
examples/sample-show.sh "$build/bin/varnel-build" "$out/show" > /dev/null
"$build/bin/viewer_screenshots" "$out/show/slide.gba" "$out"
echo "Screenshots are in $(realpath "$out")"
