#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pintabel developers
# SPDX-License-Identifier: GPL-2.0-or-later
# bench/large_photo.sh [BUILD_DIR] [PHOTO.jpg]
# Times, best of five and interleaved round by round so that all share the machine's moods, on
# one 24-megapixel JPEG: `pintabel-cli convert --colouring` to BMP and to JPEG, `djpeg -bmp`
# (decoding alone) and ImageMagick's grey edge picture (`-colorspace Gray -edge 1 -negate`).
# Prints the ratios against djpeg and ImageMagick, and the tool's peak resident memory against
# the page's bytes. Without PHOTO a 6000 x 4000 photograph-like JPEG is made with ImageMagick.
set -euo pipefail
. "$(dirname "$0")/cli_setup.sh"

photo=${2:-}
if [ -z "$photo" ]; then
  photo=$work/big.jpg
  convert -size 6000x4000 -seed 1 plasma:fractal -blur 0x2 -attenuate 0.3 +noise Gaussian \
    -quality 90 "$photo"
fi
read -r width height < <(identify -format '%w %h\n' "$photo")
echo "photo: ${width}x${height} $(identify -format '%[size]' "$photo")"

labels=("colouring to BMP" "colouring to JPEG" "djpeg -bmp" "ImageMagick edge")
run() {
  case $1 in
  0) "$cli" convert --colouring "$photo" "$work/out.bmp" ;;
  1) "$cli" convert --colouring "$photo" "$work/out.jpg" ;;
  2) djpeg -bmp -outfile "$work/djpeg.bmp" "$photo" ;;
  3) convert "$photo" -colorspace Gray -edge 1 -negate "$work/magick.bmp" ;;
  esac
}

best_of 5 4

for i in 0 1 2 3; do
  printf '%-18s best %5d ms  %s x djpeg  %s x ImageMagick\n' "${labels[$i]}" "${best[$i]}" \
    "$(ratio "${best[$i]}" "${best[2]}")" "$(ratio "${best[$i]}" "${best[3]}")"
done
echo "targets: colouring to BMP <= 1.00 x djpeg and <= 0.20 x ImageMagick"

# The page: 24-bit rows padded to 4 bytes.
page=$(((width * 3 + 3) / 4 * 4 * height))
for i in 0 1; do
  kib=$( { /usr/bin/time -f '%M' "$cli" convert --colouring "$photo" \
    "$work/rss.$([ "$i" = 0 ] && echo bmp || echo jpg)" >/dev/null; } 2>&1 | tail -n 1)
  printf '%-18s peak RSS %d KiB = %s x the page (%d bytes); target <= 2.2\n' "${labels[$i]}" \
    "$kib" "$(ratio "$((kib * 1024))" "$page")" "$page"
done
