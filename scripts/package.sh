#!/usr/bin/env bash
# Builds the release of the 32-bit program into build/dist/:
#   TrayStartMenu-<version>/              the staged program folder
#   TrayStartMenu-<version>-portable.zip  that folder, to unpack and run anywhere
#   TrayStartMenu-<version>-setup.exe     the installer (NSIS, Unicode)
#   TrayStartMenu-<version>-symbols/      the same binaries unstripped (not shipped)
# The version is the version resource's (res/app.rc, FILEVERSION).
#
# Every file the program reads (res/data_files.txt) must be there; a missing
# one stops the script with its name. TRAYSTART_PACKAGE_ALLOW_MISSING=1 lets
# a test package an incomplete folder anyway (never for a release).
#
#   package.sh [--preset mingw64] [--no-build]
# --no-build packages the preset's existing build (test.sh has just made it).
# The 64-bit twin (build/dist-mingw64, amd64 installer) exists for machines
# whose Wine cannot run 32-bit programs: the package test installs it there.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root="$PWD"

preset=mingw
build=1
while [ $# -gt 0 ]; do
  case "$1" in
    --preset) preset="${2:-}"; shift 2 || { echo "package: --preset needs a name" >&2; exit 2; } ;;
    --no-build) build=0; shift ;;
    *) echo "usage: $0 [--preset mingw|mingw64] [--no-build]" >&2; exit 2 ;;
  esac
done
case "$preset" in
  mingw) out="$root/build/dist" ;;
  mingw64) out="$root/build/dist-mingw64" ;;
  *) echo "package: unknown preset $preset" >&2; exit 2 ;;
esac

bash scripts/setup-debian.sh

# The one version: the resource's FILEVERSION a,b,c,d, and its
# ProductVersion string for the product name.
version="$(sed -n 's/^[[:space:]]*FILEVERSION[[:space:]]\+\([0-9]\+\),[[:space:]]*\([0-9]\+\),[[:space:]]*\([0-9]\+\),[[:space:]]*\([0-9]\+\).*/\1.\2.\3.\4/p' res/app.rc | head -1)"
product_version="$(sed -n 's/.*VALUE[[:space:]]*"ProductVersion",[[:space:]]*"\([^"]*\)".*/\1/p' res/app.rc | head -1)"
if [ -z "$version" ] || [ -z "$product_version" ]; then
  echo "package: cannot read FILEVERSION and ProductVersion from res/app.rc" >&2
  exit 1
fi
name="TrayStartMenu-$version"
echo "package: $name ($preset) into $out" >&2

if [ "$build" = 1 ]; then
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -- -j2
fi

strict=--strict
if [ "${TRAYSTART_PACKAGE_ALLOW_MISSING:-0}" = 1 ]; then
  echo "package: TRAYSTART_PACKAGE_ALLOW_MISSING=1: missing data files are allowed (test use only)" >&2
  strict=
fi
mkdir -p "$out"
# A failed run must not leave an older package looking like this one.
rm -f "$out/$name-portable.zip" "$out/$name-setup.exe"
stage="$out/$name"
bash scripts/stage.sh "$preset" "$stage" $strict

# The release ships its binaries stripped (about half the size); the
# unstripped ones stay beside it, in no zip or installer, for reading the
# addresses of a crash report.
symbols="$out/$name-symbols"
rm -rf "$symbols"
strip_tool=i686-w64-mingw32-strip
[ "$preset" = mingw64 ] && strip_tool=x86_64-w64-mingw32-strip
while IFS= read -r -d '' pe; do
  [ "$(head -c 2 "$pe")" = MZ ] || continue # the hook library's backup has a leading byte
  rel="${pe#"$stage"/}"
  mkdir -p "$symbols/$(dirname "$rel")"
  cp -p "$pe" "$symbols/$rel"
  "$strip_tool" --strip-all "$pe"
done < <(find "$stage" -type f \( -iname '*.exe' -o -iname '*.dll' \) -print0)
bash scripts/check-binaries.sh --stripped "$stage"

# The portable zip, names in UTF-8 with the zip's UTF-8 flag.
zipfile="$out/$name-portable.zip"
rm -f "$zipfile"
python3 tools/make_zip.py "$stage" "$zipfile"

# The installer. The program files are listed from the staged folder, so the
# uninstaller removes exactly what the installer put there; "set" and
# "我的程序" are the user's and handled apart.
nsis_files="$out/installer-files.nsh"
nsis_unfiles="$out/installer-unfiles.nsh"
nsis_escape() { local s="${1//\$/\$\$}"; printf '%s' "${s//\"/\$\\\"}"; }
(
  cd "$stage"
  find . -type f ! -path './set' ! -path './我的程序/*' | LC_ALL=C sort >"$out/files.txt"
  {
    last=""
    while IFS= read -r f; do
      rel="${f#./}"
      dir="$(dirname "$rel")"
      if [ "$dir" != "$last" ]; then
        if [ "$dir" = . ]; then echo 'SetOutPath "$INSTDIR"'
        else echo "SetOutPath \"\$INSTDIR\\$(nsis_escape "${dir//\//\\}")\""; fi
        last="$dir"
      fi
      echo "File \"$(nsis_escape "$stage/$rel")\""
    done <"$out/files.txt"
  } >"$nsis_files"
  {
    while IFS= read -r f; do
      rel="${f#./}"
      echo "Delete \"\$INSTDIR\\$(nsis_escape "${rel//\//\\}")\""
    done <"$out/files.txt"
    # Folders deepest first; each goes only if it is empty.
    find . -mindepth 1 -type d ! -path './我的程序' ! -path './我的程序/*' | awk -F/ '{print NF, $0}' \
      | sort -rn | cut -d' ' -f2- | while IFS= read -r d; do
        rel="${d#./}"
        echo "RMDir \"\$INSTDIR\\$(nsis_escape "${rel//\//\\}")\""
      done
  } >"$nsis_unfiles"
  rm -f "$out/files.txt"
)
setup="$out/$name-setup.exe"
win64=()
[ "$preset" = mingw64 ] && win64=(-DWIN64)
rm -f "$setup"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DPRODUCT_VERSION="$product_version" \
  -DSTAGE="$stage" -DFILES="$nsis_files" -DUNFILES="$nsis_unfiles" -DOUTFILE="$setup" \
  "${win64[@]}" res/installer.nsi

echo "package: $zipfile"
echo "package: $setup"
