"""What /proc says about the processes of one Wine prefix: which they are, their
CPU time and their resident size."""
import os
import time

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def _read(path, mode="r"):
    try:
        with open(path, mode) as f:
            return f.read()
    except OSError:
        return None


def parse_stat_cpu(text):
    """utime + stime in clock ticks from a /proc/PID/stat line. The command name
    in parentheses may hold spaces and parentheses: fields count from the last ')'."""
    fields = text[text.rindex(")") + 2:].split()
    # After the name: state is field 3 of the line, utime 14 and stime 15.
    return int(fields[11]) + int(fields[12])


def parse_status_kib(text, key="VmRSS"):
    for line in text.splitlines():
        if line.startswith(key + ":"):
            return int(line.split()[1])
    return None


def cpu_seconds(pid):
    text = _read("/proc/%d/stat" % pid)
    return None if text is None else parse_stat_cpu(text) / CLOCK_TICKS


def rss_kib(pid):
    text = _read("/proc/%d/status" % pid)
    return None if text is None else parse_status_kib(text)


def program_name(pid):
    """The base name of the first word of the command line (Wine shows the
    Windows path there, e.g. C:\\windows\\system32\\explorer.exe)."""
    raw = _read("/proc/%d/cmdline" % pid, "rb")
    if not raw:
        return ""
    first = raw.split(b"\0")[0].decode("utf-8", errors="replace")
    return first.replace("\\", "/").rsplit("/", 1)[-1]


def prefix_processes(prefix):
    """{pid: program name} of the processes whose environment names this prefix."""
    want = ("WINEPREFIX=" + os.path.abspath(prefix)).encode()
    found = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        env = _read("/proc/%s/environ" % entry, "rb")
        if env and want in env.split(b"\0"):
            found[int(entry)] = program_name(int(entry))
    return found


def find_program(prefix, exe_name, timeout=30):
    """The pid of the prefix's process whose command line ends in exe_name."""
    deadline = time.monotonic() + timeout
    while True:
        for pid, name in prefix_processes(prefix).items():
            if name.lower() == exe_name.lower():
                return pid
        if time.monotonic() > deadline:
            return None
        time.sleep(0.1)


def is_wineserver(name):
    return name.startswith("wineserver")


class CpuSnapshot:
    """CPU seconds of each process of a prefix at one moment."""

    def __init__(self, prefix):
        self.when = time.monotonic()
        self.names = prefix_processes(prefix)
        self.cpu = {pid: cpu_seconds(pid) for pid in self.names}

    def since(self, earlier, program_pid):
        """CPU seconds used since earlier: (program, wineserver, other prefix processes).
        Only processes alive at both moments count."""
        program = server = others = 0.0
        for pid, now in self.cpu.items():
            before = earlier.cpu.get(pid)
            if now is None or before is None or earlier.names.get(pid) != self.names[pid]:
                continue
            used = now - before
            if pid == program_pid:
                program += used
            elif is_wineserver(self.names[pid]):
                server += used
            else:
                others += used
        return program, server, others
