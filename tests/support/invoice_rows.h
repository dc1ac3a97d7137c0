#pragma once

// Invoice rows written straight into the register sheet, as the entry window
// types them: every field as its text, amounts "1.268,80", dates dd/mm/yyyy.

#include <QString>

#include <gtest/gtest.h>

#include "registers/invoice_layout.h"
#include "store/worksheet.h"

namespace test_support {

struct InvoiceRow {
    int id;
    QString client;
    QString clientId;  // typed: "7" is stored as the number 7
    QString number;
    QString date;
    QString total;
    QString net;
    QString collection;  // "*" while not collected
};

inline void writeInvoice(const store::Worksheet& sheet, int row, const InvoiceRow& invoice) {
    namespace col = registers::invoice;
    const auto put = [&](int column, const QString& text) {
        EXPECT_TRUE(sheet.setValue(row, column, text).ok());
    };
    put(col::Id, QString::number(invoice.id));
    put(col::Client, invoice.client);
    put(col::ClientId, invoice.clientId);
    put(col::Number, invoice.number);
    put(col::Date, invoice.date);
    put(col::Description, QStringLiteral("Consulenza"));
    put(col::Taxable, invoice.total);
    put(col::Surcharge, QStringLiteral("0"));
    put(col::TotalTaxable, invoice.total);
    put(col::Vat, QStringLiteral("0"));
    put(col::Exemption, QStringLiteral("*"));
    put(col::ExemptAmount, QStringLiteral("0"));
    put(col::Total, invoice.total);
    put(col::Withholding, QStringLiteral("0"));
    put(col::Net, invoice.net);
    put(col::Collection, invoice.collection);
    put(col::PaidBy, QStringLiteral("BONIFICO"));
}

// `count` invoices from row `firstRow`, record numbers from `firstId`, for client
// `clientId`, each of 100,10 (net 80,08), collected or not.
inline void writeInvoices(const store::Worksheet& sheet, int firstRow, int count, int firstId,
                          const QString& clientId, bool collected) {
    for (int i = 0; i < count; ++i)
        writeInvoice(sheet, firstRow + i,
                     {firstId + i, QStringLiteral("CLIENTE %1").arg(clientId), clientId,
                      QString::number(firstId + i), QStringLiteral("05/03/2024"),
                      QStringLiteral("100,10"), QStringLiteral("80,08"),
                      collected ? QStringLiteral("10/04/2024") : QStringLiteral("*")});
}

}  // namespace test_support
