#!/usr/bin/env bash
# The 32-bit program under 32-bit Wine on a kernel that runs no 32-bit program (no IA32
# emulation), with qemu-i386 emulating the 32-bit Linux side:
#   bash scripts/qemu32.sh            builds build/win32 and runs its win32_tests.exe
#   bash scripts/qemu32.sh CMD...     runs CMD instead, for instance its end-to-end cases:
#     bash scripts/qemu32.sh python3 tests/e2e/run_e2e.py --arch win32 matrix systems
# qemu-i386 is registered in a binfmt_misc of its own (a user namespace, Linux 6.7 or later), so
# no other process sees it. Slow: only the 32-bit programs are emulated (the 64-bit Wine loader
# runs the rest), and every end-to-end wait is CREP_E2E_SLOW (12) times longer.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${CREP_BUILD:-$root/build}"

windows_layer_tests() {
  bash "$root/scripts/build.sh" win32
  . "$root/scripts/wine-env.sh"
  crep_xvfb_start
  trap crep_xvfb_stop EXIT
  # A 64-bit prefix with its 32-bit side, as on 64-bit Windows; a template made without it is remade.
  crep_template "$build/wine/template"
  crep_layer_tests "$build" win32
}

if [ $# -eq 0 ]; then set -- windows_layer_tests; fi
if [ -z "${CREP_QEMU32:-}" ]; then
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then ("$@"); exit; fi
  if ! [ -x /usr/bin/qemu-i386-static ]; then
    [ "$(id -u)" -eq 0 ] || { echo "qemu32.sh: install qemu-user-static first (root)" >&2; exit 2; }
    apt-get update -q && env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends qemu-user-static
  fi
  exec unshare --user --map-root-user --mount -- env CREP_QEMU32=1 bash "$0" "$@"
fi
mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
# An i386 ELF executable: the header's class, data, version, type and machine fields.
printf '%s' ":crep-i386:M::\\x7fELF\\x01\\x01\\x01\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x02\\x00\\x03\\x00:\
\\xff\\xff\\xff\\xff\\xff\\xfe\\xfe\\x00\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xfe\\xff\\xff\\xff:/usr/bin/qemu-i386-static:F" \
  >/proc/sys/fs/binfmt_misc/register
export CREP_WINE=/usr/lib/wine/wine64 WINELOADER=/usr/lib/wine/wine64 CREP_E2E_SLOW="${CREP_E2E_SLOW:-12}"
"$@"
