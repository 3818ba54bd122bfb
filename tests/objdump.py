"""What the checks of the built programs share: the two programs, their oldest systems, objdump's
output for each, and the command line (--build DIR, --program win32|win64)."""
import argparse
import os
import subprocess
from collections import namedtuple

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

Program = namedtuple("Program", "name x64 tool floor processor")
PROGRAMS = {
    "win32": Program("win32", False, "i686-w64-mingw32-objdump", "Windows 95 and NT 4.0", "the 80486"),
    "win64": Program("win64", True, "x86_64-w64-mingw32-objdump", "Windows XP x64 (NT 5.2)",
                     "the first x86-64 processors"),
}


def objdump(program, build, *options):
    """objdump's text for the built program, or OSError with the reason."""
    path = os.path.join(build, program.name, "crepuscule.exe")
    if not os.path.isfile(path):
        raise OSError(f"{path} not found; build it first (bash scripts/build.sh {program.name})")
    try:
        result = subprocess.run([program.tool, *options, path], capture_output=True, text=True, errors="replace")
    except FileNotFoundError:
        raise OSError(f"{program.tool} not found (Debian: binutils-mingw-w64)") from None
    if result.returncode != 0:
        raise OSError(f"{program.tool} {' '.join(options)} {path} failed: {result.stderr.strip()}")
    return result.stdout


def main(doc, check, argv=None):
    """Runs check(program, build), true when it passes, on each program asked for; the exit status."""
    parser = argparse.ArgumentParser(description=doc.splitlines()[0])
    parser.add_argument("--build", default=os.path.join(ROOT, "build"), help="build directory (default: build/)")
    parser.add_argument("--program", choices=list(PROGRAMS), help="check only this program (default: both)")
    args = parser.parse_args(argv)
    names = [args.program] if args.program else list(PROGRAMS)
    return 0 if all([check(PROGRAMS[name], args.build) for name in names]) else 1
