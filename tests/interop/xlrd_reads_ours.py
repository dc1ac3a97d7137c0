"""xlrd, a reader we did not write, reads our plain files: sheet names, cells,
merged cells, date formats, frozen panes, column widths."""

import xlrd

import interop_common as common


class XlrdReadsOurFiles(common.WorkFolder):
    def open(self, path):
        return xlrd.open_workbook(path, formatting_info=True)

    def test_sample_cells_formats_and_layout(self):
        plain, _, cells = common.make_sample(self.folder)
        book = self.open(plain)
        self.assertEqual(book.sheet_names(), list(cells))
        invoices = book.sheet_by_name("Fatture")
        for address, value in cells["Fatture"].items():
            row, col = common.cell_position(address)
            self.assertEqual(invoices.cell_value(row, col), value, address)
        # Dates carry a date format, amounts do not.
        self.assertEqual(invoices.cell_type(1, 2), xlrd.XL_CELL_DATE)
        self.assertEqual(xlrd.xldate_as_tuple(invoices.cell_value(1, 2), book.datemode)[:3],
                         (2009, 1, 5))
        self.assertEqual(invoices.cell_type(1, 4), xlrd.XL_CELL_NUMBER)
        xf = book.xf_list[invoices.cell_xf_index(1, 4)]
        self.assertEqual(book.format_map[xf.format_key].format_str, "#,##0.00")
        self.assertEqual(book.font_list[book.xf_list[invoices.cell_xf_index(0, 0)].font_index].weight,
                         700)
        self.assertCountEqual(invoices.merged_cells, [(403, 404, 0, 4), (405, 407, 1, 3)])
        self.assertTrue(invoices.panes_are_frozen)
        self.assertEqual(invoices.horz_split_pos, 1)
        self.assertEqual(invoices.colinfo_map[3].width, 12000)
        settings = book.sheet_by_name("Utilità")
        self.assertEqual(settings.cell_value(1, 0), "*")
        self.assertEqual(settings.cell_type(3, 0), xlrd.XL_CELL_BOOLEAN)

    def test_copies_of_other_programs_files(self):
        for name, password, expected in common.FIXTURES_WITH_CELLS:
            with self.subTest(fixture=name):
                out = self.path("copy-" + name)
                args = ["copy", common.fixture(name), out]
                common.tool(*(args + (["--password", password] if password else [])))
                book = self.open(out)
                cells = common.expected_cells(expected)
                self.assertEqual(book.sheet_names(), list(cells))
                for sheet_name, values in cells.items():
                    sheet = book.sheet_by_name(sheet_name)
                    for address, value in values.items():
                        row, col = common.cell_position(address)
                        self.assertEqual(sheet.cell_value(row, col), value,
                                         "%s!%s" % (sheet_name, address))

    def test_store_dates_keep_their_date_format(self):
        out = self.path("store.xls")
        common.tool("copy", common.fixture("calc-store-small.xls"), out,
                    "--password", common.STORE_PASSWORD)
        invoices = self.open(out).sheet_by_name("Fatture")
        self.assertEqual(invoices.cell_type(1, 4), xlrd.XL_CELL_DATE)   # E2: invoice date
        self.assertEqual(invoices.cell_type(1, 6), xlrd.XL_CELL_NUMBER)  # G2: amount


if __name__ == "__main__":
    common.main()
