// A workbook knows whether it holds changes its file has not: every operation that
// changes what a save writes says so, reading never does, and the store's save
// leaves the file alone when there is nothing to write.
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include "store/range.h"
#include "store/sheet_idioms.h"
#include "store/workbook_store.h"

namespace {

const QString kPassword = QString::fromLatin1(store::kStorePassword);

// A store on disk with a sheet that has a few cells, opened, locked and saved once.
class OpenStore : public testing::Test {
  public:
    void SetUp() override {
        {
            store::Engine maker;
            store::Workbook& book = maker.create();
            const store::Worksheet sheet = book.activeSheet();
            ASSERT_TRUE(sheet.setName(QStringLiteral("Fatture")).ok());
            for (int row = 1; row <= 3; ++row)
                ASSERT_TRUE(sheet.setValue(row, 1, QStringLiteral("R%1").arg(row)).ok());
            ASSERT_TRUE(book.saveAs(path(), kPassword).ok());
        }
        gestione.emplace(engine, folder.path());
        ASSERT_TRUE(gestione->open().ok());
        // The first save writes the file as the store writes it, whatever it was.
        ASSERT_TRUE(book().hasUnsavedChanges());
        ASSERT_TRUE(gestione->saveStore().ok());
    }

    QString path() const { return folder.filePath(QStringLiteral("Gestione.xls")); }
    store::Workbook& book() { return gestione->workbook(); }
    store::Worksheet sheet() { return *book().sheet(QStringLiteral("Fatture")); }
    store::Range a1() { return *sheet().range(u"A1"); }

    // Puts other bytes in the file, to see whether a save writes it.
    void markFile() {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not written again");
    }
    QByteArray fileBytes() const {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
    store::Engine engine;
    std::optional<store::WorkbookStore> gestione;
};

struct Operation {
    const char* what;
    std::function<void(OpenStore&)> run;
    bool changes;
};

class EachOperation : public OpenStore, public testing::WithParamInterface<Operation> {};

TEST_P(EachOperation, SaysWhetherItChangedWhatASaveWrites) {
    ASSERT_FALSE(book().hasUnsavedChanges()) << "a store just saved has nothing to save";
    GetParam().run(*this);
    EXPECT_EQ(book().hasUnsavedChanges(), GetParam().changes) << GetParam().what;
}

using O = OpenStore;
INSTANTIATE_TEST_SUITE_P(
    OnTheOpenStore, EachOperation,
    testing::Values(
        // Reading, walking and looking up change nothing.
        Operation{"reading cells",
                  [](O& s) {
                      static_cast<void>(s.sheet().text(2, 1));
                      static_cast<void>(s.a1().value());
                      static_cast<void>(s.a1().numberFormat());
                  },
                  false},
        Operation{"walking and matching",
                  [](O& s) {
                      static_cast<void>(store::firstFreeRow(s.sheet(), 1));
                      static_cast<void>(store::listTexts(s.sheet(), 1, 1));
                      static_cast<void>(store::findRow(s.sheet(), 1, QStringLiteral("R2")));
                      static_cast<void>(s.a1().endDown());
                  },
                  false},
        Operation{"looking sheets up",
                  [](O& s) { s.gestione->ensureSheet(QStringLiteral("Fatture")); }, false},
        Operation{"selecting", [](O& s) { s.a1().select(); }, false},
        // Every write of a value, a format or a row.
        Operation{"typing a value", [](O& s) { s.a1().setValue(QStringLiteral("7")); }, true},
        Operation{"writing an identifier",
                  [](O& s) { s.a1().setIdentifier(QStringLiteral("007")); }, true},
        Operation{"writing a number", [](O& s) { s.a1().setNumber(7); }, true},
        Operation{"writing a date", [](O& s) { s.a1().setDate(QDate(2026, 3, 5)); }, true},
        Operation{"setting a counter",
                  [](O& s) { static_cast<void>(store::setCounter(s.sheet(), 256, 5)); }, true},
        Operation{"clearing contents", [](O& s) { s.a1().clearContents(); }, true},
        Operation{"removing a row", [](O& s) { static_cast<void>(store::removeRow(s.sheet(), 2)); },
                  true},
        Operation{"sorting", [](O& s) { s.sheet().range(u"A1:A3")->sort(1); }, true},
        Operation{"a number format", [](O& s) { s.a1().setNumberFormat(QStringLiteral("@")); },
                  true},
        Operation{"an alignment", [](O& s) { s.a1().setHorizontalAlignment(xls::HAlign::Center); },
                  true},
        Operation{"merging", [](O& s) { s.sheet().range(u"A1:B1")->setMergeCells(true); }, true},
        Operation{"fitting the columns", [](O& s) { s.gestione->autoFitSheets(); }, true},
        Operation{"a column width", [](O& s) { s.sheet().setColumnWidth(2, 4000); }, true},
        Operation{"freezing panes", [](O& s) { s.sheet().freezePanes(2); }, true},
        Operation{"a new sheet", [](O& s) { s.gestione->ensureSheet(QStringLiteral("Utente")); },
                  true},
        Operation{"a sheet's name",
                  [](O& s) { static_cast<void>(s.sheet().setName(QStringLiteral("Registro"))); },
                  true},
        Operation{"the page set-up",
                  [](O& s) {
                      static_cast<void>(s.sheet().setPrintArea(u"A1:B3"));
                      s.sheet().setCenterHeader(QStringLiteral("Elenco"));
                  },
                  true},
        Operation{"protection", [](O& s) { s.sheet().protect(); }, true}));

TEST_F(OpenStore, AStoreWithNothingNewIsNotWrittenAgain) {
    markFile();
    ASSERT_TRUE(gestione->saveStore().ok());
    EXPECT_EQ(fileBytes(), "not written again");
}

TEST_F(OpenStore, AChangeIsWrittenOnceThenTheStoreIsClean) {
    ASSERT_TRUE(sheet().setValue(4, 1, QStringLiteral("R4")).ok());
    ASSERT_TRUE(gestione->saveStore().ok());
    EXPECT_FALSE(book().hasUnsavedChanges());
    markFile();
    ASSERT_TRUE(gestione->saveStore().ok());
    EXPECT_EQ(fileBytes(), "not written again") << "the second save point had nothing to write";
}

TEST_F(OpenStore, ABackupCopyLeavesTheChangesToSave) {
    ASSERT_TRUE(sheet().setValue(4, 1, QStringLiteral("R4")).ok());
    ASSERT_TRUE(gestione->backUp().ok());
    EXPECT_TRUE(book().hasUnsavedChanges()) << "the copy is not the store's own file";
    ASSERT_TRUE(gestione->saveStore().ok());
    store::Engine reader;
    auto reopened = reader.open(path(), kPassword);
    ASSERT_TRUE(reopened.ok());
    EXPECT_EQ((*reopened)->sheet(QStringLiteral("Fatture"))->text(4, 1), "R4");
}

TEST_F(OpenStore, AFailedSaveKeepsTheChangesToSave) {
    ASSERT_TRUE(sheet().setValue(4, 1, QStringLiteral("R4")).ok());
    QFile::remove(path());
    ASSERT_TRUE(folder.remove());
    EXPECT_FALSE(gestione->saveStore().ok());
    EXPECT_TRUE(book().hasUnsavedChanges()) << "the next save point tries again";
}

}  // namespace
