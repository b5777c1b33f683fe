#!/usr/bin/env bash
# Builds zlib and minizip's reading half (unzip.c, ioapi.c) as static
# libraries for one mingw-w64 target from Debian's zlib source package, into
# build/zlib/<triple> (not committed).
#
#   scripts/build-zlib.sh i686-w64-mingw32     (or x86_64-w64-mingw32)
#
# Idempotent: a finished install for the target returns at once.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/debian-source.sh

triple="${1:?usage: build-zlib.sh <mingw triple>}"
root="$PWD/build/zlib"
prefix="$root/$triple"
[ -f "$prefix/lib/libminizip.a" ] && [ -f "$prefix/lib/libz.a" ] && exit 0

# One download and one unpacked tree, shared by both targets.
src="$root/src"
debian_source zlib "$src"
tree="$src/tree"

cc="$triple-gcc-posix"
command -v "$cc" >/dev/null || cc="$triple-gcc"
work="$root/work-$triple"
rm -rf "$work" "$prefix"
mkdir -p "$work" "$prefix/lib" "$prefix/include/minizip"
for f in adler32 compress crc32 deflate infback inffast inflate inftrees trees uncompr zutil; do
  "$cc" -O2 -c "$tree/$f.c" -I"$tree" -o "$work/z_$f.o"
done
# Skins are never encrypted: no password code.
for f in unzip ioapi; do
  "$cc" -O2 -DNOCRYPT -c "$tree/contrib/minizip/$f.c" -I"$tree" -I"$tree/contrib/minizip" -o "$work/mz_$f.o"
done
"$triple-ar" rcs "$prefix/lib/libz.a" "$work"/z_*.o
"$triple-ar" rcs "$prefix/lib/libminizip.a" "$work"/mz_*.o
cp "$tree/zlib.h" "$tree/zconf.h" "$prefix/include/"
cp "$tree/contrib/minizip/unzip.h" "$tree/contrib/minizip/ioapi.h" "$prefix/include/minizip/"
rm -rf "$work"
