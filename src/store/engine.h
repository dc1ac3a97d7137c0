#pragma once

#include <QString>

#include <memory>
#include <vector>

#include "store/store_error.h"
#include "store/workbook.h"

namespace store {

// The in-process spreadsheet engine: the workbooks it has open, the current one,
// and the application flags the windows set. It never asks the user anything.
class Engine {
  public:
    Engine();
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Opens a file with its password (an empty password opens plain files only);
    // the workbook becomes the current one. Wrong password, damaged file, not a
    // workbook: Error::Kind::Unreadable; missing file: Error::Kind::Missing.
    Result<Workbook*> open(const QString& path, const QString& password);
    // A new workbook with one empty sheet "Foglio1", made current.
    Workbook& create();
    // Takes a model made elsewhere (a generator, a test) as an open workbook tied to
    // `path`, made current.
    Workbook& adopt(xls::Workbook model, const QString& path, const QString& password);

    // The current workbook, or null when none is open.
    Workbook* activeWorkbook();
    // An open workbook by file name ("Gestione.xls"), or null.
    Workbook* workbook(const QString& fileName);
    int workbookCount() const;
    // Closes without saving; the most recently opened remaining one becomes current.
    void close(Workbook& book);
    // Closes every workbook without saving.
    void quit();

  private:
    Workbook& add(std::unique_ptr<Workbook> book);

    std::vector<std::unique_ptr<Workbook>> books_;
    Workbook* active_ = nullptr;
};

}  // namespace store
