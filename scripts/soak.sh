#!/usr/bin/env bash
# Plays 1,000 actions (every touch region in turn) in the x86_64 twin under wine64 and prints the
# program's own counts of kernel handles, GDI objects and cursors made and freed, and its resident
# memory, before and after. Needs a built tree (scripts/build.sh native win64).
#   scripts/soak.sh [--actions N] [--exe PATH] [--assets DIR]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
PYTHONPATH="$root/tests/harness" exec /usr/bin/python3 "$root/tests/e2e/soak.py" "$@"
