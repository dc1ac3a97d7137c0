#pragma once

// A fresh Gestione.xls in a temporary folder, opened and prepared as a start
// leaves it: core sheets, headers, "*" placeholders and user labels.

#include "app/core_sheets.h"
#include "store/engine.h"
#include "store/workbook.h"
#include "store/workbook_store.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace test_support {

class TempStore {
  public:
    TempStore() {
        EXPECT_TRUE(folder_.isValid());
        store::Workbook& book = engine_.create();
        EXPECT_TRUE(book.saveAs(path(), QString::fromLatin1(store::kStorePassword)).ok());
        engine_.close(book);
        store_ = std::make_unique<store::WorkbookStore>(engine_, folder_.path());
        const auto opened = store_->open();
        EXPECT_TRUE(opened.ok()) << (opened.ok() ? "" : opened.error().message.toStdString());
        app::prepareCoreSheets(*store_);
    }

    QString path() const { return folder_.filePath(QString::fromLatin1(store::kStoreFileName)); }
    store::WorkbookStore& store() { return *store_; }
    store::Worksheet sheet(const QString& name) { return *store_->workbook().sheet(name); }
    store::Worksheet settings() { return sheet(app::kSettingsSheet); }
    store::Worksheet user() { return sheet(app::kUserSheet); }

    // Takes the folder away under the open store, so that the next save fails.
    void removeFolder() { QDir(folder_.path()).removeRecursively(); }

    // The store file as saved, read back through the codec with its password by an
    // engine of its own.
    store::Worksheet reopened(const QString& name) {
        auto book = saved_.open(path(), QString::fromLatin1(store::kStorePassword));
        EXPECT_TRUE(book.ok());
        return *(*book)->sheet(name);
    }

  private:
    QTemporaryDir folder_;
    store::Engine engine_;
    store::Engine saved_;
    std::unique_ptr<store::WorkbookStore> store_;
};

}  // namespace test_support
