"""Round trips between our codec and LibreOffice lose nothing: LibreOffice saves
what we wrote as "MS Excel 97" and we read it back; we copy what LibreOffice
wrote and LibreOffice reads our copy.

LibreOffice itself saves some numbers one unit in the last place off (it writes
an RK that is only nearly equal), so what it saved is compared within that."""

import interop_common as common
from office import Office, cells

LIBREOFFICE_ROUNDING = 1e-15


class RoundTripsWithLibreOffice(common.WorkFolder):
    @classmethod
    def setUpClass(cls):
        cls.office = Office().__enter__()
        common.on_exit(cls.office.stop)

    @classmethod
    def tearDownClass(cls):
        cls.office.stop()

    def resave(self, source, source_password, target, target_password):
        doc = self.office.load(source, source_password)
        try:
            Office.save_as_xls(doc, target, target_password)
        finally:
            doc.close(True)

    def test_ours_through_libreoffice_and_back(self):
        _, encrypted, expected = common.make_sample(self.folder)
        for password in (None, common.STORE_PASSWORD):
            with self.subTest(encrypted=bool(password)):
                saved = self.path("lo-saved.xls")
                self.resave(encrypted, common.STORE_PASSWORD, saved, password)
                common.assert_same_cells(self, expected, common.dump(saved, password),
                                         LIBREOFFICE_ROUNDING)

    def test_libreoffice_files_through_us_and_back(self):
        for name, password, expected_name in common.FIXTURES_WITH_CELLS:
            with self.subTest(fixture=name):
                expected = common.expected_cells(expected_name)
                lo_saved = self.path("lo.xls")
                self.resave(common.fixture(name), password, lo_saved, common.STORE_PASSWORD)
                ours = self.path("ours.xls")
                common.tool("copy", lo_saved, ours, "--password", common.STORE_PASSWORD,
                            "--out-password", common.STORE_PASSWORD)
                common.assert_same_cells(self, expected, common.dump(ours, common.STORE_PASSWORD))
                doc = self.office.load(ours, common.STORE_PASSWORD)
                try:
                    common.assert_same_cells(self, expected, cells(doc))
                finally:
                    doc.close(True)


if __name__ == "__main__":
    common.main()
