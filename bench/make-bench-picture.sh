#!/usr/bin/env bash
# Makes a benchmark's photograph-like JPEG (a seeded plasma; the 4000 x 3000 one is about
# 3 MB, too large to commit). Usage: make-bench-picture.sh OUTPUT.jpg [WIDTHxHEIGHT]
set -euo pipefail
convert-im6.q16 -seed 7 -size "${2:-4000x3000}" plasma:fractal -quality 90 "JPEG:$1"
