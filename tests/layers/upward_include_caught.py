#!/usr/bin/env python3
"""The layer check on small trees: each row is a tree and whether the check must
refuse it."""
import pathlib
import subprocess
import sys
import tempfile

check = sys.argv[1]

STORE = "add_library(brisvel_store STATIC a.cpp)\n"
APP = "add_library(brisvel_app STATIC b.cpp)\n"

ROWS = [
    ("includes that point down",
     {"store/a.cpp": '#include "xls/reader.h"\n', "app/b.h": '#include "store/a.h"\n'}, 0),
    ("the store includes a window header",
     {"store/a.cpp": '#include "app/message_boxes.h"\n'}, 1),
    ("a folder the layers do not place",
     {"misc/a.cpp": '#include "store/a.h"\n'}, 1),
    ("the e-invoice core includes the registers",
     {"fatturapa/a.cpp": '#include "registers/amount.h"\n'}, 0),
    ("the registers include the e-invoice core",
     {"registers/a.cpp": '#include "fatturapa/fattura_pa.h"\n'}, 1),
    ("the e-invoice core includes a window header",
     {"fatturapa/a.cpp": '#include "einvoice/codici_fattura_pa.h"\n'}, 1),
    ("links that point down",
     {"store/CMakeLists.txt": STORE + "target_link_libraries(brisvel_store PUBLIC Qt6::Core)\n",
      "app/CMakeLists.txt": APP + "target_link_libraries(brisvel_app PUBLIC brisvel_store\n"
                                  "    Qt6::Widgets)\n"}, 0),
    ("the store links the window layer",
     {"store/CMakeLists.txt": STORE + "target_link_libraries(brisvel_store\n"
                                      "    PRIVATE Qt6::Core brisvel_app)\n",
      "app/CMakeLists.txt": APP}, 1),
    ("the e-invoice core links Qt Widgets",
     {"fatturapa/CMakeLists.txt": "add_library(brisvel_fatturapa STATIC a.cpp)\n"
                                  "target_link_libraries(brisvel_fatturapa PUBLIC Qt6::Widgets)\n"},
     1),
    ("an upward link only named in a comment",
     {"store/CMakeLists.txt": STORE + "# never: target_link_libraries(brisvel_store brisvel_app)\n",
      "app/CMakeLists.txt": APP}, 0),
]


def run(files: dict) -> int:
    with tempfile.TemporaryDirectory() as top:
        for name, text in files.items():
            path = pathlib.Path(top, name)
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_text(text, encoding="utf-8")
        return subprocess.run([sys.executable, check, top], capture_output=True).returncode


failed = [(name, want, got) for name, files, want in ROWS if (got := run(files)) != want]
for name, want, got in failed:
    print(f"{name}: exit {got}, expected {want}")
sys.exit(1 if failed else 0)
