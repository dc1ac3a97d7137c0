"""What a user adds to the store in LibreOffice, and what LibreOffice reads of it.

    office_user_additions.py add STORE PASSWORD     adds the user's work and saves
    office_user_additions.py facts STORE PASSWORD   prints what LibreOffice reads

`add` adds, as a user would: a summary sheet `Riepilogo` with a total of the
register and a hyperlink, formulas beside the register on `Fatture` (S2:S5, a
column of the same formula, and S6, an array formula), a note on the first
client's name, a validation list on the payment column (Q) and a conditional
format on the net column (O); it saves the store with the same password (an
empty password: without one). Both commands print the facts as JSON.
"""

import json
import os
import shutil
import sys

import uno  # noqa: F401  (it makes the com.sun.star modules importable)
from com.sun.star.sheet.ConditionOperator import GREATER
from com.sun.star.sheet.ValidationType import LIST
from com.sun.star.table import CellAddress

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "interop"))

from office import Office, _props  # noqa: E402

NOTE = "Paga sempre a 60 giorni"
LINK = "https://www.example.org/fatture"


def add(doc):
    sheets = doc.Sheets
    sheets.insertNewByName("Riepilogo", sheets.Count)
    summary = sheets.getByName("Riepilogo")
    summary.getCellRangeByName("A1").Formula = "=SUM($Fatture.M2:M301)"
    link_cell = summary.getCellRangeByName("B1")
    field = doc.createInstance("com.sun.star.text.TextField.URL")
    field.URL = LINK
    field.Representation = "Fatture online"
    link_cell.insertTextContent(link_cell.createTextCursor(), field, False)

    invoices = sheets.getByName("Fatture")
    for row in range(2, 6):
        invoices.getCellRangeByName("S%d" % row).Formula = "=YEAR(E%d)" % row
    invoices.getCellRangeByName("S6").setArrayFormula("=SUM(M2:M5*2)")

    clients = sheets.getByName("Anagrafe")
    index = list(sheets.ElementNames).index("Anagrafe")
    clients.Annotations.insertNew(CellAddress(index, 1, 1), NOTE)

    payments = invoices.getCellRangeByName("Q2:Q301")
    validation = payments.Validation
    validation.Type = LIST
    validation.setFormula1('"Bonifico";"Contanti";"Assegno"')
    payments.Validation = validation

    net = invoices.getCellRangeByName("O2:O301")
    conditions = net.ConditionalFormat
    conditions.addNew(_props(Operator=GREATER, Formula1="1000", StyleName="Good"))
    net.ConditionalFormat = conditions


def facts(doc):
    sheets = doc.Sheets
    invoices = sheets.getByName("Fatture")
    summary = sheets.getByName("Riepilogo")
    clients = sheets.getByName("Anagrafe")
    notes = []
    for i in range(clients.Annotations.Count):
        note = clients.Annotations.getByIndex(i)
        notes.append({"row": note.Position.Row, "column": note.Position.Column,
                      "text": note.String})
    links = []
    fields = summary.getCellRangeByName("B1").TextFields.createEnumeration()
    while fields.hasMoreElements():
        links.append(fields.nextElement().URL)

    def validation(address):
        v = invoices.getCellRangeByName(address).Validation
        return {"type": v.Type.value, "formula": v.getFormula1()}

    def conditions(address):
        entries = invoices.getCellRangeByName(address).ConditionalFormat
        return [{"operator": entries.getByIndex(i).Operator.value,
                 "formula": entries.getByIndex(i).Formula1} for i in range(entries.Count)]

    return {
        "sheets": list(sheets.ElementNames),
        "formulas": {
            "Riepilogo.A1": summary.getCellRangeByName("A1").Formula,
            **{"Fatture.S%d" % r: invoices.getCellRangeByName("S%d" % r).Formula
               for r in range(2, 7)},
        },
        "array": invoices.getCellRangeByName("S6").ArrayFormula,
        "total": summary.getCellRangeByName("A1").Value,
        "notes": notes,
        "links": links,
        "validation": {a: validation(a) for a in ("Q2", "Q301", "P2")},
        "conditions": {a: conditions(a) for a in ("O2", "O301", "N2")},
    }


def main():
    command, path, password = sys.argv[1:4]
    password = password or None
    with Office() as office:
        doc = office.load(path, password, read_only=command != "add")
        if command == "add":
            add(doc)
            saved = path + ".lo.xls"
            Office.save_as_xls(doc, saved, password)
            doc.close(True)
            shutil.move(saved, path)
            doc = office.load(path, password)
        print(json.dumps(facts(doc)))
        doc.close(True)


if __name__ == "__main__":
    main()
