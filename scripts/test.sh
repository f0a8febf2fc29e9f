#!/usr/bin/env bash
# Builds every preset and runs all tests with one ctest over build/: native and sanitized unit
# tests, the fuzz targets' replays and short fuzzing runs, static package checks, Win32-level tests
# and end-to-end tests, each with its label (ctest --test-dir build -L unit|sanitize|fuzz|package|
# win32|e2e|product runs one group).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
presets=(native native-sanitize fuzz win32 win64)

scripts/build.sh "${presets[@]}"

printf '# Written by scripts/test.sh: one ctest run over every preset.\nsubdirs(%s)\n' \
  "$(printf '"%s" ' "${presets[@]}" | sed 's/ $//')" > build/CTestTestfile.cmake

exec ctest --test-dir build --output-on-failure --no-tests=error -j "${PAWLET_JOBS:-2}"
