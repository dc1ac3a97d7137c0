#pragma once

#include <QHash>
#include <QString>

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "store/store_error.h"
#include "store/worksheet.h"
#include "xls/workbook.h"

namespace store {

// An open workbook: the codec's model, the file it came from and the password it
// is saved with. Created by the Engine, which owns it; the model is the storage,
// no cell is copied elsewhere.
class Workbook {
  public:
    Workbook(xls::Workbook model, QString path, QString password);
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    // The file name ("Gestione.xls") and its full path; empty for a new workbook.
    QString name() const;
    QString path() const { return path_; }

    xls::Workbook& model() { return model_; }
    const xls::Workbook& model() const { return model_; }

    int sheetCount() const;
    // The sheet of that name, letter case aside as sheet names go, or
    // Error::Kind::NoSuchSheet.
    Result<Worksheet> sheet(const QString& name);
    // The sheet at a 1-based position; positions outside 1..sheetCount() are errors.
    Result<Worksheet> sheetAt(int index);
    // The current sheet; a workbook always has at least one.
    Worksheet activeSheet();
    // A new empty worksheet right after `after`, named `name`.
    Result<Worksheet> addSheetAfter(const Worksheet& after, const QString& name);
    // The sheet of that name, added after the last sheet when there is none; `name`
    // is one of the program's own sheet names, always a valid one.
    Worksheet ensureSheet(const QString& name);

    // True once a cell, a format, a sheet or a page set-up changed since the workbook
    // was opened or last written to its own file. The engine's operations report
    // their changes themselves; who changes model() directly calls markChanged().
    bool hasUnsavedChanges() const { return unsaved_; }
    void markChanged() { unsaved_ = true; }

    // Writes the workbook over its file with its password (none when empty), atomically:
    // a failure leaves the previous file whole.
    Result<Done> save();
    // Writes a copy without a password; the workbook stays tied to its own file.
    Result<Done> saveCopyAs(const QString& path);
    // Writes it to `path`, which it is tied to from now on (a new workbook's first save).
    Result<Done> saveAs(const QString& path, const QString& password);

    // The index of a number format code, added when new. The short date codes get
    // a format of their own: the built-in short date shows in each program's own
    // locale, and ours is dd/mm/yyyy everywhere.
    std::uint16_t formatIndex(const QString& code);

    // The XF a cell of format `xf` takes when its number format becomes `code`:
    // found once, then remembered, so typed writes stay O(1).
    std::uint16_t xfWithFormat(std::uint16_t xf, const QString& code);
    // The same by the index of a format this workbook already has.
    std::uint16_t xfWithFormatIndex(std::uint16_t xf, std::uint16_t format);

  private:
    friend class Worksheet;
    int positionOf(int id) const;  // index into model_.sheets
    Worksheet handle(int position);

    xls::Workbook model_;
    QString path_;
    QString password_;
    std::vector<int> ids_;  // stable id of each sheet, in sheet order
    int nextId_ = 0;
    QHash<QString, std::uint16_t> formatIndexes_;
    std::unordered_map<std::uint32_t, std::uint16_t> formatXfs_;
    bool unsaved_ = false;
};

}  // namespace store
