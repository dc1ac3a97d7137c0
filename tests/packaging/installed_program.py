"""The program as a user installs and starts it: `cmake --install` into a
temporary DESTDIR puts the program, its menu entry, its icons and its read-only
defaults in their places; the installed program, started under Xvfb with a
temporary home, makes ~/Brisvel with its store, shows its start window, ends
cleanly on SIGTERM (the store saved, its lock released), and a second start works
on the data of the first.

Usage: installed_program.py BUILD_DIR BRISVEL_XLS STORE_PASSWORD
Set BRISVEL_SHOTS=FOLDER to keep a screenshot of the start window there.
With BRISVEL_INSTALLED=1 the program is the one the Debian package installed on
this machine, started from the path, instead of a `cmake --install` of the build.
"""

import json
import os
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "support"))
from xvfb_display import Display  # noqa: E402  (after the path is set)

BUILD, TOOL, PASSWORD = sys.argv[1:4]
START_WINDOW = "Brisvel Lavoratore  Autonomo"
ICON_SIZES = [16, 22, 24, 32, 48, 64, 128, 256]
LOCK = ".~lock.Gestione.xls#"


def wait_for(condition, seconds, what):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if condition():
            return
        time.sleep(0.2)
    raise AssertionError("timed out waiting for " + what)


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    assert head[:8] == b"\x89PNG\r\n\x1a\n", path + " is not a PNG"
    return struct.unpack(">II", head[16:24])


def desktop_entry(path):
    fields = {}
    with open(path, encoding="utf-8") as f:
        lines = [line.rstrip("\n") for line in f if line.strip()]
    assert lines[0] == "[Desktop Entry]", lines[0]
    for line in lines[1:]:
        key, _, value = line.partition("=")
        fields[key] = value
    return fields


def dump(store):
    done = subprocess.run([TOOL, "dump", store, "--password", PASSWORD],
                          capture_output=True, timeout=60, check=True)
    return json.loads(done.stdout.decode("utf-8"))


class InstalledProgram(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls._root = tempfile.TemporaryDirectory(prefix="brisvel-install-")
        cls.home = os.path.join(cls._root.name, "home")
        os.makedirs(cls.home)
        if os.environ.get("BRISVEL_INSTALLED") == "1":
            cls.destdir = None
            cls.usr = "/usr"
            cls.program = shutil.which("brisvel")
            assert cls.program == "/usr/bin/brisvel", "brisvel on the path: %s" % cls.program
            return
        cls.destdir = os.path.join(cls._root.name, "root")
        subprocess.run(["cmake", "--install", BUILD, "--prefix", "/usr"],
                       env=dict(os.environ, DESTDIR=cls.destdir), check=True,
                       stdout=subprocess.DEVNULL, timeout=300)
        cls.usr = os.path.join(cls.destdir, "usr")
        cls.program = os.path.join(cls.usr, "bin", "brisvel")

    @classmethod
    def tearDownClass(cls):
        cls._root.cleanup()

    def installed(self, relative):
        return os.path.join(self.usr, relative)

    def test_files_in_their_places(self):
        self.assertTrue(os.access(self.program, os.X_OK))
        self.assertTrue(os.path.isfile(self.installed("share/applications/brisvel.desktop")))
        self.assertTrue(os.path.isfile(
            self.installed("share/icons/hicolor/scalable/apps/brisvel.svg")))
        for size in ICON_SIZES:
            png = self.installed("share/icons/hicolor/%dx%d/apps/brisvel.png" % (size, size))
            self.assertEqual(png_size(png), (size, size))
        for doc in ["copyright", "changelog.gz"]:
            self.assertTrue(os.path.isfile(self.installed("share/doc/brisvel/" + doc)))
        # The default store is an empty store that opens with the store's password.
        store = dump(self.installed("share/brisvel/Gestione.xls"))
        self.assertEqual(list(store), ["Anagrafe", "Fatture", "Utilità", "Utente"])
        if self.destdir:  # the package's own listing is checked by debian_package.py
            self.assertEqual(os.listdir(self.destdir), ["usr"],
                             "everything lies under the prefix")

    def test_desktop_entry(self):
        entry = self.installed("share/applications/brisvel.desktop")
        done = subprocess.run(["desktop-file-validate", entry], capture_output=True, timeout=30)
        self.assertEqual(done.returncode, 0, done.stdout + done.stderr)
        self.assertEqual(done.stdout + done.stderr, b"", "no hint or warning either")
        fields = desktop_entry(entry)
        self.assertEqual(fields["Name"], "Brisvel")
        self.assertEqual(fields["Type"], "Application")
        self.assertEqual(fields["Terminal"], "false")
        self.assertEqual(fields["Categories"].split(";")[:2], ["Office", "Finance"])
        self.assertTrue(os.path.isfile(self.installed("bin/" + fields["Exec"].split()[0])))
        self.assertTrue(os.path.isfile(self.installed(
            "share/icons/hicolor/scalable/apps/%s.svg" % fields["Icon"])))

    def start(self, display, *arguments):
        env = {k: v for k, v in os.environ.items()
               if k not in ("BRISVEL_DATA_DIR", "QT_QPA_PLATFORM", "WAYLAND_DISPLAY")}
        env.update(HOME=self.home, DISPLAY=display.name, QT_QPA_PLATFORM="xcb")
        # A file, not a pipe: a full pipe would stall the program.
        self.log = os.path.join(self._root.name, "program.log")
        with open(self.log, "wb") as log:
            program = subprocess.Popen([self.program, *arguments], env=env, cwd=self.home,
                                       stdout=log, stderr=subprocess.STDOUT)
        try:
            wait_for(lambda: START_WINDOW in display.window_names()
                     or program.poll() is not None, 60, "the start window")
        except AssertionError:
            program.kill()
            raise
        if program.poll() is not None:
            self.fail("the program ended at its start: " + self.output())
        return program

    def end(self, program):
        program.send_signal(signal.SIGTERM)
        status = program.wait(timeout=60)
        self.assertEqual(status, 0, "SIGTERM ends the program through its shutdown: "
                         + self.output())

    def output(self):
        with open(self.log, encoding="utf-8", errors="replace") as f:
            return f.read()

    def test_first_and_second_start(self):
        data = os.path.join(self.home, "Brisvel")
        store = os.path.join(data, "Gestione.xls")
        with Display() as display:
            program = self.start(display)
            self.assertTrue(os.path.isfile(store))
            self.assertTrue(os.path.isdir(os.path.join(data, "Salvataggio")))
            self.assertTrue(os.path.exists(os.path.join(data, LOCK)))
            self.assertTrue(os.access(store, os.W_OK))
            template = self.installed("share/brisvel/Fattura.xls")
            self.assertEqual(os.path.isfile(os.path.join(data, "Fattura.xls")),
                             os.path.isfile(template), "the template comes along when installed")
            shots = os.environ.get("BRISVEL_SHOTS")
            if shots:
                os.makedirs(shots, exist_ok=True)
                display.screenshot(os.path.join(shots, "installed-start-window.png"))
            self.end(program)
            self.assertFalse(os.path.exists(os.path.join(data, LOCK)), "the lock is released")
            first = dump(store)
            self.assertEqual(first["Fatture"]["A1"], "ID", "the start's headers were saved")

            # The user's data between the two starts: a client.
            first["Anagrafe"]["B2"] = "Rossi Mario"
            spec = os.path.join(self._root.name, "store.json")
            with open(spec, "w", encoding="utf-8") as f:
                json.dump(first, f, ensure_ascii=False)
            changed = os.path.join(self._root.name, "changed.xls")
            subprocess.run([TOOL, "write", spec, changed, "--password", PASSWORD],
                           check=True, timeout=60)
            os.replace(changed, store)

            program = self.start(display)
            self.end(program)
            self.assertEqual(dump(store)["Anagrafe"]["B2"], "Rossi Mario",
                             "the second start works on the first one's data")

            # Another folder named on the command line starts empty, the first is kept.
            other = os.path.join(self.home, "Altra cartella")
            program = self.start(display, "--cartella", other)
            self.assertTrue(os.path.exists(os.path.join(other, LOCK)))
            self.end(program)
            self.assertNotIn("B2", dump(os.path.join(other, "Gestione.xls"))["Anagrafe"])
            self.assertEqual(dump(store)["Anagrafe"]["B2"], "Rossi Mario")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
