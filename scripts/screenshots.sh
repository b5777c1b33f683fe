#!/usr/bin/env bash
# Takes the README's pictures under Wine on a private Xvfb, from a folder
# staged like the release (so "我的程序" holds the sample shortcuts and the
# shipped skin is there):
#   docs/main-window.png   the main window after a first start (1024x768 desktop)
#   docs/tray-menu.png     the tray popup with "我的程序" open (1024x768 desktop)
#   docs/about-box.png     the about box, opened from the menu bar's 帮助 → 关于
#                          (cropped to the box and a margin)
# The build is the one the tests run (the 32-bit program, or its 64-bit twin
# where Wine cannot run 32-bit programs; TRAYSTART_PRESET overrides it).
# A picture whose step fails is not written; the script then exits with 1.
#
#   screenshots.sh [--dpi N]
# --dpi takes the pictures with the prefix's LogPixels at N (96 when not
# given) into docs/<name>-<N>dpi.png; the prefix gets its value back after.
#
# Two things about Wine shape the steps. The program sets up a second
# desktop "Desk2" at start, and Wine shows every named desktop as its own
# virtual-desktop window at (0,0) of the X display, the newest on top; so once
# "Desk2" is up, the "Default" window is raised again and given the X input
# focus. And with no window manager, keys go to the X window under the
# pointer: the pointer rests on the window that should get them.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root="$PWD"

dpi=96
if [ "${1:-}" = --dpi ]; then
  dpi="${2:-}"
  [[ "$dpi" =~ ^[0-9]+$ ]] && [ "$dpi" -ge 96 ] || { echo "usage: $0 [--dpi N] (N from 96)" >&2; exit 2; }
fi
suffix=""
[ "$dpi" = 96 ] || suffix="-${dpi}dpi"

bash scripts/setup-debian.sh
unset DISPLAY   # always a private display: the pictures must not show ours
source scripts/wine-env.sh
dpi_key='HKCU\Control Panel\Desktop'
restore_dpi() {
  [ "$dpi" = 96 ] || wine reg delete "$dpi_key" /v LogPixels /f >/dev/null 2>&1 || true
}
trap 'restore_dpi; traystart_env_cleanup' EXIT

preset="${TRAYSTART_PRESET:-$TRAYSTART_TEST_PRESET}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -- -j2
shots="$root/build/screenshots"
bash scripts/stage.sh "$preset" "$shots"
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
if [ "$dpi" != 96 ]; then
  wine reg add "$dpi_key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1 || true
fi

failed=0
fail() {
  echo "screenshots: $*" >&2
  failed=1
}

# Runs "$@" every quarter second until it prints something, which it passes
# on; gives up after $1 seconds (status 1).
poll() {
  local limit="$1" out
  shift
  local end=$((SECONDS + limit))
  while :; do
    out="$("$@")" || true
    if [ -n "$out" ]; then
      echo "$out"
      return 0
    fi
    [ "$SECONDS" -ge "$end" ] && return 1
    sleep 0.25
  done
}

# The X window of the virtual desktop $1 ("Default", "Desk2"), empty while
# there is none.
desktop_window() { xdotool search --name "^$1 - Wine desktop\$" 2>/dev/null | head -1 || true; }

# "x y w h" of window $1 if it is mapped and wider than 1 pixel (Wine keeps
# hidden and 1x1 helper windows in the tree too).
geometry_of() {
  xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /Width:/ {w=$NF} /Height:/ {h=$NF} /Map State: IsViewable/ {v=1}
    END {if (v && w > 1) print x, y, w, h}'
}
# "id x y w h" of each shown window titled exactly $2 on the desktop whose X
# window is $1: Wine names the X windows of a virtual desktop's top-levels.
windows_named() {
  local id geo
  for id in $(xwininfo -id "$1" -tree 2>/dev/null | { grep -F "\"$2\": (" || true; } | awk '{print $1}'); do
    geo="$(geometry_of "$id")"
    [ -n "$geo" ] && echo "$id $geo"
  done
  return 0
}
# The X windows on desktop $1 now, one per line.
windows() { xwininfo -id "$1" -tree 2>/dev/null | awk '/^ +0x/ {print $1}' | sort; }
# "x y w h" of the largest shown window on desktop $1 that is not in the
# list $2 (taken earlier by `windows`); empty if none.
newest_window() {
  local id best="" area=0 geo x y w h
  for id in $(comm -13 <(printf '%s\n' "$2") <(windows "$1")); do
    geo="$(geometry_of "$id")"
    [ -n "$geo" ] || continue
    read -r x y w h <<<"$geo"
    if [ $((w * h)) -gt "$area" ]; then
      area=$((w * h))
      best="$geo"
    fi
  done
  echo "$best"
}

# "Default" on top with the X input focus, so the picture shows it and keys
# reach the window under the pointer there. Checked: the topmost desktop
# window must be "Default" (xwininfo lists the root's children top first).
show_default() {
  xdotool windowraise "$default" 2>/dev/null || true
  xdotool windowfocus "$default" 2>/dev/null || true
  sleep 0.3
  local top
  top="$(xwininfo -root -children | awk '/ - Wine desktop": / {print $1; exit}')"
  [ "$((top))" = "$((default))" ]
}

shoot() {
  local name="${1%.png}$suffix.png"
  import -window root -crop "${2:-1024x768+0+0}" +repage -strip "$root/docs/$name"
  echo "screenshots: docs/$name"
}

# The shipped skin paints the menu bar #34495E ([MenuBar] Color): counts such
# pixels in the top 60 rows of the window at "x y w h".
skinned_bar_pixels() {
  local x y w h
  read -r x y w h <<<"$1"
  import -window root -crop "${w}x60+${x}+${y}" +repage -depth 8 txt:- | grep -ci '#34495E' || true
}

app_title="博闲托盘区开始菜单2.1"
main_title="$app_title  "
cd "$shots"
wine TrayStartMenu.exe >/dev/null 2>&1 &

default="$(poll 30 desktop_window Default)" || { echo "screenshots: Wine's desktop did not show" >&2; exit 1; }

# Wait for the main window. A message box on the way (a data file missing)
# is answered with Enter and reported; a window with the bare program title
# counts as one only after it has stayed for 2 s (the main window carries that
# title for a moment before its own).
main=""
declare -A seen=()
for _ in $(seq 1 120); do
  main="$(windows_named "$default" "$main_title" | head -1)"
  [ -n "$main" ] && break
  while read -r id x y w h; do
    [ -n "${h:-}" ] || continue
    seen[$id]=$((${seen[$id]:-0} + 1))
    if [ "${seen[$id]}" -ge 4 ]; then
      echo "screenshots: answering a message box at start-up" >&2
      xdotool mousemove $((x + w / 2)) $((y + h / 2)) key Return
      seen[$id]=0
    fi
  done < <(windows_named "$default" "$app_title")
  sleep 0.5
done
if [ -z "$main" ]; then
  echo "screenshots: the main window did not show" >&2
  exit 1
fi

# "Desk2": its desktop window, then its own copy of the program and the
# shell window it opens there. After that nothing new lands on the display.
desk2="$(poll 30 desktop_window Desk2)" || desk2=""
if [ -n "$desk2" ]; then
  poll 20 windows_named "$desk2" "$main_title" >/dev/null || echo "screenshots: no program window on \"Desk2\"" >&2
  poll 20 windows_named "$desk2" "桌面" >/dev/null || echo "screenshots: no shell window on \"Desk2\"" >&2
  sleep 1
else
  echo "screenshots: \"Desk2\" did not show; going on with \"Default\"" >&2
fi

# The main window. The pointer out of the way: no tooltip in the picture.
show_default || fail "\"Default\" is not the top desktop"
xdotool mousemove 700 100
sleep 1.5
read -r _ x y w h <<<"$(windows_named "$default" "$main_title" | head -1)"
main="$x $y $w $h"
if [ "$(skinned_bar_pixels "$main")" -lt 100 ]; then
  fail "the main window's menu bar does not have the skin's colour (is 皮肤/兰红_Slate.skn staged?)"
else
  shoot main-window.png
fi

# The tray popup: a right click on the program's icon (the first one of the
# notification area), the pointer onto the popup's top border (it selects no
# item there), then the keyboard opens "我的程序" (the second item).
show_default || fail "\"Default\" is not the top desktop"
before="$(windows "$default")"
# The first icon's slot grows with the DPI from its corner of the screen.
xdotool mousemove $((1024 - 10 * dpi / 96)) $((768 - 10 * dpi / 96)) click 3
if popup="$(poll 10 newest_window "$default" "$before")"; then
  read -r mx my mw mh <<<"$popup"
  xdotool mousemove $((mx + mw / 2)) $((my + 1))
  sleep 0.5
  before="$(windows "$default")"
  xdotool key Down Down Right
  if poll 10 newest_window "$default" "$before" >/dev/null; then
    sleep 1
    shoot tray-menu.png
  else
    fail "\"我的程序\" did not open in the tray popup"
  fi
  xdotool key Escape Escape
  sleep 1
else
  fail "the tray popup did not open"
fi

# The about box: a click on the main window's empty lower part makes it the
# active window, F10 enters its menu bar, four steps right reach "帮助  ",
# Down opens it, and "关于" is its fifth item (separators are skipped).
show_default || fail "\"Default\" is not the top desktop"
read -r _ x y w h <<<"$(windows_named "$default" "$main_title" | head -1)"
xdotool mousemove $((x + w / 2)) $((y + h - 12)) click 1
sleep 0.5
before="$(windows "$default")"
xdotool key F10
sleep 0.3
xdotool key Right Right Right Right Down
if poll 10 newest_window "$default" "$before" >/dev/null; then
  xdotool key Down Down Down Down Return
  if about="$(poll 10 windows_named "$default" "About")"; then
    xdotool mousemove 700 100
    sleep 1.5
    read -r _ ax ay aw ah <<<"$(echo "$about" | head -1)"
    # The box and a margin of the main window and the desktop around it.
    m=32
    cx=$((ax > m ? ax - m : 0))
    cy=$((ay > m ? ay - m : 0))
    shoot about-box.png "$((aw + 2 * m))x$((ah + 2 * m))+$cx+$cy"
  else
    fail "the about box did not open"
  fi
else
  fail "the menu 帮助 did not open"
fi

wineserver -k >/dev/null 2>&1 || true
exit "$failed"
