#!/usr/bin/env bash
# Stages the program folder a user gets: the exe, everything in data/, the
# build's other outputs the program reads, and the sample shortcuts of
# "我的程序". Used by run.sh (build/run) and package.sh (build/dist/<name>).
#
#   stage.sh PRESET DEST [--strict]
#
# PRESET is a configured and built CMake preset (mingw, or mingw64 for the
# 64-bit test twin). DEST is replaced. Every file of res/data_files.txt must
# end up in DEST: a missing one is a warning, or with --strict an error that
# names it and what provides it.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root="$PWD"

if [ $# -lt 2 ]; then
  echo "usage: $0 PRESET DEST [--strict]" >&2
  exit 2
fi
preset="$1"
dest="$2"
strict=0
[ "${3:-}" = --strict ] && strict=1

build="$root/build/$preset"
# Wherever the source tree's CMake puts it.
exe="$(find "$build/src" -name TrayStartMenu.exe -type f 2>/dev/null | head -1)"
if [ -z "$exe" ]; then
  echo "stage: no TrayStartMenu.exe under $build/src; build the preset $preset first" >&2
  exit 1
fi

# Never empty the repository or an unrelated folder by accident.
case "$dest" in
  "" | / | "$root" | "$root/" | "$root/data" | "$root/data/") echo "stage: refusing to replace $dest" >&2; exit 1 ;;
esac
rm -rf "$dest"
mkdir -p "$dest"
cp -a data/. "$dest/"
cp "$exe" "$dest/"

# Reads res/data_files.txt: "path<TAB>provider" lines, comments skipped.
manifest_entries() {
  grep -v '^[[:space:]]*\(#\|$\)' res/data_files.txt | tr -d '\r'
}

# Files built by the project (hook library, feedback tool) are taken from
# the build folder by their file name.
while IFS=$'\t' read -r path provider; do
  case "$path" in */) continue ;; esac
  [ -e "$dest/$path" ] && continue
  # The program's own outputs first; never a test's or a benchmark's stand-in.
  found="$( { find "$build/src" -type f -name "$(basename "$path")" 2>/dev/null
              find "$build" \( -path "$build/src" -o -path "$build/tests" -o -path "$build/bench" \
                   -o -path "$build/CMakeFiles" \) -prune -o -type f -name "$(basename "$path")" -print 2>/dev/null
            } | head -1)"
  if [ -n "$found" ]; then
    mkdir -p "$dest/$(dirname "$path")"
    cp "$found" "$dest/$path"
  fi
done < <(manifest_entries)

# The sample shortcuts: made through the shell-link interface by our helper
# under Wine, in the project's prefix (wine-env.sh: 32-bit Wine, or 64-bit
# where this machine cannot run 32-bit programs; the helper is built to match).
make_shortcuts() {
  (
    source scripts/wine-env.sh || exit 1
    trap traystart_env_cleanup EXIT
    local cxx=i686-w64-mingw32-g++-posix
    [ "$TRAYSTART_WINE_BITS" = 64 ] && cxx=x86_64-w64-mingw32-g++-posix
    local helper="$root/build/tools/make_shortcuts$TRAYSTART_WINE_BITS.exe"
    mkdir -p "$root/build/tools"
    if [ ! -f "$helper" ] || [ tools/make_shortcuts.cpp -nt "$helper" ] || [ src/launcher/link_file.cpp -nt "$helper" ]; then
      "$cxx" -municode -O2 -Wall -Wextra -Werror -Wshadow -static -Isrc -o "$helper" \
        tools/make_shortcuts.cpp src/launcher/link_file.cpp -lole32 -luuid
    fi
    wine "$helper" "$(winepath_of res/sample_shortcuts.txt)" "$(winepath_of "$dest/我的程序")" 2>&1 \
      | tr -d '\r' >&2
    exit "${PIPESTATUS[0]}"
  )
}

# Wine maps the Unix root to Z:.
winepath_of() {
  local p
  p="$(realpath -m "$1")"
  printf 'Z:%s' "${p//\//\\}"
}

make_shortcuts

# Every file the program reads must be there.
missing=()
while IFS=$'\t' read -r path provider; do
  case "$path" in
    */) [ -n "$(find "$dest/$path" -type f 2>/dev/null | head -1)" ] || missing+=("$path  ($provider)") ;;
    *) [ -f "$dest/$path" ] || missing+=("$path  ($provider)") ;;
  esac
done < <(manifest_entries)
if [ "${#missing[@]}" -gt 0 ]; then
  if [ "$strict" = 1 ]; then
    echo "stage: these files the program reads are missing from $dest:" >&2
  else
    echo "stage: warning: the program will miss these files in $dest:" >&2
  fi
  printf '  %s\n' "${missing[@]}" >&2
  [ "$strict" = 1 ] && exit 1
fi
exit 0
