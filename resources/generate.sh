#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pintabel developers
# SPDX-License-Identifier: GPL-2.0-or-later
# Renders the artwork in src/ into the files that resources.qrc embeds.
# The outputs are committed, so building never needs this; run it after changing an SVG.
# Needs rsvg-convert (librsvg2-bin) and ImageMagick's convert; the texts use fonts-noto-cjk.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=$here/src
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

render() { # render SVG SIZE-OR-EMPTY OUT
    if [ -n "$2" ]; then
        rsvg-convert -w "$2" -h "$2" "$1" -o "$3"
    else
        rsvg-convert "$1" -o "$3"
    fi
}

for list in main popup tabs; do
    mkdir -p "$here/icons/$list"
    for svg in "$src/$list"/*.svg; do
        render "$svg" 16 "$here/icons/$list/$(basename "$svg" .svg).png"
    done
done

mkdir -p "$here/pictures"
render "$src/placeholder.svg" "" "$here/pictures/placeholder.png"
render "$src/placeholder_en.svg" "" "$here/pictures/placeholder_en.png"
render "$src/logo.svg" "" "$here/pictures/logo.png"
render "$src/pintabel.svg" 48 "$here/pictures/about_icon.png"

# The desktop icon in the sizes desktops ask for; the SVG itself is installed as the scalable one.
mkdir -p "$here/icons/hicolor"
render "$src/pintabel16.svg" 16 "$here/icons/hicolor/16.png"
for size in 24 32 48 64 128 256; do
    render "$src/pintabel.svg" "$size" "$here/icons/hicolor/$size.png"
done

# The window icon: 16x16 at 32, 4 and 8 bits per pixel (ImageMagick writes a palette frame at
# the smallest depth its colour count allows), then 24, 32, 48 and 256 at 32 bits. Palette
# frames keep transparency only as an on/off mask, hence the alpha threshold.
render "$src/pintabel16.svg" 16 "$tmp/16.png"
for size in 24 32 48 256; do
    render "$src/pintabel.svg" "$size" "$tmp/$size.png"
done
convert "$tmp/16.png" \
    \( -clone 0 -channel A -threshold 50% +channel +dither -colors 16 -type PaletteAlpha \) \
    \( -clone 0 -channel A -threshold 50% +channel +dither -colors 256 \) \
    "$tmp/24.png" "$tmp/32.png" "$tmp/48.png" "$tmp/256.png" "$here/icons/pintabel.ico"
