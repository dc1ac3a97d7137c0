"""What the interoperability scripts share: the brisvel-xls tool, the fixtures,
the sample workbook, cell comparison and a watchdog.

Every script is run as: SCRIPT BRISVEL_XLS FIXTURES_DIR MAKE_SAMPLE
"""

import json
import os
import signal
import subprocess
import sys
import tempfile
import unittest

TOOL, FIXTURES, MAKE_SAMPLE = sys.argv[1:4]
STORE_PASSWORD = "Pesk1987"
SCRIPT_TIMEOUT = 240  # seconds; CTest's own limit is longer, so cleanup runs first

# Fixtures made by other programs whose cells a spreadsheet program read out.
FIXTURES_WITH_CELLS = [
    ("calc-store-small.xls", "Pesk1987", "calc-store-small.expected.json"),
    ("calc-store-small-plain.xls", None, "calc-store-small.expected.json"),
    ("excel-plain.xls", None, "excel-plain.expected.json"),
    ("excel-rc4cryptoapi.xls", "Password1234_", "excel-rc4cryptoapi.expected.json"),
    ("excel-xor.xls", "123456789012345", "excel-xor.expected.json"),
]

_cleanups = []


def on_exit(action):
    """Runs `action` when the script ends, also on timeout or termination."""
    _cleanups.append(action)


def _abort(signum, _frame):
    for action in reversed(_cleanups):
        action()
    sys.stderr.write("interrupted by signal %d\n" % signum)
    os._exit(1)


def fixture(name):
    return os.path.join(FIXTURES, name)


def expected_cells(name):
    with open(fixture(name), encoding="utf-8") as f:
        return json.load(f)


def tool(*args, expect=0):
    """Runs brisvel-xls; returns its standard output."""
    done = subprocess.run([TOOL, *args], capture_output=True, timeout=120)
    if done.returncode != expect:
        raise AssertionError("brisvel-xls %s: exit %d, expected %d; %s" % (
            " ".join(args), done.returncode, expect, done.stderr.decode(errors="replace")))
    return done.stdout.decode("utf-8")


def dump(path, password=None):
    args = ["dump", path] + (["--password", password] if password else [])
    return json.loads(tool(*args))


def make_sample(folder):
    """The sample workbook: (plain path, encrypted path, its cells)."""
    base = os.path.join(folder, "sample")
    subprocess.run([MAKE_SAMPLE, base, STORE_PASSWORD], check=True, timeout=60)
    with open(base + ".json", encoding="utf-8") as f:
        cells = json.load(f)
    return base + ".xls", base + "-encrypted.xls", cells


def cell_position(address):
    """"B7" as 0-based (row 6, column 1)."""
    letters = address.rstrip("0123456789")
    col = 0
    for c in letters:
        col = col * 26 + ord(c) - ord("A") + 1
    return int(address[len(letters):]) - 1, col - 1


def normalise(workbook):
    """Booleans as the numbers spreadsheet programs hand out for them."""
    return {sheet: {a: (float(v) if isinstance(v, bool) else v) for a, v in cells.items()}
            for sheet, cells in workbook.items()}


def _same(a, b, tolerance):
    if isinstance(a, float) and isinstance(b, float):
        return abs(a - b) <= tolerance * max(abs(a), abs(b))
    return a == b


def assert_same_cells(test, expected, actual, tolerance=0.0):
    """Same sheets in the same order, same cells; numbers within `tolerance`
    (relative), which is 0 unless a file went through a program that rounds."""
    expected, actual = normalise(expected), normalise(actual)
    test.assertEqual(list(expected), list(actual), "sheet names or order differ")
    for sheet in expected:
        e, a = expected[sheet], actual[sheet]
        for address in sorted(set(e) | set(a)):
            if not _same(e.get(address), a.get(address), tolerance):
                test.fail("%s!%s: expected %r, got %r" % (
                    sheet, address, e.get(address), a.get(address)))


class WorkFolder(unittest.TestCase):
    """A test case with a temporary folder of its own."""

    def setUp(self):
        self._folder = tempfile.TemporaryDirectory(prefix="brisvel-interop-")
        self.folder = self._folder.name

    def tearDown(self):
        self._folder.cleanup()

    def path(self, name):
        return os.path.join(self.folder, name)


def main():
    signal.signal(signal.SIGALRM, _abort)
    signal.signal(signal.SIGTERM, _abort)
    signal.alarm(SCRIPT_TIMEOUT)
    try:
        program = unittest.main(argv=sys.argv[:1], exit=False, verbosity=2)
    finally:
        for action in reversed(_cleanups):
            action()
    sys.exit(0 if program.result.wasSuccessful() else 1)
