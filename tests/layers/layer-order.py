#!/usr/bin/env python3
"""Fails when a source file includes a header of a layer above its own.

The layers, lowest first: core < transmission, workbook < validation < report < app < ui, cli. A file
may include its own layer and the layers below; two layers of one rank do not see each other. The
spreadsheet engines (workbook/uno, workbook/memory) sit on workbook and are chosen only by the
programs' entry code (ui/program/, cli/excel/), never by a library layer.
"""
import pathlib
import re
import sys

RANKS = {"core": 0, "transmission": 1, "workbook": 1, "validation": 2, "report": 3, "app": 4, "ui": 5,
         "cli": 5}
ENGINES = ("workbook/uno/", "workbook/memory/")
ENTRY_CODE = ("ui/program/", "cli/excel/")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def layer_of(path):
    """The layer folder a project path belongs to, engines named by their own folder."""
    for engine in ENGINES:
        if path.startswith(engine):
            return engine
    top = path.split("/", 1)[0]
    return top if top in RANKS else None


def may_include(source, header):
    own, other = layer_of(source), layer_of(header)
    if other is None or own == other:
        return True
    if other in ENGINES:
        return source.startswith(ENTRY_CODE)
    if own in ENGINES:
        return RANKS[other] <= RANKS["workbook"] and other != "transmission"
    return RANKS[other] < RANKS[own]


def faults(root):
    files = (file for layer in RANKS for file in sorted((root / layer).rglob("*")))
    for file in files:
        if file.suffix not in (".h", ".cpp") or not file.is_file():
            continue
        source = file.relative_to(root).as_posix()
        text = file.read_text(encoding="utf-8")
        for match in INCLUDE.finditer(text):
            if not may_include(source, match.group(1)):
                line = text.count("\n", 0, match.start()) + 1
                yield f"{source}:{line}: includes {match.group(1)}, a layer above or beside its own"


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    found = list(faults(root))
    for fault in found:
        print(fault)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
