#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine.
# Idempotent: a machine that already has it all returns in a second.
set -euo pipefail

# wine64 and the x86_64 cross compiler serve machines that cannot run 32-bit
# programs: the tests then run a 64-bit build under 64-bit Wine.
pkgs=(g++-mingw-w64-i686-posix mingw-w64-i686-dev g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
      wine wine32:i386 wine64 xvfb xdotool x11-utils
      imagemagick locales fonts-wqy-microhei cmake ninja-build googletest
      clang libclang-rt-14-dev g++ dpkg-dev libjpeg-dev zlib1g-dev libminizip-dev nsis python3)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  need_update=1
fi
# The JPEG library for the Windows build comes from Debian's source package:
# a deb-src entry for the same archive as the binary packages.
if ! grep -rqs '^deb-src\|^Types:.*deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
      > /etc/apt/sources.list.d/traystart-deb-src.sources
  else
    grep -hs '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' > /etc/apt/sources.list.d/traystart-deb-src.list
  fi
  need_update=1
fi
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ] || [ -n "${need_update:-}" ]; then
  export DEBIAN_FRONTEND=noninteractive
  # A mirror caught in the middle of a sync fails an update for a minute or
  # two; the install below says plainly if the lists never came.
  lists=stale
  for attempt in 1 2 3 4 5; do
    apt-get update -qq && { lists=fresh; break; }
    echo "setup: apt-get update failed (attempt $attempt)" >&2
    [ "$attempt" -lt 5 ] && sleep $((attempt * 15))
  done
  if ! apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; then
    [ "$lists" = stale ] || exit 1
    # One list that never came (say the security archive's i386 one) leaves
    # the two architectures at different versions of a library, which
    # wine32 cannot mix; the release's own suite has both at the same.
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    echo "setup: installing from $codename's own suite instead" >&2
    apt-get install -y -qq --no-install-recommends -o APT::Default-Release="$codename" "${missing[@]}" >/dev/null
  fi
fi

# The cross compiler must use posix threads (std::thread in the icon workers).
for t in gcc g++; do
  for arch in i686 x86_64; do
    cur=$(readlink -f "/usr/bin/$arch-w64-mingw32-$t" 2>/dev/null || true)
    case "$cur" in *posix*) ;; *) update-alternatives --set "$arch-w64-mingw32-$t" "/usr/bin/$arch-w64-mingw32-$t-posix" >/dev/null 2>&1 || true ;; esac
  done
done

# Code page 936 under Wine needs the zh_CN.UTF-8 locale.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$'; then
  sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
