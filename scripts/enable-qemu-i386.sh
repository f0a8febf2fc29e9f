#!/usr/bin/env bash
# Lets this machine run 32-bit x86 Linux programs through qemu's user-mode emulator (Debian's
# qemu-user-static), so that 32-bit Wine can run the product, the i686 pawlet.exe: the kernel
# here cannot execute 32-bit code itself. Mounts binfmt_misc when it is not mounted and registers
# /usr/bin/qemu-i386-static for 32-bit x86 programs, only when they do not run already.
#
# The registration is machine-wide: while it stands, every 32-bit x86 program on this machine,
# anyone's, runs through the emulator. It lasts until the next boot. To undo it, as root:
#   echo -1 > /proc/sys/fs/binfmt_misc/qemu-i386
# Where it cannot be made (not root, no binfmt_misc) it says why and changes nothing; the product
# tests then fail, saying that 32-bit programs cannot run.
set -euo pipefail

binfmt=/proc/sys/fs/binfmt_misc
emulator=/usr/bin/qemu-i386-static
wine32=/usr/lib/wine/wine   # the 32-bit Wine loader: the program that has to run
# ELF, 32-bit, little-endian, version 1; an executable or shared object (type 2 or 3); machine 3.
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

log() { echo "enable-qemu-i386.sh: $*"; }
runs_32bit() { "$wine32" --version >/dev/null 2>&1; }

if [ ! -x "$wine32" ] || [ ! -x "$emulator" ]; then
  log "wine32:i386 or qemu-user-static is missing: run scripts/install-packages.sh as root." >&2
  exit 0
fi
if runs_32bit; then
  log "32-bit x86 programs already run here."
  exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
  log "32-bit x86 programs cannot run here; registering the emulator needs root." >&2
  exit 0
fi
if [ ! -e "$binfmt/register" ] &&
   ! mount -t binfmt_misc binfmt_misc "$binfmt"; then
  log "cannot mount binfmt_misc on $binfmt: 32-bit x86 programs cannot run here." >&2
  exit 0
fi
if [ -e "$binfmt/qemu-i386" ]; then
  log "a qemu-i386 entry is registered ($(head -n 1 "$binfmt/qemu-i386")) yet 32-bit programs do not run; left as it is." >&2
  exit 0
fi

# F: the kernel opens the emulator now, so it serves every mount namespace and chroot.
printf ':qemu-i386:M::%s:%s:%s:F' "$magic" "$mask" "$emulator" > "$binfmt/register"
if runs_32bit; then
  log "registered $emulator for 32-bit x86 programs, machine-wide until reboot (undo: echo -1 > $binfmt/qemu-i386)."
else
  log "registered $emulator, but $wine32 still does not run." >&2
fi
