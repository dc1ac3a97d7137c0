"""Opens a store in a private headless LibreOffice with its password and prints,
as JSON, every non-empty cell of one sheet: texts as strings, numbers
(dates included) as numbers.

Usage: office_sheet_cells.py <workbook> <password> <sheet>
"""

import json
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from office import Office, cells  # noqa: E402


def main():
    path, password, sheet = sys.argv[1:4]
    with Office() as office:
        doc = office.load(path, password)
        try:
            found = cells(doc)[sheet]
        finally:
            doc.close(True)
    json.dump(found, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main()
