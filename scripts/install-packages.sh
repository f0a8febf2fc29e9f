#!/usr/bin/env bash
# Installs everything the build and the tests need on Debian 12 (x86_64), as root, and enables
# Debian's source archive for scripts/build-libjpeg.sh. Safe to run again: when everything is
# already there it only asks dpkg and returns.
set -euo pipefail

packages=(
  # Compilers and build tools
  g++ cmake ninja-build nasm pkg-config dpkg-dev python3
  g++-mingw-w64-i686 g++-mingw-w64-x86-64
  binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  # The fuzz targets: clang 14 with libFuzzer and the sanitizers' runtimes
  clang-14 libclang-rt-14-dev
  # Native libraries: the portable core, unit tests, benchmarks (stb_image to compare decoders
  # with), art and test-asset tools
  libgtest-dev googletest libbenchmark-dev libstb-dev libjpeg62-turbo-dev libcairo2-dev libx11-dev libxfixes-dev
  # The animated GIFs of pawlet-preview
  libgif-dev
  # Running the x86_64 twin under Wine in a virtual display, and looking at it
  wine wine64 xvfb xauth xdotool imagemagick x11-utils fonts-wqy-microhei
  # Making the sounds, and the sound tests' reference files
  sox espeak-ng
  # Hearing the running program: a private sound server whose sink writes to a pipe
  pulseaudio pulseaudio-utils
  # Running the product itself: 32-bit Wine, and qemu's emulator where the kernel runs no 32-bit code
  qemu-user-static wine32:i386
)

src_list=/etc/apt/sources.list.d/pawlet-deb-src.sources

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$p" 2>/dev/null || true)
  [ "${status:0:2}" = "ii" ] || missing+=("$p")
done

# Ours, or the system's own Debian entries already carrying deb-src.
have_deb_src() {
  [ -f "$src_list" ] || [ -f "${src_list%.sources}.list" ] ||
    grep -qsE '^[[:space:]]*(Types:.*\bdeb-src\b|deb-src[[:space:]])' \
      /etc/apt/sources.list /etc/apt/sources.list.d/debian.sources
}

# A deb-src twin of every binary entry: same URIs, suites and components (and keyring).
write_deb_src() {
  local deb822=/etc/apt/sources.list.d/debian.sources
  if [ -f "$deb822" ]; then
    sed -E 's/^Types:.*$/Types: deb-src/' "$deb822" > "$src_list.tmp"
  elif [ -f /etc/apt/sources.list ]; then
    src_list=/etc/apt/sources.list.d/pawlet-deb-src.list
    sed -nE 's/^[[:space:]]*deb[[:space:]]+/deb-src /p' /etc/apt/sources.list > "$src_list.tmp"
  else
    echo "install-packages.sh: no Debian apt source found to mirror as deb-src." >&2
    exit 1
  fi
  mv "$src_list.tmp" "$src_list"
  echo "install-packages.sh: enabled Debian's source archive in $src_list"
}

need_update=false
write_src=false
add_i386=false
# wine32 is a package of the i386 architecture.
dpkg --print-foreign-architectures | grep -qx i386 || { add_i386=true; need_update=true; }
have_deb_src || { write_src=true; need_update=true; }
compgen -G '/var/lib/apt/lists/*_Sources*' >/dev/null || need_update=true
[ ${#missing[@]} -eq 0 ] || need_update=true

if $need_update && [ "$(id -u)" -ne 0 ]; then
  echo "install-packages.sh: missing ${missing[*]:-the Debian source index}; run this script as root." >&2
  exit 1
fi
$write_src && write_deb_src
$add_i386 && dpkg --add-architecture i386
export DEBIAN_FRONTEND=noninteractive
# Another apt run may hold the lock: wait for it rather than fail.
apt_wait=(-o DPkg::Lock::Timeout=600)
$need_update && apt-get "${apt_wait[@]}" update -q
if [ ${#missing[@]} -gt 0 ]; then
  echo "install-packages.sh: installing ${missing[*]}"
  apt-get "${apt_wait[@]}" install -y -q "${missing[@]}" < /dev/null
fi
echo "install-packages.sh: all ${#packages[@]} packages present."
