#!/usr/bin/env bash
# Prepares the project's 32-bit Wine prefix once: boots it, points the UI
# fonts at an installed CJK font and turns the desktop "Default" (and "Desk2")
# into a 1024x768 virtual desktop with a taskbar and notification area.
# Idempotent: a prepared, intact prefix is recognised in well under a second.
set -euo pipefail

TRAYSTART_SKIP_PREPARE=1 source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
trap traystart_env_cleanup EXIT

marker="$WINEPREFIX/.traystart-prepared"

# What we import. The stamp in the marker covers it, so changing this text
# makes the next run import it again.
# EnableShell gives each virtual desktop its taskbar from the start, not only
# once the first tray icon appears.
reg_text() {
  cat <<'EOF'
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"MS Shell Dlg"="WenQuanYi Micro Hei"
"MS Shell Dlg 2"="WenQuanYi Micro Hei"
"MS Sans Serif"="WenQuanYi Micro Hei"
"Tahoma"="WenQuanYi Micro Hei"
"SimSun"="WenQuanYi Micro Hei"
"宋体"="WenQuanYi Micro Hei"

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"
"Desk2"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops\Default]
"EnableShell"=dword:00000001

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops\Desk2]
"EnableShell"=dword:00000001

EOF
}
stamp="$( { reg_text; dpkg-query -W -f='${Version}' wine 2>/dev/null || true; } | sha256sum | cut -d' ' -f1)"

# Cheap checks only (no Wine start): the marker matches and the files a working
# prefix cannot do without are there, with our settings saved in them.
intact() {
  [ -f "$marker" ] && [ "$(cat "$marker")" = "$stamp" ] || return 1
  [ -f "$WINEPREFIX/system.reg" ] && [ -f "$WINEPREFIX/user.reg" ] || return 1
  [ -f "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ] || return 1
  [ -e "$WINEPREFIX/dosdevices/c:" ] && [ -e "$WINEPREFIX/dosdevices/z:" ] || return 1
  grep -q '^"MS Shell Dlg"="WenQuanYi Micro Hei"' "$WINEPREFIX/system.reg" || return 1
  grep -qF '"\x5b8b\x4f53"="WenQuanYi Micro Hei"' "$WINEPREFIX/system.reg" || return 1  # 宋体
  grep -q '^\[Software\\\\Wine\\\\Explorer\\\\Desktops\]' "$WINEPREFIX/user.reg" || return 1
  grep -q '^"Desk2"="1024x768"' "$WINEPREFIX/user.reg" || return 1
}

intact && exit 0

mkdir -p "$(dirname "$WINEPREFIX")"
# Parallel callers (ctest -j, two scripts at once) prepare it only once.
exec 8>"$WINEPREFIX.lock"
flock 8
intact && exit 0

start=$(date +%s)
echo "prepare-prefix: preparing $WINEPREFIX (takes about 15 s)" >&2

# Anything left over is rebuilt from scratch; only delete what is clearly a
# Wine prefix (or an empty folder), never an arbitrary directory.
if [ -e "$WINEPREFIX" ]; then
  if [ -f "$WINEPREFIX/system.reg" ] || [ -f "$WINEPREFIX/.traystart-prepared" ] \
     || [ -z "$(ls -A "$WINEPREFIX" 2>/dev/null)" ]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
  else
    echo "prepare-prefix: $WINEPREFIX exists and is not a Wine prefix; not touching it" >&2
    exit 1
  fi
fi

wineboot -i </dev/null >/dev/null 2>&1
wineserver -w

# regedit reads UTF-16LE with a byte order mark, whatever the code page.
regfile="$WINEPREFIX/drive_c/traystart-setup.reg"
{ printf '\xff\xfe'; reg_text | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE; } >"$regfile"
wine regedit 'C:\traystart-setup.reg' </dev/null >/dev/null 2>&1
wineserver -w
rm -f "$regfile"

# Read the values back through Wine itself before trusting the prefix.
fonts="$(wine reg query 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' </dev/null 2>/dev/null | tr -d '\r' | grep -c 'WenQuanYi Micro Hei' || true)"
desks="$(wine reg query 'HKCU\Software\Wine\Explorer\Desktops' </dev/null 2>/dev/null | tr -d '\r')"
desk="$(wine reg query 'HKCU\Software\Wine\Explorer' /v Desktop </dev/null 2>/dev/null | tr -d '\r')"
wineserver -w
if [ "$fonts" -lt 6 ] || ! grep -q 'Default.*1024x768' <<<"$desks" \
   || ! grep -q 'Desk2.*1024x768' <<<"$desks" || ! grep -q 'Desktop.*Default' <<<"$desk"; then
  echo "prepare-prefix: registry settings did not take (fonts=$fonts)" >&2
  exit 1
fi

echo "$stamp" >"$marker"
intact || { echo "prepare-prefix: prefix still looks incomplete" >&2; rm -f "$marker"; exit 1; }
echo "prepare-prefix: done in $(( $(date +%s) - start )) s" >&2
