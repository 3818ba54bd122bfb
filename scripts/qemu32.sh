#!/usr/bin/env bash
# The 32-bit program's Windows-layer tests under 32-bit Wine on a kernel that runs no 32-bit
# program (no IA32 emulation), with qemu-i386 emulating the 32-bit Linux side:
#   bash scripts/qemu32.sh            builds build/win32 and runs its win32_tests.exe
#   bash scripts/qemu32.sh CMD...     runs CMD instead, with the same registration
# Registers qemu-i386 with binfmt_misc for that time only (root; installs qemu-user-static if
# missing). Slow: every 32-bit process is emulated. The end-to-end cases are not run this way:
# under qemu a case's prefix set-up alone takes longer than the case may.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${CREP_BUILD:-$root/build}"
entry=crep-i386

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
if /usr/lib/wine/wine --version >/dev/null 2>&1; then ("$@"); exit; fi
[ "$(id -u)" -eq 0 ] || { echo "qemu32.sh: root is needed to register qemu-i386" >&2; exit 2; }
if ! [ -x /usr/bin/qemu-i386-static ]; then
  apt-get update -q && env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends qemu-user-static
fi
[ -w /proc/sys/fs/binfmt_misc/register ] || mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
# An i386 ELF executable: the header's class, data, version, type and machine fields.
printf '%s' ":$entry:M::\\x7fELF\\x01\\x01\\x01\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x02\\x00\\x03\\x00:\
\\xff\\xff\\xff\\xff\\xff\\xfe\\xfe\\x00\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xfe\\xff\\xff\\xff:/usr/bin/qemu-i386-static:F" \
  >/proc/sys/fs/binfmt_misc/register
trap 'echo -1 >/proc/sys/fs/binfmt_misc/$entry' EXIT
# In a subshell: the command's own EXIT trap must not replace this one.
("$@")
