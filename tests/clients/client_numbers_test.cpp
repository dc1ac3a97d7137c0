// A client's number names one client: a new client never takes a number that a
// client row, an invoice or a stored delivery address still carries, and a deleted
// client's delivery address goes with it, after a warning when invoices carry it.
#include <QFile>

#include <functional>
#include <vector>

#include "app/qt_message_boxes.h"
#include "client_window.h"
#include "support/file_bytes.h"
#include "support/shots.h"

#include <QTimer>
#include "registers/einvoice_codes.h"
#include "registers/invoice_register.h"

namespace {

using namespace clients_test;
using app::Answer;
namespace col = registers::client;

using test_support::fileBytes;

struct Invoice {
    const char* clientId;
    const char* collection;  // "" or "*": not collected
};

class ClientNumbers : public ClientWindowTest {
  public:
    // For the rows that arrange the window.
    using ClientWindowTest::insert;
    using ClientWindowTest::tick;
    using ClientWindowTest::window;

    void addInvoices(const std::vector<Invoice>& list) {
        registers::InvoiceRegister invoices(data.sheet(store::kInvoicesSheet));
        for (const Invoice& i : list) {
            registers::InvoiceRecord invoice;
            invoice[registers::invoice::Id] = QString::number(++invoiceCount_);
            invoice[registers::invoice::Number] = QString::number(invoiceCount_);
            invoice[registers::invoice::ClientId] = QString::fromLatin1(i.clientId);
            invoice[registers::invoice::Client] = QStringLiteral("ROSSI");
            invoice[registers::invoice::Date] = QStringLiteral("01/02/2024");
            invoice[registers::invoice::Collection] = QString::fromLatin1(i.collection);
            ASSERT_TRUE(invoices.append(invoice).ok());
        }
    }
    registers::EinvoiceCodes codes() {
        registers::prepareEinvoiceCodesSheet(data.store());
        return registers::EinvoiceCodes(data.sheet(registers::kEinvoiceCodesSheet));
    }
    void setCounterByHand(const QString& number) {
        boxes.expect(notice("Ora puoi Cambiare il Progressivo compilando il campo ID PROGRESSIVO",
                            " Talvese", app::Icon::Information));
        tick("Check7");
        QTest::keyClicks(control("Text10"), number);
        control("Text26")->setFocus();
    }

  private:
    int invoiceCount_ = 0;
};

app::Message takenQuestion(const QString& counter, const char* described, const QString& free) {
    return {QStringLiteral("Il numero %1 del contatore è ancora usato da:\n%2\n\nDato a un nuovo "
                           "cliente, gli passerebbero fatture, situazione e indirizzo della "
                           "fattura elettronica di quel numero.\n\nDare al nuovo cliente il primo "
                           "numero libero, %3? (No: il cliente non viene inserito)")
                .arg(counter, QString::fromUtf8(described), free),
            QStringLiteral("Gestione"), app::Icon::Warning, app::Buttons::YesNo};
}

// How the counter came to stand on a number in use, what carries it, and the first
// number nothing carries.
struct TakenNumber {
    const char* what;
    std::function<void(ClientNumbers&)> arrange;
    const char* counter;
    const char* described;
    const char* free;
    int newRow;  // where the new client goes
};

class NewClientOnATakenNumber : public ClientNumbers,
                                public testing::WithParamInterface<TakenNumber> {};

TEST_P(NewClientOnATakenNumber, IsRefusedOrGetsTheFirstFreeNumber) {
    const TakenNumber& t = GetParam();
    t.arrange(*this);
    ASSERT_EQ(text("Text10"), t.counter) << t.what;
    const std::vector<registers::ClientRecord> before = registers::ClientSheet(sheet()).rows();
    const QByteArray fileBefore = fileBytes(data.path());

    type("Text26", QStringLiteral("nuovo"));
    boxes.expect(kInsertQuestion, Answer::Yes)
        .expect(
            takenQuestion(QString::fromLatin1(t.counter), t.described, QString::fromLatin1(t.free)),
            Answer::No);
    click("XPButton4");
    EXPECT_EQ(registers::ClientSheet(sheet()).rows(), before) << t.what;
    EXPECT_EQ(fileBytes(data.path()), fileBefore) << t.what;
    EXPECT_EQ(text("Text26"), "NUOVO") << t.what;
    EXPECT_EQ(text("Text10"), t.counter) << t.what;

    boxes.expect(kInsertQuestion, Answer::Yes)
        .expect(
            takenQuestion(QString::fromLatin1(t.counter), t.described, QString::fromLatin1(t.free)),
            Answer::Yes)
        .expect(kAdded);
    click("XPButton4");
    const store::Worksheet saved = data.reopened(store::kClientsSheet);
    EXPECT_EQ(saved.text(t.newRow, col::Name), "NUOVO") << t.what;
    EXPECT_EQ(saved.text(t.newRow, col::Id), t.free) << t.what;
    EXPECT_EQ(saved.value(1, kCounterColumn),
              store::Value::number(QString::fromLatin1(t.free).toDouble() + 1))
        << t.what;
}

INSTANTIATE_TEST_SUITE_P(
    Clients, NewClientOnATakenNumber,
    testing::Values(TakenNumber{"the counter reset onto two clients",
                                [](ClientNumbers& t) {
                                    t.insert(QStringLiteral("rossi"));
                                    t.insert(QStringLiteral("bianchi"));
                                    t.tick("Check6");
                                },
                                "1", "- il cliente ROSSI", "3", 4},
                    TakenNumber{"the counter changed by hand onto a number only invoices carry",
                                [](ClientNumbers& t) {
                                    t.addInvoices({{"5", ""}, {"5", "10/03/2024"}, {"6", "*"}});
                                    t.setCounterByHand(QStringLiteral("5"));
                                },
                                "5", "- 2 fatture, di cui 1 non ancora incassata", "7", 2},
                    TakenNumber{"the clients emptied while their invoices stay",
                                [](ClientNumbers& t) {
                                    t.addInvoices({{"1", "10/03/2024"}, {"2", ""}});
                                    t.window->activate();
                                },
                                "1", "- 1 fattura", "3", 2},
                    TakenNumber{"a recipient code still stored for the number",
                                [](ClientNumbers& t) {
                                    t.codes().setAddressing(QStringLiteral("1"),
                                                            QStringLiteral("ROSSI"),
                                                            {QStringLiteral("ABC1234"), {}});
                                    t.window->activate();
                                },
                                "1", "- il codice destinatario o la PEC della fattura elettronica",
                                "2", 2}),
    [](const testing::TestParamInfo<TakenNumber>& info) { return std::to_string(info.index); });

// With BRISVEL_SHOTS set (under Xvfb), the window with a new client typed after a
// counter reset, and the question it then asks in the program's real message box.
TEST_F(ClientNumbers, TheTakenNumberQuestionCanBePictured) {
    if (test_support::shotsFolder().isEmpty())
        GTEST_SKIP() << "pictures only";
    insert(QStringLiteral("rossi"));
    tick("Check6");
    type("Text26", QStringLiteral("  verdi  "));
    type("Text1", QStringLiteral("it60 x054 2811 1010 0000 0123 456"));
    window->resize(900, 600);
    test_support::settle(*window);
    test_support::saveWindowShot(*window, QStringLiteral("client-window-counter-reset"));
    QTimer::singleShot(0, [] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            test_support::settle(*box);
            test_support::saveWindowShot(*box, QStringLiteral("client-number-question"));
            box->close();
        }
    });
    app::QtMessageBoxes real;
    real.askYesNo(
        takenQuestion(QStringLiteral("1"), "- il cliente ROSSI", QStringLiteral("2")).text,
        QStringLiteral("Gestione"), app::Icon::Warning);
}

TEST_F(ClientNumbers, ANumberNothingCarriesIsTakenWithoutAQuestion) {
    addInvoices({{"4", ""}});
    registers::EinvoiceCodes stored = codes();
    stored.setAddressing(QStringLiteral("5"), QStringLiteral("X"),
                         {registers::kNoRecipientCode, {}});
    insert(QStringLiteral("rossi"));
    setCounterByHand(QStringLiteral("5"));
    insert(QStringLiteral("bianchi"));
    EXPECT_EQ(sheet().text(3, col::Id), "5");
}

app::Message deleteWarning(const char* name, const char* described, bool uncollected) {
    return {QStringLiteral("Al cliente %1 sono intestate:\n%2\n\nLe fatture restano registrate, "
                           "ma i dati del cliente (indirizzo, codice fiscale, partita IVA) non "
                           "saranno più in archivio%3.\n\nSi vuole eliminare il cliente?")
                .arg(QString::fromLatin1(name), QString::fromUtf8(described),
                     uncollected ? QStringLiteral(", anche per le fatture ancora da incassare")
                                 : QString()),
            QStringLiteral("Gestione "), app::Icon::Warning, app::Buttons::YesNo};
}

// The question before deleting client 1 (ROSSI, recipient code ABC1234), by the
// invoices that carry its number.
struct Deletion {
    const char* what;
    std::vector<Invoice> invoices;
    app::Message question;
};

class DeletingAClient : public ClientNumbers, public testing::WithParamInterface<Deletion> {};

TEST_P(DeletingAClient, WarnsOfItsInvoicesAndTakesItsDeliveryAddress) {
    const Deletion& d = GetParam();
    registers::EinvoiceCodes stored = codes();
    insert(QStringLiteral("rossi"));
    insert(QStringLiteral("bianchi"));
    stored.setAddressing(QStringLiteral("1"), QStringLiteral("ROSSI"),
                         {QStringLiteral("ABC1234"), QStringLiteral("rossi@pec.it")});
    stored.setAddressing(QStringLiteral("2"), QStringLiteral("BIANCHI"),
                         {QStringLiteral("XYZ9876"), {}});
    addInvoices(d.invoices);
    esci();  // everything on disk
    open();

    choose(0);
    const QByteArray fileBefore = fileBytes(data.path());
    boxes.expect(d.question, Answer::No);
    click("XPButton3");
    EXPECT_EQ(sheet().text(2, col::Name), "ROSSI") << d.what;
    EXPECT_EQ(fileBytes(data.path()), fileBefore) << d.what;

    boxes.expect(d.question, Answer::Yes).expect(kDeleted);
    click("XPButton3");
    EXPECT_EQ(data.reopened(store::kClientsSheet).text(2, col::Name), "BIANCHI") << d.what;
    const registers::EinvoiceCodes saved(data.reopened(registers::kEinvoiceCodesSheet));
    EXPECT_EQ(saved.addressing(QStringLiteral("1")),
              (registers::ClientAddressing{registers::kNoRecipientCode, {}}))
        << d.what;
    EXPECT_EQ(saved.addressing(QStringLiteral("2")).recipientCode, "XYZ9876") << d.what;
}

INSTANTIATE_TEST_SUITE_P(
    Clients, DeletingAClient,
    testing::Values(Deletion{"no invoices: the usual question", {{"2", ""}}, kDeleteQuestion},
                    Deletion{"collected invoices",
                             {{"1", "10/03/2024"}, {"2", ""}},
                             deleteWarning("ROSSI", "- 1 fattura", false)},
                    Deletion{"invoices still to collect",
                             {{"1", "10/03/2024"}, {"1", ""}, {"1", "*"}},
                             deleteWarning("ROSSI", "- 3 fatture, di cui 2 non ancora incassate",
                                           true)}),
    [](const testing::TestParamInfo<Deletion>& info) { return std::to_string(info.index); });

}  // namespace
