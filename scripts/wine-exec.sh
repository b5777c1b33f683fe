#!/usr/bin/env bash
# Runs a Windows program in the project's prefix and returns its exit code:
#   wine-exec.sh program.exe [args...]
# CTest's emulator for the cross build. Reuses an inherited DISPLAY (test.sh
# sets one up for the whole run); otherwise brings up a private Xvfb for this
# one program and takes it down again afterwards.
set -uo pipefail

if [ $# -lt 1 ]; then
  echo "usage: $0 program.exe [args...]" >&2
  exit 2
fi

source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh" || exit 1
trap traystart_env_cleanup EXIT
# Stop our display even when ctest's timeout kills us.
trap 'exit 143' TERM INT

# Start the server ourselves, detached from our output: one started by wine
# below would inherit the caller's pipes and keep ctest waiting until it quits.
wineserver </dev/null >/dev/null 2>&1 || true

wine "$@"
rc=$?
exit "$rc"
