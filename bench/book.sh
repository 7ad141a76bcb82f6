#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pintabel developers
# SPDX-License-Identifier: GPL-2.0-or-later
# bench/book.sh [BUILD_DIR]
# Times `pintabel-cli book --vector` of a 20-page colouring book from 12-megapixel pictures:
# (1) 20 line pages (PNG, black outlines 3 pixels wide on white, as a clean-line page is) that
# are traced into curves, and (2) 20 photograph-like JPEGs through the --colouring step, whose
# grey pages go in as images. Four different pictures of each kind, each given five times.
# Prints each run's wall-clock time, the best of two, and the PDF's size.
set -euo pipefail
. "$(dirname "$0")/cli_setup.sh"

# shapes SEED: ImageMagick drawing commands of 600 random rectangles, ellipses and curves.
shapes() {
  RANDOM=$1
  local i x y w h
  for i in $(seq 1 600); do
    x=$((RANDOM % 4000)) y=$((RANDOM % 3000)) w=$((20 + RANDOM % 380)) h=$((20 + RANDOM % 380))
    case $((i % 3)) in
    0) echo "rectangle $x,$y $((x + w)),$((y + h))" ;;
    1) echo "ellipse $((x + w / 2)),$((y + h / 2)) $((w / 2)),$((h / 2)) 0,360" ;;
    2) echo "bezier $x,$y $((x + w)),$y $x,$((y + h)) $((x + w)),$((y + h))" ;;
    esac
  done
}

lines=() photos=()
for seed in 1 2 3 4; do
  shapes "$seed" >"$work/shapes$seed.mvg"
  convert -size 4000x3000 xc:white +antialias -fill none -stroke black -strokewidth 3 \
    -draw "$(cat "$work/shapes$seed.mvg")" -type bilevel "$work/lines$seed.png"
  convert -size 4000x3000 gradient:skyblue-olivedrab +antialias -stroke none \
    -fill 'rgb(200,60,40)' -draw "$(cat "$work/shapes$seed.mvg")" -blur 0x2 -seed "$seed" \
    -attenuate 0.15 +noise Gaussian -quality 90 "$work/photo$seed.jpg"
  for _ in 1 2 3 4 5; do
    lines+=("$work/lines$seed.png")
    photos+=("$work/photo$seed.jpg")
  done
done
echo "line page: $(identify -format '%wx%h, %[fx:100*(1-mean)]%% ink' "$work/lines1.png")"
echo "photo: $(identify -format '%wx%h %[size]' "$work/photo1.jpg")"

# best_of_two LABEL COMMAND...: runs the command twice, prints each run's wall-clock time and
# processor time (user + system; the machine may be shared), and the best wall-clock time.
best_of_two() {
  local label=$1 best="" ms
  shift
  for _ in 1 2; do
    /usr/bin/time -f '%e %U %S' -o "$work/time" "$@" 2>/dev/null
    read -r wall user system <"$work/time"
    ms=$(awk -v t="$wall" 'BEGIN { printf "%d", t * 1000 }')
    printf '%s: %d ms (processor %s s)\n' "$label" "$ms" \
      "$(awk -v u="$user" -v s="$system" 'BEGIN { print u + s }')"
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
  done
  printf '%s best: %d ms, %s\n' "$label" "$best" "$(du -h "$work/book.pdf" | cut -f1)"
}

best_of_two "book --vector, 20 line pages" "$cli" book "$work/book.pdf" --vector "${lines[@]}"
pdfimages -list "$work/book.pdf" | awk 'NR > 2 { n++ } END { printf "images in it: %d\n", n }'
best_of_two "book --vector --colouring, 20 photographs" \
  "$cli" book "$work/book.pdf" --vector --colouring "${photos[@]}"
