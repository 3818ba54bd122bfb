#!/usr/bin/env bash
# Runs a command where 32-bit Linux programs run, so that 32-bit Wine (and with it the 32-bit
# crepuscule.exe) can be tested on a kernel without IA32 emulation:
#   bash scripts/qemu32.sh bash scripts/test.sh
# Registers qemu-i386 with binfmt_misc for the command's time (root; installs qemu-user-static
# if missing) and removes the registration after. Slow: every 32-bit process is emulated.
set -euo pipefail
entry=crep-i386
if /usr/lib/wine/wine --version >/dev/null 2>&1; then exec "$@"; fi
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
"$@"
