#!/usr/bin/env bash
# Builds the program and runs it under Wine from a fresh run folder
# (build/run: the shipped data/ plus the exe and its hook library), so its data paths resolve there.
#
# With a DISPLAY it runs until the program exits (or RUN_SECONDS, if set).
# Without one it starts a private Xvfb, saves a screenshot of the whole screen
# after about 8 s to build/run/screenshot.png, and stops the program after
# RUN_SECONDS (default 15).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/setup-debian.sh

cmake --preset mingw
cmake --build --preset mingw

rm -rf build/run
mkdir -p build/run
cp -a data/. build/run/
# The program with its hook library and the library's backup, as shipped.
for file in TrayStartMenu.exe SysHookDLL.dll copy_Key.dll; do
  cp build/mingw/src/app/"$file" build/run/
done

headless=0
[ -z "${DISPLAY:-}" ] && headless=1
if [ "$headless" = 1 ]; then
  run_seconds="${RUN_SECONDS:-15}"
else
  run_seconds="${RUN_SECONDS:-0}"   # 0: until the program exits
fi

source scripts/wine-env.sh
trap traystart_env_cleanup EXIT
# Ctrl-C or a kill ends the program too, not just this script.
trap 'wineserver -k >/dev/null 2>&1; exit 130' INT TERM

# A leftover instance from an earlier run would keep the new one from
# starting (or own the tray icon); end whatever still runs in our prefix.
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true

cd build/run
echo "run: starting TrayStartMenu.exe in $PWD on DISPLAY=$DISPLAY" >&2
wine TrayStartMenu.exe &
pid=$!

shot="$PWD/screenshot.png"
shot_taken=0
take_shot() {
  if import -window root "$shot" 2>/dev/null; then
    echo "run: screenshot saved to $shot"
  else
    echo "run: screenshot failed" >&2
  fi
  shot_taken=1
}

elapsed=0
while kill -0 "$pid" 2>/dev/null; do
  if [ "$headless" = 1 ] && [ "$shot_taken" = 0 ] && [ "$elapsed" -ge 8 ]; then
    take_shot
  fi
  if [ "$run_seconds" -gt 0 ] && [ "$elapsed" -ge "$run_seconds" ]; then
    [ "$headless" = 1 ] && [ "$shot_taken" = 0 ] && take_shot
    echo "run: stopping the program after $run_seconds s" >&2
    wineserver -k >/dev/null 2>&1 || true
    wait "$pid" 2>/dev/null || true
    exit 0
  fi
  sleep 1
  elapsed=$((elapsed + 1))
done

rc=0
wait "$pid" || rc=$?
echo "run: the program exited with code $rc after about $elapsed s" >&2
exit "$rc"
