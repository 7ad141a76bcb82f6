# SPDX-FileCopyrightText: 2026 The Pintabel developers
# SPDX-License-Identifier: GPL-2.0-or-later
# Sourced by the scripts that run pintabel-cli from a build (the benchmarks, the README's
# example pictures), with their arguments: sets $here to the repository, $cli to the tool in
# the build folder given first (build by default) and $work to a scratch folder removed on exit.
# best_of ROUNDS COUNT times the script's run() 0 .. COUNT-1 interleaved round by round, so all
# share the machine's moods, prints each round and leaves each one's best in best[] (ms);
# ratio A B prints A / B.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$here/build}
cli=$build/cli/pintabel-cli
[ -x "$cli" ] || { echo "$(basename "$0"): $cli not built" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

best_of() {
  local rounds=$1 count=$2 round i start ms line
  best=()
  for ((round = 1; round <= rounds; round++)); do
    line="round $round:"
    for ((i = 0; i < count; i++)); do
      start=$(date +%s%N)
      run "$i" >/dev/null
      ms=$((($(date +%s%N) - start) / 1000000))
      line+=" ${labels[$i]} $ms ms;"
      if [ -z "${best[$i]:-}" ] || [ "$ms" -lt "${best[$i]}" ]; then best[$i]=$ms; fi
    done
    echo "$line"
  done
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
