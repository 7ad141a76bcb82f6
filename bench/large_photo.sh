#!/usr/bin/env bash
# bench/large_photo.sh [BUILD_DIR] [PHOTO.jpg]
# Times `pintabel-cli convert --colouring` of a 24-megapixel JPEG to BMP beside `djpeg` of the
# same file to BMP (decoding alone), and `pintabel-cli convert` to JPEG beside `djpeg | cjpeg
# -quality 90` (decoding and encoding alone), best of three runs each. Without PHOTO a 6000 x 4000
# photograph-like JPEG is made with ImageMagick.
set -euo pipefail
. "$(dirname "$0")/cli_setup.sh"

photo=${2:-}
if [ -z "$photo" ]; then
  photo=$work/big.jpg
  convert -size 6000x4000 -seed 1 plasma:fractal -blur 0x2 -attenuate 0.3 +noise Gaussian \
    -quality 90 "$photo"
fi
echo "photo: $(identify -format '%wx%h %[size]' "$photo")"

# best_of_three LABEL COMMAND...: runs the command three times, prints each time and the best.
best_of_three() {
  local label=$1 best="" start end ms
  shift
  for _ in 1 2 3; do
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    ms=$(((end - start) / 1000000))
    printf '%s: %d ms\n' "$label" "$ms"
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
  done
  printf '%s best: %d ms\n' "$label" "$best"
}

best_of_three "djpeg -bmp" djpeg -bmp -outfile "$work/djpeg.bmp" "$photo"
best_of_three "pintabel-cli convert --colouring" "$cli" convert --colouring "$photo" "$work/out.bmp"
best_of_three "pintabel-cli convert --lighter" "$cli" convert --lighter "$photo" "$work/light.bmp"
best_of_three "djpeg | cjpeg -quality 90" \
  bash -c 'djpeg "$1" | cjpeg -quality 90 -outfile "$2"' _ "$photo" "$work/cjpeg.jpg"
best_of_three "pintabel-cli convert to JPEG" "$cli" convert "$photo" "$work/out.jpg"
