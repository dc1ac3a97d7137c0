#!/usr/bin/env python3
"""Fails when a source file includes a header from a layer above its own, or when a
folder's CMake target links a library of a layer above its own.

The layers, from the bottom: base, xls, store, the registers, the e-invoice core
on them (Qt Core only, as they are), then printing and the controls, then app (the shared window layer), then the area
windows, then the program's root. A folder of src/ that is not placed here fails
too, so that a new folder is placed on purpose. Qt's modules have floors of their
own: Core goes anywhere, Gui, Print Support, Widgets and Charts from printing up."""
import pathlib
import re
import sys

LAYERS = {
    "base": 0,
    "xls": 1,
    "store": 2,
    "registers": 3,
    "fatturapa": 3.5,
    "printing": 4,
    "controls": 4,
    "app": 5,
    "clients": 6,
    "settings": 6,
    "invoices": 6,
    "receivables": 6,
    "overdue": 6,
    "maintenance": 6,
    "einvoice": 6,
    "printers": 6,
    "year": 6,
    "program": 7,
}
QT_MODULES = {"Core": 0, "Gui": 4, "PrintSupport": 4, "Widgets": 4, "Charts": 4}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/[^"]+"', re.MULTILINE)
TARGET = re.compile(r"\badd_(?:library|executable)\s*\(\s*([A-Za-z0-9_]+)")
LINK = re.compile(r"\btarget_link_libraries\s*\(([^)]*)\)")
COMMENT = re.compile(r"#[^\n]*")
KEYWORDS = {"PUBLIC", "PRIVATE", "INTERFACE"}


def include_faults(src: pathlib.Path):
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


def cmake_files(src: pathlib.Path):
    for path in sorted(src.glob("*/CMakeLists.txt")):
        folder = path.parent.name
        if folder in LAYERS:
            yield folder, path, COMMENT.sub("", path.read_text(encoding="utf-8"))


def link_faults(src: pathlib.Path):
    floors = {f"Qt6::{module}": floor for module, floor in QT_MODULES.items()}
    for folder, _, text in cmake_files(src):
        for target in TARGET.findall(text):
            floors[target] = LAYERS[folder]
    for folder, path, text in cmake_files(src):
        for arguments in LINK.findall(text):
            for library in arguments.split()[1:]:
                if library in KEYWORDS or library not in floors:
                    continue
                if floors[library] > LAYERS[folder]:
                    yield f"{path}: links {library}, a layer above {folder}/"


def main() -> int:
    src = pathlib.Path(sys.argv[1])
    found = list(include_faults(src)) + list(link_faults(src))
    for line in found:
        print(line)
    print(f"{len(found)} upward includes or links")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
