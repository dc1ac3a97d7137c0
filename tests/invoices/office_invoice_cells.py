"""Opens a store in a private headless LibreOffice with its password and prints,
as JSON, every non-empty cell of the invoice register: texts as strings, numbers
(dates included) as numbers.

Usage: office_invoice_cells.py <workbook> <password>
"""

import json
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "interop"))

from office import Office, cells  # noqa: E402


def main():
    path, password = sys.argv[1:3]
    with Office() as office:
        doc = office.load(path, password)
        try:
            found = cells(doc)["Fatture"]
        finally:
            doc.close(True)
    json.dump(found, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main()
