# SPDX-FileCopyrightText: 2026 The Pintabel developers
# SPDX-License-Identifier: GPL-2.0-or-later
# Sourced by the scripts that run pintabel-cli from a build (the benchmarks, the README's
# example pictures), with their arguments: sets $here to the repository, $cli to the tool in
# the build folder given first (build by default) and $work to a scratch folder removed on exit.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$here/build}
cli=$build/cli/pintabel-cli
[ -x "$cli" ] || { echo "$(basename "$0"): $cli not built" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
