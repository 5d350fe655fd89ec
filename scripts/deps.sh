#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test the installer.
# Quick when everything is present: it only looks.
# Wine is the 64-bit one: the Windows tests run the x86_64 test tree, and these machines execute no
# 32-bit x86 code, so no i386 architecture and no wine32 is added (Debian's `wine` wrapper would
# then pick the 32-bit loader; the scripts call /usr/lib/wine/wine64 themselves in any case).
# The i686 product runs inside an emulated machine instead, whose image is built from Debian's
# packages with mmdebstrap and booted by qemu.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  googletest
  wine wine64
  xvfb x11-apps imagemagick
  python3 python3-pytest
  lhasa p7zip-full jlha-utils nsis
  qemu-system-x86 mmdebstrap e2fsprogs
  mtools
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
