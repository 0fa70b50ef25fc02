#!/usr/bin/env bash
# The sample show: eight pictures with captions, effects and sizings that exercise the
# options. Usage: sample-show.sh VARNEL_BUILD OUTPUT_DIRECTORY
# Captions are laid out 18 columns a line, a line break costing one column, so their
# lines hold at most 17 characters.
# The image is written as OUTPUT_DIRECTORY/slide.gba and the show as the project
# OUTPUT_DIRECTORY/sample.vrn, which names the pictures by their full paths in this
# checkout (so it is made here, never kept in the repository).
set -euo pipefail
varnel_build=$(realpath "$1")
out=$(realpath -m "$2")
pictures=$(realpath "$(dirname "$0")/sample")
mkdir -p "$out"
cd "$out"

"$varnel_build" \
  --intro 1 --time-limit --seconds 6 \
  "$pictures/01-title.png" \
  --effect 5 --caption $'Sunset over the\nhills: a JPEG of\n640 x 480, shown\nresized and at\nfull size (A).' \
  "$pictures/02-sunset.jpg" \
  --effect 1 --sizing 1 --caption $'A panorama of\n1200 x 160. Use\nthe D-pad to\nscroll it.' \
  "$pictures/03-panorama.jpg" \
  --effect 7 --caption $'A small GIF,\ncentred on black.' \
  "$pictures/04-stamp.gif" \
  --effect 3 --caption $'An 8-bit palette\nPNG.' \
  "$pictures/05-palette.png" \
  --effect 6 --caption $'A PNG with\ntranslucent\npixels, blended\nonto black.' \
  "$pictures/06-glass.png" \
  --effect 4 --sizing 2 --caption $'A 24-bit BMP,\nresized only.' \
  "$pictures/07-tiles.bmp" \
  --effect 8 --caption $'An 8-bit BMP.\n\nThe end: press R\nfor the first\npicture again.' \
  "$pictures/08-retro.bmp" \
  --save-project sample.vrn -o slide.gba
