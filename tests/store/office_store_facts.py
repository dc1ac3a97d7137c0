"""Opens a workbook in a private headless LibreOffice with a password and prints,
as JSON, what the engine's interoperability test checks: cell texts, number
formats, column widths and the page set-up of one sheet. A headless office
opens documents without a view, so it cannot tell frozen panes: those are read
by xlrd from a plain copy of the same workbook.

Usage: office_store_facts.py <workbook> <password> <sheet> <plain copy>
"""

import json
import os
import sys

import xlrd

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "interop"))

from office import Office  # noqa: E402


def main():
    path, password, sheet_name, plain = sys.argv[1:5]
    panes = xlrd.open_workbook(plain, formatting_info=True).sheet_by_name(sheet_name)
    with Office() as office:
        doc = office.load(path, password)
        sheet = doc.Sheets.getByName(sheet_name)
        formats = doc.NumberFormats

        def cell_facts(address):
            cell = sheet.getCellRangeByName(address)
            return {"string": cell.String, "value": cell.Value,
                    "format": formats.getByKey(cell.NumberFormat).FormatString}

        style = doc.StyleFamilies.getByName("PageStyles").getByName(sheet.PageStyle)
        header = style.RightPageHeaderContent  # kept alive while its texts are read
        areas = sheet.getPrintAreas()
        facts = {
            "sheets": list(doc.Sheets.ElementNames),
            "cells": {a: cell_facts(a) for a in ("A1", "B1", "B2", "C2", "G2", "H2")},
            "frozen": bool(panes.panes_are_frozen),
            "splitRow": panes.horz_split_pos,
            "widths": [sheet.Columns.getByIndex(i).Width for i in range(8)],
            "printAreas": [[a.StartRow, a.EndRow, a.StartColumn, a.EndColumn] for a in areas],
            "landscape": style.IsLandscape,
            "leftMargin": style.LeftMargin,
            "topMargin": style.TopMargin,
            "scaleToX": style.ScaleToPagesX,
            "scaleToY": style.ScaleToPagesY,
            "pageScale": style.PageScale,
            "printGrid": style.PrintGrid,
            "centerH": style.CenterHorizontally,
            "header": header.CenterText.getString() if style.HeaderIsOn else None,
        }
        doc.close(True)
    print(json.dumps(facts))


if __name__ == "__main__":
    main()
