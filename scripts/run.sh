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
wine64=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

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

# A prefix of our own: never the user's ~/.wine. Wine's fonts lack Chinese glyphs; linking
# WenQuanYi behind the faces Wine picks makes the Chinese labels render.
prepare_prefix() {
  export WINEPREFIX=$1 WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
  [ -f "$WINEPREFIX/system.reg" ] && return
  "$wine64" wineboot -i
  local link='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
  for face in 'DejaVu Sans' 'DejaVu Sans Bold'; do
    "$wine64" reg add "$link" /v "$face" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null
  done
}

if [ -n "${DISPLAY:-}" ]; then
  prepare_prefix "$run_dir/wineprefix"
  cd "$run_dir/win64"
  exec "$wine64" pawlet.exe
fi

# TODO(harness): once tests/harness/pawlet_harness.py offers Session, start the pet through it
# instead of the display, prefix and clean-up steps below.
scratch=$(mktemp -d)
xvfb_pid=""
cleanup() {
  [ -n "${WINEPREFIX:-}" ] && "$wineserver" -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
[ -s "$scratch/display" ] || { echo "run.sh: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(cat "$scratch/display")"

prepare_prefix "$scratch/prefix"
# No window manager here: stop Wine waiting for one when a window hides or closes.
"$wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null

(cd "$run_dir/win64" && exec "$wine64" pawlet.exe) &
pet_pid=$!
sleep 5
if ! kill -0 "$pet_pid" 2>/dev/null; then
  wait "$pet_pid" && code=0 || code=$?
  echo "run.sh: pawlet.exe ended on its own within 5 s (exit code $code)" >&2
  exit 1
fi
import -window root "$screenshot"
echo "run.sh: the pet ran in Xvfb $DISPLAY; screenshot: $screenshot"
