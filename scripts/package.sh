#!/usr/bin/env bash
# Builds what a user downloads: dist/crepuscule-VERSION.zip with the 32-bit
# program (Windows 95 to 11) and the 64-bit one (XP x64 to 11), a short French
# LISEZMOI.txt and the programs' SHA-256 sums; the zip's own sum lands beside it.
#   scripts/package.sh
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${CREP_BUILD:-$root/build}"
version="$(sed -nE 's/^project\(crepuscule VERSION ([0-9.]+).*/\1/p' "$root/CMakeLists.txt")"
dist="$root/dist"

bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" win32 win64

mkdir -p "$dist"
zip="$dist/crepuscule-$version.zip"
python3 - "$build" "$root/resources/LISEZMOI.txt" "$zip" "crepuscule-$version" <<'PY'
import hashlib, os, sys, time, zipfile
build, readme, out, top = sys.argv[1:]
programs = [("32-bits/crepuscule.exe", os.path.join(build, "win32", "crepuscule.exe")),
            ("64-bits/crepuscule.exe", os.path.join(build, "win64", "crepuscule.exe"))]

def windows_text(text):
    # Notepad on Windows 95 reads neither UTF-8 nor bare line feeds.
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("cp1252")

sums = "".join("%s *%s\n" % (hashlib.sha256(open(path, "rb").read()).hexdigest(), name.replace("/", "\\"))
               for name, path in programs)
stamp = time.localtime(os.path.getmtime(programs[0][1]))[:6]
with zipfile.ZipFile(out + ".tmp", "w", zipfile.ZIP_DEFLATED) as z:
    def add(name, data):
        info = zipfile.ZipInfo("%s/%s" % (top, name), date_time=stamp)
        info.compress_type = zipfile.ZIP_DEFLATED
        info.external_attr = 0o644 << 16
        z.writestr(info, data)
    for name, path in programs:
        add(name, open(path, "rb").read())
    add("LISEZMOI.txt", windows_text(open(readme, encoding="utf-8").read()))
    add("SHA256SUMS.txt", windows_text(sums))
os.replace(out + ".tmp", out)
PY
(cd "$dist" && sha256sum "$(basename "$zip")" >"$(basename "$zip").sha256")
echo "package: $zip"
cat "$zip.sha256"
