"""The instruction check's own reading of objdump's output and of a link map."""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_instructions as ci  # noqa: E402

DISASSEMBLY = """
crepuscule.exe:     file format pei-i386

Disassembly of section .text:

00401000 <.text>:
  401000:\tpush   %ebp
  401001:\tcmovne %edx,%eax
  401004:\tfucomip %st(1),%st
  401006:\tfucom  %st(1)
  401008:\tfnstsw %ax
  40100a:\tsahf
  40100b:\tnopl   0x0(%eax)
  40100f:\tnop
  401010:\tlock cmpxchg8b (%esi)
  401014:\tmovd   %mm0,%eax
  401017:\tmovaps %xmm0,%xmm1
  40101a:\ttzcnt  %eax,%edx
  40101e:\t(bad)
  40101f:\tnop    %eax
  401022:\tud2
  401024:\tvmovaps %ymm0,%ymm1
  401028:\tpopcnt %eax,%eax
"""


class ScanTest(unittest.TestCase):
    def test_each_floor_refuses_what_its_processor_lacks(self):
        hits, bad, count = ci.scan(DISASSEMBLY, "win32")
        self.assertEqual([text.split()[0] for _, text in hits],
                         ["cmovne", "fucomip", "nopl", "cmpxchg8b", "movd", "movaps", "nopl", "vmovaps", "popcnt"])
        self.assertEqual((bad, count), ([0x40101e], 17))
        self.assertEqual(hits[0][0], 0x401001)
        # The first x86-64 processors have SSE2 and long nops but no lahf/sahf, AVX or popcnt.
        hits, _, _ = ci.scan(DISASSEMBLY, "win64")
        self.assertEqual([text.split()[0] for _, text in hits], ["sahf", "vmovaps", "popcnt"])


MAP = """
 .text          0x00401000      0x140 /usr/lib/gcc/i686-w64-mingw32/12-win32/libgcc.a(_divdi3.o)
                0x00401000                __divdi3
 .text$_ZN8MainForm10AddToolTipERN2ui7ControlE
                0x00401200       0x80 libcrepcore.a(MainFormStartup.cpp.obj)
                0x00401200                MainForm::AddToolTip(ui::Control&)
 .text          0x00401280        0x0 libcrepcore.a(Empty.cpp.obj)
                0x00401300                        ___CTOR_LIST__ = .
                0x00401300        0x4 LONG 0xffffffffffffffff
                0x00402000                __size_of_stack_reserve__ = 0x200000
"""


class MapTest(unittest.TestCase):
    def test_a_hit_is_named_by_symbol_and_object(self):
        symbols, objects = ci.parse_map(MAP)
        self.assertEqual(ci.place(0x401010, symbols, objects), "__divdi3+0x10 (libgcc.a(_divdi3.o))")
        self.assertEqual(ci.place(0x401234, symbols, objects),
                         "MainForm::AddToolTip(ui::Control&)+0x34 (libcrepcore.a(MainFormStartup.cpp.obj))")
        self.assertEqual(ci.place(0x400000, symbols, objects), "?")
        self.assertEqual(ci.place(0x401302, symbols, []), "___CTOR_LIST__+0x2")

    def test_only_code_sections_are_read(self):
        headers = """Idx Name          Size      VMA       LMA       File off  Algn
  0 .text         00021490  00401000  00401000  00000400  2**2
                  CONTENTS, ALLOC, LOAD, READONLY, CODE, DATA
  1 .data         00000090  00423000  00423000  00021a00  2**2
                  CONTENTS, ALLOC, LOAD, DATA
  2 .init         00000010  00424000  00424000  00021c00  2**2
                  CONTENTS, ALLOC, LOAD, READONLY, CODE
"""
        self.assertEqual(ci.executable_sections(headers), [".text", ".init"])


if __name__ == "__main__":
    unittest.main()
