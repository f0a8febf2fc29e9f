#!/usr/bin/env bash
# Builds Pawlet and runs it. The product is the 32-bit build (build/run/win32); this machine
# cannot execute 32-bit code, so what runs is its x86_64 twin (build/run/win64) under wine64.
# With $DISPLAY set the pet opens there and this script waits until it is closed. Without a
# display it runs in a private Xvfb with a fresh Wine prefix and saves a screenshot.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
run_dir="$root/build/run"
screenshot="$run_dir/screenshot.png"

scripts/build.sh native win32 win64

# The drawn cat when the native build made it; otherwise the synthetic test set.
assets="$root/build/native/cat-assets"
[ -d "$assets/animations" ] && [ -d "$assets/sounds" ] || assets="$root/build/native/test-assets"
for dir in animations sounds; do
  [ -d "$assets/$dir" ] || { echo "run.sh: no $assets/$dir: the native build made no asset set" >&2; exit 1; }
done

# Each program folder looks like an installed copy: the program, animations/ and sounds/.
for build in win32 win64; do
  rm -rf "${run_dir:?}/$build"
  mkdir -p "$run_dir/$build"
  cp "build/$build/pawlet.exe" "$run_dir/$build/"
  cp -r "$assets/animations" "$assets/sounds" "$run_dir/$build/"
done
echo "run.sh: the product is $run_dir/win32/pawlet.exe (32-bit; it cannot run on this machine)."
echo "run.sh: running its x86_64 twin $run_dir/win64/pawlet.exe with assets from $assets"

if [ -n "${DISPLAY:-}" ]; then
  exec python3 scripts/run_pet.py display "$run_dir/win64/pawlet.exe" "$run_dir/wineprefix"
fi
exec python3 scripts/run_pet.py screenshot "$run_dir/win64/pawlet.exe" "$screenshot"
