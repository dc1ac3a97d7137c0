#!/usr/bin/env python3
"""Fails when a source file includes a header from a layer above its own.

The layers, from the bottom: base, xls, store, registers, then printing and the
controls, then app (the shared window layer), then the area windows, then the
program's root. A folder of src/ that is not placed here fails too, so that a new
folder is placed on purpose."""
import pathlib
import re
import sys

LAYERS = {
    "base": 0,
    "xls": 1,
    "store": 2,
    "registers": 3,
    "printing": 4,
    "controls": 4,
    "app": 5,
    "clients": 6,
    "settings": 6,
    "invoices": 6,
    "receivables": 6,
    "maintenance": 6,
    "einvoice": 6,
    "printers": 6,
    "program": 7,
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/[^"]+"', re.MULTILINE)


def faults(src: pathlib.Path):
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        folder = path.relative_to(src).parts[0]
        if folder not in LAYERS:
            yield f"{path}: the folder src/{folder} has no place among the layers"
            continue
        for target in INCLUDE.findall(path.read_text(encoding="utf-8")):
            if target not in LAYERS:
                continue
            if LAYERS[target] > LAYERS[folder]:
                yield f"{path}: includes {target}/, a layer above {folder}/"


def main() -> int:
    src = pathlib.Path(sys.argv[1])
    found = list(faults(src))
    for line in found:
        print(line)
    print(f"{len(found)} upward includes")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
