"""The benchmark's own readers: trace lines, /proc fields, the CPU share and the table.
    python3 -m unittest discover -s tools/bench -p '*_test.py'
"""
import unittest

import bench
import procstat

TRACE = [
    (10.0, "it looks like wine32 is missing, you should install it."),
    (10.1, '100.000:0110:trace:relay:load_list L"RelayInclude" = L"ExitWindowsEx;Shell_NotifyIconA"'),
    (10.5, "100.400:0110:Call shell32.Shell_NotifyIconA(00000000,0021f3f0) ret=140019d9b"),
    (10.6, "100.512:0110:Ret  shell32.Shell_NotifyIconA() retval=00000001 ret=140019d9b"),
    (11.6, "101.500:0110:Call shell32.Shell_NotifyIconA(00000001,0021f2d0) ret=140019d9b"),
    (11.7, "101.510:0110:Ret  shell32.Shell_NotifyIconA() retval=00000001 ret=140019d9b"),
    (20.63, "110.530:0110:Call user32.ExitWindowsEx(ffffffff0000000c,00000000) ret=140022e9b"),
    (20.7, "110.600:0110:Ret  user32.ExitWindowsEx() retval=00000001 ret=140022e9b"),
    (21.0, "111.000:0110:Call user32.ExitWindowsEx(00000001,00000000) ret=140022e9b"),
]


class ParseEvents(unittest.TestCase):
    def test_first_tray_return_and_first_power_call(self):
        ev = bench.parse_events(TRACE)
        self.assertEqual(ev["icon"], (10.6, 100.512))
        host, wine, call = ev["exit"]
        self.assertEqual((host, wine), (20.63, 110.530))
        self.assertEqual(call.u32(0), 12)  # the upper half of the slot is not the argument's

    def test_missing_events_stay_missing(self):
        self.assertEqual(bench.parse_events(TRACE[:3]), {})
        self.assertEqual(bench.parse_events([(1.0, "100.000:0110:Call user32.ExitWindowsEx(garbage")]), {})


class ProcFields(unittest.TestCase):
    def test_stat_counts_fields_after_the_last_parenthesis(self):
        fields = ["S"] + ["0"] * 10 + ["150", "25"] + ["0"] * 30
        line = "4242 (C:\\a (b) c.exe) " + " ".join(fields)
        self.assertEqual(procstat.parse_stat_cpu(line), 175)

    def test_status_rss(self):
        text = "Name:\tcrepuscule.exe\nVmPeak:\t  99999 kB\nVmRSS:\t   24648 kB\nThreads:\t3\n"
        self.assertEqual(procstat.parse_status_kib(text), 24648)
        self.assertIsNone(procstat.parse_status_kib("Name:\tx\n"))


class CpuShare(unittest.TestCase):
    def test_only_what_exceeds_the_floor_prefix_counts(self):
        floor = {"cpu_program": 0.0, "cpu_wineserver": 0.2, "cpu_others": 0.05}
        run = {"cpu_program": 0.1, "cpu_wineserver": 0.5, "cpu_others": 0.01}
        self.assertAlmostEqual(bench.attributed_cpu(run, floor), 0.1 + 0.3)


class Paired(unittest.TestCase):
    def test_rounds_are_compared_with_their_own_floor(self):
        # The load rose in the second round: both programs slowed down together.
        ratio, extra = bench.paired([200.0, 600.0, 900.0], [150.0, 550.0, 0.0])
        self.assertEqual(extra, 50.0)  # a round without a floor time is left out
        self.assertAlmostEqual(ratio, (200 / 150 + 600 / 550) / 2)


class Table(unittest.TestCase):
    def test_verdicts_follow_the_targets(self):
        acc = lambda late: [{"late_ms": late, "from_launch_ms": 300.0}]  # noqa: E731
        results = {"environment": "test", "notes": [],
                   "startup": {"crepuscule": [250.0, 260.0, 240.0], "floor": [100.0, 120.0, 110.0]},
                   "accuracy": {"10": acc(20.0), "600": acc(140.0)},
                   "size": {"crepuscule": 1024 * 1024, "floor": 16384}}
        lines = bench.table(results, "quick").splitlines()
        row = lambda start: next(x for x in lines if x.startswith(start))  # noqa: E731
        self.assertIn("250 ms (240..260)", row("start-up"))
        self.assertTrue(row("start-up").endswith("MISS"))  # 140 ms over the floor
        self.assertTrue(row("power call late after 10 s").endswith("PASS"))
        self.assertTrue(row("power call late after 10 min").endswith("MISS"))
        self.assertTrue(row("growth").endswith("MISS"))
        self.assertTrue(row("size").endswith("MISS"))  # exactly 1 MiB is not under it


if __name__ == "__main__":
    unittest.main()
