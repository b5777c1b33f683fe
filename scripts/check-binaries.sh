#!/usr/bin/env bash
# Checks the Windows binaries a user gets, read with objdump (nothing runs):
#   imports     every imported function is in scripts/allowed-imports.txt,
#               and none first came with a Windows newer than the oldest one
#               the program supports (Windows XP SP3);
#   header      the PE header's OS and subsystem versions let that Windows
#               load it (5.1 for 32-bit, 5.2 for 64-bit, or lower);
#   shared      no section shared by every process that loads the file
#               (IMAGE_SCN_MEM_SHARED): it would be writable across users and
#               integrity levels;
#   stripped    (with --stripped) no symbol table: the release ships without.
# Each check is a function taking one PE and printing what is wrong; more
# checks join the `checks` list.
#
#   check-binaries.sh [--stripped] FILE_OR_FOLDER...
# Folders are searched for .exe and .dll files. The hook library's backup
# copy (copy_Key.dll) is checked as the library it restores, without its
# leading byte; other files that are not PE images are skipped and named. Exit status 1 when a check failed or nothing was found.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

allowed_list=scripts/allowed-imports.txt
# Windows versions from oldest to newest, as allowed-imports.txt names them.
versions=(95 NT4 98 ME 2000 XP XPSP1 XPSP2 XPSP3 2003 Vista 7 8 8.1 10)
newest_allowed=XPSP3

checks=(check_imports check_header check_shared)
if [ "${1:-}" = --stripped ]; then
  checks+=(check_stripped)
  shift
fi
if [ $# -eq 0 ]; then
  echo "usage: $0 [--stripped] FILE_OR_FOLDER..." >&2
  exit 2
fi

version_rank() {
  local i
  for i in "${!versions[@]}"; do
    [ "${versions[$i]}" = "$1" ] && { echo "$i"; return 0; }
  done
  return 1
}
newest_rank="$(version_rank "$newest_allowed")"

# "dll function version" lines, dll names in lower case.
declare -A first_version
while read -r dll function version _; do
  case "$dll" in "" | \#*) continue ;; esac
  if ! version_rank "$version" >/dev/null; then
    echo "check-binaries: $allowed_list: unknown Windows version \"$version\" for $dll $function" >&2
    exit 1
  fi
  first_version["${dll,,} $function"]="$version"
done <"$allowed_list"

# The 64-bit tool reads 32-bit images too.
objdump=x86_64-w64-mingw32-objdump

# "dll function" for every import; an import by ordinal shows as "#n".
imports_of() {
  "$objdump" -p "$1" | awk '
    /^\tDLL Name: / { dll = tolower($3); next }
    /^[^\t]/ { dll = "" }
    dll != "" && $1 ~ /^[0-9a-f]+$/ && NF >= 3 {
      name = $3
      if (name == "<none>") name = "#" $2
      print dll, name
    }'
}

check_imports() {
  local line version
  while read -r line; do
    version="${first_version[$line]:-}"
    if [ -z "$version" ]; then
      echo "imports $line, which $allowed_list does not list"
    elif [ "$(version_rank "$version")" -gt "$newest_rank" ]; then
      echo "imports $line, which first came with Windows $version"
    fi
  done < <(imports_of "$1" | sort -u)
}

check_header() {
  local dump limit major minor
  dump="$("$objdump" -p "$1")"
  limit=501
  grep -q 'PE32+' <<<"$dump" && limit=502
  for kind in OSystem Subsystem; do
    major="$(awk -v k="Major${kind}Version" '$1 == k { print $2 }' <<<"$dump")"
    minor="$(awk -v k="Minor${kind}Version" '$1 == k { print $2 }' <<<"$dump")"
    if [ -z "$major" ] || [ $((10#$major * 100 + 10#$minor)) -gt "$limit" ]; then
      echo "its header asks for ${kind/OSystem/OS} version ${major:-?}.${minor:-?}, above $((limit / 100)).$((limit % 100))"
    fi
  done
}

check_shared() {
  # objdump -h prints each section's name on one line and its flags on the next.
  local shared
  shared="$("$objdump" -h "$1" | awk '/^ *[0-9]+ / { name = $2; next } /SHARED/ { print name }')"
  [ -z "$shared" ] || echo "it has sections shared between processes: $(echo $shared)"
}

check_stripped() {
  if "$objdump" -f "$1" | grep -q 'HAS_SYMS'; then
    echo "it carries a symbol table (not stripped)"
  fi
}

files=()
for arg in "$@"; do
  if [ -d "$arg" ]; then
    while IFS= read -r -d '' f; do files+=("$f"); done \
      < <(find "$arg" -type f \( -iname '*.exe' -o -iname '*.dll' \) -print0 | sort -z)
  else
    files+=("$arg")
  fi
done

scratch="$(mktemp)"
trap 'rm -f "$scratch"' EXIT
status=0
checked=0
for f in "${files[@]}"; do
  image="$f"
  if [ "$(basename "$f")" = copy_Key.dll ]; then
    tail -c +2 "$f" >"$scratch"
    image="$scratch"
  fi
  if [ "$(head -c 2 "$image" 2>/dev/null)" != MZ ]; then
    echo "check-binaries: skipped (not a PE image): $f"
    continue
  fi
  checked=$((checked + 1))
  problems="$(for check in "${checks[@]}"; do "$check" "$image"; done)"
  if [ -n "$problems" ]; then
    status=1
    echo "check-binaries: $f:" >&2
    sed 's/^/  /' <<<"$problems" >&2
  else
    echo "check-binaries: ok: $f"
  fi
done
if [ "$checked" -eq 0 ]; then
  echo "check-binaries: no PE image found in: $*" >&2
  exit 1
fi
exit "$status"
