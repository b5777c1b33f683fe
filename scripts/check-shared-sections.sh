#!/usr/bin/env bash
# Fails when a shipped program file has a section shared by every process
# that loads it (IMAGE_SCN_MEM_SHARED): such a section is writable across
# users and integrity levels, so anyone could rewrite what the program keeps
# there.
#   check-shared-sections.sh [file or folder ...]
# Folders are searched for .exe and .dll files; with no argument the program
# folders of the built presets are checked.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

objdump=""
for tool in x86_64-w64-mingw32-objdump i686-w64-mingw32-objdump objdump; do
  if command -v "$tool" >/dev/null 2>&1; then objdump="$tool"; break; fi
done
if [ -z "$objdump" ]; then
  echo "check-shared-sections: no objdump found" >&2
  exit 2
fi

[ $# -gt 0 ] || set -- build/mingw/src/app build/mingw64/src/app
files=()
for arg in "$@"; do
  if [ -d "$arg" ]; then
    while IFS= read -r -d '' f; do files+=("$f"); done \
      < <(find "$arg" -maxdepth 1 -type f \( -iname '*.exe' -o -iname '*.dll' \) -print0)
  elif [ -f "$arg" ]; then
    files+=("$arg")
  fi
done
if [ "${#files[@]}" -eq 0 ]; then
  echo "check-shared-sections: no program files in: $*" >&2
  exit 2
fi

scratch="$(mktemp)"
trap 'rm -f "$scratch"' EXIT
status=0
for f in "${files[@]}"; do
  image="$f"
  # The hook library's backup is one leading byte, then the library itself.
  if [ "$(basename "$f")" = copy_Key.dll ]; then
    tail -c +2 "$f" >"$scratch"
    image="$scratch"
  fi
  # objdump -h prints each section's name on one line and its flags on the next.
  if ! headers="$("$objdump" -h "$image" 2>&1)"; then
    echo "check-shared-sections: cannot read $f: $headers" >&2
    status=1
    continue
  fi
  shared="$(awk '/^ *[0-9]+ / { name = $2; next } /SHARED/ { print name }' <<<"$headers")"
  if [ -n "$shared" ]; then
    echo "check-shared-sections: $f has shared sections: $(echo $shared)" >&2
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "check-shared-sections: ${#files[@]} files, no shared section"
exit "$status"
