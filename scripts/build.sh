#!/usr/bin/env bash
# Builds the native core with its unit tests (build/native), and crepuscule.exe
# with wintool.exe for x86_64 (build/win64, the one run under Wine) and i686
# (build/win32, the faithful 32-bit program). Two more on demand: the unit tests
# under AddressSanitizer and UndefinedBehaviorSanitizer (build/sanitize) and the
# libFuzzer targets, built with clang (build/fuzz).
#   scripts/build.sh [native] [win64] [win32] [sanitize] [fuzz]   (default: the first three)
# CREP_BUILD moves the build tree, CREP_JOBS sets the parallel jobs (default 2).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${CREP_BUILD:-$root/build}"
jobs="${CREP_JOBS:-2}"
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(native win64 win32)

for target in "${targets[@]}"; do
  case "$target" in
    native) args=() ;;
    win64) args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release) ;;
    win32) args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release) ;;
    sanitize) args=(-DCREP_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug) ;;
    fuzz) args=(-DCREP_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
    *) echo "unknown build: $target (native, win64, win32, sanitize or fuzz)" >&2; exit 2 ;;
  esac
  echo "== build $target"
  cmake -S "$root" -B "$build/$target" "${args[@]}" >/dev/null
  cmake --build "$build/$target" -j "$jobs"
done
