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

# Pictures the picture library alone gets wrong, each with the quadrant pattern: red
# top-left, green top-right, blue bottom-left, white bottom-right (so a test sees both
# where a corner went and what colour it kept). Byte-level steps: edit-picture-bytes.py.
edit() { python3 ./edit-picture-bytes.py "$@"; }
quadrants() {  # $1: width x height
  local w=${1%x*} h=${1#*x}
  $IM -size "$1" xc:white -fill 'rgb(255,0,0)' -draw "rectangle 0,0 $((w / 2 - 1)),$((h / 2 - 1))" \
    -fill 'rgb(0,255,0)' -draw "rectangle $((w / 2)),0 $((w - 1)),$((h / 2 - 1))" \
    -fill 'rgb(0,0,255)' -draw "rectangle 0,$((h / 2)) $((w / 2 - 1)),$((h - 1))" \
    -type TrueColor "PNG24:$2"
}
quadrants 24x32 "$tmp/portrait.png"
quadrants 32x24 "$tmp/landscape.png"

# A phone's portrait photo for each EXIF orientation: stored turned or mirrored the way
# that orientation undoes, so each shows the upright portrait (24 x 32). Both byte orders.
turns=("" "-flop" "-rotate 180" "-flip" "-transpose" "-rotate 270" "-transverse" "-rotate 90")
for o in 1 2 3 4 5 6 7 8; do
  # shellcheck disable=SC2086
  $IM "$tmp/portrait.png" ${turns[o - 1]} -strip -quality 95 -sampling-factor 1x1 "JPEG:$tmp/o.jpg"
  edit jpeg-exif "$tmp/o.jpg" "$o" "$([ $((o % 2)) -eq 0 ] && echo MM || echo II)" "orientation-$o.jpg"
done
$IM "$tmp/portrait.png" -rotate 270 -strip "PNG24:$tmp/o.png"
edit png-exif "$tmp/o.png" 6 orientation-6.png

# A CMYK JPEG as ImageMagick and Photoshop write it: inverted, with the Adobe segment.
# (libjpeg writes every CMYK file as YCCK behind that segment, so a plain CMYK file cannot
# be made from it; the loader's tests check the plain reading on a surface.)
$IM "$tmp/landscape.png" -colorspace CMYK -strip -quality 95 -sampling-factor 1x1 JPEG:cmyk-adobe.jpg

# JPEGs of the other shapes a decoder writes: rows with padding (37 pixels, 4:2:0 chroma),
# one grey channel, progressive.
$IM -seed 3 -size 37x23 plasma:fractal -strip -sampling-factor 2x2 -quality 90 JPEG:jpeg-odd-width.jpg
$IM -seed 4 -size 29x17 plasma:fractal -strip -colorspace Gray -quality 85 JPEG:jpeg-grey.jpg
$IM -seed 5 -size 45x31 plasma:fractal -strip -interlace JPEG -quality 88 JPEG:jpeg-progressive.jpg
# Photographs larger than the screen, which a decoder shrinks as it decodes them: one
# whose sizes divide 240 x 160 exactly, one whose sizes do not.
$IM -seed 9 -size 480x320 plasma:fractal -strip -sampling-factor 2x2 -quality 80 JPEG:photo-480x320.jpg
$IM -seed 10 -size 501x333 plasma:fractal -strip -sampling-factor 2x2 -quality 80 JPEG:photo-501x333.jpg

# 32-bit BMP whose fourth bytes are all 0; 16-bit BMP (5 bits per channel).
edit bmp32-zero-alpha bmp32-zero-alpha.bmp
edit bmp16 bmp16.bmp

# Transparency: a 24-bit PNG with a transparent colour (red), a palette PNG with one
# transparent entry (red), a palette PNG with two (red and green).
$IM "$tmp/landscape.png" -transparent 'rgb(255,0,0)' PNG24:transparent-colour.png
$IM "$tmp/landscape.png" -transparent 'rgb(255,0,0)' PNG8:transparent-entry.png
edit png-several-transparent transparent-entries.png


# 16-bit grey PNG of four samples whose high bytes alone are not the nearest 8-bit value
# for the first two: 0x00C0, 0x01FF, 0x80FF, 0xFFFF.
edit png-grey16 grey16.png
