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

# One Wine session (one wineserver per prefix) can only serve one X display,
# and our cleanup ends the whole session. So runs that brought their own Xvfb
# (ctest -j without a DISPLAY) take turns. The lock's fd is closed for wine so
# lingering Wine processes do not hold it.
if [ -n "${TRAYSTART_XVFB_PID:-}" ]; then
  exec 7>"$WINEPREFIX.session.lock"
  flock -x 7
fi

# Wine's background services (and the server) inherit the stderr of the
# process that starts them and keep it open for a while after our program
# ends; ctest would wait for them. So stderr goes through a relay that we
# stop as soon as the program has exited.
relay_dir="$(mktemp -d "${TMPDIR:-/tmp}/wine-exec.XXXXXX")"
mkfifo "$relay_dir/stderr"
cat <"$relay_dir/stderr" >&2 &
relay=$!

wine "$@" 2>"$relay_dir/stderr" 7>&-
rc=$?

sleep 0.1   # let the relay pass on the program's last words
kill "$relay" 2>/dev/null
wait "$relay" 2>/dev/null
rm -rf "$relay_dir"
exit "$rc"
