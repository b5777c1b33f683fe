# Sourced by the other scripts: the environment every Wine run of this project
# shares. Sets the project's prefix (32-bit, or 64-bit where this machine
# cannot run 32-bit programs: see TRAYSTART_WINE_BITS below), the Chinese locale (code page 936),
# makes sure there is an X display (starting a private Xvfb if DISPLAY is
# unset) and makes sure the prefix is prepared.
#
# After sourcing:
#   TRAYSTART_ROOT        repo root
#   TRAYSTART_WINE_BITS   32 or 64: the Wine the tests run under
#   TRAYSTART_TEST_PRESET the CMake preset whose tests run under that Wine
#   TRAYSTART_XVFB_PID    pid of the Xvfb this shell started, empty if none
#   traystart_env_cleanup stops Wine in the prefix and that Xvfb (only if we
#                         started it); safe to call more than once
#
# Set TRAYSTART_SKIP_PREPARE=1 to get the variables and the display without
# preparing the prefix (prepare-prefix.sh itself does that).

TRAYSTART_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export TRAYSTART_ROOT

# The shipped program is 32-bit and runs under 32-bit Wine. Some machines'
# kernels cannot run 32-bit Linux programs at all (32-bit Wine then fails with
# "Exec format error"); there the tests run a 64-bit build of the same sources
# under 64-bit Wine instead. TRAYSTART_WINE_BITS=32|64 forces the choice.
if [ -z "${TRAYSTART_WINE_BITS:-}" ]; then
  if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
    TRAYSTART_WINE_BITS=32
  else
    TRAYSTART_WINE_BITS=64
  fi
fi
export TRAYSTART_WINE_BITS
if [ "$TRAYSTART_WINE_BITS" = 64 ]; then
  export WINEARCH=win64
  export TRAYSTART_TEST_PRESET=mingw64
  default_prefix="$TRAYSTART_ROOT/build/wineprefix64"
  # Debian's wine, wine-stable and the wineboot/winecfg launchers all prefer
  # the 32-bit loader when it is installed; these stand-ins take the 64-bit one.
  shim="$TRAYSTART_ROOT/build/wine64-bin"
  if [ ! -x "$shim/wineboot" ]; then
    mkdir -p "$shim"
    for tool in wine wine-stable wine64; do
      printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$shim/$tool"
    done
    for tool in wineboot winecfg wineconsole winedbg winefile winepath regedit; do
      printf '#!/bin/sh\nexec /usr/lib/wine/wine64 %s.exe "$@"\n' "$tool" >"$shim/$tool"
    done
    chmod +x "$shim"/*
  fi
  case ":$PATH:" in *":$shim:"*) ;; *) export PATH="$shim:$PATH" ;; esac
  export WINELOADER=/usr/lib/wine/wine64
  unset shim
else
  export WINEARCH=win32
  export TRAYSTART_TEST_PRESET=mingw
  default_prefix="$TRAYSTART_ROOT/build/wineprefix"
fi
# TRAYSTART_WINEPREFIX may point elsewhere (say, one prefix per parallel run);
# an inherited WINEPREFIX is deliberately ignored so a developer's own prefix
# is never touched.
export WINEPREFIX="${TRAYSTART_WINEPREFIX:-$default_prefix}"
unset default_prefix
# zh_CN.UTF-8 is what makes Wine pick ANSI code page 936.
export LANG=zh_CN.UTF-8
export LC_ALL=zh_CN.UTF-8
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono/Gecko install dialogs, no menu entries written into the host's $HOME.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"

# Never inherited: a child shell must not stop its parent's display.
TRAYSTART_XVFB_PID="${TRAYSTART_XVFB_PID:-}"
export -n TRAYSTART_XVFB_PID

# Starts Xvfb on a free display number and exports DISPLAY once the server
# accepts connections. Xvfb picks the number itself (-displayfd), which avoids
# races with other servers starting at the same time.
traystart_start_xvfb() {
  mkdir -p "$TRAYSTART_ROOT/build"
  local numfile log n i
  numfile="$(mktemp "${TMPDIR:-/tmp}/traystart-xvfb.XXXXXX")"
  log="$TRAYSTART_ROOT/build/xvfb.log"
  # stdio goes to a file: a server holding the caller's pipes open would make
  # ctest (or any caller reading our output) wait for it.
  Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$numfile" </dev/null >"$log" 2>&1 &
  TRAYSTART_XVFB_PID=$!
  n=""
  for i in $(seq 1 100); do
    n="$(tr -dc '0-9' <"$numfile")"
    [ -n "$n" ] && break
    if ! kill -0 "$TRAYSTART_XVFB_PID" 2>/dev/null; then break; fi
    sleep 0.1
  done
  rm -f "$numfile"
  if [ -z "$n" ]; then
    echo "wine-env: Xvfb did not start (see $log)" >&2
    kill "$TRAYSTART_XVFB_PID" 2>/dev/null
    TRAYSTART_XVFB_PID=""
    return 1
  fi
  export DISPLAY=":$n"
  for i in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "wine-env: Xvfb on $DISPLAY does not answer" >&2
  return 1
}

traystart_env_cleanup() {
  if [ -n "${TRAYSTART_XVFB_PID:-}" ]; then
    # Wine's desktop process talks to this display; end it first so it does
    # not die on a vanished X server in the middle of writing the registry.
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    kill "$TRAYSTART_XVFB_PID" 2>/dev/null || true
    wait "$TRAYSTART_XVFB_PID" 2>/dev/null || true
    TRAYSTART_XVFB_PID=""
  fi
}

if [ -z "${DISPLAY:-}" ]; then
  traystart_start_xvfb || return 1 2>/dev/null || exit 1
fi

if [ -z "${TRAYSTART_SKIP_PREPARE:-}" ]; then
  bash "$TRAYSTART_ROOT/scripts/prepare-prefix.sh" || return 1 2>/dev/null || exit 1
fi
