#!/usr/bin/env bash
# Builds the native core with its unit tests (build/native), and crepuscule.exe
# with wintool.exe for x86_64 (build/win64, the one run under Wine) and i686
# (build/win32, the faithful 32-bit program).
#   scripts/build.sh [native] [win64] [win32]      (default: all three)
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
    *) echo "unknown build: $target (native, win64 or win32)" >&2; exit 2 ;;
  esac
  echo "== build $target"
  cmake -S "$root" -B "$build/$target" "${args[@]}" >/dev/null
  cmake --build "$build/$target" -j "$jobs"
done
