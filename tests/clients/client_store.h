#pragma once

// A store Gestione.xls in a temporary folder, prepared as every start prepares
// it: the core sheets, their header rows, the client sheet's text-formatted
// identifier columns. Saved files are read back with the codec.

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/core_sheets.h"
#include "store/engine.h"
#include "store/workbook.h"
#include "store/workbook_store.h"

namespace clients_test {

inline const QString kPassword = QString::fromLatin1(store::kStorePassword);

class ClientStore {
  public:
    ClientStore() {
        {
            store::Engine maker;
            EXPECT_TRUE(maker.create().saveAs(path(), kPassword).ok());
        }
        store_ = std::make_unique<store::WorkbookStore>(engine_, folder_.path());
        EXPECT_TRUE(store_->open().ok());
        app::prepareCoreSheets(*store_);
    }

    QString path() const { return folder_.filePath(QStringLiteral("Gestione.xls")); }
    store::WorkbookStore& store() { return *store_; }
    store::Worksheet sheet() { return *store_->workbook().sheet(app::kClientsSheet); }

    // The client sheet of the file as last saved, opened with the password by a
    // second engine.
    store::Worksheet saved() {
        readers_.push_back(std::make_unique<store::Engine>());
        auto opened = readers_.back()->open(path(), kPassword);
        if (!opened) {
            ADD_FAILURE() << "the saved store does not open: "
                          << opened.error().message.toStdString();
            return readers_.back()->create().activeSheet();
        }
        return *(*opened)->sheet(app::kClientsSheet);
    }

  private:
    QTemporaryDir folder_;
    store::Engine engine_;
    std::unique_ptr<store::WorkbookStore> store_;
    std::vector<std::unique_ptr<store::Engine>> readers_;
};

}  // namespace clients_test
