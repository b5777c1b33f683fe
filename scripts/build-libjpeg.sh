#!/usr/bin/env bash
# Builds the static JPEG library for one mingw-w64 target from Debian's
# libjpeg-turbo source package, into build/libjpeg/<triple> (not committed).
#
#   scripts/build-libjpeg.sh i686-w64-mingw32     (or x86_64-w64-mingw32)
#
# Idempotent: a finished install for the target returns at once.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/debian-source.sh

triple="${1:?usage: build-libjpeg.sh <mingw triple>}"
root="$PWD/build/libjpeg"
prefix="$root/$triple"
[ -f "$prefix/lib/libjpeg.a" ] && [ -f "$prefix/include/jpeglib.h" ] && exit 0

# One download and one unpacked tree, shared by both targets.
src="$root/src"
debian_source libjpeg-turbo "$src"

work="$root/work-$triple"
rm -rf "$work"
# The SIMD code needs nasm and is not worth it for one small picture; the
# Unix install prefix keeps the package step happy at configure time.
cmake -S "$src/tree" -B "$work" -G Ninja \
  -DCMAKE_SYSTEM_NAME=Windows \
  -DCMAKE_SYSTEM_PROCESSOR="${triple%%-*}" \
  -DCMAKE_C_COMPILER="$triple-gcc-posix" \
  -DCMAKE_RC_COMPILER="$triple-windres" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DWITH_SIMD=0 -DENABLE_SHARED=0 -DWITH_TURBOJPEG=0 -Wno-dev >/dev/null
cmake --build "$work" --target jpeg-static -- -j2 >/dev/null
mkdir -p "$prefix/lib" "$prefix/include"
cp "$work/libjpeg.a" "$prefix/lib/libjpeg.a"
cp "$work/jconfig.h" "$src/tree/jpeglib.h" "$src/tree/jmorecfg.h" "$src/tree/jerror.h" "$prefix/include/"
rm -rf "$work"
echo "build-libjpeg: $prefix"
