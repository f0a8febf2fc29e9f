#!/usr/bin/env bash
# Builds libjpeg-turbo from Debian's source package as a static library, with its SIMD code,
# for both MinGW-w64 targets, into .deps/<triplet> (the Windows presets' CMAKE_PREFIX_PATH).
# The version is pinned in deps/libjpeg-turbo.version. A stamp per target makes a second run
# instant; delete .deps/ to start over.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
version=$(tr -d '[:space:]' < "$root/deps/libjpeg-turbo.version")
debian_version=${version#*:}          # file names carry no epoch
upstream_version=${debian_version%-*}
deps="$root/.deps"
downloads="$deps/sources/libjpeg-turbo_$debian_version"
source_dir="$deps/sources/libjpeg-turbo-$debian_version"
triplets=(i686-w64-mingw32 x86_64-w64-mingw32)
jobs=${PAWLET_JOBS:-2}

log() { echo "build-libjpeg.sh: $*"; }

stamp_of() { echo "$deps/$1/.libjpeg-turbo.stamp"; }

up_to_date() {
  [ -f "$(stamp_of "$1")" ] && [ "$(cat "$(stamp_of "$1")")" = "$version" ] &&
    [ -f "$deps/$1/lib/libjpeg.a" ]
}

fetch_source() {
  [ -f "$source_dir/CMakeLists.txt" ] && return
  mkdir -p "$downloads"
  if [ ! -f "$downloads/libjpeg-turbo_$debian_version.dsc" ]; then
    log "downloading Debian source package libjpeg-turbo=$version"
    if ! (cd "$downloads" && apt-get source -q --download-only -o APT::Sandbox::User=root \
            "libjpeg-turbo=$version"); then
      log "apt-get source failed: is Debian's source archive enabled? Run scripts/install-packages.sh as root." >&2
      exit 1
    fi
  fi
  rm -rf "$source_dir"
  # Unpacks the upstream tarball and applies Debian's patches; apt already checked the hashes.
  dpkg-source -q --no-check -x "$downloads/libjpeg-turbo_$debian_version.dsc" "$source_dir" >/dev/null
  grep -q "VERSION $upstream_version" "$source_dir/CMakeLists.txt" ||
    { log "unexpected source in $source_dir" >&2; exit 1; }
}

build_for() {
  local triplet=$1 prefix="$deps/$1" build="$deps/build/libjpeg-turbo-$1"
  log "building $version for $triplet"
  rm -rf "$build" "$prefix"
  mkdir -p "$deps/build"
  cmake -S "$source_dir" -B "$build" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$triplet.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DREQUIRE_SIMD=ON >"$build.log" 2>&1 ||
    { cat "$build.log" >&2; exit 1; }
  { cmake --build "$build" -j "$jobs" && cmake --install "$build"; } >>"$build.log" 2>&1 ||
    { tail -n 40 "$build.log" >&2; exit 1; }

  # The SIMD routines come from nasm; without them libjpeg silently falls back to plain C.
  if ! "$triplet-nm" "$prefix/lib/libjpeg.a" | grep -E ' T _?jsimd_.*_sse2$' >/dev/null; then
    log "no SIMD code in $prefix/lib/libjpeg.a (is nasm installed?)" >&2
    exit 1
  fi
  echo "$version" > "$(stamp_of "$triplet")"
  rm -rf "$build" "$build.log"
}

# Two builds of this checkout may start at once: one builds, the other waits and finds it done.
mkdir -p "$deps"
exec 9>"$deps/.libjpeg-turbo.lock"
flock 9

for triplet in "${triplets[@]}"; do
  if up_to_date "$triplet"; then
    log "libjpeg-turbo $version for $triplet is up to date."
    continue
  fi
  fetch_source
  build_for "$triplet"
done
