// The client's IBAN: its printed form is typed or pasted whole, the blanks dropped,
// and a code whose control digits disagree is refused at Inserisci and Modifica.
#include <QFile>

#include "client_window.h"
#include "registers/iban.h"
#include "support/file_bytes.h"

namespace {

using namespace clients_test;
using app::Answer;
namespace col = registers::client;

using test_support::fileBytes;

app::Message ibanRefusal(const QString& shown) {
    return {QStringLiteral("Il campo IBAN non è valido: il codice %1 non ha la forma di un IBAN o "
                           "le sue cifre di controllo non corrispondono al resto del codice.\n"
                           "Controllare il codice (o lasciarlo vuoto). Nulla è stato registrato.")
                .arg(shown),
            QStringLiteral("Gestione"), app::Icon::Warning, app::Buttons::Ok};
}

class ClientIban : public ClientWindowTest {};

TEST_F(ClientIban, TheFieldTakesThePrintedFormWhole) {
    const struct {
        QString typed;
        const char* shown;
    } cases[] = {
        {QStringLiteral("it60 x054 2811 1010 0000 0123 456"), "IT60X0542811101000000123456"},
        {QStringLiteral("IT60-X054.2811/1010"), "IT60X05428111010"},
        // The longest IBAN of any country is 34 characters.
        {QStringLiteral("MT84 MALT 0110 0001 2345 MTLC AST0 01S 999"),
         "MT84MALT011000012345MTLCAST001S999"},
    };
    for (const auto& c : cases) {
        control("Text1")->clear();
        type("Text1", c.typed);
        EXPECT_EQ(text("Text1"), c.shown) << c.typed.toStdString();
    }
}

// An IBAN confirmed at Inserisci (client BIANCHI) or Modifica (client ROSSI, stored
// with the IBAN of `stored`).
struct ConfirmedIban {
    const char* what;
    bool changing;
    QString stored;   // ROSSI's IBAN as an earlier version may have left it
    QString entered;  // set into the field as a paste does
    bool accepted;    // otherwise refused, naming the field
    const char* kept;
};

class ConfirmingAnIban : public ClientIban, public testing::WithParamInterface<ConfirmedIban> {};

TEST_P(ConfirmingAnIban, KeepsOnlyAnIbanWithAgreeingControlDigits) {
    const ConfirmedIban& c = GetParam();
    insert(QStringLiteral("rossi"));
    ASSERT_TRUE(sheet().setValue(2, col::Iban, c.stored).ok());
    esci();
    open();
    const QByteArray fileBefore = fileBytes(data.path());
    const registers::ClientRecord rossiBefore = registers::ClientSheet(sheet()).row(2);
    if (c.changing)
        choose(0);
    else
        type("Text26", QStringLiteral("bianchi"));
    control("Text1")->setText(c.entered);
    const int row = c.changing ? 2 : 3;

    if (c.accepted) {
        boxes.expect(c.changing ? kModified : kInsertQuestion,
                     c.changing ? Answer::Ok : Answer::Yes);
        if (!c.changing)
            boxes.expect(kAdded);
        click(c.changing ? "XPButton1" : "XPButton4");
        EXPECT_EQ(data.reopened(store::kClientsSheet).text(row, col::Iban), c.kept) << c.what;
        return;
    }
    boxes.expect(ibanRefusal(registers::ibanCharacters(c.entered)));
    click(c.changing ? "XPButton1" : "XPButton4");
    EXPECT_EQ(QApplication::focusWidget(), control("Text1")) << c.what;
    EXPECT_EQ(registers::ClientSheet(sheet()).row(2), rossiBefore) << c.what;
    EXPECT_TRUE(sheet().value(3, col::Id).isEmpty()) << c.what;
    EXPECT_EQ(fileBytes(data.path()), fileBefore) << c.what;
}

const QString kValid = QStringLiteral("IT60X0542811101000000123456");
const QString kPrinted = QStringLiteral("IT60 X054 2811 1010 0000 0123 456");

INSTANTIATE_TEST_SUITE_P(
    Clients, ConfirmingAnIban,
    testing::Values(
        ConfirmedIban{
            "a valid IBAN inserted", false, {}, kValid, true, "IT60X0542811101000000123456"},
        ConfirmedIban{"no IBAN inserted", false, {}, {}, true, ""},
        ConfirmedIban{"a wrong control digit inserted",
                      false,
                      {},
                      QStringLiteral("IT61X0542811101000000123456"),
                      false,
                      ""},
        ConfirmedIban{
            "a cut IBAN inserted", false, {}, QStringLiteral("IT60X054281110"), false, ""},
        ConfirmedIban{"a changed digit of the account", true, kValid,
                      QStringLiteral("IT60X0542811101000000123457"), false, ""},
        ConfirmedIban{"a stored printed form written back without blanks", true, kPrinted, kPrinted,
                      true, "IT60X0542811101000000123456"},
        ConfirmedIban{"a stored printed form with a wrong digit", true,
                      QStringLiteral("IT60 X054 2811 1010 0000 0123 999"),
                      QStringLiteral("IT60 X054 2811 1010 0000 0123 999"), false, ""}),
    [](const testing::TestParamInfo<ConfirmedIban>& info) { return std::to_string(info.index); });

}  // namespace
