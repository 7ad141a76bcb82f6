#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pintabel developers
# SPDX-License-Identifier: GPL-2.0-or-later
# docs/make_lineart_example.sh [BUILD_DIR]: turns six of scikit-image's sample photographs
# (python3-skimage) into clean-line pages with pintabel-cli at the default settings, for a
# small child (--smallest-region 8) and for an adult (3 mm, the default), checks each page,
# and writes the contact sheet the README shows: photo | page | check, small child then adult.
# The pictures are public domain or CC0, as scikit-image's skimage/data/_fetchers.py says of each.
set -euo pipefail
. "$(dirname "$0")/../bench/cli_setup.sh"
samples=/usr/lib/python3/dist-packages/skimage/data
tiles=()
for photo in astronaut.png chelsea.png coffee.png camera.png horse.png rocket.jpg; do
  name=${photo%.*}
  convert "$samples/$photo" -resize 800x800 "$work/$name.png"
  tiles+=("$work/$name.png")
  for mm in 8 3; do
    "$cli" convert --clean-lines --smallest-region "$mm" "$work/$name.png" "$work/$name-$mm.bmp"
    "$cli" check --overlay "$work/$name-$mm-check.png" "$work/$name-$mm.bmp" >/dev/null
    tiles+=("$work/$name-$mm.bmp" "$work/$name-$mm-check.png")
  done
done
montage "${tiles[@]}" -tile 5x -geometry 200x200+2+2 -background white "$work/sheet.png"
convert "$work/sheet.png" +dither -colors 16 "$here/docs/lineart-sheet.png"
