#!/usr/bin/env python3
"""Reads the import tables of the built programs the way Windows' loader does.

Wine exports every function of every Windows, so a program that imports one function newer than
the system runs under Wine but does not even start there ("entry point not found"). This check lists
each program's imports with MinGW's objdump and compares every one with the first Windows version
that exports it by name (first_versions.tsv, beside this file):

  win32 (i686)    must load on Windows 95 and on Windows NT 4.0;
  win64 (x86_64)  must load on Windows XP x64 (NT 5.2).

It prints one line per problem, informational lines, and one summary line per program; the exit
status is 1 when any program fails.
"""
import os
import re
import sys
from collections import namedtuple

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))
import objdump  # noqa: E402

TABLE = os.path.join(HERE, "first_versions.tsv")
TABLE_NAME = "tests/imports/first_versions.tsv"

# Oldest first: a version's index orders it.
NT_VERSIONS = ("3.1", "3.5", "3.51", "4.0", "5.0", "5.1", "5.2", "6.0", "6.1", "6.2", "6.3", "10.0")
FIRST_X64 = "5.2"  # XP x64: no 64-bit Windows is older
WIN9X = ("95", "98", "Me")
ON9X = ("works", "stub", "-")


# nt, x64: the first 32-bit NT and 64-bit Windows exporting it; win9x: "95", "95*", "98" or "Me". None: none does.
Row = namedtuple("Row", "dll function nt x64 win9x on9x")


def _parse_nt(cell):
    """Reads the nt cell: "4.0", "4.0 x86", "- x64 5.2" or "-". Returns (32-bit, 64-bit) versions."""
    m = re.fullmatch(r"- x64 (\S+)|-|(\S+)( x86)?", " ".join(cell.split()))
    x64, nt, x86 = m.groups() if m else ("?", "?", None)
    if {x64, nt} - {None, *NT_VERSIONS}:
        raise ValueError(f'nt "{cell}" is none of: a version ({", ".join(NT_VERSIONS)}), "<version> x86", '
                         '"- x64 <version>", "-"')
    first64 = x64 or (None if x86 else nt)
    return nt, first64 and max(first64, FIRST_X64, key=NT_VERSIONS.index)


def parse_table(text, name=TABLE_NAME):
    """Maps (dll in lower case, function) to its Row; a malformed line raises ValueError."""
    rows = {}
    for number, line in enumerate(text.splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        cells = [cell.strip() for cell in line.split("\t")]
        try:
            if len(cells) != 6:
                raise ValueError(f"{len(cells)} tab-separated columns instead of 6")
            dll, function, nt_cell, win9x, on9x, source = cells
            nt, x64 = _parse_nt(nt_cell)
            key = (dll.lower(), function)
            for wrong, why in [
                    (win9x not in WIN9X + ("95*", "-"), f'win9x "{win9x}" is none of 95, 95*, 98, Me, -'),
                    (on9x not in ON9X or (on9x == "-") != (win9x == "-"),
                     f'on9x "{on9x}" must be works or stub where win9x names a version, - where it is -'),
                    (win9x == "95*" and key[0] != "msvcrt.dll", "95* is for msvcrt.dll only"),
                    (not dll or not function or not source, "empty dll, function or source"),
                    (key in rows, f"{dll} {function} is already in the table")]:
                if wrong:
                    raise ValueError(why)
        except ValueError as error:
            raise ValueError(f"{name} line {number}: {error}") from None
        rows[key] = Row(key[0], function, nt, x64, None if win9x == "-" else win9x, on9x)
    return rows


# The dll as the program spells it; name None: imported by ordinal only.
Import = namedtuple("Import", "dll name ordinal", defaults=(None,))


_DLL_LINE = re.compile(r"^\s*DLL Name:\s*(\S+)")
# "\t696a8\t 1032  AdjustTokenPrivileges": thunk, hint, name. By ordinal the name is "<none>" and the
# thunk has its high bit set with the ordinal in its low 16 bits (both widths of objdump agree on that).
_ENTRY_LINE = re.compile(r"^\t([0-9a-fA-F]+)\t\s*[0-9a-fA-F]+\s+(\S+)")


def parse_imports(objdump_text):
    """The imports listed by `objdump -p`, in order."""
    imports = []
    dll = None
    for line in objdump_text.splitlines():
        named = _DLL_LINE.match(line)
        if named or not line.strip():
            dll = named and named.group(1)
        elif dll and (entry := _ENTRY_LINE.match(line)):
            thunk, name = entry.groups()
            imports.append(Import(dll, None, int(thunk, 16) & 0xFFFF) if name == "<none>" else Import(dll, name))
    return imports


FLOOR_NT = {False: "4.0", True: FIRST_X64}


def _too_new(row, program):
    """Why the row keeps the program from loading on its floor, or None."""
    first = row.x64 if program.x64 else row.nt
    reasons = []
    if first is None:
        reasons.append("on no 64-bit Windows" if program.x64 else "on no 32-bit Windows NT")
    elif NT_VERSIONS.index(first) > NT_VERSIONS.index(FLOOR_NT[program.x64]):
        reasons.append(f"first on Windows NT {first}")
    if not program.x64 and row.win9x not in ("95", "95*"):
        reasons.append(f"first on Windows {row.win9x}" if row.win9x else "on no Windows of the 95 family")
    return " and ".join(reasons) or None


def check(program, imports, table):
    """(problems, notes): why the program would not load on its floor, and what to know about the 95 family."""
    problems, notes, stubs, needs_crt = [], [], {}, 0
    for imp in imports:
        if imp.name is None:
            problems.append(f"{imp.dll} ordinal {imp.ordinal}: imported by ordinal only, which loads only "
                            "where that ordinal exists; import it by name")
            continue
        row = table.get((imp.dll.lower(), imp.name))
        if row is None:
            problems.append(f"{imp.dll} {imp.name}: not in {TABLE_NAME}; add its first Windows version there")
            continue
        reason = _too_new(row, program)
        if reason:
            problems.append(f"{imp.dll} {imp.name}: {reason} (floor: {program.floor})")
        if not program.x64:
            needs_crt += row.win9x == "95*"
            if row.on9x == "stub":
                stubs.setdefault(imp.dll, []).append(imp.name)
    if needs_crt:
        notes.append(f"note: {needs_crt} functions from msvcrt.dll, which Windows 95 has only once another "
                     "product installed it (Internet Explorer 3 or 4, Office, a Visual C++ 4.2 program)")
    for dll, names in stubs.items():
        notes.append(f"stubs on Windows 95/98/Me, never to be called there: {dll}: {', '.join(sorted(names))}")
    return problems, notes


def run(program, build):
    """Prints the program's problems, notes and summary; true when it loads on its floor."""
    try:
        with open(TABLE, encoding="utf-8") as table:
            rows = parse_table(table.read())
        imports = parse_imports(objdump.objdump(program, build, "-p"))
    except (OSError, ValueError) as error:
        print(f"imports {program.name}: {error}")
        return False
    if not imports:
        print(f"imports {program.name}: objdump lists no import at all; that is no program Windows would load")
        return False
    problems, notes = check(program, imports, rows)
    verdict = f"{len(problems)} not loadable on" if problems else "all on"
    for line in problems + notes + [f"{len(imports)} functions, {verdict} {program.floor}"]:
        print(f"imports {program.name}: {line}")
    return not problems


if __name__ == "__main__":
    sys.exit(objdump.main(__doc__, run))
