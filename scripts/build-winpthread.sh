#!/usr/bin/env bash
# Builds the posix thread library that the C++ runtime of the posix
# toolchain calls (static locals, exception buffers) as a static library for
# one mingw-w64 target, from Debian's mingw-w64 source package, into
# build/winpthread/<triple>/lib/libpthread.a (not committed).
#
# Debian's own copy is built for Windows 7 and imports GetTickCount64 (first
# in Vista), which keeps the program from loading on Windows XP; built for
# XP (_WIN32_WINNT 0x0501) the library measures time with the performance
# counter instead. The link finds this copy first (-L before the system's).
#
#   scripts/build-winpthread.sh i686-w64-mingw32     (or x86_64-w64-mingw32)
#
# Idempotent: a finished build for the target returns at once.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/debian-source.sh

triple="${1:?usage: build-winpthread.sh <mingw triple>}"
root="$PWD/build/winpthread"
prefix="$root/$triple"
[ -f "$prefix/lib/libpthread.a" ] && exit 0

src="$root/src"
debian_source mingw-w64 "$src"
tree="$src/tree/mingw-w64-libraries/winpthreads"

cc="$triple-gcc-posix"
command -v "$cc" >/dev/null || cc="$triple-gcc"
work="$root/work-$triple"
rm -rf "$work" "$prefix"
mkdir -p "$work" "$prefix/lib"
# The flags of the library's own Makefile.am, static build.
for f in barrier cond misc mutex rwlock spinlock thread ref sem sched clock nanosleep; do
  "$cc" -O2 -Wall -DWIN32_LEAN_AND_MEAN -DIN_WINPTHREAD -DWINPTHREAD_DBG=1 -D__USE_MINGW_ANSI_STDIO=0 \
    -D_WIN32_WINNT=0x0501 -I"$tree/include" -c "$tree/src/$f.c" -o "$work/$f.o"
done
"$triple-ar" rcs "$prefix/lib/libpthread.a" "$work"/*.o
rm -rf "$work"
