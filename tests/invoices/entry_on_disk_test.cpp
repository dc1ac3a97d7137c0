// The entry window's confirmed steps are in Gestione.xls when the user is told they
// are done, and a value the register cannot hold is refused before anything is
// written.
#include <QFile>

#include <functional>

#include "entry_window.h"
#include "registers/entered_values.h"
#include "support/file_bytes.h"

namespace {

using namespace invoices_test;
using app::Answer;

using test_support::fileBytes;

app::Message warning(const std::optional<QString>& text) {
    return {text.value_or(QStringLiteral("<no refusal>")), QStringLiteral("Gestione"),
            app::Icon::Warning, app::Buttons::Ok};
}

class EntryOnDisk : public EntryWindowTest {
  protected:
    // One invoice registered, and the file saved as the test's starting point.
    void registerOne() {
        fillWorkedExample();
        registerAnsweringYes();
    }
    // Opens the register list, chooses the first invoice: modification mode.
    void modifyFirst() {
        ui->XPButton3->click();
        chooseLine(0);
        ASSERT_EQ(ui->XPButton3->text(), "Modifica");
    }
};

TEST_F(EntryOnDisk, ARegisteredInvoiceIsInTheFileWithoutASavePoint) {
    registerOne();
    const store::Worksheet saved = data.reopened(store::kInvoicesSheet);
    EXPECT_EQ(saved.text(2, Client), "ROSSI MARIO");
    EXPECT_EQ(saved.text(2, Net), "1.068,80");
    EXPECT_EQ(saved.value(1, kNumberCounterColumn).toNumber(), 2);
}

TEST_F(EntryOnDisk, ACollectionDateIsInTheFileWithoutASavePoint) {
    registerOne();
    modifyFirst();
    clock.set(QDateTime(QDate(2024, 4, 15), QTime(18, 0)));
    ui->Text13->setText(QStringLiteral("15/04/2024"));
    boxes.expect(kModified);
    ui->XPButton3->click();
    const store::Worksheet saved = data.reopened(store::kInvoicesSheet);
    EXPECT_EQ(saved.text(2, Collection), "15/04/2024");
    EXPECT_TRUE(saved.value(2, Collection).isNumber()) << "stored as a date";
}

TEST_F(EntryOnDisk, AFailedSaveIsToldInsteadOfTheRegistration) {
    fillWorkedExample();
    data.removeFolder();
    const auto failed = data.store().saveStore();
    ASSERT_FALSE(failed.ok());
    boxes.expect(kQuestion, Answer::Yes)
        .expect({"Salvataggio di Gestione.xls non riuscito.\n" + failed.error().message +
                     "\nLe modifiche restano in memoria e saranno salvate al prossimo "
                     "salvataggio.",
                 "Gestione", app::Icon::Critical, app::Buttons::Ok});
    ui->XPButton4->click();
    EXPECT_EQ(invoices().text(2, Client), "ROSSI MARIO") << "the invoice stays in memory";
    EXPECT_EQ(ui->Text10->text(), "2") << "and is not registered twice";
    EXPECT_TRUE(data.store().workbook().hasUnsavedChanges());
}

// A value refused at "Registra" or "Modifica": the message names the field, the
// field takes the focus, the fields stay as typed, and neither the register nor
// the file changes.
struct Refusal {
    const char* what;
    bool modifying;
    std::function<void(EntryControlsByName&)> enter;
    QLineEdit* (*dateField)(EntryControlsByName&);  // null: the description is refused
    const char* field;
};

class EntryRefusal : public EntryOnDisk, public testing::WithParamInterface<Refusal> {};

TEST_P(EntryRefusal, NamesTheFieldAndWritesNothing) {
    const Refusal& r = GetParam();
    if (r.modifying) {
        registerOne();
        modifyFirst();
    } else {
        fillWorkedExample();
        ASSERT_TRUE(data.store().saveStore().ok());
    }
    r.enter(*ui);
    const QByteArray fileBefore = fileBytes(data.path());
    const registers::InvoiceRecord rowBefore = registers::InvoiceRegister(invoices()).row(2);
    QWidget* refusedField =
        r.dateField ? static_cast<QWidget*>(r.dateField(*ui)) : static_cast<QWidget*>(ui->Text15);
    const QString typed = r.dateField ? r.dateField(*ui)->text() : ui->Text15->toPlainText();
    boxes.expect(warning(r.dateField
                             ? registers::dateRefusal(QString::fromUtf8(r.field), typed)
                             : registers::overlongTextRefusal(QString::fromUtf8(r.field), typed)));
    (r.modifying ? ui->XPButton3 : ui->XPButton4)->click();

    EXPECT_EQ(boxes.failures(), 0) << r.what;
    EXPECT_EQ(QApplication::focusWidget(), refusedField) << r.what;
    EXPECT_EQ(r.dateField ? r.dateField(*ui)->text() : ui->Text15->toPlainText(), typed) << r.what;
    EXPECT_EQ(registers::InvoiceRegister(invoices()).row(2), rowBefore) << r.what;
    EXPECT_EQ(fileBytes(data.path()), fileBefore) << r.what;
}

QLineEdit* invoiceDate(EntryControlsByName& w) {
    return w.Text2;
}
QLineEdit* collectionDate(EntryControlsByName& w) {
    return w.Text13;
}
const QString kLongDescription(40000, u'x');

INSTANTIATE_TEST_SUITE_P(
    AtRegistraAndModifica, EntryRefusal,
    testing::Values(
        Refusal{"a description longer than a cell", false,
                [](EntryControlsByName& w) { w.Text15->setPlainText(kLongDescription); }, nullptr,
                "Descrizione"},
        Refusal{"the 31st of February", false,
                [](EntryControlsByName& w) { w.Text2->setText(QStringLiteral("31/02/2026")); },
                invoiceDate, "Data"},
        Refusal{"a date that is a word", false,
                [](EntryControlsByName& w) { w.Text2->setText(QStringLiteral("ieri")); },
                invoiceDate, "Data"},
        Refusal{"a collection date of month 13", false,
                [](EntryControlsByName& w) { w.Text13->setText(QStringLiteral("01/13/2026")); },
                collectionDate, "Data Riscossione"},
        Refusal{"a modified date of the 30th of February", true,
                [](EntryControlsByName& w) { w.Text2->setText(QStringLiteral("30/02/2024")); },
                invoiceDate, "Data"},
        Refusal{"a collection date of the 31st of April", true,
                [](EntryControlsByName& w) { w.Text13->setText(QStringLiteral("31/04/2024")); },
                collectionDate, "Data Riscossione"},
        Refusal{"a modified description longer than a cell", true,
                [](EntryControlsByName& w) { w.Text15->setPlainText(kLongDescription); }, nullptr,
                "Descrizione"}));

// A collection date after today asks first: "No" keeps what was typed, gives the
// date its focus back and writes nothing; "Sì", or a date up to today, writes it.
struct FutureCollection {
    const char* what;
    QDate today;
    const char* typed;
    std::optional<Answer> answer;  // none: no question
};

class EntryFutureCollection : public EntryOnDisk,
                              public testing::WithParamInterface<FutureCollection> {};

TEST_P(EntryFutureCollection, IsAskedBeforeItIsWritten) {
    const FutureCollection& c = GetParam();
    registerOne();
    modifyFirst();
    clock.set(QDateTime(c.today, QTime(9, 0)));
    ui->Text13->setText(QString::fromUtf8(c.typed));
    const QByteArray fileBefore = fileBytes(data.path());
    if (c.answer)
        boxes.expect({*registers::futureCollectionQuestion(ui->Text13->text(), c.today), "Gestione",
                      app::Icon::Question, app::Buttons::YesNo},
                     *c.answer);
    const bool written = c.answer != Answer::No;
    if (written)
        boxes.expect(kModified);
    ui->XPButton3->click();
    EXPECT_EQ(boxes.failures(), 0) << c.what;
    if (written) {
        EXPECT_EQ(data.reopened(store::kInvoicesSheet).text(2, Collection), c.typed) << c.what;
    } else {
        EXPECT_EQ(fileBytes(data.path()), fileBefore) << c.what;
        EXPECT_EQ(QApplication::focusWidget(), ui->Text13) << c.what;
        EXPECT_EQ(ui->Text13->text(), c.typed) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    AtModifica, EntryFutureCollection,
    testing::Values(
        FutureCollection{"collected today", QDate(2024, 4, 15), "15/04/2024", std::nullopt},
        FutureCollection{"collected last month", QDate(2024, 4, 15), "15/03/2024", std::nullopt},
        FutureCollection{"tomorrow, the user corrects it", QDate(2024, 4, 14), "15/04/2024",
                         Answer::No},
        FutureCollection{"next year, the user confirms it", QDate(2024, 4, 14), "15/04/2025",
                         Answer::Yes}));

TEST_F(EntryOnDisk, AFutureCollectionAtRegistraIsAskedToo) {
    fillWorkedExample();
    ui->Text13->setText(QStringLiteral("08/03/2024"));
    boxes.expect({*registers::futureCollectionQuestion(QStringLiteral("08/03/2024"), clock.today()),
                  "Gestione", app::Icon::Question, app::Buttons::YesNo},
                 Answer::No);
    ui->XPButton4->click();
    EXPECT_EQ(registers::InvoiceRegister(invoices()).rowCount(), 0);
    EXPECT_EQ(ui->Text13->text(), "08/03/2024");
}

// The longest description is the electronic invoice's, 1000 characters, well within a cell.
TEST_F(EntryOnDisk, ADescriptionAsLongAsTheElectronicInvoiceTakesIsRegistered) {
    fillWorkedExample();
    ui->Text15->setPlainText(QString(1000, u'x'));
    registerAnsweringYes();
    EXPECT_EQ(data.reopened(store::kInvoicesSheet).text(2, Description).size(), 1000);
}

}  // namespace
