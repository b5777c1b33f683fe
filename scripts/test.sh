#!/usr/bin/env bash
# Builds everything and runs every test: the Windows tests under Wine, the
# host unit tests under ASan/UBSan, and a short fuzzing run of the settings
# reader. Exits non-zero if any step fails.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/setup-debian.sh

# The tests drive the mouse and keyboard with xdotool: keep them on a private
# Xvfb unless asked to use the current display (TEST_USE_DISPLAY=1).
[ "${TEST_USE_DISPLAY:-0}" = 1 ] || unset DISPLAY

# One display and one prepared prefix for the whole run; every test's
# wine-exec.sh inherits DISPLAY and reuses them.
source scripts/wine-env.sh
trap traystart_env_cleanup EXIT
# Nothing left over from an interrupted run may own the desktop or the tray.
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
echo "test: Wine prefix $WINEPREFIX, DISPLAY=$DISPLAY"

echo "== Windows build and tests (Wine) =="
cmake --preset mingw
cmake --build --preset mingw
ctest --preset mingw

echo "== Host build and tests (ASan, UBSan) =="
cmake --preset host
cmake --build --preset host
ctest --preset host

echo "== Fuzzing the settings reader (20 s) =="
corpus=build/host/fuzz-corpus
mkdir -p "$corpus" build/host/fuzz-artifacts
printf '1\r\n1\r\n' >"$corpus/seed-on"
printf '0\r\n0\r\n' >"$corpus/seed-off"
printf ' $1F\r\n-1\r\n' >"$corpus/seed-hex"
build/host/settings_fuzz -max_total_time=20 -print_final_stats=1 \
  -artifact_prefix=build/host/fuzz-artifacts/ "$corpus"
echo "test: all steps passed"
