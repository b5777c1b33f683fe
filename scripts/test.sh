#!/usr/bin/env bash
# Builds everything and runs every test: the Windows tests under Wine, the
# host unit tests under ASan/UBSan, and a short fuzzing run of the settings
# reader. Every step runs even after a failure, so one run reports them all;
# the exit code is non-zero if any step failed.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/setup-debian.sh || exit 1

# The tests drive the mouse and keyboard with xdotool: keep them on a private
# Xvfb unless asked to use the current display (TEST_USE_DISPLAY=1).
[ "${TEST_USE_DISPLAY:-0}" = 1 ] || unset DISPLAY

# One display and one prepared prefix for the whole run; every test's
# wine-exec.sh inherits DISPLAY and reuses them.
source scripts/wine-env.sh || exit 1
trap traystart_env_cleanup EXIT
# Nothing left over from an interrupted run may own the desktop or the tray.
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
echo "test: Wine prefix $WINEPREFIX, DISPLAY=$DISPLAY"

failed=()
step() {
  local name="$1"; shift
  echo "== $name =="
  if ! "$@"; then
    echo "test: FAILED: $name" >&2
    failed+=("$name")
    return 1
  fi
}

# ctest's summary line, kept to add up the totals at the end.
passed=0
failed_count=0
run_ctest() {
  local log="build/ctest-$1.log" rc line total bad
  ctest --preset "$1" --no-tests=error 2>&1 | tee "$log"
  rc=${PIPESTATUS[0]}
  line="$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)"
  if [ -n "$line" ]; then
    bad="$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$line")"
    total="$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")"
    passed=$((passed + total - bad))
    failed_count=$((failed_count + bad))
  fi
  return "$rc"
}

fuzz() {
  local corpus=build/host/fuzz-corpus
  mkdir -p "$corpus" build/host/fuzz-artifacts
  printf '1\r\n1\r\n' >"$corpus/seed-on"
  printf '0\r\n0\r\n' >"$corpus/seed-off"
  printf ' $1F\r\n-1\r\n' >"$corpus/seed-hex"
  printf 'TrayStartMenu hidden 1\r\n3 2 1 0 -1\r\n' >"$corpus/seed-hide-record"
  build/host/settings_fuzz -max_total_time=20 -print_final_stats=1 \
    -artifact_prefix=build/host/fuzz-artifacts/ "$corpus"
  local rc=$?
  # The fuzzing run counts as one test in the totals.
  if [ "$rc" -eq 0 ]; then passed=$((passed + 1)); else failed_count=$((failed_count + 1)); fi
  return "$rc"
}

# A short run of one more fuzzer: run_fuzzer NAME SECONDS CORPUS [options].
run_fuzzer() {
  local name="$1" seconds="$2" corpus="$3"
  shift 3
  mkdir -p "$corpus" build/host/fuzz-artifacts
  "build/host/$name" -max_total_time="$seconds" -print_final_stats=1 "$@" \
    -artifact_prefix=build/host/fuzz-artifacts/ "$corpus"
  local rc=$?
  if [ "$rc" -eq 0 ]; then passed=$((passed + 1)); else failed_count=$((failed_count + 1)); fi
  return "$rc"
}

# The JPEG decoder behind the about box's picture, seeded with that picture.
fuzz_jpeg() {
  mkdir -p build/host/fuzz-corpus-jpeg
  cp res/about.jpg build/host/fuzz-corpus-jpeg/seed-about.jpg
  run_fuzzer jpeg_fuzz 10 build/host/fuzz-corpus-jpeg
}

# The skin reader, seeded with the shipped skin and a bare description.
fuzz_skin() {
  local corpus=build/host/skin-fuzz-corpus
  mkdir -p "$corpus"
  cp data/皮肤/*.skn "$corpus/" 2>/dev/null || true
  printf '[Menu]\r\nColor=#34495E\r\nImage=a.bmp\r\nMargins=1,1,1,1\r\n' >"$corpus/seed-ini"
  run_fuzzer skin_fuzz 10 "$corpus" -rss_limit_mb=1024
}

# Formatting and the one-way layering, before anything is built.
check_code() {
  if bash scripts/check-code.sh; then passed=$((passed + 1)); return 0; fi
  failed_count=$((failed_count + 1))
  return 1
}
step "Source checks (format, layers)" check_code

# The shipped program is the 32-bit build. Where this machine cannot run
# 32-bit programs, the tests run a 64-bit build of the same sources under
# 64-bit Wine (wine-env.sh chose TRAYSTART_TEST_PRESET).
echo "test: Windows tests run the $TRAYSTART_TEST_PRESET build under ${TRAYSTART_WINE_BITS}-bit Wine"

# The release (build/dist) is made before the Windows tests: the package
# test checks it, and installs the package of its own build (the 64-bit twin
# in build/dist-mingw64 where the tests run 64-bit). A missing data file
# fails the packaging.
package() {
  bash scripts/package.sh --no-build || return 1
  if [ "$TRAYSTART_TEST_PRESET" != mingw ]; then
    bash scripts/package.sh --preset "$TRAYSTART_TEST_PRESET" --no-build || return 1
  fi
}

# What a user gets must load on the oldest Windows the program supports and
# share no writable section between processes: the imports, PE headers and
# sections of the program, the hook library (and its backup) and the
# feedback tool of each build made (scripts/check-binaries.sh).
shipped_binaries() {
  local preset dirs=()
  for preset in mingw "$TRAYSTART_TEST_PRESET"; do
    [ -d "build/$preset/src/app" ] || continue
    case " ${dirs[*]} " in *" build/$preset/src/app "*) continue ;; esac
    dirs+=("build/$preset/src/app" "build/$preset/data")
  done
  if bash scripts/check-binaries.sh "${dirs[@]}"; then passed=$((passed + 1)); return 0; fi
  failed_count=$((failed_count + 1))
  return 1
}

if [ "$TRAYSTART_TEST_PRESET" != mingw ]; then
  step "Windows build (32-bit): configure" cmake --preset mingw &&
    step "Windows build (32-bit)" cmake --build --preset mingw
fi

if step "Windows build: configure" cmake --preset "$TRAYSTART_TEST_PRESET" &&
  step "Windows build" cmake --build --preset "$TRAYSTART_TEST_PRESET"; then
  step "Shipped binaries (imports, PE headers, shared sections)" shipped_binaries
  step "Package (scripts/package.sh)" package &&
    step "Windows tests (Wine)" run_ctest "$TRAYSTART_TEST_PRESET"
fi

# The 32-bit program on 64-bit Windows (prints why it is skipped where this
# machine cannot run 32-bit programs).
step "32-bit program on a 64-bit prefix" bash scripts/wow64-test.sh

step "Host build: configure" cmake --preset host &&
  step "Host build" cmake --build --preset host &&
  { step "Host tests (ASan, UBSan)" run_ctest host
    step "Fuzzing the settings reader (20 s)" fuzz
    step "Fuzzing the JPEG decoder (10 s)" fuzz_jpeg
    step "Fuzzing the skin reader (10 s)" fuzz_skin; }

# A build step that failed counts as a failure too: its tests never ran.
for f in "${failed[@]}"; do
  case "$f" in *build*) failed_count=$((failed_count + 1)) ;; esac
done

if [ "${#failed[@]}" -gt 0 ]; then
  printf 'test: failed steps:\n' >&2
  printf '  %s\n' "${failed[@]}" >&2
fi
echo "tests: $passed passed, $failed_count failed"
[ "${#failed[@]}" -eq 0 ]
