"""brisvel-xls as a user meets it: exit statuses 0/1/2/3, one Italian line on
standard error for every failure, files never half written or overwritten.

Usage: brisvel_xls_cli.py BRISVEL_XLS FIXTURES_DIR
"""

import json
import os
import subprocess
import sys
import tempfile
import unittest

TOOL, FIXTURES = sys.argv[1:3]


def run(*args):
    done = subprocess.run([TOOL, *args], capture_output=True, timeout=60)
    return done.returncode, done.stdout.decode("utf-8"), done.stderr.decode("utf-8")


class Cli(unittest.TestCase):
    def setUp(self):
        self._folder = tempfile.TemporaryDirectory(prefix="brisvel-cli-")
        self.folder = self._folder.name

    def tearDown(self):
        self._folder.cleanup()

    def path(self, name):
        return os.path.join(self.folder, name)

    def write_json(self, name, content):
        path = self.path(name)
        with open(path, "w", encoding="utf-8") as f:
            f.write(content if isinstance(content, str) else json.dumps(content,
                                                                        ensure_ascii=False))
        return path

    def assert_fails(self, status, args, message_part=None):
        code, out, err = run(*args)
        self.assertEqual(code, status, "%s: %s" % (args, err))
        lines = err.strip("\n").split("\n")
        self.assertEqual(len(lines), 1, "one line on standard error: %r" % err)
        self.assertTrue(lines[0], "the line says what is wrong")
        if message_part:
            self.assertIn(message_part, lines[0])
        self.assertEqual(out, "")

    def test_usage_errors_exit_2(self):
        for args in [[], ["bogus"], ["dump"], ["dump", "a", "b"], ["write", "x.json"],
                     ["copy", "a"], ["dump", "a", "--colour"], ["dump", "a", "--password"],
                     ["new-store", self.path("s.xls"), "--password", "x"],
                     ["write", "a", "b", "--out-password", "x"]]:
            with self.subTest(args=args):
                self.assert_fails(2, args, "Uso:")

    def test_passwords_exit_3(self):
        store = os.path.join(FIXTURES, "calc-store-small.xls")
        self.assert_fails(3, ["dump", store])
        self.assert_fails(3, ["dump", store, "--password", "pesk1987"])
        self.assert_fails(3, ["copy", store, self.path("out.xls"), "--password", "x"])
        self.assertFalse(os.path.exists(self.path("out.xls")))

    def test_other_failures_exit_1(self):
        not_xls = self.write_json("note.txt", "non è un foglio")
        bad_json = self.write_json("bad.json", '{"Foglio1": {"A1": 1,')
        bad_address = self.write_json("address.json", {"Foglio1": {"A0": 1}})
        past_sheet = self.write_json("past.json", {"Foglio1": {"IW1": 1}})
        bad_value = self.write_json("value.json", {"Foglio1": {"B2": [1, 2]}})
        long_text = self.write_json("long.json", {"Foglio1": {"C7": "x" * 40000}})
        bad_name = self.write_json("name.json", {"Fogli/1": {"A1": 1}})
        out = self.path("out.xls")
        for args, part in [(["dump", self.path("missing.xls")], None),
                           (["dump", not_xls], None),
                           (["write", self.path("missing.json"), out], None),
                           (["write", bad_json, out], "JSON"),
                           (["write", bad_address, out], "A0"),
                           (["write", past_sheet, out], "IW1"),
                           (["write", bad_value, out], "B2"),
                           (["write", long_text, out], "riga 7, colonna 3"),
                           (["write", bad_name, out], "Fogli/1"),
                           (["write", self.write_json("ok.json", {"A": {}}),
                             os.path.join(self.folder, "no", "such", "out.xls")], None)]:
            with self.subTest(args=args):
                self.assert_fails(1, args, part)
                self.assertFalse(os.path.exists(out))

    def test_write_then_dump_gives_the_same_json_in_sheet_order(self):
        cells = {"Zeta": {"A1": "Città", "B1": 2889.1, "C1": True, "D1": False, "IV1": 13,
                          "A65536": "ultima riga", "B2": "€ 1.234,50\nseconda riga"},
                 "Alfa": {"A1": 0.1, "A2": -7, "A3": 1e-300},
                 "Vuoto": {}}
        source = self.write_json("in.json", cells)
        for password in (None, "Pesk1987"):
            with self.subTest(password=password):
                out = self.path("out.xls")
                extra = ["--password", password] if password else []
                self.assertEqual(run("write", source, out, *extra)[0], 0)
                code, text, err = run("dump", out, *extra)
                self.assertEqual(code, 0, err)
                dumped = json.loads(text)
                self.assertEqual(list(dumped), ["Zeta", "Alfa", "Vuoto"])
                self.assertEqual(dumped, cells)

    def test_copy_is_plain_unless_asked(self):
        source = os.path.join(FIXTURES, "calc-store-small.xls")
        plain, locked = self.path("plain.xls"), self.path("locked.xls")
        self.assertEqual(run("copy", source, plain, "--password", "Pesk1987")[0], 0)
        self.assertEqual(run("dump", plain)[0], 0)
        self.assertEqual(run("copy", plain, locked, "--out-password", "segreta")[0], 0)
        self.assertEqual(run("dump", locked)[0], 3)
        self.assertEqual(run("dump", locked, "--password", "segreta")[1], run("dump", plain)[1])

    def test_copy_replaces_what_stands_at_its_destination(self):
        source = os.path.join(FIXTURES, "calc-store-small.xls")
        expected = run("dump", source, "--password", "Pesk1987")[1]
        for kind in ("an older file", "a pipe nobody writes to"):
            with self.subTest(kind=kind):
                out = self.path("out.xls")
                if os.path.lexists(out):
                    os.remove(out)
                if kind == "an older file":
                    with open(out, "wb") as f:
                        f.write(b"una copia precedente" * 1000)
                else:
                    os.mkfifo(out)
                code, _, err = run("copy", source, out, "--password", "Pesk1987")
                self.assertEqual(code, 0, err)
                self.assertEqual(run("dump", out)[1], expected)

    def test_new_store_never_overwrites(self):
        store = self.path("Gestione.xls")
        code, _, err = run("new-store", store)
        self.assertEqual(code, 0, err)
        self.assertEqual(json.loads(run("dump", store, "--password", "Pesk1987")[1]),
                         {"Anagrafe": {}, "Fatture": {}, "Utilità": {}, "Utente": {}})
        with open(store, "rb") as f:
            before = f.read()
        self.assert_fails(1, ["new-store", store], store)
        with open(store, "rb") as f:
            self.assertEqual(f.read(), before)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
