"""The Debian package that `make package` builds: the files it holds, owned by
root, all under /usr; dependencies on the shared libraries the program links and
nothing else; no error from lintian.

Usage: debian_package.py BUILD_DIR
"""

import glob
import os
import subprocess
import sys
import tempfile
import unittest

BUILD = sys.argv[1]

EXPECTED_FILES = {
    "./usr/bin/brisvel",
    "./usr/share/applications/brisvel.desktop",
    "./usr/share/brisvel/Gestione.xls",
    "./usr/share/doc/brisvel/changelog.gz",
    "./usr/share/doc/brisvel/copyright",
    "./usr/share/icons/hicolor/scalable/apps/brisvel.svg",
    "./usr/share/man/man1/brisvel.1.gz",
} | {"./usr/share/icons/hicolor/%dx%d/apps/brisvel.png" % (s, s)
     for s in [16, 22, 24, 32, 48, 64, 128, 256]}
OPTIONAL_FILES = {"./usr/share/brisvel/Fattura.xls"}


def run(*args):
    done = subprocess.run(args, capture_output=True, timeout=600)
    return done.returncode, done.stdout.decode("utf-8", "replace") + \
        done.stderr.decode("utf-8", "replace")


class DebianPackage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls._folder = tempfile.TemporaryDirectory(prefix="brisvel-deb-")
        status, output = run("cpack", "--config", os.path.join(BUILD, "CPackConfig.cmake"),
                             "-B", cls._folder.name)
        assert status == 0, output
        packages = glob.glob(os.path.join(cls._folder.name, "brisvel_*.deb"))
        assert len(packages) == 1, packages
        cls.deb = packages[0]

    @classmethod
    def tearDownClass(cls):
        cls._folder.cleanup()

    def test_contents(self):
        status, listing = run("dpkg-deb", "--contents", self.deb)
        self.assertEqual(status, 0, listing)
        files, owners = set(), set()
        for line in listing.splitlines():
            fields = line.split()
            owners.add(fields[1])
            if not fields[0].startswith("d"):
                files.add(fields[-1])
        self.assertEqual(files - OPTIONAL_FILES, EXPECTED_FILES)
        self.assertEqual(owners, {"root/root"})

    def test_depends_on_shared_libraries_only(self):
        status, depends = run("dpkg-deb", "--field", self.deb, "Depends")
        self.assertEqual(status, 0, depends)
        names = {d.strip().split()[0] for d in depends.split(",")}
        for needed in ["libc6", "libqt6widgets6", "libgsf-1-114",
                       "libnettle8", "libqt6charts6", "libzip4", "libssl3"]:
            self.assertIn(needed, names)
        for name in names:
            self.assertTrue(name.startswith("lib") and not name.endswith("-dev"), name)

    def test_lintian_finds_no_error(self):
        status, report = run("lintian", "--fail-on", "error", "--no-tag-display-limit",
                             self.deb)
        self.assertEqual(status, 0, report)
        self.assertNotIn("E: ", report)

    def test_description(self):
        status, description = run("dpkg-deb", "--field", self.deb, "Description")
        self.assertEqual(status, 0, description)
        self.assertNotIn(";", description, "one text, not a list")
        self.assertIn("~/Brisvel", description)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
