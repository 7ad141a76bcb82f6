#!/usr/bin/env bash
# docs/make_lineart_example.sh [BUILD_DIR]: draws a 6000 x 4000 photograph-like scene with
# ImageMagick, turns it into a clean-line page with pintabel-cli and checks it, and writes the
# three pictures the README shows, 800 pixels wide, into docs/.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cli=${1:-$here/build}/cli/pintabel-cli
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
convert -seed 1 -size 1500x1000 gradient:'#7fb8ee'-'#d8ecff' \
  -fill '#ffd84a' -draw 'circle 1230,190 1230,290' \
  -fill '#4f9a3a' -draw 'ellipse 350,1050 900,380 180,360' \
  -fill '#6db44a' -draw 'ellipse 1200,1100 800,420 180,360' \
  -fill '#c9573c' -draw 'polygon 520,520 760,330 1000,520' \
  -fill '#f0e2c0' -draw 'rectangle 560,520 960,820' \
  -fill '#7a4a2a' -draw 'rectangle 720,640 800,820' \
  -fill '#9fd0f0' -draw 'rectangle 600,580 680,650' -draw 'rectangle 840,580 920,650' \
  -fill '#6b4423' -draw 'rectangle 230,480 280,800' \
  -fill '#2f7a2f' -draw 'circle 255,430 255,280' \
  -fill '#ffffff' -draw 'ellipse 400,180 120,50 0,360' -draw 'ellipse 480,160 90,50 0,360' \
  -fill '#e84a8a' -draw 'circle 1100,880 1100,900' -draw 'circle 1180,920 1180,940' \
  -draw 'circle 1300,870 1300,890' \
  -fill '#ffe040' -draw 'circle 1100,880 1100,886' -draw 'circle 1180,920 1180,926' \
  -draw 'circle 1300,870 1300,876' \
  -blur 0x1.2 -resize 6000x4000 -attenuate 0.6 +noise Gaussian -quality 92 "$work/photo.jpg"
"$cli" convert --clean-lines "$work/photo.jpg" "$work/page.bmp"
"$cli" check --overlay "$work/overlay.png" "$work/page.bmp"
convert "$work/photo.jpg" -resize 800x -quality 85 "$here/docs/lineart-photo.jpg"
convert "$work/page.bmp" -colorspace Gray -filter Triangle -resize 800x -depth 8 \
  "$here/docs/lineart-page.png"
convert "$work/overlay.png" -resize 800x -colors 16 "$here/docs/lineart-check.png"
