#pragma once

// A store Gestione.xls in a temporary folder, as the start-up leaves it: the
// client sheet with its header row and its text-formatted identifier columns.
// Saved files are read back with the codec.

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "store/engine.h"
#include "store/range.h"
#include "store/workbook.h"
#include "store/workbook_store.h"

namespace clients_test {

inline const QStringList kHeaders = {"ID",
                                     "Ragione Sociale/Cognome Nome",
                                     "Data",
                                     "Indirizzo",
                                     "CAP",
                                     "Località",
                                     "PR",
                                     "Telefono",
                                     "Fax",
                                     "Cellulare",
                                     "Email",
                                     "Codice Fiscale",
                                     "Partita IVA",
                                     "IBAN",
                                     "Referente/Rappresentante",
                                     "Annotazioni"};

inline const QString kPassword = QString::fromLatin1(store::kStorePassword);

// Writes the header row and the text format of the identifier columns.
inline void prepareClientSheet(const store::Worksheet& sheet) {
    for (int column = 1; column <= kHeaders.size(); ++column)
        sheet.setValue(1, column, kHeaders[column - 1]);
    for (const char16_t* column : {u"H:H", u"I:I", u"J:J", u"L:L", u"M:M", u"N:N", u"P:P"})
        sheet.range(column)->setNumberFormat(QStringLiteral("@"));
}

class ClientStore {
  public:
    ClientStore() {
        store::Workbook& book = engine_.create();
        const store::Worksheet sheet = book.activeSheet();
        EXPECT_TRUE(sheet.setName(QStringLiteral("Anagrafe")).ok());
        prepareClientSheet(sheet);
        EXPECT_TRUE(book.saveAs(path(), kPassword).ok());
        engine_.close(book);
        store_ = std::make_unique<store::WorkbookStore>(engine_, folder_.path());
        EXPECT_TRUE(store_->open().ok());
    }

    QString path() const { return folder_.filePath(QStringLiteral("Gestione.xls")); }
    store::WorkbookStore& store() { return *store_; }
    store::Worksheet sheet() { return *store_->workbook().sheet(QStringLiteral("Anagrafe")); }

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
        return *(*opened)->sheet(QStringLiteral("Anagrafe"));
    }

  private:
    QTemporaryDir folder_;
    store::Engine engine_;
    std::unique_ptr<store::WorkbookStore> store_;
    std::vector<std::unique_ptr<store::Engine>> readers_;
};

}  // namespace clients_test
