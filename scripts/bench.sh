#!/usr/bin/env bash
# Measures the pet's speed and size and prints one table: start to first blink, idle CPU of the
# program and of wineserver beside a bare 100 ms timer program, the frame step over 100 short
# actions, RSS before and after them (all under wine64), and the native decode comparison.
# Builds the native and win64 presets first when they are not up to date. Takes about 4 minutes.
#   scripts/bench.sh [--idle-seconds S] [--actions N] [--warm-starts N] [--native-rounds N]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
mkdir -p build
scripts/build.sh native win64 >build/bench-build.log 2>&1 ||
  { tail -n 30 build/bench-build.log; echo "bench.sh: the build failed (build/bench-build.log)" >&2; exit 1; }
# Debian's python3, not a version manager's shim on PATH that costs half a second per start.
exec /usr/bin/python3 benchmarks/wine_bench.py "$@"
