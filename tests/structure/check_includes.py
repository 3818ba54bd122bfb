#!/usr/bin/env python3
"""Checks the #include lines of src/ against the layers below: each folder
may include its own files and those of the folders listed for it, nothing
else. Fails, naming the file and the line, on any other include; as the table
is ordered bottom to top, a circle between folders always has one such include.

    python3 tests/structure/check_includes.py [SRC]
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
INCLUDE = re.compile(r'^[ \t]*#[ \t]*include[ \t]+"([^"/]+)/', re.M)

# Bottom to top; a folder uses only folders below it.
LAYERS = {
    "text": [],
    "ui": ["text"],
    "platform": ["text"],
    "power": ["platform", "text"],
    "tooltip": ["platform", "text", "ui"],
    "seams": ["power", "platform", "text", "ui"],
    "settings": ["seams", "power", "platform", "text", "ui"],
    "timeui": ["seams", "power", "platform", "text", "ui"],
    "tray": ["settings", "timeui", "seams", "power", "platform", "text", "ui"],
    "mainwindow": ["seams", "power", "platform", "text", "ui"],
    "app": ["mainwindow", "tray", "settings", "timeui", "tooltip", "seams", "power", "platform", "text", "ui"],
}
# WinMain and the real windows sit on top of everything.
LAYERS["win32"] = list(LAYERS)
# Each folder names only folders listed before it: allowed includes cannot go round in a circle.
assert all(set(below) <= set(list(LAYERS)[:i]) for i, below in enumerate(LAYERS.values())), "LAYERS out of order"


def folder_edges(src):
    """{(folder, included folder): first 'file:line' seen}."""
    edges = {}
    for d, _, names in sorted(os.walk(src)):
        for name in sorted(n for n in names if n.endswith((".h", ".cpp"))):
            path = os.path.join(d, name)
            rel = os.path.relpath(path, src)
            with open(path, encoding="utf-8") as f:
                text = f.read()
            for m in INCLUDE.finditer(text):
                key = (rel.split(os.sep)[0], m.group(1))
                if key[0] != key[1]:
                    edges.setdefault(key, "%s:%d" % (rel, text.count("\n", 0, m.start()) + 1))
    return edges


def main():
    edges = folder_edges(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "src"))
    bad = [(where, a, b) for (a, b), where in sorted(edges.items()) if b not in LAYERS.get(a, ())]
    for where, a, b in bad:
        print("%s: %s includes %s, which the layers do not allow (tests/structure/check_includes.py)" % (where, a, b))
    print("includes: %d folders, %d folder edges, %s" % (
        len(LAYERS), len(edges), "%d not allowed" % len(bad) if bad else "all allowed"))
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
