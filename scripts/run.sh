#!/usr/bin/env bash
# Builds Pawlet and runs it. The product is the 32-bit build (build/run/win32); by default what
# runs is its x86_64 twin (build/run/win64) under wine64. With --i686 the product itself runs,
# under 32-bit Wine: natively where the kernel runs 32-bit code, else through qemu-i386 (slower).
# With $DISPLAY set the pet opens there and this script waits until it is closed. Without a
# display it runs in a private Xvfb with a fresh Wine prefix and saves a screenshot.
#   scripts/run.sh [--i686]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
run_dir="$root/build/run"
screenshot="$run_dir/screenshot.png"

case "${1:-}" in
  "") pet=win64 prefix="$run_dir/wineprefix" ;;
  --i686) pet=win32 prefix="$run_dir/wineprefix-win32" ;;
  *) echo "usage: scripts/run.sh [--i686]" >&2; exit 2 ;;
esac

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
if [ "$pet" = win32 ]; then
  echo "run.sh: running the product, $run_dir/win32/pawlet.exe, under 32-bit Wine with assets from $assets"
else
  echo "run.sh: the product is $run_dir/win32/pawlet.exe (32-bit; scripts/run.sh --i686 runs it)."
  echo "run.sh: running its x86_64 twin $run_dir/win64/pawlet.exe with assets from $assets"
fi

if [ -n "${DISPLAY:-}" ]; then
  exec python3 scripts/run_pet.py display "$run_dir/$pet/pawlet.exe" "$prefix"
fi
exec python3 scripts/run_pet.py screenshot "$run_dir/$pet/pawlet.exe" "$screenshot"
