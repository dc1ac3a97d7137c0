"""A private headless LibreOffice for one test script.

Each script starts its own soffice with a throw-away profile and a pipe of its
own, so scripts run side by side; the office is killed when the script ends,
whatever happens.
"""

import os
import shutil
import signal
import subprocess
import tempfile
import time
import uuid

import uno
from com.sun.star.beans import PropertyValue
from com.sun.star.connection import NoConnectException
from com.sun.star.uno import Exception as UnoException

START_TIMEOUT = 60  # seconds to wait for soffice to accept the connection


def _props(**values):
    props = []
    for name, value in values.items():
        p = PropertyValue()
        p.Name = name
        p.Value = value
        props.append(p)
    return tuple(props)


class Office:
    def __enter__(self):
        self.profile = tempfile.mkdtemp(prefix="brisvel-lo-")
        pipe = "brisvel" + uuid.uuid4().hex
        self.proc = subprocess.Popen(
            ["soffice", "--headless", "--invisible", "--norestore", "--nologo",
             "--nodefault", "--nolockcheck",
             "-env:UserInstallation=" + uno.systemPathToFileUrl(self.profile),
             "--accept=pipe,name=%s;urp;StarOffice.ComponentContext" % pipe],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        local = uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext(
            "com.sun.star.bridge.UnoUrlResolver", local)
        deadline = time.monotonic() + START_TIMEOUT
        while True:
            try:
                ctx = resolver.resolve(
                    "uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
                break
            except NoConnectException:
                if self.proc.poll() is not None or time.monotonic() > deadline:
                    self.stop()
                    raise RuntimeError("LibreOffice did not start")
                time.sleep(0.2)
        self.desktop = ctx.ServiceManager.createInstanceWithContext(
            "com.sun.star.frame.Desktop", ctx)
        return self

    def __exit__(self, *exc):
        self.stop()
        return False

    def stop(self):
        """Kills soffice and everything it started; safe to call twice."""
        if self.proc is None:
            return
        try:
            os.killpg(self.proc.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        self.proc.wait()
        self.proc = None
        shutil.rmtree(self.profile, ignore_errors=True)

    def load(self, path, password=None, read_only=True):
        # Read-only by default: no lock file is left beside the document (fixtures
        # are shared), and storeToURL still saves copies. Notes, validation and
        # array formulas can only be added to a document open for editing.
        values = {"Hidden": True, "ReadOnly": read_only}
        if password is not None:
            values["Password"] = password
        doc = self.desktop.loadComponentFromURL(
            uno.systemPathToFileUrl(os.path.abspath(path)), "_blank", 0, _props(**values))
        if doc is None:
            raise RuntimeError("LibreOffice could not open " + path)
        return doc

    @staticmethod
    def save_as_xls(doc, path, password=None):
        values = {"FilterName": "MS Excel 97", "Overwrite": True}
        if password is not None:
            values["Password"] = password
        doc.storeToURL(uno.systemPathToFileUrl(os.path.abspath(path)), _props(**values))


def load_fails(office, path, password):
    """True when LibreOffice refuses to open `path` with `password`."""
    try:
        doc = office.load(path, password)
    except (UnoException, RuntimeError):  # refused: a UNO error, or no document
        return True
    doc.close(True)
    return False


def column_letters(col):
    letters = ""
    col += 1
    while col:
        col, rest = divmod(col - 1, 26)
        letters = chr(ord("A") + rest) + letters
    return letters


def cells(doc):
    """{sheet name: {A1 address: value}} of every non-empty cell, in sheet order.

    Texts come back as str, numbers (dates as serial numbers) as float; an empty
    text reads as an empty cell.
    """
    result = {}
    sheets = doc.Sheets
    for i in range(sheets.Count):
        sheet = sheets.getByIndex(i)
        found = {}
        cursor = sheet.createCursor()
        cursor.gotoEndOfUsedArea(False)
        end = cursor.RangeAddress
        rows = sheet.getCellRangeByPosition(0, 0, end.EndColumn, end.EndRow).DataArray
        for r, row in enumerate(rows):
            for c, value in enumerate(row):
                if value != "":
                    found[column_letters(c) + str(r + 1)] = value
        result[sheet.Name] = found
    return result
