"""Opens a backup copy in a private headless LibreOffice without any password and
prints, as JSON, every non-empty cell of its client and invoice sheets.

Usage: office_backup_cells.py <workbook>
"""

import json
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "interop"))

from office import Office, cells  # noqa: E402


def main():
    path = sys.argv[1]
    with Office() as office:
        doc = office.load(path)
        try:
            found = cells(doc)
        finally:
            doc.close(True)
    json.dump({name: found.get(name, {}) for name in ("Anagrafe", "Fatture")}, sys.stdout,
              ensure_ascii=False)


if __name__ == "__main__":
    main()
