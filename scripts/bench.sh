#!/usr/bin/env bash
# Measures crepuscule.exe under Wine beside a one-window program (the floor):
# start-up, memory, CPU, countdown accuracy and size, and prints one table.
#   scripts/bench.sh            full run (countdowns of 10 s, 60 s and 10 min; about 20 min)
#   scripts/bench.sh --quick    10 s and 60 s countdowns, fewer runs (about 6 min)
# Other arguments go to tools/bench/bench.py (--only startup,resources,accuracy,size).
# Every figure is also written to $CREP_BUILD/bench-results.json.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export CREP_BUILD="${CREP_BUILD:-$root/build}"
# shellcheck source=wine-env.sh
. "$root/scripts/wine-env.sh"

bash "$root/scripts/install-deps.sh" >&2
bash "$root/scripts/build.sh" win64 >&2

trap crep_xvfb_stop EXIT
crep_xvfb_start
python3 "$root/tools/bench/bench.py" --build "$CREP_BUILD" --display "$DISPLAY" \
  --json "$CREP_BUILD/bench-results.json" "$@"
