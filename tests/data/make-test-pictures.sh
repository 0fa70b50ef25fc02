#!/usr/bin/env bash
# Makes the small test pictures of every format the editor reads, from two patterns
# written here as ImageMagick pixel text (so every colour is exact):
#   flat24     48 x 32, 24 flat colours in 8 x 8 blocks (palette formats, lossless; more
#              than 16 colours, so that BMP3 is written with 8 bits per pixel)
#   gradient   48 x 32, red rising to the right, green rising downwards, blue in bands;
#              its alpha (PNG32 only) is 255 on the left third, 128 in the middle, 0 right
# Run from anywhere; writes into the directory of this script. Needs ImageMagick 6
# (convert-im6.q16: on some machines `convert` is another program), and names every
# format explicitly, or ImageMagick picks 1-bit or RLE files by itself.
set -euo pipefail
cd "$(dirname "$0")"
IM=convert-im6.q16
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The colours of flat24, index = block column + 6 x block row.
flat24() {
  awk 'BEGIN {
    split("0 0 0|255 255 255|255 0 0|0 255 0|0 0 255|255 255 0|0 255 255|255 0 255|" \
          "128 128 128|255 128 0|8 8 8|7 7 7|64 32 16|200 100 50|16 200 120|90 60 250|" \
          "1 2 3|250 240 230|33 66 99|120 0 60|0 90 45|180 180 20|100 100 100|240 15 160", c, "|");
    print "# ImageMagick pixel enumeration: 48,32,255,srgb";
    for (y = 0; y < 32; y++) for (x = 0; x < 48; x++) {
      split(c[int(x / 8) + 6 * int(y / 8) + 1], v, " ");
      printf "%d,%d: (%d,%d,%d)\n", x, y, v[1], v[2], v[3];
    }
  }'
}

gradient() {  # $1: with alpha (1) or not (0)
  awk -v alpha="$1" 'BEGIN {
    print "# ImageMagick pixel enumeration: 48,32,255," (alpha ? "srgba" : "srgb");
    for (y = 0; y < 32; y++) for (x = 0; x < 48; x++) {
      r = x * 5; g = y * 8; b = 60 * int(x / 16) + 40 * int(y / 16);
      a = x < 16 ? 255 : (x < 32 ? 128 : 0);
      if (alpha) printf "%d,%d: (%d,%d,%d,%d)\n", x, y, r, g, b, a;
      else printf "%d,%d: (%d,%d,%d)\n", x, y, r, g, b;
    }
  }'
}

flat24 > "$tmp/flat24.txt"
gradient 0 > "$tmp/gradient.txt"
gradient 1 > "$tmp/gradient-alpha.txt"

$IM "txt:$tmp/flat24.txt" -type Palette -depth 8 -compress None BMP3:picture-8bit.bmp
$IM "txt:$tmp/gradient.txt" -type TrueColor -compress None BMP3:picture-24bit.bmp
$IM "txt:$tmp/gradient-alpha.txt" -type TrueColorAlpha -compress None BMP:picture-32bit.bmp
$IM "txt:$tmp/flat24.txt" PNG8:picture-palette.png
$IM "txt:$tmp/gradient.txt" PNG24:picture-24bit.png
$IM "txt:$tmp/gradient-alpha.txt" PNG32:picture-32bit.png
$IM "txt:$tmp/gradient.txt" -quality 90 -sampling-factor 1x1 JPEG:picture.jpg
$IM "txt:$tmp/flat24.txt" GIF:picture.gif
