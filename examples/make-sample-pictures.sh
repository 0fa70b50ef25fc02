#!/usr/bin/env bash
# Makes the pictures of the sample show (committed beside this script). Each one tries a
# different case: a title card of exactly the screen size, pictures larger and smaller than
# the screen, a wide panorama, an 8-bit palette picture, a translucent 32-bit PNG, and BMP
# files of 24 and 8 bits. Needs ImageMagick 6 (Debian: imagemagick).
set -euo pipefail
cd "$(dirname "$0")/sample"
im=convert-im6.q16

# Exactly 240 x 160, 24-bit PNG: the title card, used as the intro picture.
$im -size 240x160 gradient:'#1b2a6b'-'#0b0f24' \
  -fill '#ffd166' -font DejaVu-Sans-Bold -pointsize 34 -gravity center -annotate +0-18 'Varnel' \
  -fill white -font DejaVu-Sans -pointsize 14 -annotate +0+22 'a sample slideshow' \
  PNG24:01-title.png

# 640 x 480 JPEG, larger than the screen: a sunset over hills.
$im -size 640x480 gradient:'#ff9a3c'-'#5b1e6b' \
  -fill '#fff2a8' -draw 'circle 320,300 320,230' \
  -fill '#2d1b3d' -draw 'polygon 0,480 0,360 120,320 260,370 400,310 520,350 640,320 640,480' \
  -quality 90 JPEG:02-sunset.jpg

# 1200 x 160 JPEG panorama: wider than the screen, shown at full size and scrolled.
$im -size 1200x160 gradient:'#8ecae6'-'#e9f5fb' \
  -fill '#6c757d' -draw 'polygon 0,160 0,90 150,40 260,100 400,30 560,110 700,50 850,95 1000,35 1200,100 1200,160' \
  -fill white -draw 'polygon 380,42 400,30 420,42' -draw 'polygon 980,47 1000,35 1020,47' \
  -fill '#2a9d8f' -draw 'rectangle 0,140 1200,160' \
  -quality 88 JPEG:03-panorama.jpg

# 120 x 80 GIF, smaller than the screen: shown centred on black.
$im -size 120x80 xc:'#264653' -fill '#e9c46a' -draw 'roundrectangle 10,10 110,70 12,12' \
  -fill '#264653' -font DejaVu-Sans-Bold -pointsize 18 -gravity center -annotate +0+0 'GIF' \
  GIF:04-stamp.gif

# 320 x 240 PNG with an 8-bit palette.
$im -seed 7 -size 320x240 plasma:'#ff006e'-'#3a86ff' -colors 64 PNG8:05-palette.png

# 300 x 200 PNG with translucent pixels (32 bits): the build blends them onto black.
$im -size 300x200 xc:none \
  -fill 'rgba(255,0,110,0.8)' -draw 'circle 110,100 110,30' \
  -fill 'rgba(58,134,255,0.6)' -draw 'circle 190,100 190,30' \
  -fill 'rgba(255,190,11,0.9)' -draw 'circle 150,150 150,110' \
  PNG32:06-glass.png

# 480 x 320 BMP, 24 bits: a chequerboard with a label.
$im -size 120x80 pattern:checkerboard -scale 400% -fill '#e76f51' -colorize 40 \
  -fill white -stroke black -strokewidth 2 -font DejaVu-Sans-Bold -pointsize 48 \
  -gravity center -annotate +0+0 'BMP 24' -type TrueColor BMP3:07-tiles.bmp

# 240 x 160 BMP, 8-bit palette: a retro stripe picture.
$im -size 240x160 gradient:'#ff006e'-'#8338ec' -fill '#ffbe0b' -draw 'rectangle 0,70 240,90' \
  -fill black -font DejaVu-Sans-Bold -pointsize 16 -gravity center -annotate +0+0 'BMP 8-bit' \
  -colors 32 -type Palette -compress None BMP3:08-retro.bmp

ls -l
