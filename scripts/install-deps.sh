#!/usr/bin/env bash
# Installs what the build and the tests need on a fresh Debian machine; does
# nothing when everything is there. Uses sudo when not run as root.
set -euo pipefail
need=(cmake g++ make libgtest-dev libgmock-dev
      g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64
      wine wine64 xvfb xdotool imagemagick x11-utils python3
      clang libclang-rt-14-dev clang-format cppcheck)
missing=()
for p in "${need[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  echo "installing: ${missing[*]}"
  # A mirror may fail for a moment; try the package lists again before giving up.
  for attempt in 1 2 3; do
    if $SUDO apt-get update -q; then break; fi
    [ "$attempt" -lt 3 ] || exit 1
    sleep 10
  done
  # sudo drops the environment: pass the front-end through env.
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
if ! wine --version >/dev/null 2>&1 && ! /usr/lib/wine/wine64 --version >/dev/null 2>&1; then
  echo "wine does not start after the installation" >&2
  exit 1
fi

# 32-bit Wine runs the 32-bit program, the one that ships for Windows 95 to XP.
# It needs the i386 architecture; where it cannot be installed, the tests go on
# with the 64-bit program and say so.
if ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"; then
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386 && $SUDO apt-get update -q || true
  fi
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends wine32:i386 ||
    echo "wine32 could not be installed: the 32-bit program will not be run"
fi
# A kernel that runs no 32-bit program: qemu-i386 runs 32-bit Wine instead (scripts/qemu32.sh).
if [ -x /usr/lib/wine/wine ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1 &&
  ! dpkg-query -W -f='${Status}' qemu-user-static 2>/dev/null | grep -q "install ok installed"; then
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends qemu-user-static ||
    echo "qemu-user-static could not be installed: the 32-bit program will not be run"
fi
