#!/usr/bin/env bash
# docs/make_lineart_example.sh [BUILD_DIR]: turns the photograph docs/lineart-photo.jpg into a
# clean-line page with pintabel-cli at its default settings, checks it, and writes the two
# pictures the README shows beside the photograph into docs/.
# The photograph: a coffee cup by Rachel Michetti, courtesy of Pikolo Espresso Bar, CC0 (from
# scikit-image's sample pictures).
set -euo pipefail
. "$(dirname "$0")/../bench/cli_setup.sh"
"$cli" convert --clean-lines "$here/docs/lineart-photo.jpg" "$work/page.bmp"
"$cli" check --overlay "$work/overlay.png" "$work/page.bmp"
convert "$work/page.bmp" -colorspace Gray -depth 8 "$here/docs/lineart-page.png"
convert "$work/overlay.png" -colors 16 "$here/docs/lineart-check.png"
