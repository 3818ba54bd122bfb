"""The import check: a misread objdump line or table row would let a program through that Windows refuses."""
import contextlib
import io
import tempfile
import unittest

import check_imports as ci
import objdump

TABLE = ci.parse_table("""# dll function nt win9x on9x source
kernel32.dll\tGetTickCount\t3.1\t95\tworks\tpage
kernel32.dll\tGetTickCount64\t6.0\t-\t-\tpage
kernel32.dll\tInterlockedIncrement\t3.1 x86\t95\tworks\tpage
kernel32.dll\tCreateMutexW\t3.1\t95\tstub\tpage
user32.dll\tGetMonitorInfoA\t5.0\t98\tworks\tpage
user32.dll\tGetWindowLongPtrW\t- x64 5.2\t-\t-\tpage
msvcrt.dll\tmalloc\t4.0\t95*\tworks\tpage
""")
WIN32, WIN64 = objdump.PROGRAMS["win32"], objdump.PROGRAMS["win64"]

# As i686-w64-mingw32-objdump -p prints them; the 64-bit objdump widens the thunk and the hint.
OBJDUMP_32 = """
The Import Tables (interpreted .idata section contents)
 vma:            Hint    Time      Forward  DLL       First
                 Table   Stamp     Chain    Name      Thunk
 00069000\t00069094 00000000 00000000 0006a1f4 000693a0

\tDLL Name: KERNEL32.dll
\tvma:  Hint/Ord Member-Name Bound-To
\t696a8\t  245  CreateMutexW
\t696b8\t 1032  GetTickCount
\t80000011\t   17  <none>

 00000000\t00000000 00000000 00000000 00000000 00000000

\tDLL Name: msvcrt.dll
\tvma:  Hint/Ord Member-Name Bound-To
\t69a00\t  911  malloc

"""
OBJDUMP_64 = """
\tDLL Name: USER32.dll
\tvma:  Hint/Ord Member-Name Bound-To
\t6a2c8\t  457  GetWindowLongPtrW
\t8000000000000011\t    000000011  <none>

"""


def imports(*names, dll="KERNEL32.dll"):
    return [ci.Import(dll, name) for name in names]


class CheckImportsTest(unittest.TestCase):
    def test_named_and_ordinal_imports_of_both_widths(self):
        self.assertEqual(ci.parse_imports(OBJDUMP_32), [
            ci.Import("KERNEL32.dll", "CreateMutexW"), ci.Import("KERNEL32.dll", "GetTickCount"),
            ci.Import("KERNEL32.dll", None, 17), ci.Import("msvcrt.dll", "malloc")])
        self.assertEqual(ci.parse_imports(OBJDUMP_64), [
            ci.Import("USER32.dll", "GetWindowLongPtrW"), ci.Import("USER32.dll", None, 17)])

    def test_rows_that_would_pass_a_function_are_refused(self):
        # 95* counts as present on Windows 95; a second row would silently replace the first.
        cases = [("kernel32.dll\tGetTickCount\t3.1\t95*\tworks\tpage", "line 2: 95* is for msvcrt.dll only"),
                 ("kernel32.dll\tA\t3.1\t95\tworks\tpage\nKERNEL32.DLL\tA\t3.1\t95\tworks\tpage",
                  "line 3: KERNEL32.DLL A is already"),
                 ("kernel32.dll\tA\t4.0 x64\t95\tworks\tpage", 'line 2: nt "4.0 x64" is none of')]
        for text, expected in cases:
            with self.assertRaises(ValueError) as caught:
                ci.parse_table("# header\n" + text, "t.tsv")
            self.assertIn(f"t.tsv {expected}", str(caught.exception))

    def test_problems_against_each_floor(self):
        floor32, floor64 = "(floor: Windows 95 and NT 4.0)", "(floor: Windows XP x64 (NT 5.2))"
        rows = [
            (WIN32, imports("GetTickCount", dll="kernel32.DLL") + imports("malloc", dll="MSVCRT.dll"), []),
            (WIN32, imports("GetTickCount", "GetTickCount64"),
             ["KERNEL32.dll GetTickCount64: first on Windows NT 6.0 and on no Windows of the 95 family " + floor32]),
            (WIN64, imports("GetTickCount64"), ["KERNEL32.dll GetTickCount64: first on Windows NT 6.0 " + floor64]),
            (WIN32, imports("GetMonitorInfoA", dll="USER32.dll"),
             ["USER32.dll GetMonitorInfoA: first on Windows NT 5.0 and first on Windows 98 " + floor32]),
            # Rows of one width only.
            (WIN64, imports("GetWindowLongPtrW", dll="USER32.dll"), []),
            (WIN32, imports("GetWindowLongPtrW", dll="USER32.dll"),
             ["USER32.dll GetWindowLongPtrW: on no 32-bit Windows NT and on no Windows of the 95 family " + floor32]),
            (WIN32, imports("InterlockedIncrement"), []),
            (WIN64, imports("InterlockedIncrement"),
             ["KERNEL32.dll InterlockedIncrement: on no 64-bit Windows " + floor64]),
        ]
        for program, listed, problems in rows:
            self.assertEqual(ci.check(program, listed, TABLE)[0], problems, (program.name, listed))

    def test_missing_from_the_table_by_ordinal_or_not_built(self):
        problems, _ = ci.check(WIN64, imports("GetTickCount", "Sleep") + [ci.Import("USER32.dll", None, 17)], TABLE)
        self.assertEqual(len(problems), 2, problems)
        self.assertIn("KERNEL32.dll Sleep: not in tests/imports/first_versions.tsv", problems[0])
        self.assertIn("USER32.dll ordinal 17: imported by ordinal only", problems[1])
        with tempfile.TemporaryDirectory() as build, contextlib.redirect_stdout(io.StringIO()) as out:
            status = objdump.main(ci.__doc__, ci.run, ["--build", build, "--program", "win64"])
        self.assertEqual(status, 1)
        self.assertRegex(out.getvalue(), r"^imports win64: .*win64/crepuscule.exe not found; build it first")


if __name__ == "__main__":
    unittest.main()
