#!/usr/bin/env python3
"""Crepuscule's benchmark under Wine: start-up, memory, CPU, countdown accuracy
and size, beside traywin.exe (the floor: one plain window, with the common
controls, shell32 and advapi32 loaded and a tray icon added before it shows,
as any program like ours must). minimalwin.exe (one window) warms each prefix.

    python3 bench.py --build DIR --display :N [--quick] [--json FILE]

Run it through scripts/bench.sh, which builds, installs what is missing and
gives it a private Xvfb display. Every run gets a throwaway copy of the template
prefix (winxp, window management off). The machine is shared: figures are
medians over several runs, the start-up runs interleave both programs, and
ratios to the floor matter more than absolute values.
"""
import argparse
import json
import os
import re
import statistics
import subprocess
import sys
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

import harness  # noqa: E402  (the shared Wine helpers, through scripts/wine-env.sh)
import relay  # noqa: E402
import procstat  # noqa: E402
import xwatch  # noqa: E402

MAIN_TITLE, MAIN_CLASS = "Crepuscule", "CrepusculeForm"
FLOOR_TITLE, FLOOR_CLASS = "TrayWin", "TrayWin"
KIB = 1024

# rpcss.exe is started only on demand: not waited for.
SERVICES = {"services.exe", "explorer.exe", "plugplay.exe"}

# "2871.742:0110:Call user32.ExitWindowsEx(...)" with WINEDEBUG=+timestamp,+relay.
_STAMPED = re.compile(r"^(?P<t>\d+\.\d{3}):(?P<rest>[0-9a-f]+:.*)$")
_RET = re.compile(r"^[0-9a-f]+:Ret  [\w.-]+\.(?P<func>\w+)\(\)")


def log(text):
    print(text, file=sys.stderr, flush=True)


def median(values):
    return statistics.median(values) if values else None


class Bench:
    def __init__(self, build, display, keep=False):
        self.build = os.path.abspath(build)
        self.display = display
        self.keep = keep
        win = os.path.join(self.build, "win64")
        self.exe = os.path.join(win, "crepuscule.exe")
        self.floor = os.path.join(win, "traywin.exe")
        self.warmer = os.path.join(win, "minimalwin.exe")
        self.wintool = os.path.join(win, "wintool.exe")
        self.template = os.path.join(self.build, "wine", "template")
        self.prefixes = os.path.join(self.build, "wine", "bench")
        self.logs = os.path.join(self.build, "bench-logs")
        self.count = 0
        self.keepers = {}
        for path in (self.exe, self.floor, self.warmer, self.wintool):
            if not os.path.isfile(path):
                raise SystemExit("%s is missing: build win64 first" % path)
        os.makedirs(self.logs, exist_ok=True)
        os.environ["DISPLAY"] = display  # the prefix's services open their windows there
        harness.shell("crep_template", self.template)

    # ---- prefixes ----

    def new_prefix(self, name, relay_functions=None):
        """A fresh copy of the template, its services already started."""
        self.count += 1
        prefix = os.path.join(self.prefixes, "%02d-%s" % (self.count, name))
        harness.shell("crep_prefix_copy", self.template, prefix)
        harness.shell("crep_prefix_version", prefix, "winxp")
        if relay_functions:
            harness.shell("crep_prefix_relay", prefix, ";".join(relay_functions), "crepuscule.exe")
        # Wine ends the prefix's services as soon as no program of its own runs:
        # a console waiting on its input keeps them up until the prefix ends.
        keeper = subprocess.Popen([harness.WINE, "cmd.exe"], env=self.env(prefix), stdin=subprocess.PIPE,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.keepers[prefix] = keeper
        deadline = time.monotonic() + 60
        while not SERVICES <= set(procstat.prefix_processes(prefix).values()):
            if time.monotonic() > deadline or keeper.poll() is not None:
                raise RuntimeError("the services of %s did not start" % prefix)
            time.sleep(0.1)
        time.sleep(0.5)
        return prefix

    def end_prefix(self, prefix, *procs):
        harness.shell("crep_prefix_end", prefix, check_rc=False)
        keeper = self.keepers.pop(prefix, None)
        for p in procs + ((keeper,) if keeper else ()):
            if p.poll() is None:
                p.kill()
            p.wait()
            if p.stdin:
                p.stdin.close()
        if not self.keep:
            subprocess.run(["rm", "-rf", prefix])

    def env(self, prefix, debug="-all"):
        env = dict(os.environ)
        env.update({"WINEPREFIX": prefix, "DISPLAY": self.display, "WINEDEBUG": debug,
                    "LANG": "fr_FR.UTF-8", "LC_ALL": "fr_FR.UTF-8", "WINEDLLOVERRIDES": "mscoree,mshtml="})
        if harness.WINE != "wine":  # the loader the tests picked: its services need it too
            env["WINELOADER"] = harness.WINE
        return env

    def launch(self, prefix, exe, args=(), stderr=subprocess.DEVNULL, debug="-all"):
        return subprocess.Popen([harness.WINE, exe] + list(args), env=self.env(prefix, debug), stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=stderr)

    def window_class(self, prefix, title):
        """The class of the visible top-level window with this caption, read from inside Wine."""
        r = subprocess.run([harness.WINE, self.wintool, "list"], env=self.env(prefix), stdin=subprocess.DEVNULL,
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=60)
        for line in r.stdout.decode("utf-8", errors="replace").splitlines():
            w = json.loads(line, strict=False)  # one window a line, as the end-to-end harness reads it
            if w["caption"] == title and w["visible"]:
                return w["class"]
        return None

    # ---- start-up ----

    def startup_once(self, exe, title, cls):
        prefix = self.new_prefix("startup")
        # One window shown and closed first: both programs then start as the
        # second window program of the prefix (fonts and display already open).
        warm = self.launch(prefix, self.warmer, ["-quit"])
        try:
            warm.wait(60)
        except subprocess.TimeoutExpired:
            warm.kill()
        with xwatch.MapWatcher(self.display) as watcher:
            started = time.monotonic()
            proc = self.launch(prefix, exe)
            shown = watcher.wait_name(title, 60)
        try:
            if shown is None:
                raise RuntimeError("%s: no window %r within 60 s" % (os.path.basename(exe), title))
            # CPU time is what load on the shared machine distorts least.
            name = os.path.basename(exe)
            pid = proc.pid if procstat.program_name(proc.pid) == name else procstat.find_program(prefix, name, 5)
            cpu = procstat.cpu_seconds(pid) if pid else None
            if cpu is None:
                raise RuntimeError("%s: its process was not found" % name)
            found = self.window_class(prefix, title)
            if found != cls:
                raise RuntimeError("%s: the visible window %r has class %r, not %r" % (name, title, found, cls))
            return (shown - started) * 1000, cpu * 1000
        finally:
            self.end_prefix(prefix, proc)

    def startup(self, runs):
        """Rounds of one start of each program, back to back (the order alternates),
        so that each pair sees about the same load."""
        result = {"crepuscule": [], "floor": [], "crepuscule_cpu": [], "floor_cpu": []}
        for r in range(runs):
            order = [("crepuscule", self.exe, MAIN_TITLE, MAIN_CLASS), ("floor", self.floor, FLOOR_TITLE, FLOOR_CLASS)]
            if r % 2:
                order.reverse()
            for key, exe, title, cls in order:
                ms, cpu_ms = self.startup_once(exe, title, cls)
                result[key].append(ms)
                result[key + "_cpu"].append(cpu_ms)
                log("start-up %-10s run %d: %.0f ms, %.0f ms of CPU" % (key, r + 1, ms, cpu_ms))
        return result

    # ---- memory and CPU ----

    def resources(self, seconds):
        """Three prefixes side by side for the same minute: Crepuscule idle,
        Crepuscule counting down, the floor idle. Each prefix has its own
        wineserver, so the server's CPU time is attributed to its program."""
        setups = [("idle", self.exe, [], MAIN_TITLE), ("countdown", self.exe, ["-a", "-t:0,2,0"], None),
                  ("floor", self.floor, [], FLOOR_TITLE)]
        runs = []
        try:
            for key, exe, args, title in setups:
                prefix = self.new_prefix("res-" + key)
                watcher = xwatch.MapWatcher(self.display) if title else None
                proc = self.launch(prefix, exe, args)
                runs.append({"key": key, "prefix": prefix, "proc": proc, "watcher": watcher, "title": title,
                             "exe": os.path.basename(exe)})
            for run in runs:
                if run["watcher"]:
                    shown = run["watcher"].wait_name(run["title"], 60)
                    run["watcher"].close()
                    if shown is None:
                        raise RuntimeError("%s: no window within 60 s" % run["key"])
                run["pid"] = procstat.find_program(run["prefix"], run["exe"])
                if run["pid"] is None:
                    raise RuntimeError("%s: no process %s in the prefix" % (run["key"], run["exe"]))
            # Past the countdown window's first five seconds and the start-up work.
            time.sleep(7)
            for run in runs:
                run["before"] = procstat.CpuSnapshot(run["prefix"])
                run["rss"] = []
            log("memory and CPU: measuring for %d s" % seconds)
            end = time.monotonic() + seconds
            while time.monotonic() < end:
                for run in runs:
                    kib = procstat.rss_kib(run["pid"])
                    if kib:
                        run["rss"].append(kib)
                time.sleep(min(1.0, max(0.0, end - time.monotonic())))
            result = {}
            for run in runs:
                after = procstat.CpuSnapshot(run["prefix"])
                program, server, others = after.since(run["before"], run["pid"])
                alive = run["proc"].poll() is None
                if not alive:
                    raise RuntimeError("%s: the program ended during the measurement" % run["key"])
                result[run["key"]] = {"seconds": after.when - run["before"].when, "cpu_program": program,
                                      "cpu_wineserver": server, "cpu_others": others,
                                      "rss_kib_median": median(run["rss"]), "rss_kib_max": max(run["rss"])}
                log("%-9s cpu program %.2f s, wineserver %.2f s, others %.2f s; rss %d KiB"
                    % (run["key"], program, server, others, median(run["rss"])))
            return result
        finally:
            for run in runs:
                if run["watcher"]:
                    run["watcher"].close()
                self.end_prefix(run["prefix"], run["proc"])

    # ---- countdown accuracy ----

    def accuracy(self, seconds, runs, stagger):
        """Countdowns of this length, each in its own traced prefix. Long ones
        overlap: they start `stagger` seconds apart, all before the first one
        fires, so that each fires alone, far from any start-up."""
        h, rest = divmod(seconds, 3600)
        m, s = divmod(rest, 60)
        args = ["-a", "-t:%d,%d,%d" % (h, m, s)]
        pending, done = [], []
        try:
            for _ in range(runs):
                run = TracedRun(self, "acc%d" % seconds, args)
                if pending:
                    start_at = max(time.monotonic(), pending[-1].launched + stagger)
                    if start_at + 15 > pending[0].launched + seconds:
                        while pending:
                            done.append(pending.pop(0).finish(seconds))
                    else:
                        time.sleep(max(0.0, start_at - time.monotonic()))
                run.start()
                pending.append(run)
            while pending:
                done.append(pending.pop(0).finish(seconds))
        finally:
            for run in pending:
                run.close()
        for d in done:
            log("countdown %4d s: late %.0f ms (program clock %.0f ms), from launch %.0f ms"
                % (seconds, d["late_ms"], d["late_program_clock_ms"], d["from_launch_ms"]))
        return done


class TracedRun:
    """crepuscule.exe with a relay trace of its tray and power calls, read as it comes:
    each line gets the host's time when it arrives, beside Wine's own time stamp."""

    FUNCTIONS = ("ExitWindowsEx", "Shell_NotifyIconA")

    def __init__(self, bench, name, args):
        self.bench = bench
        self.args = args
        self.prefix = bench.new_prefix(name, self.FUNCTIONS)
        self.lines = []
        self.lock = threading.Lock()
        self.log = open(os.path.join(bench.logs, os.path.basename(self.prefix) + ".log"), "w", encoding="utf-8")
        self.proc = self.reader = self.launched = None
        self.closed = False

    def start(self):
        self.launched = time.monotonic()
        self.proc = self.bench.launch(self.prefix, self.bench.exe, self.args, stderr=subprocess.PIPE,
                                      debug="+timestamp,+relay")
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        for raw in self.proc.stderr:
            now = time.monotonic()
            line = raw.decode("utf-8", errors="replace").rstrip("\n")
            with self.lock:
                self.lines.append((now, line))

    def events(self):
        with self.lock:
            lines = list(self.lines)
        return parse_events(lines)

    def finish(self, seconds):
        """Waits for the power call; the figures of this run."""
        deadline = self.launched + seconds + 120
        while True:
            ev = self.events()
            if "exit" in ev or time.monotonic() > deadline or self.proc.poll() is not None:
                break
            time.sleep(0.05)
        self.close()
        ev = self.events()
        if "exit" not in ev or "icon" not in ev:
            raise RuntimeError("countdown of %d s: %s never seen (see %s)"
                               % (seconds, "the tray icon" if "icon" not in ev else "ExitWindowsEx", self.log.name))
        exit_host, exit_wine, call = ev["exit"]
        icon_host, icon_wine = ev["icon"]
        return {"seconds": seconds, "late_ms": (exit_host - icon_host - seconds) * 1000,
                "late_program_clock_ms": (exit_wine - icon_wine - seconds) * 1000,
                "from_launch_ms": (exit_host - self.launched - seconds) * 1000,
                "icon_after_launch_ms": (icon_host - self.launched) * 1000,
                "exit_flags": call.u32(0)}

    def close(self):
        if self.closed:
            return
        self.closed = True
        self.bench.end_prefix(self.prefix, *([self.proc] if self.proc else []))
        if self.reader:
            self.reader.join(10)
        with self.lock:
            for t, line in self.lines:
                self.log.write("%.3f %s\n" % (t - self.launched, line))
        self.log.close()


def parse_events(lines):
    """From (host time, trace line) pairs: "icon" = (host, wine) times of the return
    of the first tray call (the countdown is on screen), "exit" = (host, wine, call)
    of the first ExitWindowsEx."""
    events = {}
    for host, line in lines:
        m = _STAMPED.match(line)
        if not m:
            continue
        wine, rest = float(m.group("t")), m.group("rest")
        ret = _RET.match(rest)
        if ret and ret.group("func") == "Shell_NotifyIconA" and "icon" not in events:
            events["icon"] = (host, wine)
            continue
        try:
            call = relay.parse_line(rest)
        except ValueError:
            continue
        if call and call.func == "ExitWindowsEx" and "exit" not in events:
            events["exit"] = (host, wine, call)
    return events


# ---- the table ----


def paired(mine, floor):
    """Medians of the ratios and of the differences of runs made side by side."""
    pairs = [(m, f) for m, f in zip(mine, floor) if f > 0]
    return median([m / f for m, f in pairs]), median([m - f for m, f in pairs])


def attributed_cpu(run, floor):
    """The program's own CPU time plus what its prefix's server and other processes
    (the tray's explorer) used beyond the floor's prefix over the same minute."""
    return (run["cpu_program"] + max(0.0, run["cpu_wineserver"] - floor["cpu_wineserver"])
            + max(0.0, run["cpu_others"] - floor["cpu_others"]))


def cpu_cells(run):
    return "%.2f + %.2f + %.2f s" % (run["cpu_program"], run["cpu_wineserver"], run["cpu_others"])


def verdict(ok):
    return "PASS" if ok else "MISS"


def fmt_ms(values):
    if not values:
        return "-"
    return "%.0f ms (%.0f..%.0f)" % (median(values), min(values), max(values))


def table(results, mode):
    rows = []
    add = lambda *cells: rows.append(cells)  # noqa: E731
    st = results.get("startup")
    if st:
        # Within a third again of what a program with a window and a tray icon needs.
        ratio, extra = paired(st["crepuscule"], st["floor"])
        add("start-up to main window on screen", fmt_ms(st["crepuscule"]), fmt_ms(st["floor"]),
            "x%.2f (%+.0f ms)" % (ratio, extra), "<= x1.30 floor", verdict(ratio <= 1.3))
        if st.get("crepuscule_cpu"):
            ratio, extra = paired(st["crepuscule_cpu"], st["floor_cpu"])
            add("  its CPU time until then", fmt_ms(st["crepuscule_cpu"]), fmt_ms(st["floor_cpu"]),
                "x%.2f (%+.0f ms)" % (ratio, extra), "<= x1.30 floor", verdict(ratio <= 1.3))
    res = results.get("resources")
    if res:
        fl = res["floor"]["rss_kib_median"]
        for key, label in (("idle", "memory (VmRSS) idle"), ("countdown", "memory (VmRSS) counting down")):
            v = res[key]["rss_kib_median"]
            add(label, "%.1f MiB" % (v / 1024), "%.1f MiB" % (fl / 1024), "x%.2f (+%.1f MiB)" % (v / fl, (v - fl) / 1024),
                "<= x1.20 floor", verdict(v <= 1.2 * fl))
        floor = res["floor"]
        for key, label in (("idle", "CPU over %d s idle"), ("countdown", "CPU over %d s counting down")):
            r = res[key]
            mine = attributed_cpu(r, floor)
            add(label % round(r["seconds"]), cpu_cells(r), cpu_cells(floor),
                "+%.2f s = %.2f s a minute" % (mine, 60 * mine / r["seconds"]), "< 1 s a minute",
                verdict(mine < r["seconds"] / 60))
    acc = results.get("accuracy")
    if acc:
        lengths = sorted(acc, key=int)
        for length in lengths:
            late = [d["late_ms"] for d in acc[length]]
            launch = [d["from_launch_ms"] for d in acc[length]]
            add("power call late after %s" % span(int(length)), fmt_ms(late), "-",
                "from launch %.0f ms" % median(launch), "< 100 ms", verdict(abs(median(late)) < 100))
        if len(lengths) > 1:
            first = median([d["late_ms"] for d in acc[lengths[0]]])
            last = median([d["late_ms"] for d in acc[lengths[-1]]])
            add("growth of lateness %s -> %s" % (span(int(lengths[0])), span(int(lengths[-1]))), "%+.0f ms" % (last - first),
                "-", "-", "<= 50 ms", verdict(last - first <= 50))
    size = results.get("size")
    if size:
        add("size of crepuscule.exe", "%d B (%.1f KiB)" % (size["crepuscule"], size["crepuscule"] / 1024),
            "%d B (%.1f KiB)" % (size["floor"], size["floor"] / 1024), "x%.1f" % (size["crepuscule"] / size["floor"]),
            "< 640 KiB", verdict(size["crepuscule"] < 640 * KIB))
    head = ("measure", "crepuscule.exe", "traywin.exe (floor)", "ratio / difference", "target", "result")
    widths = [max(len(str(r[i])) for r in rows + [head]) for i in range(len(head))]
    out = ["Crepuscule benchmark (%s) - %s" % (mode, results["environment"])]
    sep = "  "
    out.append(sep.join(h.ljust(w) for h, w in zip(head, widths)).rstrip())
    out.append(sep.join("-" * w for w in widths))
    for r in rows:
        out.append(sep.join(str(c).ljust(w) for c, w in zip(r, widths)).rstrip())
    out.extend(results["notes"])
    return "\n".join(out)


def span(seconds):
    if seconds < 60:
        return "%d s" % seconds
    if seconds < 3600:
        return "%d min" % (seconds // 60)
    return "%d h" % (seconds // 3600)


def wine_version():
    r = subprocess.run([harness.WINE, "--version"], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    return r.stdout.strip()


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--build", required=True, help="build tree holding win64/crepuscule.exe")
    ap.add_argument("--display", default=os.environ.get("DISPLAY"), help="X display (a private Xvfb)")
    ap.add_argument("--quick", action="store_true", help="10 s and 60 s countdowns only, fewer runs")
    ap.add_argument("--only", default="startup,resources,accuracy,size",
                    help="comma-separated parts to run (startup, resources, accuracy, size)")
    ap.add_argument("--json", help="also write every figure to this file")
    ap.add_argument("--keep", action="store_true", help="keep the prefixes")
    a = ap.parse_args()
    if not a.display:
        raise SystemExit("no X display: run scripts/bench.sh, or give --display")
    if not xwatch.available():
        raise SystemExit("libX11 is missing (it comes with xdotool and x11-utils)")
    parts = set(a.only.split(","))
    mode = "quick" if a.quick else "full"
    # A start-up ratio from fewer rounds moves by a tenth from run to run.
    startup_runs = 9 if a.quick else 15
    accuracy_runs = 3 if a.quick else 5
    lengths = [10, 60] if a.quick else [10, 60, 600]

    bench = Bench(a.build, a.display, a.keep)
    results = {"mode": mode,
               "environment": "%s, winxp, window management off, private Xvfb, %d cores shared, load %.1f at start"
               % (wine_version(), os.cpu_count(), os.getloadavg()[0])}
    began = time.monotonic()
    if "size" in parts:
        results["size"] = {"crepuscule": os.path.getsize(bench.exe), "floor": os.path.getsize(bench.floor)}
    if "startup" in parts:
        results["startup"] = bench.startup(startup_runs)
    if "resources" in parts:
        results["resources"] = bench.resources(60)
    if "accuracy" in parts:
        results["accuracy"] = {str(n): bench.accuracy(n, accuracy_runs, stagger=10) for n in lengths}
    notes = ["Medians (min..max in brackets); the 2 cores are shared with other work (load %.1f at the end):"
             % os.getloadavg()[0], "  figures are noisy, compare ratios and differences rather than absolute times."]
    if "startup" in results:
        notes += ["Start-up: %d rounds of one run each, order alternating; ratio and difference are medians of"
                  % startup_runs, "  the rounds' own. From the launch of wine to the X map of the visible window"
                  " named Crepuscule", "  (class CrepusculeForm, checked) or TrayWin; fresh prefix per run,"
                  " its services and one", "  window program (minimalwin) started before. CPU: the process's own,"
                  " read at that moment (10 ms steps)."]
    if "resources" in results:
        notes += ["Memory: VmRSS of the Windows process (Wine's own libraries included), median of 1 s samples.",
                  "CPU: utime+stime of program + its prefix's wineserver + the prefix's other processes (the",
                  "  tray's explorer...); one minute each, the three side by side, each prefix its own server;",
                  "  counting down = -a -t:0,2,0, ended before it fires. Target: CPU above the floor's prefix."]
    if "accuracy" in results:
        notes += ["Late: ExitWindowsEx minus the delay minus the moment the tray icon was in place (first",
                  "  Shell_NotifyIconA returned), %d runs per length, read live from a +timestamp,+relay trace"
                  % accuracy_runs, "  on the host's clock; 'from launch' adds the start-up. Countdowns of a minute"
                  " or more run", "  side by side in separate prefixes, started 10 s apart, so that each fires"
                  " alone; verdict on the median."]
    notes.append("Targets other than lateness and size are the benchmark's own. Total time %.0f s."
                 % (time.monotonic() - began))
    results["notes"] = notes
    text = table(results, mode)
    print(text)
    if a.json:
        with open(a.json, "w") as f:
            json.dump(results, f, indent=1, default=str)


if __name__ == "__main__":
    main()
