#pragma once

// A program folder in a temporary directory, with a store written by the tests'
// own hands: what the start-up and shutdown scenarios run on.

#include "store/engine.h"
#include "store/range.h"
#include "store/workbook_store.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace test_support {

inline const QString kStorePassword = QString::fromLatin1(store::kStorePassword);

class StoreFolder {
  public:
    QString path() const { return dir_.path(); }
    QString storePath() const { return dir_.filePath(QStringLiteral("Gestione.xls")); }
    QString lockPath() const { return store::StoreLock::lockPathFor(storePath()); }
    QString backupFolder() const { return dir_.filePath(QStringLiteral("Salvataggio")); }

    // A store whose sheets are named `sheets` in that order, filled by `fill`.
    void writeStore(const QStringList& sheets,
                    const std::function<void(store::Workbook&)>& fill = {},
                    const QString& password = kStorePassword) const {
        store::Engine engine;
        store::Workbook& book = engine.create();
        ASSERT_TRUE(book.activeSheet().setName(sheets.first()).ok());
        for (qsizetype i = 1; i < sheets.size(); ++i)
            ASSERT_TRUE(book.addSheetAfter(*book.sheetAt(int(i)), sheets[i]).ok());
        if (fill)
            fill(book);
        ASSERT_TRUE(book.saveAs(storePath(), password).ok());
    }

    void writeBytes(const QByteArray& bytes) const {
        QFile file(storePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray storeBytes() const {
        QFile file(storePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

  private:
    QTemporaryDir dir_;
};

// The store as saved, opened again with the codec and the store password.
class SavedStore {
  public:
    explicit SavedStore(const QString& path) {
        auto opened = engine_.open(path, kStorePassword);
        if (opened)
            book_ = *opened;
        else
            ADD_FAILURE() << "the saved store does not open: "
                          << opened.error().message.toStdString();
    }
    bool ok() const { return book_ != nullptr; }
    store::Workbook& book() { return *book_; }
    QString text(const QString& sheet, int row, int column) {
        auto found = book_->sheet(sheet);
        return found ? found->text(row, column) : QStringLiteral("<no sheet %1>").arg(sheet);
    }

  private:
    store::Engine engine_;
    store::Workbook* book_ = nullptr;
};

}  // namespace test_support
