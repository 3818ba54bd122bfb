"""The relay-trace reader: a misread argument would pass or fail a case wrongly."""
import unittest

import harness
import relay


class RelayLineTest(unittest.TestCase):
    def test_numbers_keep_their_low_32_bits(self):
        c = relay.parse_line("0108:Call KERNEL32.SetSystemPowerState(ffffffffffffffff,00000001ffffffff) ret=140001a63")
        self.assertEqual((c.dll, c.func), ("KERNEL32", "SetSystemPowerState"))
        self.assertEqual([c.u32(0), c.u32(1)], [0xFFFFFFFF, 0xFFFFFFFF])
        self.assertEqual(c.args[1][0], 0x1FFFFFFFF)

    def test_texts_are_decoded(self):
        cases = [
            # W texts: \XXXX is a UTF-16 unit, \r \n \" \\ are themselves.
            (r'0110:Call user32.MessageBoxW(00000000,14000a120 L"D\00e9sol\00e9.\r\nDans \"l\\\"",'
             r'14000a0fe L"Machine \00e0 caf\00e9",00000040) ret=1',
             ["Désolé.\r\nDans \"l\\\"", "Machine à café"], 64),
            # A texts: \xNN is a byte of the ANSI code page (1252).
            (r'0110:Call user32.MessageBoxA(00000000,0021fc20 "Arr\xeat, \x80",140004010 "a,b",00000030) ret=1',
             ["Arrêt, €", "a,b"], 48),
            # Texts the trace cuts short.
            ('0110:Call user32.MessageBoxW(0,1 L"Voici les"...,2 L"Aide",40) ret=1', ["Voici les", "Aide"], 64),
        ]
        for line, texts, flags in cases:
            c = relay.parse_line(line)
            self.assertEqual([c.text(1), c.text(2)], texts)
            self.assertEqual(c.u32(3), flags)

    def test_other_lines_are_not_calls(self):
        for line in ["0110:Ret  user32.ExitWindowsEx() retval=00000001 ret=140001b99",
                     "0110:Call window proc 0000000216A14B50 (hwnd=0000000000010050,msg=WM_SIZE,wp=0,lp=0)",
                     "0114:trace:relay:load_list L\"RelayInclude\" = L\"ExitWindowsEx\"",
                     "it looks like wine32 is missing, you should install it."]:
            self.assertIsNone(relay.parse_line(line), line)


class FieldTest(unittest.TestCase):
    def test_escaped_separators_stay_in_their_field(self):
        d = harness.Description("form|MainForm|A\\|B\\\\|visible=1|enabled=0|state=0|1,2,3,4\n"
                                "menu|MnuFichier|default=&Réduire|&Arrêter;x\\;y;-;Qui&tter")
        self.assertEqual(d.caption("MainForm"), "A|B\\")
        self.assertTrue(d.visible("MainForm"))
        self.assertEqual(d.menu["items"], ["&Arrêter", "x;y", "-", "Qui&tter"])


if __name__ == "__main__":
    unittest.main()
