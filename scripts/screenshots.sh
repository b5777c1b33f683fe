#!/usr/bin/env bash
# Takes the README's pictures under Wine on a private Xvfb, from a folder
# staged like the release (so "我的程序" holds the sample shortcuts):
#   docs/main-window.png   the main window after a first start
#   docs/tray-menu.png     the tray popup with "我的程序" open
#   docs/about-box.png     the about box
# TRAYSTART_PRESET picks the build (default mingw; mingw64 where Wine cannot
# run 32-bit programs). Each picture is the 1024x768 virtual desktop.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root="$PWD"
preset="${TRAYSTART_PRESET:-mingw}"

bash scripts/setup-debian.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -- -j2
shots="$root/build/screenshots"
bash scripts/stage.sh "$preset" "$shots"

unset DISPLAY   # always a private display: the pictures must not show ours
source scripts/wine-env.sh
trap traystart_env_cleanup EXIT
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true

shoot() {
  import -window root -crop 1024x768+0+0 +repage "$root/docs/$1"
  echo "screenshots: docs/$1"
}
# X windows present now, one id per line.
windows() { xwininfo -root -tree | awk '/^ +0x/ {print $1}' | sort; }
# Geometry "x y w h" of the largest window that appeared since `before`.
newest_window() {
  local id best="" area=0 geo
  for id in $(comm -13 <(printf '%s\n' "$1") <(windows)); do
    geo="$(xwininfo -id "$id" 2>/dev/null | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}')"
    read -r x y w h <<<"$geo"
    [ -n "${h:-}" ] && [ $((w * h)) -gt "$area" ] && { area=$((w * h)); best="$geo"; }
  done
  echo "$best"
}

cd "$shots"
wine TrayStartMenu.exe >/dev/null 2>&1 &
sleep 10
shoot main-window.png

# The tray popup: a right click on the icon (the first icon of the
# notification area), then the keyboard opens "我的程序" (the second item).
before="$(windows)"
xdotool mousemove 1014 758 click 3
sleep 2
read -r mx my mw mh <<<"$(newest_window "$before")"
if [ -n "${mh:-}" ]; then
  # Keys reach the window under the pointer: rest it on the menu's top border.
  xdotool mousemove $((mx + mw / 2)) $((my + 1))
  sleep 0.5
  xdotool key Down Down Right
  sleep 2
  shoot tray-menu.png
  xdotool key Escape Escape
else
  echo "screenshots: the tray popup did not open" >&2
fi
sleep 1

# The about box: "帮助  " is the fifth menu of the main window's menu bar,
# "关于" the fifth item of that menu.
main="$(xdotool search --name '博闲托盘区开始菜单2.1' 2>/dev/null | head -1 || true)"
if [ -n "$main" ]; then
  eval "$(xdotool getwindowgeometry --shell "$main")"
  xdotool mousemove $((X + 20)) $((Y + 10)) click 1
  sleep 0.5
  xdotool key F10 Right Right Right Right Down Down Down Down Down Return
  sleep 3
  shoot about-box.png
else
  echo "screenshots: the main window was not found" >&2
fi

wineserver -k >/dev/null 2>&1 || true
