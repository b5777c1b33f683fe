#!/usr/bin/env bash
# Checks on the source text that need no build: every C++ file is formatted
# as .clang-format says, and no subsystem reaches back into the main window
# (framework <- subsystems <- app; a subsystem never includes "app/..."),
# and no framework component depends on another in a loop.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

status=0
mapfile -t files < <(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'tools/*.cpp')
unformatted=()
for f in "${files[@]}"; do
  [ -f "$f" ] || continue
  clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || unformatted+=("$f")
done
if [ "${#unformatted[@]}" -gt 0 ]; then
  echo "check-code: not formatted (run clang-format -i on them):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  status=1
fi

backwards="$(grep -rn --include='*.cpp' --include='*.h' -E '#include "app/' \
  src/framework src/tray src/launcher src/hotkeys src/desktops src/shellcmds src/help src/skin src/hook 2>/dev/null)"
if [ -n "$backwards" ]; then
  echo "check-code: a subsystem includes the main window's headers:" >&2
  echo "$backwards" >&2
  status=1
fi
framework_up="$(grep -rn --include='*.cpp' --include='*.h' -E '#include "(tray|launcher|hotkeys|desktops|shellcmds|help|skin)/' \
  src/framework 2>/dev/null)"
if [ -n "$framework_up" ]; then
  echo "check-code: the framework includes a subsystem:" >&2
  echo "$framework_up" >&2
  status=1
fi
# Framework components (a header with its .cpp) must not depend on each other
# in a loop: A depends on B when A's files include B's header.
framework_edges="$(for f in src/framework/*.h src/framework/*.cpp; do
  [ -f "$f" ] || continue
  from="$(basename "${f%.*}")"
  echo "$from $from"
  sed -n -E 's|^[[:space:]]*#[[:space:]]*include[[:space:]]+"framework/([A-Za-z0-9_]+)\.h".*|\1|p' "$f" |
    while read -r to; do [ "$to" != "$from" ] && echo "$from $to"; done
done)"
if ! loop="$(printf '%s\n' "$framework_edges" | tsort 2>&1 >/dev/null)" || [ -n "$loop" ]; then
  echo "check-code: framework components depend on each other in a loop:" >&2
  echo "$loop" | grep -v 'input contains a loop' | sed 's/^tsort: /  /' >&2
  status=1
fi
[ "$status" -eq 0 ] && echo "check-code: ${#files[@]} files formatted, layers one way, no framework loop"
exit "$status"
