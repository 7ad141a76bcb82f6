#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pintabel developers
# SPDX-License-Identifier: GPL-2.0-or-later
# bench/subject_photo.sh [BUILD_DIR] [PHOTO.jpg X,Y,W,H]
# Times, best of three and interleaved round by round, `pintabel-cli convert --clean-lines` of
# one 24-megapixel JPEG to BMP with and without a subject box (--subject, background none), and
# prints their ratio (target <= 2.5) and each one's peak resident memory against the page's
# bytes (target <= 3). Without PHOTO a 6000 x 4000 picture is made with ImageMagick: a
# mottled subject on a textured ground, boxed with a margin.
set -euo pipefail
. "$(dirname "$0")/cli_setup.sh"

photo=${2:-}
box=${3:-}
if [ -z "$photo" ]; then
  photo=$work/subject.jpg
  convert -size 6000x4000 -seed 2 plasma:green-olive -blur 0x1 +noise Gaussian \
    \( -size 2600x2200 -seed 5 plasma:orange-brown -blur 0x2 \
       \( -size 2600x2200 xc:black -fill white -draw "ellipse 1300,1100 1250,1050 0,360" \) \
       -alpha off -compose CopyOpacity -composite \) \
    -gravity center -compose Over -composite -quality 90 "$photo"
  box=1550,750,2900,2500
fi
read -r width height < <(identify -format '%w %h\n' "$photo")
echo "photo: ${width}x${height}, subject box $box"

labels=("clean lines" "clean lines, subject")
run() {
  case $1 in
  0) "$cli" convert --clean-lines "$photo" "$work/plain.bmp" ;;
  1) "$cli" convert --subject "$box" --clean-lines "$photo" "$work/subject.bmp" ;;
  esac
}

best_of 3 2
printf 'best: plain %d ms, subject %d ms: %s x the plain page (target <= 2.5)\n' \
  "${best[0]}" "${best[1]}" "$(ratio "${best[1]}" "${best[0]}")"

# The page: 24-bit rows padded to 4 bytes.
page=$(((width * 3 + 3) / 4 * 4 * height))
subject=(--subject "$box")
for i in 0 1; do
  options=(--clean-lines)
  [ "$i" = 1 ] && options=("${subject[@]}" --clean-lines)
  kib=$( { /usr/bin/time -f '%M' "$cli" convert "${options[@]}" "$photo" "$work/rss.bmp" \
    >/dev/null; } 2>&1 | tail -n 1)
  printf '%-22s peak RSS %d KiB = %s x the page (%d bytes); target <= 3\n' "${labels[$i]}" \
    "$kib" "$(ratio "$((kib * 1024))" "$page")" "$page"
done
