"""LibreOffice, headless, opens what `brisvel-xls write` and `copy` produce,
with the password when encrypted, and reads the same cells."""

import json

import interop_common as common
from office import Office, cells, load_fails
from com.sun.star.util.NumberFormat import DATE  # after office, which loads uno


def spec():
    """A workbook in the JSON shape: numbers, texts, booleans, long strings."""
    long_latin = "".join("voce %d àèéìòù " % i for i in range(700))
    long_wide = "".join("€αβγ中文 %d " % i for i in range(1500))
    invoices = {"A1": "ID", "B1": "Cliente", "E1": "Data", "G1": "Importo", "IU1": 13, "IV1": 13}
    for i in range(2, 300):
        invoices["A%d" % i] = i - 1
        invoices["B%d" % i] = ["ROSSI MARIO", "ÉLITE COSTRUZIONI SPA", "D'AMICO & FIGLI"][i % 3]
        invoices["E%d" % i] = 39818 + i
        invoices["G%d" % i] = round(100 + i * 37.13, 2)
        invoices["H%d" % i] = (100 + i * 37.13) / 3
        invoices["F%d" % i] = "Consulenza n. %d\nseconda riga %s" % (i, "ω" * (i % 17))
    invoices["A400"] = long_latin
    invoices["B400"] = long_wide
    invoices["C400"] = 0.1
    invoices["D400"] = -1234567.891
    invoices["E400"] = True
    invoices["F400"] = False
    return {"Fatture": invoices, "Utilità": {"A1": "IVA", "A2": "*", "A3": 22}, "Vuoto": {}}


class LibreOfficeOpensOurFiles(common.WorkFolder):
    @classmethod
    def setUpClass(cls):
        cls.office = Office().__enter__()
        common.on_exit(cls.office.stop)

    @classmethod
    def tearDownClass(cls):
        cls.office.stop()

    def read(self, path, password=None):
        doc = self.office.load(path, password)
        try:
            return cells(doc)
        finally:
            doc.close(True)

    def test_written_workbook_plain_and_encrypted(self):
        source = self.path("spec.json")
        with open(source, "w", encoding="utf-8") as f:
            json.dump(spec(), f, ensure_ascii=False)
        plain, encrypted = self.path("plain.xls"), self.path("encrypted.xls")
        common.tool("write", source, plain)
        common.tool("write", source, encrypted, "--password", common.STORE_PASSWORD)
        common.assert_same_cells(self, spec(), self.read(plain))
        common.assert_same_cells(self, spec(), self.read(encrypted, common.STORE_PASSWORD))
        self.assertTrue(load_fails(self.office, encrypted, "pesk1987"))

    def test_copies_of_other_programs_files(self):
        for name, password, expected in common.FIXTURES_WITH_CELLS:
            for out_password in (None, common.STORE_PASSWORD):
                with self.subTest(fixture=name, encrypted=bool(out_password)):
                    out = self.path("copy.xls")
                    args = ["copy", common.fixture(name), out]
                    args += ["--password", password] if password else []
                    args += ["--out-password", out_password] if out_password else []
                    common.tool(*args)
                    common.assert_same_cells(self, common.expected_cells(expected),
                                             self.read(out, out_password))

    def test_empty_store_and_sample_layout(self):
        store = self.path("Gestione.xls")
        common.tool("new-store", store)
        self.assertEqual(self.read(store, common.STORE_PASSWORD),
                         {"Anagrafe": {}, "Fatture": {}, "Utilità": {}, "Utente": {}})
        _, encrypted, expected = common.make_sample(self.folder)
        doc = self.office.load(encrypted, common.STORE_PASSWORD)
        try:
            common.assert_same_cells(self, expected, cells(doc))
            invoices = doc.Sheets.getByName("Fatture")
            self.assertTrue(invoices.getCellRangeByName("A404:D404").IsMerged)
            self.assertTrue(invoices.getCellRangeByName("B406:C407").IsMerged)
            self.assertFalse(invoices.getCellRangeByName("A1:B1").IsMerged)
            date_format = invoices.getCellByPosition(2, 1).NumberFormat
            self.assertTrue(doc.NumberFormats.getByKey(date_format).Type & DATE)
        finally:
            doc.close(True)


if __name__ == "__main__":
    common.main()
