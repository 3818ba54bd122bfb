#!/usr/bin/env python3
"""Reads the built programs the way the oldest processor each runs on would.

Wine runs a program on the build machine's own processor, which has every instruction; the
processors of the oldest systems do not, and die at the first one they lack. This check
disassembles every executable section of each program with MinGW's objdump and fails on any
instruction beyond its floor:

  win32 (i686)    the 80486 with its FPU: no cmov, fcmov, fcomi/fucomi, long nops, MMX, SSE,
                  rdtsc, cmpxchg8b, cpuid, sysenter... (Windows 95 to XP ran on such machines);
  win64 (x86_64)  the first AMD64 and EM64T processors (XP x64, Server 2003): SSE2 at most,
                  and no lahf/sahf, cmpxchg16b, popcnt...

Each hit is given by address; the link map beside the program (the programs are stripped) names
its function and object. tzcnt is allowed: it is "rep bsf", which older processors run as bsf, and
compilers emit it only where both give the same answer. Bytes objdump cannot decode ("(bad)") are data kept in a code section;
they are counted and shown, not failed. The exit status is 1 when any program fails.
"""
import os
import re
import sys
from collections import Counter

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import objdump  # noqa: E402

# Beyond either floor.
_COMMON = [
    r"rdtscp?", r"rdpmc", r"cmpxchg16b", r"sysexit", r"sysret[lq]?", r"popcnt\w*", r"lzcnt\w*",
    r"movbe\w*", r"crc32\w*", r"andn", r"bextr", r"blsi", r"blsmsk", r"blsr", r"bzhi", r"mulx", r"pdep", r"pext",
    r"rorx", r"sarx", r"shlx", r"shrx", r"adcx", r"adox", r"rdrand", r"rdseed", r"xgetbv", r"xsave\w*",
    r"xrstor\w*", r"monitor", r"mwait", r"fisttp\w*", r"endbr(32|64)", r"prefetchw\w*", r"aes\w+", r"pclmul\w+",
    # SSE3, SSSE3, SSE4
    r"addsubp[sd]", r"h(add|sub)p[sd]", r"movddup", r"movs[hl]dup", r"lddqu", r"pshufb", r"palignr",
    r"ph(add|sub)\w+", r"pabs[bwd]", r"pmaddubsw", r"pmulhrsw", r"psign[bwd]", r"p?blend\w*", r"ptest",
    r"pm(in|ax)(s[bd]|u[wd])", r"pmov[sz]x\w+", r"pmuldq", r"pmulld", r"pinsr[bdq]", r"pextr[bdq]",
    r"round[sp][sd]", r"dpp[sd]", r"insertps", r"extractps", r"movntdqa", r"mpsadbw", r"packusdw", r"pcmpeqq",
    r"phminposuw", r"pcmpgtq", r"pcmp[ei]str[im]",
]
FORBIDDEN = {
    "win32": re.compile(r"^(%s)$" % "|".join(_COMMON + [
        r"cmov\w+", r"fcmov\w+", r"fu?comip?", r"cmpxchg8b", r"cpuid", r"sysenter", r"syscall", r"fxsave\w*",
        r"fxrstor\w*", r"[ls]dmxcsr", r"emms", r"femms", r"[lsm]fence", r"clflush\w*", r"movnti", r"prefetch\w*",
        r"ud1", r"nop[wl]"])),
    "win64": re.compile(r"^(%s)$" % "|".join(_COMMON + [r"lahf", r"sahf"])),
}
# Registers the floor's processor lacks: MMX and SSE on the 80486, AVX on the first x86-64.
FORBIDDEN_REGISTERS = {"win32": re.compile(r"%(x|y|z)?mm\d|%k\d"), "win64": re.compile(r"%(y|z)mm\d|%k\d")}

_LINE = re.compile(r"^\s*([0-9a-f]+):\s+(.*)$")


def executable_sections(headers):
    """The names of the sections objdump -h flags as CODE (on the line under each section's name)."""
    return re.findall(r"^\s*\d+\s+(\S+)\s+[0-9a-f]+\s.*\n.*\bCODE\b", headers, re.M)


def scan(disassembly, program):
    """Returns (hits, undecodable, count): hits as (address, instruction text), undecodable as addresses."""
    forbidden, registers = FORBIDDEN[program], FORBIDDEN_REGISTERS[program]
    hits, bad, count = [], [], 0
    for line in disassembly.splitlines():
        m = _LINE.match(line)
        if not m:
            continue
        text = m.group(2).strip()
        words = text.split()
        # Prefixes stand before the instruction on the same line.
        while len(words) > 1 and words[0] in ("lock", "rep", "repz", "repnz", "repe", "repne", "data16", "addr32",
                                              "cs", "ds", "es", "ss", "fs", "gs", "notrack", "bnd"):
            words = words[1:]
        if not words:
            continue
        count += 1
        if words[0] == "nop" and len(words) > 1:
            words[0] = "nopl"  # 0F 1F: the Pentium Pro's long nop, whatever its operand
        if words[0] == "(bad)":
            bad.append(int(m.group(1), 16))
        elif forbidden.match(words[0]) or registers.search(text):
            hits.append((int(m.group(1), 16), " ".join(words)))
    return hits, bad, count


def check(program, build):
    """Prints each instruction beyond the program's processor and a summary; true when there is none."""
    try:
        sections = executable_sections(objdump.objdump(program, build, "-h"))
        disassembly = objdump.objdump(program, build, "-d", "-w", "--no-show-raw-insn", *("-j" + s for s in sections))
    except OSError as error:
        print("%s: %s" % (program.name, error))
        return False
    name, floor = program.name, program.processor
    hits, bad, count = scan(disassembly, name)
    if bad:
        print("%s: %d undecodable byte(s) in code sections, taken as data" % (name, len(bad)))
    if hits:
        for address, text in hits[:60]:
            print("%s: 0x%x %s" % (name, address, text))
        if len(hits) > 60:
            print("%s: ... %d more" % (name, len(hits) - 60))
        print("%s: build/%s/crepuscule.map names the function and object at each address" % (name, name))
        kinds = Counter(text.split()[0] for _, text in hits)
        print("%s: %d instruction(s) beyond %s: %s" % (name, len(hits), floor,
                                                       ", ".join("%s %d" % kv for kv in kinds.most_common())))
        return False
    print("%s: %d instructions in %s, none beyond %s" % (name, count, ", ".join(sections), floor))
    return True


if __name__ == "__main__":
    sys.exit(objdump.main(__doc__, check))
