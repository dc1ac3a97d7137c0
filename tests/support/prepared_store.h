#pragma once

// A fresh Gestione.xls in a temporary folder, opened and prepared as a start
// leaves it: the core sheets, their header rows, the "*" placeholders, the user
// labels and the client sheet's text-formatted identifier columns. Saved files
// are read back with the codec.

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "registers/core_sheets.h"
#include "store/engine.h"
#include "store/workbook.h"
#include "store/workbook_store.h"

namespace test_support {

inline const QString kPassword = QString::fromLatin1(store::kStorePassword);

class PreparedStore {
  public:
    PreparedStore() {
        EXPECT_TRUE(folder_.isValid());
        {
            store::Engine maker;
            EXPECT_TRUE(maker.create().saveAs(path(), kPassword).ok());
        }
        store_ = std::make_unique<store::WorkbookStore>(engine_, folder_.path());
        const auto opened = store_->open();
        EXPECT_TRUE(opened.ok()) << (opened.ok() ? "" : opened.error().message.toStdString());
        registers::prepareCoreSheets(*store_);
    }

    QString folder() const { return folder_.path(); }
    QString path() const { return folder_.filePath(QString::fromLatin1(store::kStoreFileName)); }
    store::WorkbookStore& store() { return *store_; }
    store::Worksheet sheet(const QString& name) { return *store_->workbook().sheet(name); }

    // Takes the folder away under the open store, so that the next save fails.
    void removeFolder() { QDir(folder_.path()).removeRecursively(); }

    // The sheet of the file as last saved, opened with the password by an engine
    // of its own.
    store::Worksheet reopened(const QString& name) {
        readers_.push_back(std::make_unique<store::Engine>());
        auto opened = readers_.back()->open(path(), kPassword);
        if (!opened) {
            ADD_FAILURE() << "the saved store does not open: "
                          << opened.error().message.toStdString();
            return readers_.back()->create().activeSheet();
        }
        auto sheet = (*opened)->sheet(name);
        if (!sheet) {
            ADD_FAILURE() << "the saved store has no sheet " << name.toStdString();
            return (*opened)->activeSheet();
        }
        return *sheet;
    }

  private:
    QTemporaryDir folder_;
    store::Engine engine_;
    std::unique_ptr<store::WorkbookStore> store_;
    std::vector<std::unique_ptr<store::Engine>> readers_;
};

}  // namespace test_support
