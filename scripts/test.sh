#!/usr/bin/env bash
# Builds everything and runs every test: the Windows tests under Wine, the
# host unit tests under ASan/UBSan, and a short fuzzing run of the settings
# reader. Every step runs even after a failure, so one run reports them all;
# the exit code is non-zero if any step failed.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/setup-debian.sh || exit 1

# The tests drive the mouse and keyboard with xdotool: keep them on a private
# Xvfb unless asked to use the current display (TEST_USE_DISPLAY=1).
[ "${TEST_USE_DISPLAY:-0}" = 1 ] || unset DISPLAY

# One display and one prepared prefix for the whole run; every test's
# wine-exec.sh inherits DISPLAY and reuses them.
source scripts/wine-env.sh || exit 1
trap traystart_env_cleanup EXIT
# Nothing left over from an interrupted run may own the desktop or the tray.
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
echo "test: Wine prefix $WINEPREFIX, DISPLAY=$DISPLAY"

failed=()
step() {
  local name="$1"; shift
  echo "== $name =="
  if ! "$@"; then
    echo "test: FAILED: $name" >&2
    failed+=("$name")
    return 1
  fi
}

fuzz() {
  local corpus=build/host/fuzz-corpus
  mkdir -p "$corpus" build/host/fuzz-artifacts
  printf '1\r\n1\r\n' >"$corpus/seed-on"
  printf '0\r\n0\r\n' >"$corpus/seed-off"
  printf ' $1F\r\n-1\r\n' >"$corpus/seed-hex"
  build/host/settings_fuzz -max_total_time=20 -print_final_stats=1 \
    -artifact_prefix=build/host/fuzz-artifacts/ "$corpus"
}

step "Windows build: configure" cmake --preset mingw &&
  step "Windows build" cmake --build --preset mingw &&
  step "Windows tests (Wine)" ctest --preset mingw

step "Host build: configure" cmake --preset host &&
  step "Host build" cmake --build --preset host &&
  { step "Host tests (ASan, UBSan)" ctest --preset host
    step "Fuzzing the settings reader (20 s)" fuzz; }

if [ "${#failed[@]}" -gt 0 ]; then
  printf 'test: failed steps:\n' >&2
  printf '  %s\n' "${failed[@]}" >&2
  exit 1
fi
echo "test: all steps passed"
