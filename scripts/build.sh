#!/usr/bin/env bash
# The build steps shared by run.sh and test.sh: packages, the running of 32-bit programs (for the
# product under 32-bit Wine), libjpeg-turbo for MinGW, then each preset named on the command line,
# configured and built in that order (default: the presets the program needs). The native preset
# comes first: it draws the art the Windows builds embed.
#   scripts/build.sh [preset...]      e.g. scripts/build.sh native native-sanitize win32 win64
# PAWLET_WERROR=ON|OFF is passed on to CMake when set; PAWLET_JOBS (default 2) caps parallelism.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(native win32 win64)
jobs=${PAWLET_JOBS:-2}

step() { # step <label> <command...>: runs a step and says how long it took
  local label=$1 start=$SECONDS
  shift
  "$@"
  echo "build.sh: $label done in $((SECONDS - start)) s"
}

configure_args=()
[ -z "${PAWLET_WERROR:-}" ] || configure_args+=("-DPAWLET_WERROR=$PAWLET_WERROR")

build_preset() {
  cmake --preset "$1" "${configure_args[@]}" >/dev/null
  cmake --build --preset "$1" -j "$jobs"
}

step "packages" scripts/install-packages.sh
step "32-bit programs" scripts/enable-qemu-i386.sh
step "libjpeg-turbo" scripts/build-libjpeg.sh
for preset in "${presets[@]}"; do
  step "preset $preset" build_preset "$preset"
done
