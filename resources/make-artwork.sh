#!/usr/bin/env bash
# Draws Varnel's own artwork with ImageMagick: the application icon at the sizes the
# desktop and the window use, and the About picture (240 x 160, the console's screen).
# Run it from anywhere; it rewrites the PNG files beside it.
set -euo pipefail
cd "$(dirname "$0")"
# On some machines "convert" is not ImageMagick; name the ImageMagick 6 tool itself.
IM=convert-im6.q16

BODY='#5b3fa8' BODY_EDGE='#35206e' BEZEL='#23213a' KEYS='#23213a' BUTTONS='#ef5f7f'
SKY='#8fd3ff' SUN='#ffd34d' HILL='#47b860' HILL_FAR='#2f8f4f'

# The icon: a handheld console seen from the front, a landscape slide on its screen.
# Drawn once on a 256-pixel canvas, then scaled down for every size.
$IM -size 256x256 xc:none \
  -fill "$BODY" -stroke "$BODY_EDGE" -strokewidth 8 \
  -draw "roundrectangle 8,60 248,204 44,44" \
  -stroke none -fill "$BEZEL" -draw "roundrectangle 60,78 196,186 12,12" \
  -fill "$SKY" -draw "rectangle 72,89 184,164" \
  -fill "$SUN" -draw "circle 160,110 160,122" \
  -fill "$HILL_FAR" -draw "polygon 72,150 104,122 136,150 136,164 72,164" \
  -fill "$HILL" -draw "polygon 96,164 140,128 184,156 184,164" \
  -fill white -draw "rectangle 72,172 184,176" \
  -fill "$KEYS" -draw "rectangle 18,124 54,140" -draw "rectangle 28,114 44,150" \
  -fill "$BUTTONS" -draw "circle 214,146 214,158" -draw "circle 234,120 234,132" \
  PNG32:icon-256.tmp.png
for size in 16 32 48 128; do
  $IM icon-256.tmp.png -filter Lanczos -resize "${size}x${size}" -strip \
    PNG32:"varnel-icon-$size.png"
done

# The project file's icon: a sheet of paper with a folded corner, the console on it.
$IM -size 256x256 xc:none \
  -fill white -stroke '#6b6880' -strokewidth 8 \
  -draw "polygon 40,8 172,8 220,56 220,248 40,248" \
  -fill '#d9d6e8' -draw "polygon 172,8 172,56 220,56" \
  \( icon-256.tmp.png -filter Lanczos -resize 176x176 \) -geometry +42+84 -composite \
  PNG32:project-256.tmp.png
for size in 16 32 48 128; do
  $IM project-256.tmp.png -filter Lanczos -resize "${size}x${size}" -strip \
    PNG32:"varnel-project-icon-$size.png"
done
rm -f icon-256.tmp.png project-256.tmp.png

# The About picture: the console at dusk, three slides of the show fanned out beside it.
slide() {  # x y angle sky hill: one framed picture, turned about its centre
  echo "push graphic-context translate $1,$2 rotate $3
        fill white rectangle -30,-22 30,22
        fill $4 rectangle -26,-18 26,14
        fill $5 polygon -26,14 -6,-4 10,8 26,-6 26,14
        pop graphic-context"
}
$IM -size 240x160 gradient:'#1c1f5a-#f39a5b' \
  -fill '#ffe08a' -draw "circle 196,104 196,126" \
  -fill '#3b2a63' -draw "polygon 0,160 0,124 46,104 98,126 150,110 196,130 240,114 240,160" \
  -fill '#27194a' -draw "polygon 0,160 0,142 60,130 120,146 180,134 240,148 240,160" \
  -fill "$BODY" -stroke "$BODY_EDGE" -strokewidth 3 \
  -draw "roundrectangle 14,42 134,112 22,22" \
  -stroke none -fill "$BEZEL" -draw "roundrectangle 40,50 108,104 6,6" \
  -fill "$SKY" -draw "rectangle 46,55 102,92" \
  -fill "$SUN" -draw "circle 90,65 90,71" \
  -fill "$HILL_FAR" -draw "polygon 46,86 62,72 78,86 78,92 46,92" \
  -fill "$HILL" -draw "polygon 58,92 80,74 102,88 102,92" \
  -fill white -draw "rectangle 46,97 102,99" \
  -fill "$KEYS" -draw "rectangle 20,73 36,81" -draw "rectangle 24,69 32,85" \
  -fill "$BUTTONS" -draw "circle 118,84 118,90" -draw "circle 127,71 127,77" \
  -draw "$(slide 170 44 -12 '#9ad0ff' '#5aa05a')" \
  -draw "$(slide 196 62 8 '#ffcf9a' '#b0603a')" \
  -draw "$(slide 160 84 -4 '#b8e0ff' '#3f7fbf')" \
  -font DejaVu-Sans-Bold -pointsize 20 -fill white -gravity southwest \
  -annotate +14+10 'Varnel' \
  -strip PNG24:about-picture.png
