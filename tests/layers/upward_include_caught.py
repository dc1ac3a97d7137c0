#!/usr/bin/env python3
"""The include-direction check fails on a tree where the store includes a window
header, and on a folder it does not know; it passes on a tree that points down."""
import pathlib
import subprocess
import sys
import tempfile

check = sys.argv[1]


def run(files: dict) -> int:
    with tempfile.TemporaryDirectory() as top:
        for name, text in files.items():
            path = pathlib.Path(top, name)
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_text(text, encoding="utf-8")
        return subprocess.run([sys.executable, check, top], capture_output=True).returncode


down = {"store/a.cpp": '#include "xls/reader.h"\n', "app/b.h": '#include "store/a.h"\n'}
up = {"store/a.cpp": '#include "app/message_boxes.h"\n'}
unknown = {"misc/a.cpp": '#include "store/a.h"\n'}
results = (run(down), run(up), run(unknown))
print(results)
sys.exit(0 if results == (0, 1, 1) else 1)
