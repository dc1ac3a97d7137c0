#pragma once

// Every non-empty cell of one sheet of a saved store as LibreOffice reads it with
// the store password: texts as strings, numbers (dates included) as numbers.

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include "support/prepared_store.h"

namespace test_support {

inline QJsonObject officeSheetCells(const QString& store, const QString& sheet) {
    QProcess python;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("SAL_USE_VCLPLUGIN"), QStringLiteral("svp"));
    environment.insert(QStringLiteral("PYTHONDONTWRITEBYTECODE"), QStringLiteral("1"));
    python.setProcessEnvironment(environment);
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(BRISVEL_SOURCE_DIR "/tests/interop/office_sheet_cells.py"), store,
                  kPassword, sheet});
    EXPECT_TRUE(python.waitForFinished(180000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

}  // namespace test_support
