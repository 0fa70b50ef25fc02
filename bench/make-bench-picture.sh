#!/usr/bin/env bash
# Makes the benchmark's 4000 x 3000 photograph-like JPEG (a seeded plasma, about 3 MB, too
# large to commit). Usage: make-bench-picture.sh OUTPUT.jpg
set -euo pipefail
convert-im6.q16 -seed 7 -size 4000x3000 plasma:fractal -quality 90 "JPEG:$1"
