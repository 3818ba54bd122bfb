"""The instruction check's reading of objdump: a misread line or section would let an instruction through."""
import unittest

import check_instructions as ci

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


class CheckInstructionsTest(unittest.TestCase):
    def test_each_floor_refuses_what_its_processor_lacks(self):
        hits, bad, count = ci.scan(DISASSEMBLY, "win32")
        self.assertEqual([text.split()[0] for _, text in hits],
                         ["cmovne", "fucomip", "nopl", "cmpxchg8b", "movd", "movaps", "nopl", "vmovaps", "popcnt"])
        self.assertEqual((bad, count), ([0x40101e], 17))
        self.assertEqual(hits[0][0], 0x401001)
        # The first x86-64 processors have SSE2 and long nops but no lahf/sahf, AVX or popcnt.
        hits, _, _ = ci.scan(DISASSEMBLY, "win64")
        self.assertEqual([text.split()[0] for _, text in hits], ["sahf", "vmovaps", "popcnt"])

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
