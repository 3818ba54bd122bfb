#!/usr/bin/env python3
"""The include graph of src/, one node per class: each header with the .cpp
files that define its classes' members (MainForm's start-up, countdown, cancel
and mouse files are all MainForm). Fails, naming them, when nodes include each
other round in a circle.

    python3 tests/structure/check_includes.py [--dot FILE]
"""
import argparse
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
CLASS = re.compile(r'^(?:class|struct)\s+(\w+)\b[^;]*$', re.M)
MEMBER = re.compile(r'^[\w:<>&*\s~,]*?\b(\w+)::~?\w+\s*\(', re.M)


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def units(src):
    """{file: unit name}, every file under src/ relative to it."""
    files = sorted(os.path.relpath(os.path.join(d, n), src)
                   for d, _, names in os.walk(src) for n in names if n.endswith((".h", ".cpp")))
    owner = {}  # class -> header
    for f in files:
        if f.endswith(".h"):
            for name in CLASS.findall(read(os.path.join(src, f))):
                owner.setdefault(name, f)
    unit = {}
    for f in files:
        if f.endswith(".h"):
            unit[f] = f
            continue
        text = read(os.path.join(src, f))
        header = os.path.splitext(f)[0] + ".h"
        defined = [owner[c] for c in MEMBER.findall(text) if c in owner]
        if header in owner.values() or os.path.exists(os.path.join(src, header)):
            unit[f] = header
        elif defined:
            unit[f] = max(set(defined), key=defined.count)
        else:
            unit[f] = f
    return unit


def graph(src):
    unit = units(src)
    edges = {}
    for f, u in unit.items():
        for inc in INCLUDE.findall(read(os.path.join(src, f))):
            if inc in unit and unit[inc] != u:
                edges.setdefault(u, set()).add(unit[inc])
        edges.setdefault(u, set())
    return edges


def circles(edges):
    """Strongly connected components of more than one node (Tarjan)."""
    index, low, on, stack, out, counter = {}, {}, set(), [], [], [0]

    def visit(v):
        index[v] = low[v] = counter[0]
        counter[0] += 1
        stack.append(v)
        on.add(v)
        for w in sorted(edges.get(v, ())):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            comp = []
            while True:
                w = stack.pop()
                on.discard(w)
                comp.append(w)
                if w == v:
                    break
            if len(comp) > 1:
                out.append(sorted(comp))

    sys.setrecursionlimit(10000)
    for v in sorted(edges):
        if v not in index:
            visit(v)
    return out


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--src", default=os.path.join(ROOT, "src"))
    ap.add_argument("--dot", help="also write the graph in Graphviz form")
    a = ap.parse_args()
    edges = graph(a.src)
    if a.dot:
        with open(a.dot, "w") as f:
            f.write("digraph includes {\n")
            for u in sorted(edges):
                for w in sorted(edges[u]):
                    f.write('  "%s" -> "%s";\n' % (u, w))
            f.write("}\n")
    found = circles(edges)
    for comp in found:
        print("include circle: " + " <-> ".join(comp))
    print("includes: %d classes and files, %d edges, %s" % (
        len(edges), sum(len(v) for v in edges.values()), "%d circles" % len(found) if found else "no circle"))
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
