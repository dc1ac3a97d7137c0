// Credit notes made in the entry window: an invoice registered, chosen in the
// register list and credited in whole or in part; the note found in the register,
// in the lists of the receivables with the right totals, and refused where it must.
#include "entry_window.h"

#include <QAccessible>
#include <QItemSelectionModel>
#include <QRadioButton>

#include "registers/credit_notes.h"
#include "registers/invoice_extras.h"
#include "registers/overdue.h"
#include "registers/receivables_lists.h"
#include "registers/year_figures.h"
#include "store/workbook_store.h"
#include "support/shots.h"

namespace {

using namespace invoices_test;
namespace lists = registers::receivables;

app::Message question(const QString& text) {
    return {text, QStringLiteral("Gestione"), app::Icon::Question, app::Buttons::YesNo};
}
app::Message warning(const QString& text) {
    return {text, QStringLiteral("Gestione"), app::Icon::Warning, app::Buttons::Ok};
}
app::Message information(const QString& text) {
    return {text, QStringLiteral("Gestione"), app::Icon::Information, app::Buttons::Ok};
}

// One list of the receivables as the window lists it: its rows' ID, number, total,
// net (and collection, for a client position) and its totals.
struct Listed {
    QList<QStringList> rows;
    QString total;
    QString net;
};

class CreditNoteScenario : public EntryWindowTest {
  protected:
    void SetUp() override {
        EntryWindowTest::SetUp();
        registers::prepareInvoiceExtrasSheet(data.store());
    }

    // Registers the worked example (n. 1 of 07/03/2024) and opens the register list.
    void registerInvoiceAndOpenTheList() {
        fillWorkedExample();
        registerAnsweringYes();
        ui->XPButton3->click();
    }

    // Ctrl+click on `line`: chosen, not loaded for modification.
    void chooseOnly(int line) {
        ui->ListView3->selectionModel()->select(
            ui->ListView3->model()->index(line, 0),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    // Types `text` over what `field` holds and presses Enter.
    void enter(QLineEdit* field, const char* text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, QString::fromUtf8(text));
        QTest::keyClick(field, Qt::Key_Return);
    }
    void creditNote() { find<controls::XPButton>("XPButton10")->click(); }

    template <class T>
    T* find(const char* name) {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(found) << name;
        return found;
    }

    Listed listed(lists::Built built, lists::ListKind kind) {
        const store::Worksheet sheet = invoices();
        Listed out;
        if (built != lists::Built::Listed)
            return out;
        lists::markCreditNotes(
            sheet, registers::InvoiceExtras(data.sheet(registers::kInvoiceExtrasSheet)));
        const int last = lists::lastListColumn(kind);
        for (int row = lists::kFirstListRow; row < lists::kFirstListRow + lists::listedCount(sheet);
             ++row) {
            QStringList cells = lists::listedRow(sheet, row, last);
            cells.removeAt(lists::Date - lists::Id);
            cells.removeAt(lists::Client - lists::Id);
            out.rows << cells;
        }
        const lists::ListTotals totals = lists::listTotals(sheet);
        out.total = totals.total.text();
        out.net = totals.net.text();
        return out;
    }
    Listed toCollect() {
        return listed(lists::buildToCollect(invoices()), lists::ListKind::ToCollect);
    }
    Listed collected() {
        return listed(lists::buildCollected(invoices()), lists::ListKind::Collected);
    }
    Listed position() {
        return listed(lists::buildClientPosition(invoices(), QStringLiteral("1")),
                      lists::ListKind::ClientPosition);
    }
};

TEST_F(CreditNoteScenario, AWholeNoteSettlesTheInvoiceAndBothLeaveTheListToCollect) {
    registerInvoiceAndOpenTheList();
    chooseOnly(0);
    creditNote();
    ASSERT_EQ(find<QGroupBox>("NotaCredito")->isVisibleTo(window.get()), true);
    EXPECT_EQ(find<QLabel>("FatturaStornata")->text(), "Fattura n. 1 del 07/03/2024 a ROSSI MARIO");
    EXPECT_EQ(find<QLineEdit>("NumeroNota")->text(), "2");
    EXPECT_EQ(find<QLineEdit>("DataNota")->text(), "05/03/2024") << "today proposed";
    EXPECT_FALSE(find<QLineEdit>("ImponibileStorno")->isEnabled());

    // Today precedes the invoice: refused, nothing registered.
    boxes.expect(
        warning("La nota di credito del 05/03/2024 precede la fattura n. 1 del "
                "07/03/2024 che storna: scegliere una data dal 07/03/2024 in poi."));
    find<controls::XPButton>("RegistraNota")->click();
    EXPECT_EQ(invoices().text(3, Id), "");

    EXPECT_TRUE(find<QLabel>("ImportiNota")->text().contains("precede")) << "told on the page";

    enter(find<QLineEdit>("DataNota"), "08/03/2024");
    EXPECT_EQ(find<QLabel>("ImportiNota")->text(),
              "Storna imponibile 1.000,00, rivalsa 40,00, IVA 228,80, esente 0,00: totale "
              "1.268,80, ritenuta 200,00, netto 1.068,80.");
    test_support::settle(*window);
    test_support::saveWindowShot(*window, QStringLiteral("credit-note-page"));
    boxes
        .expect(question("Registrare la nota di credito n. 2 del 08/03/2024 di 1.268,80, a storno "
                         "della fattura n. 1 del 07/03/2024?"),
                app::Answer::Yes)
        .expect(information("Nota di credito n. 2 registrata, a storno della fattura n. 1 del "
                            "07/03/2024."));
    find<controls::XPButton>("RegistraNota")->click();
    EXPECT_TRUE(ui->Frame1->isVisibleTo(window.get())) << "back to the register list";
    ASSERT_EQ(ui->ListView3->model()->rowCount(), 2);
    EXPECT_EQ(ui->ListView3->model()->index(1, Number - 1).data().toString(), "2 NC");
    EXPECT_EQ(ui->ListView3->model()->index(0, Number - 1).data().toString(), "1");
    test_support::settle(*window);
    test_support::saveWindowShot(*window, QStringLiteral("credit-note-in-register"));

    // Kept in the saved store: the note's row, its kind beside it, both settled.
    const store::Worksheet saved = data.reopened(store::kInvoicesSheet);
    const std::pair<registers::InvoiceColumn, const char*> note[] = {{Id, "2"},
                                                                     {Number, "2"},
                                                                     {Date, "08/03/2024"},
                                                                     {Client, "ROSSI MARIO"},
                                                                     {Taxable, "-1.000,00"},
                                                                     {Vat, "-228,80"},
                                                                     {Total, "-1.268,80"},
                                                                     {Withholding, "-200,00"},
                                                                     {Net, "-1.068,80"},
                                                                     {Collection, "08/03/2024"}};
    for (const auto& [column, text] : note)
        EXPECT_EQ(saved.text(3, column), QString::fromUtf8(text)) << int(column);
    EXPECT_EQ(saved.text(2, Collection), "08/03/2024");
    EXPECT_EQ(saved.text(3, Id), "2");
    const registers::InvoiceExtras extras(data.reopened(registers::kInvoiceExtrasSheet));
    EXPECT_EQ(extras.corrects("2"), (registers::CorrectedInvoice{"1", "1", QDate(2024, 3, 7)}));
    EXPECT_EQ(saved.value(1, kNumberCounterColumn).toNumber(), 3);

    // "Visualizza Fattura" on the note loaded from the list: a credit note's document.
    std::optional<registers::InvoiceFields> shown;
    window->setInvoiceDocument([&shown](const registers::InvoiceFields& f) { shown = f; });
    chooseLine(1);
    ui->XPButton6->click();
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->corrects, (registers::CorrectedInvoice{"1", "1", QDate(2024, 3, 7)}));
    EXPECT_EQ(shown->address, "VIA ROMA 1") << "the client as the client sheet has it";
    EXPECT_EQ(shown->vatRate, "22") << "the rate the amounts were made with";
    chooseLine(0);
    ui->XPButton6->click();
    EXPECT_FALSE(shown->corrects) << "the invoice stays an invoice";

    EXPECT_TRUE(toCollect().rows.isEmpty());
    const Listed done = collected();
    EXPECT_EQ(done.rows, (QList<QStringList>{{"1", "1", "1.268,80", "1.068,80"},
                                             {"2", "2 NC", "-1.268,80", "-1.068,80"}}));
    EXPECT_EQ(done.total, "0,00");
    EXPECT_EQ(done.net, "0,00");
    const Listed client = position();
    EXPECT_EQ(client.rows.size(), 2);
    EXPECT_EQ(client.total, "0,00");
}

TEST_F(CreditNoteScenario, APartLeavesBothToCollectAndTheTotalIsWhatIsOwed) {
    registerInvoiceAndOpenTheList();
    chooseOnly(0);
    creditNote();
    find<QRadioButton>("ParteFattura")->click();
    EXPECT_TRUE(find<QLineEdit>("ImponibileStorno")->isEnabled());
    enter(find<QLineEdit>("DataNota"), "10/03/2024");
    enter(find<QLineEdit>("ImponibileStorno"), "500");
    EXPECT_EQ(find<QLabel>("ImportiNota")->text(),
              "Storna imponibile 500,00, rivalsa 20,00, IVA 114,40, esente 0,00: totale 634,40, "
              "ritenuta 100,00, netto 534,40.");
    boxes
        .expect(question("Registrare la nota di credito n. 2 del 10/03/2024 di 634,40, a storno "
                         "della fattura n. 1 del 07/03/2024?"),
                app::Answer::Yes)
        .expect(information("Nota di credito n. 2 registrata, a storno della fattura n. 1 del "
                            "07/03/2024."));
    find<controls::XPButton>("RegistraNota")->click();

    const Listed owed = toCollect();
    EXPECT_EQ(owed.rows, (QList<QStringList>{{"1", "1", "1.268,80", "1.068,80"},
                                             {"2", "2 NC", "-634,40", "-534,40"}}));
    EXPECT_EQ(owed.total, "634,40");
    EXPECT_EQ(owed.net, "534,40");
    EXPECT_TRUE(collected().rows.isEmpty());
    const Listed client = position();
    EXPECT_EQ(client.rows.size(), 2);
    EXPECT_EQ(client.rows[1].last(), "*");
    EXPECT_EQ(client.total, "634,40");

    // After a part, the rest is offered in one step; the user goes back instead.
    chooseOnly(0);
    creditNote();
    enter(find<QLineEdit>("DataNota"), "11/03/2024");
    EXPECT_EQ(find<QRadioButton>("InteraFattura")->text(), "Tutto il resto della fattura");
    EXPECT_EQ(find<QLabel>("DaStornare")->text(),
              "Totale fattura 1.268,80, imponibile 1.000,00: resta da stornare 634,40.");
    EXPECT_EQ(find<QLabel>("ImportiNota")->text(),
              "Storna imponibile 500,00, rivalsa 20,00, IVA 114,40, esente 0,00: totale 634,40, "
              "ritenuta 100,00, netto 534,40.");
    find<controls::XPButton>("AnnullaNota")->click();
    EXPECT_EQ(invoices().text(4, Id), "") << "nothing registered";
    EXPECT_TRUE(ui->Frame1->isVisibleTo(window.get()));

    // The client pays what is owed: the invoice collected takes its note with it.
    chooseLine(0);
    clock.set(QDateTime(QDate(2024, 3, 20), QTime(9, 0)));
    ui->Text13->setText(QStringLiteral("20/03/2024"));
    boxes.expect(kModified);
    ui->XPButton3->click();
    EXPECT_TRUE(toCollect().rows.isEmpty());
    const Listed paid = collected();
    EXPECT_EQ(paid.rows.size(), 2);
    EXPECT_EQ(paid.total, "634,40");
    EXPECT_EQ(paid.net, "534,40");

    // The note loaded and modified as it is stays as it was.
    ui->XPButton3->click();
    chooseLine(1);
    EXPECT_EQ(ui->Text8->text(), "-634,40");
    boxes.expect(kModified);
    ui->XPButton3->click();
    EXPECT_EQ(invoices().text(3, Total), "-634,40");
    EXPECT_EQ(invoices().text(3, Net), "-534,40");

    // Typed positive, the note would count as owed by the client: refused.
    ui->XPButton3->click();
    chooseLine(1);
    type(ui->Text9, QStringLiteral("500"));
    choose(ui->Combo5, QStringLiteral("4"));
    choose(ui->Combo6, QStringLiteral("22"));
    choose(ui->Combo7, QStringLiteral("20"));
    boxes.expect({QStringLiteral("La nota di credito n. 2 ha il totale positivo (634,40): i suoi "
                                 "importi restano negativi, perché stornano la fattura. Nessuna "
                                 "modifica è stata registrata."),
                  QStringLiteral("  Gestione"), app::Icon::Warning, app::Buttons::Ok});
    ui->XPButton3->click();
    EXPECT_EQ(invoices().text(3, Total), "-634,40");
}

// A credit note made on the page, read by the list of invoices still to collect
// (the overdue window's) and by the year's figures (the year window's): a part
// lowers what is owed and what was invoiced, a whole note takes the invoice out.
struct ReadElsewhere {
    const char* what;
    const char* part;  // "" the whole invoice
    const char* date;
    const char* noteTotal;
    std::vector<const char*> owedIds;  // the overdue list's lines, in order
    const char* owed;                  // overdue and not yet due, net
    const char* yearTaxable;
    const char* yearTotal;
    const char* yearNetCollected;
    const char* clientInvoiced;  // the client's figure among the year's most invoiced
};

class CreditNoteReadElsewhere : public CreditNoteScenario,
                                public testing::WithParamInterface<ReadElsewhere> {};

TEST_P(CreditNoteReadElsewhere, InTheOverdueListAndTheYearsFigures) {
    const ReadElsewhere& c = GetParam();
    registerInvoiceAndOpenTheList();
    chooseOnly(0);
    creditNote();
    if (*c.part) {
        find<QRadioButton>("ParteFattura")->click();
        enter(find<QLineEdit>("ImponibileStorno"), c.part);
    }
    enter(find<QLineEdit>("DataNota"), c.date);
    boxes
        .expect(question(QStringLiteral("Registrare la nota di credito n. 2 del %1 di %2, a "
                                        "storno della fattura n. 1 del 07/03/2024?")
                             .arg(QString::fromUtf8(c.date), QString::fromUtf8(c.noteTotal))),
                app::Answer::Yes)
        .expect(information("Nota di credito n. 2 registrata, a storno della fattura n. 1 del "
                            "07/03/2024."));
    find<controls::XPButton>("RegistraNota")->click();
    ASSERT_EQ(invoices().text(3, Id), "2") << "the note registered";

    const auto list = registers::overdue::overdueList(data.store().workbook(), QDate(2024, 12, 31));
    ASSERT_TRUE(list.ok());
    std::vector<std::string> ids;
    for (const registers::overdue::Line& line : list->lines)
        ids.push_back(line.id.toStdString());
    EXPECT_EQ(ids, std::vector<std::string>(c.owedIds.begin(), c.owedIds.end()));
    EXPECT_EQ((list->overdue + list->notYetDue).text().toStdString(), c.owed);
    if (ids.size() == 2) {
        EXPECT_TRUE(list->lines[1].creditNote);
        EXPECT_TRUE(list->lines[1].underInvoice);
    }

    const registers::YearFigures year = registers::yearFigures(invoices(), 2024);
    EXPECT_EQ(year.invoices, 2);
    EXPECT_EQ(year.taxable.text().toStdString(), c.yearTaxable);
    EXPECT_EQ(year.total.text().toStdString(), c.yearTotal);
    EXPECT_EQ(year.invoicedByMonth[2].text().toStdString(), c.yearTotal);
    EXPECT_EQ(year.netCollected.text().toStdString(), c.yearNetCollected);
    std::vector<std::string> top;
    for (const registers::ClientInvoiced& client : year.topClients)
        top.push_back(client.invoiced.text().toStdString());
    EXPECT_EQ(top, *c.clientInvoiced ? std::vector<std::string>{c.clientInvoiced}
                                     : std::vector<std::string>{});
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Notes, CreditNoteReadElsewhere, testing::Values(
    ReadElsewhere{"a part: both still owed, the part off what is owed and invoiced", "500",
                  "10/03/2024", "634,40", {"1", "2"}, "534,40", "500,00", "634,40", "0,00", "634,40"},
    ReadElsewhere{"the whole: nothing owed, nothing invoiced, the year's client gone", "",
                  "08/03/2024", "1.268,80", {}, "0,00", "0,00", "0,00", "0,00", ""}),
    [](const testing::TestParamInfo<ReadElsewhere>& info) {
        return "Case" + std::to_string(info.index);
    });
// clang-format on

TEST_F(CreditNoteScenario, TheListRefusesNothingChosenAndANoteOfANote) {
    registerInvoiceAndOpenTheList();
    struct Case {
        const char* name;
        int line;  // -1: none chosen
        QString told;
    };
    chooseOnly(0);
    creditNote();
    find<QLineEdit>("DataNota")->setText(QStringLiteral("08/03/2024"));
    boxes
        .expect(question("Registrare la nota di credito n. 2 del 08/03/2024 di 1.268,80, a "
                         "storno della fattura n. 1 del 07/03/2024?"),
                app::Answer::Yes)
        .expect(information("Nota di credito n. 2 registrata, a storno della fattura n. 1 del "
                            "07/03/2024."));
    find<controls::XPButton>("RegistraNota")->click();

    const Case cases[] = {
        {"nothing chosen", -1,
         "Nessuna fattura scelta: scegliere nel registro, con Ctrl+clic, la fattura da stornare."},
        {"the credit note", 1,
         "La n. 2 del 08/03/2024 è una nota di credito (della fattura n. 1): una nota di credito "
         "non si storna. Scegliere la fattura."},
        {"the invoice credited in full", 0,
         "La fattura n. 1 del 07/03/2024 è già stornata per intero dalle sue note di credito: non "
         "resta nulla da stornare."},
    };
    for (const Case& c : cases) {
        if (c.line < 0)
            ui->ListView3->selectionModel()->clearSelection();
        else
            chooseOnly(c.line);
        boxes.expect(warning(c.told));
        creditNote();
        EXPECT_TRUE(ui->Frame1->isVisibleTo(window.get())) << c.name;
    }
    EXPECT_EQ(invoices().text(4, Id), "");
}

// A control added to the page without a name would be silent to a screen reader.
TEST_F(CreditNoteScenario, EveryInputOfThePageSpeaksAName) {
    registerInvoiceAndOpenTheList();
    chooseOnly(0);
    creditNote();
    auto* page = find<QGroupBox>("NotaCredito");
    int inputs = 0;
    for (QWidget* control : page->findChildren<QWidget*>()) {
        if (!qobject_cast<QLineEdit*>(control) && !qobject_cast<QAbstractButton*>(control) &&
            !qobject_cast<QLabel*>(control))
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        ASSERT_TRUE(accessible);
        EXPECT_FALSE(accessible->text(QAccessible::Name).trimmed().isEmpty())
            << control->objectName().toStdString();
        inputs += qobject_cast<QLabel*>(control) ? 0 : 1;
    }
    EXPECT_EQ(inputs, 8);
}

}  // namespace
