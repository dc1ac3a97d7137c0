// The register list shows what the exchange system said of each invoice's last file,
// a rejection with its errors; the picture shows the list as a user sees it.
#include "entry_window.h"

#include "registers/invoice_extras.h"
#include "registers/sdi_history.h"
#include "support/shots.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using namespace invoices_test;
using registers::SdiEvent;

struct Listed {
    const char* id;
    std::optional<SdiEvent> answer;  // none: exported, no receipt yet
    bool exported;
    QDate exportedOn;  // none: kept before exports carried their day
    const char* shown;
};

const Listed kListed[] = {
    {"1", SdiEvent::Delivered, true, QDate(2025, 2, 3), "Consegnata il 05/02/2025"},
    {"2", SdiEvent::Rejected, true, QDate(2025, 2, 3),
     "Scartata il 04/02/2025: 00404 Fattura duplicata; 00311 Codice destinatario non valido"},
    {"3", SdiEvent::NotDelivered, true, QDate(2025, 2, 3),
     "Non consegnata il 04/02/2025: è nell'area riservata del cliente, che va avvisato"},
    {"4", std::nullopt, true, QDate(2025, 2, 3), "Esportata il 03/02/2025"},
    {"5", std::nullopt, false, {}, ""},
    {"6", std::nullopt, true, {}, "Esportata"},
};

class EntryRegisterStates : public EntryWindowTest {};

TEST_F(EntryRegisterStates, EachInvoiceShowsTheStateOfItsLastFile) {
    registers::prepareInvoiceExtrasSheet(data.store());
    registers::prepareSdiHistorySheet(data.store());
    for (std::size_t i = 0; i < std::size(kListed); ++i) {
        fillWorkedExample();
        registerAnsweringYes();
    }
    registers::InvoiceExtras extras(data.sheet(registers::kInvoiceExtrasSheet));
    registers::SdiHistory history(data.sheet(registers::kSdiHistorySheet));
    int message = 0;
    for (const Listed& l : kListed) {
        if (!l.exported)
            continue;
        const QString file = QStringLiteral("ITRSSMRA80A01H501U_0000%1.xml").arg(l.id);
        extras.setExportedAs(l.id, file);
        registers::SdiRecord r{l.id, file, SdiEvent::Exported, l.exportedOn, {}, {}, {}, {}};
        ASSERT_TRUE(history.record(r).ok());
        if (!l.answer)
            continue;
        r.event = *l.answer;
        r.messageId = QString::number(++message);
        r.date = *l.answer == SdiEvent::Delivered ? QDate(2025, 2, 5) : QDate(2025, 2, 4);
        if (*l.answer == SdiEvent::Rejected)
            r.errors =
                QStringList{"00404 Fattura duplicata", "00311 Codice destinatario non valido"};
        ASSERT_TRUE(history.record(r).ok());
    }

    ui->XPButton3->click();
    const QAbstractItemModel* model = ui->ListView3->model();
    const int stateColumn = model->columnCount() - 1;
    EXPECT_EQ(model->headerData(stateColumn, Qt::Horizontal).toString(), "Stato SDI");
    ASSERT_EQ(model->rowCount(), int(std::size(kListed)));
    for (int line = 0; line < model->rowCount(); ++line) {
        EXPECT_EQ(model->index(line, 0).data().toString(), kListed[line].id);
        EXPECT_EQ(model->index(line, stateColumn).data().toString(), kListed[line].shown) << line;
        EXPECT_EQ(model->index(line, stateColumn).data(Qt::ToolTipRole).toString(),
                  kListed[line].shown)
            << line;
    }

    if (test_support::shotsFolder().isEmpty())
        return;
    window->move(0, 0);
    // Scrolled to the right, where the states are.
    ui->ListView3->scrollTo(model->index(0, stateColumn), QAbstractItemView::PositionAtCenter);
    window->raise();
    test_support::settle(*window);
    test_support::saveWindowShot(*window, QStringLiteral("entry-register-states"));
}

}  // namespace
