#!/usr/bin/env bash
# The shipped 32-bit program on 64-bit Windows: in a 64-bit prefix of its
# own, the 32-bit launcher tests start a shortcut whose target exists only in
# the 64-bit System32 (a 32-bit process sees SysWOW64 there). Needs a machine
# that runs 32-bit programs; elsewhere it says why it is skipped.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

if ! { [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; }; then
  echo "wow64-test: SKIPPED: this machine cannot run 32-bit programs (32-bit Wine does not start)," \
    "so the 32-bit program cannot be tried on a 64-bit prefix here"
  exit 0
fi
tests32=build/mingw/tests/launcher_tests.exe
[ -f "$tests32" ] || { echo "wow64-test: $tests32 is missing (build the mingw preset first)" >&2; exit 1; }
# The 64-bit stand-in comes from the 64-bit build where there is one; a
# machine that tests the 32-bit build has none, and one file needs no build
# tree of its own.
probe64=build/mingw64/tests/record_launch.exe
if [ ! -f "$probe64" ]; then
  probe64=build/wow64/record_launch.exe
  mkdir -p build/wow64
  x86_64-w64-mingw32-g++-posix -O2 -static -o "$probe64" tests/launcher/helpers/record_launch.cpp || exit 1
fi

export TRAYSTART_WINE_BITS=64
export TRAYSTART_WINEPREFIX="$PWD/build/wineprefix-wow64"
source scripts/wine-env.sh || exit 1
trap traystart_env_cleanup EXIT
# Only in the 64-bit System32: the 32-bit view (syswow64) has no such file.
cp "$probe64" "$WINEPREFIX/drive_c/windows/system32/record_wow64.exe" || exit 1
rm -f "$WINEPREFIX/drive_c/windows/syswow64/record_wow64.exe"
WOW64_ONLY_PROGRAM='C:\windows\system32\record_wow64.exe' \
  scripts/wine-exec.sh "$tests32" --gtest_filter='LaunchTest.AProgramOnlyIn64BitSystem32*'
