#!/usr/bin/env bash
# Installs what is missing, builds Varnel (the editor, varnel-build, varnel-play and the
# console viewer) and the bundled sample show into out/slide.gba with its project
# out/sample.vrn.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target varnel varnel-build varnel-play viewer
examples/sample-show.sh build/bin/varnel-build out
cat <<DONE
The sample show is in $(pwd)/out/slide.gba; play it with
  build/bin/varnel-play out/slide.gba
Open it in the editor (its work directory, where Build SlideShow writes, is out/):
  cd out && ../build/bin/varnel sample.vrn
DONE
