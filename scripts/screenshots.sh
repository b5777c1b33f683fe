#!/usr/bin/env bash
# Takes the README's pictures under Wine on a private Xvfb, from a folder
# staged like the release (so "我的程序" holds the sample shortcuts):
#   docs/main-window.png   the main window after a first start
#   docs/tray-menu.png     the tray popup with "我的程序" open
#   docs/about-box.png     the about box
# The build is the one the tests run (the 32-bit program, or its 64-bit twin
# where Wine cannot run 32-bit programs; TRAYSTART_PRESET overrides it).
# Each picture is the 1024x768 virtual desktop.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root="$PWD"

bash scripts/setup-debian.sh
unset DISPLAY   # always a private display: the pictures must not show ours
source scripts/wine-env.sh
trap traystart_env_cleanup EXIT

preset="${TRAYSTART_PRESET:-$TRAYSTART_TEST_PRESET}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -- -j2
shots="$root/build/screenshots"
bash scripts/stage.sh "$preset" "$shots"
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true

shoot() {
  import -window root -crop 1024x768+0+0 +repage "$root/docs/$1"
  echo "screenshots: docs/$1"
}
# "x y w h" of each visible window titled exactly $1 (wider than 1 pixel),
# from the window tree: Wine names the X windows of a virtual desktop's
# top-levels. Hidden windows are in the tree too, so the map state counts.
geometry_of() {
  xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /Width:/ {w=$NF} /Height:/ {h=$NF} /Map State: IsViewable/ {v=1}
    END {if (v && w > 1) print x, y, w, h}'
}
windows_named() {
  local id
  for id in $(xwininfo -root -tree | { grep -F "\"$1\": (" || true; } | awk '{print $1}'); do
    geometry_of "$id"
  done
}
# X window ids present now, one per line.
windows() { xwininfo -root -tree | awk '/^ +0x/ {print $1}' | sort; }
# Geometry "x y w h" of the largest window that appeared since `before`.
newest_window() {
  local id best="" area=0 geo x y w h
  for id in $(comm -13 <(printf '%s\n' "$1") <(windows)); do
    geo="$(geometry_of "$id")"
    read -r x y w h <<<"$geo"
    [ -n "${h:-}" ] && [ $((w * h)) -gt "$area" ] && { area=$((w * h)); best="$geo"; }
  done
  echo "$best"
}

app_title="博闲托盘区开始菜单2.1"
main_title="$app_title  "
cd "$shots"
wine TrayStartMenu.exe >/dev/null 2>&1 &

# Wait for the main window; a message box on the way (a data file still
# missing) is answered with Enter and reported. Keys go to the window under
# the pointer (no window manager).
main=""
for _ in $(seq 1 60); do
  while read -r x y w h; do
    [ -n "${h:-}" ] || continue
    echo "screenshots: answering a message box at start-up" >&2
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) key Return
    sleep 1
  done < <(windows_named "$app_title")
  main="$(windows_named "$main_title" | head -1)"
  [ -n "$main" ] && break
  sleep 0.5
done
if [ -z "$main" ]; then
  echo "screenshots: the main window did not show" >&2
  exit 1
fi
# The pointer out of the way: no tooltip in the picture.
xdotool mousemove 700 100
sleep 2
shoot main-window.png

# The tray popup: a right click on the icon (the first icon of the
# notification area), then the keyboard opens "我的程序" (the second item).
before="$(windows)"
xdotool mousemove 1014 758 click 3
sleep 2
read -r mx my mw mh <<<"$(newest_window "$before")"
if [ -n "${mh:-}" ]; then
  # Rest the pointer on the menu's top border, where it selects no item.
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

# The about box: "关于" is the fifth item of the menu bar's "帮助  ", which
# sits about 229 pixels right of the window's left edge in the menu bar.
read -r x y w h <<<"$main"
before="$(windows)"
xdotool mousemove $((x + 229)) $((y + 32)) click 1
sleep 1.5
read -r mx my mw mh <<<"$(newest_window "$before")"
if [ -n "${mh:-}" ]; then
  xdotool mousemove $((mx + mw / 2)) $((my + 1))
  sleep 0.5
  xdotool key Down Down Down Down Down Return
else
  echo "screenshots: the help menu did not open" >&2
fi
sleep 3
shoot about-box.png

wineserver -k >/dev/null 2>&1 || true
