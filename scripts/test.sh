#!/usr/bin/env bash
# Installs what is missing, builds everything, runs the unit tests (ctest), the
# Windows layer's tests and the end-to-end cases under Wine, and ends with one
# line "N passed, M failed" that adds them all up.
#   scripts/test.sh                    everything
#   CREP_SKIP_E2E=1 scripts/test.sh    without the end-to-end cases
#   CREP_FUZZ_SECONDS=300 scripts/test.sh   each fuzz target runs longer (default 10 s)
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export CREP_BUILD="${CREP_BUILD:-$root/build}"
build="$CREP_BUILD"
logs="$build/test-logs"
# shellcheck source=wine-env.sh
. "$root/scripts/wine-env.sh"

passed=0
failed=0

fail() {
  echo "$1"
  failed=$((failed + 1))
}

# Adds up ctest's closing line "N% tests passed, M tests failed out of T".
count_ctest() {
  local line total bad
  line="$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -1)"
  if [ -z "$line" ]; then
    fail "$2: ctest ran no test"
    return
  fi
  total="$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")"
  bad="$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")"
  passed=$((passed + total - bad))
  failed=$((failed + bad))
}

if ! bash "$root/scripts/install-deps.sh"; then
  echo "installing the dependencies failed"
  echo "0 passed, 1 failed"
  exit 1
fi
mkdir -p "$logs"

# Runs one folder's Python unittest files and adds up what they ran.
count_unittest() {
  local ran
  python3 -m unittest discover -s "$root/$1" -p '*_test.py' 2>&1 | tee "$logs/$2.log"
  ran="$(sed -nE 's/^Ran ([0-9]+) tests? .*/\1/p' "$logs/$2.log" | tail -1)"
  if [ -n "$ran" ] && grep -qx 'OK' "$logs/$2.log"; then
    passed=$((passed + ran))
  else
    fail "$3"
  fi
}

# The end-to-end harness's own reader of traces and descriptions, and the
# reader of the programs' import tables.
count_unittest tests/e2e harness "the harness's own tests failed"
count_unittest tests/imports imports-unit "the import check's own tests failed"
count_unittest tests/processors processors-unit "the instruction check's own tests failed"

# Each folder of the program includes only the folders below it: no circle.
if python3 "$root/tests/structure/check_includes.py" 2>&1 | tee "$logs/includes.log"; then
  passed=$((passed + 1))
else
  fail "an include of src/ breaks the layers (see above)"
fi

# Unit tests of the portable core.
if bash "$root/scripts/build.sh" native; then
  ctest --test-dir "$build/native" --output-on-failure --timeout 300 -j 2 2>&1 | tee "$logs/ctest-native.log"
  count_ctest "$logs/ctest-native.log" "unit tests"
else
  fail "the native build failed"
fi

# The same unit tests under AddressSanitizer and UndefinedBehaviorSanitizer.
if bash "$root/scripts/build.sh" sanitize; then
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$build/sanitize" --output-on-failure --timeout 600 -j 2 2>&1 | tee "$logs/ctest-sanitize.log"
  count_ctest "$logs/ctest-sanitize.log" "unit tests under the sanitizers"
else
  fail "the sanitizer build failed"
fi

# Each fuzz target for a short while; a crash or a sanitizer report fails it.
if bash "$root/scripts/build.sh" fuzz; then
  for target in "$build"/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name="$(basename "$target")"
    corpus="$build/fuzz/corpus/$name"
    mkdir -p "$corpus"
    if (cd "$build/fuzz" && "$target" -max_total_time="${CREP_FUZZ_SECONDS:-10}" -max_len=512 "$corpus" \
      >"$logs/$name.log" 2>&1); then
      echo "fuzz $name: $(grep -oE 'Done [0-9]+ runs' "$logs/$name.log" | tail -1), no crash"
      passed=$((passed + 1))
    else
      tail -n 30 "$logs/$name.log"
      fail "fuzz $name found a crash (build/fuzz/crash-* holds the input)"
    fi
  done
else
  fail "the fuzz build failed"
fi

# Formatting and static analysis.
if bash "$root/scripts/lint.sh" 2>&1 | tee "$logs/lint.log"; then
  passed=$((passed + 1))
else
  fail "lint found something"
fi

win64_ok=1
bash "$root/scripts/build.sh" win64 || { fail "the x86_64 Windows build failed"; win64_ok=0; }
win32_ok=1
bash "$root/scripts/build.sh" win32 || { fail "the i686 Windows build failed"; win32_ok=0; }

# What Wine does not show, read from each built program: its imports must exist
# on the oldest Windows it is for, its instructions on the oldest processor.
for program in win32 win64; do
  ok="${program}_ok"
  [ "${!ok}" = 1 ] || continue
  for check in "imports/check_imports.py|imports|imports functions its oldest Windows lacks" \
    "processors/check_instructions.py|instructions|holds instructions its oldest processor lacks"; do
    IFS='|' read -r script log problem <<<"$check"
    python3 "$root/tests/$script" --build "$build" --program "$program" 2>&1 | tee "$logs/$log-$program.log"
    if [ "${PIPESTATUS[0]}" -eq 0 ]; then
      passed=$((passed + 1))
    else
      fail "$program $problem (see above)"
    fi
  done
done

# Everything under Wine shares one private display and one template prefix.
if [ "$win64_ok" = 1 ]; then
  trap crep_xvfb_stop EXIT
  if ! crep_xvfb_start || ! crep_template "$build/wine/template"; then
    fail "no Xvfb display or Wine prefix for the Windows tests"
    win64_ok=0
  fi
fi

# The Windows layer's own tests, registered with ctest in both Windows builds;
# the i686 ones need 32-bit Wine.
have_wine32=0
dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed" && crep_wine32_runs && have_wine32=1
for program in win64 win32; do
  ok="${program}_ok"
  [ "$win64_ok" = 1 ] && [ "${!ok}" = 1 ] || continue
  [ "$program" = win64 ] || [ "$have_wine32" = 1 ] || continue
  [ "$(ctest --test-dir "$build/$program" -N 2>/dev/null | grep -cE '^ *Test +#')" -gt 0 ] || continue
  crep_layer_tests "$build" "$program" 2>&1 | tee "$logs/ctest-$program.log"
  count_ctest "$logs/ctest-$program.log" "Windows layer tests ($program)"
done

# The end-to-end cases, on the x86_64 program, then on the i686 one (the one
# that ships for 95 to XP) where 32-bit Wine runs.
add_e2e() {  # LOG STATUS
  local line bad
  line="$(grep -E '^e2e: [0-9]+ passed, [0-9]+ failed' "$1" | tail -1)"
  if [ -z "$line" ]; then
    fail "the end-to-end run ($1) ended without its summary"
    return
  fi
  passed=$((passed + $(sed -E 's/^e2e: ([0-9]+) passed.*/\1/' <<<"$line")))
  bad=$(sed -E 's/^e2e: [0-9]+ passed, ([0-9]+) failed.*/\1/' <<<"$line")
  failed=$((failed + bad))
  [ "$2" -eq 0 ] || [ "$bad" -gt 0 ] || fail "the end-to-end run ($1) failed (status $2)"
}
if [ "${CREP_SKIP_E2E:-0}" != 1 ] && [ "$win64_ok" = 1 ]; then
  timeout 2400 python3 "$root/tests/e2e/run_e2e.py" --build "$build" --display "$DISPLAY" 2>&1 |
    tee "$logs/e2e.log"
  add_e2e "$logs/e2e.log" "${PIPESTATUS[0]}"
  if [ "$have_wine32" != 1 ]; then
    if crep_wine32_runs; then
      echo "no 32-bit Wine on this machine: the Windows tests ran on the x86_64 program only"
    elif [ "$win32_ok" = 1 ] && bash "$root/scripts/qemu32.sh" true 2>/dev/null; then
      # The kernel runs no 32-bit program: qemu-i386 runs the i686 one, some ten times slower, so
      # its Windows-layer tests and the cases under Windows 95 and 98 only.
      CREP_BUILD="$build" bash "$root/scripts/qemu32.sh" 2>&1 | tee "$logs/ctest-win32.log"
      count_ctest "$logs/ctest-win32.log" "Windows layer tests (win32, under qemu-i386)"
      timeout 2400 bash "$root/scripts/qemu32.sh" python3 "$root/tests/e2e/run_e2e.py" --arch win32 --build "$build" \
        --display "$DISPLAY" -k win9 2>&1 | tee "$logs/e2e-win32.log"
      add_e2e "$logs/e2e-win32.log" "${PIPESTATUS[0]}"
      echo "this machine's kernel runs no 32-bit program: the i686 program ran under qemu-i386, its Windows-layer" \
        "tests and its cases under Windows 95 and 98 only"
    else
      echo "this machine's kernel runs no 32-bit program, 32-bit Wine included: the Windows tests ran on the" \
        "x86_64 program only (the i686 one had its import and instruction checks)"
    fi
  elif [ "$win32_ok" = 1 ]; then
    timeout 2400 python3 "$root/tests/e2e/run_e2e.py" --arch win32 --build "$build" --display "$DISPLAY" 2>&1 |
      tee "$logs/e2e-win32.log"
    add_e2e "$logs/e2e-win32.log" "${PIPESTATUS[0]}"
  fi
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
