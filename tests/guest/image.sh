#!/usr/bin/env bash
# Builds the emulated machine that runs the i686 program: a 64-bit Debian guest (its kernel runs
# 32-bit code) with 32-bit Wine and Xvfb, from Debian's packages, as an ext4 image with its kernel
# and initrd beside it.
#   tests/guest/image.sh DIR     writes DIR/disk.img, DIR/vmlinuz, DIR/initrd.img
# Takes about 4 minutes and 1.5 GB. The host never runs the guest's i386 programs: the one
# post-install script that tries (glib-compile-schemas) fails harmlessly.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$1
mirror=${KALMORA_GUEST_MIRROR:-http://deb.debian.org/debian}
work=$(mktemp -d "${TMPDIR:-/tmp}/kalmora-guest-root.XXXXXX")
trap 'rm -rf "$work"' EXIT

mmdebstrap --mode=root --variant=apt --architectures=amd64,i386 \
  --aptopt='APT::Install-Recommends "false"' \
  --dpkgopt='path-exclude=/usr/share/doc/*' --dpkgopt='path-exclude=/usr/share/man/*' \
  --dpkgopt='path-exclude=/usr/share/locale/*' \
  --include=linux-image-amd64,initramfs-tools,mount,procps,wine,wine32:i386,xvfb,xauth \
  --customize-hook="upload $here/init-guest /sbin/init-guest" \
  --customize-hook='chmod 755 "$1/sbin/init-guest"' \
  bookworm "$work/root" "$mirror"

mkdir -p "$out"
cp "$work"/root/boot/vmlinuz-* "$out/vmlinuz"
cp "$work"/root/boot/initrd.img-* "$out/initrd.img"
rm -f "$out/disk.img"
truncate -s 4G "$out/disk.img"
mke2fs -q -t ext4 -d "$work/root" "$out/disk.img"
