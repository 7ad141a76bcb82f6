#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pintabel developers
# SPDX-License-Identifier: GPL-2.0-or-later
# docs/make_colour_by_number_example.sh [BUILD_DIR]: turns two of scikit-image's sample
# photographs (python3-skimage) into colour-by-number pages and their painted previews with
# pintabel-cli at the default settings (16 colours, regions at least 3 mm across on A4), and
# writes the sheet the README shows: photo | numbered page | preview, one photograph a row.
# The pictures are CC0, as scikit-image's skimage/data/_fetchers.py says of each.
set -euo pipefail
. "$(dirname "$0")/../bench/cli_setup.sh"
samples=/usr/lib/python3/dist-packages/skimage/data
tiles=()
for photo in chelsea.png coffee.png; do
  name=${photo%.*}
  convert "$samples/$photo" -resize 1200x1200 "$work/$name.png"
  "$cli" convert --colour-by-number "$work/$name.png" "$work/$name-page.bmp"
  "$cli" convert --colour-by-number-preview "$work/$name.png" "$work/$name-preview.bmp"
  tiles+=("$work/$name.png" "$work/$name-page.bmp" "$work/$name-preview.bmp")
done
montage "${tiles[@]}" -tile 3x -geometry 600x+4+4 -background white "$work/sheet.png"
convert "$work/sheet.png" -quality 85 -strip "$here/docs/colour-by-number-sheet.jpg"
