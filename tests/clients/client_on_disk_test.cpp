// The client window's confirmed steps are in Gestione.xls when their message shows,
// and a date or a text the client sheet cannot hold is refused before anything is
// written.
#include <QFile>

#include <functional>

#include "client_window.h"
#include "registers/entered_values.h"
#include "support/file_bytes.h"

namespace {

using namespace clients_test;
using app::Answer;
using registers::client::Column;
namespace c = registers::client;

using test_support::fileBytes;

class ClientOnDisk : public ClientWindowTest {
  protected:
    store::Worksheet saved() { return data.reopened(store::kClientsSheet); }
};

class ClientStepOnDisk;

// Each step, then what the file holds at once, with no save point in between.
struct SavedStep {
    const char* what;
    std::function<void(ClientStepOnDisk&)> step;
    int row;
    Column column;
    const char* inTheFile;
};

class ClientStepOnDisk : public ClientOnDisk, public testing::WithParamInterface<SavedStep> {
  public:
    using ClientOnDisk::boxes;
    using ClientOnDisk::choose;
    using ClientOnDisk::click;
    using ClientOnDisk::insert;
    using ClientOnDisk::type;
};

TEST_P(ClientStepOnDisk, IsInTheFileWhenItsMessageShows) {
    GetParam().step(*this);
    EXPECT_EQ(saved().text(GetParam().row, GetParam().column), GetParam().inTheFile)
        << GetParam().what;
}

using S = ClientStepOnDisk;
INSTANTIATE_TEST_SUITE_P(
    InsertChangeDelete, ClientStepOnDisk,
    testing::Values(SavedStep{"an inserted client", [](S& s) { s.insert(QStringLiteral("rossi")); },
                              2, c::Name, "ROSSI"},
                    SavedStep{"an inserted client's date",
                              [](S& s) {
                                  s.type("Text18", QStringLiteral("05/03/2026"));
                                  s.insert(QStringLiteral("rossi"));
                              },
                              2, c::Date, "05/03/2026"},
                    SavedStep{"a changed client",
                              [](S& s) {
                                  s.insert(QStringLiteral("rossi"));
                                  s.choose(0);
                                  s.type("Text23", QStringLiteral("roma"));
                                  s.boxes.expect(kModified);
                                  s.click("XPButton1");
                              },
                              2, c::Town, "ROMA"},
                    SavedStep{"a deleted client",
                              [](S& s) {
                                  s.insert(QStringLiteral("rossi"));
                                  s.insert(QStringLiteral("bianchi"));
                                  s.choose(0);
                                  s.boxes.expect(kDeleteQuestion, Answer::Yes).expect(kDeleted);
                                  s.click("XPButton3");
                              },
                              3, c::Name, ""}));

const QString kWrongVat = QStringLiteral(
    "La partita IVA del cliente %1 non è valida (\"%2\": undici cifre, l'ultima di "
    "controllo).\nCorreggerlo (o lasciarlo vuoto): nulla è stato registrato.");
const QString kWrongTaxCode = QStringLiteral(
    "Il codice fiscale del cliente %1 non è valido (\"%2\": carattere di controllo errato o "
    "formato sbagliato).\nCorreggerlo (o lasciarlo vuoto): nulla è stato registrato.");
const QString kForeignName = QStringLiteral(
    "Il campo INSERISCI-Ragione Sociale/Cognome-Nome non andrebbe nella fattura elettronica: "
    "la ragione sociale del cliente %1 contiene il carattere \"%2\" (U+%3), che la fattura "
    "elettronica non ammette.\nCorreggerlo: nulla è stato registrato.");

// A refused value: the message names the field, which takes the focus, and neither
// the sheet nor the file changes.
struct Refusal {
    const char* what;
    bool changing;  // "Modifica" of a chosen client; otherwise "Inserisci"
    const char* field;
    const char* spoken;
    QString typed;
    QString message = {};  // the refusal, when not the cell's or the date's
};

class ClientRefusal : public ClientOnDisk, public testing::WithParamInterface<Refusal> {};

TEST_P(ClientRefusal, NamesTheFieldAndWritesNothing) {
    const Refusal& r = GetParam();
    insert(QStringLiteral("rossi"));
    if (r.changing)
        choose(0);
    else
        type("Text26", QStringLiteral("bianchi"));
    QWidget* field = window->findChild<QWidget*>(QString::fromLatin1(r.field));
    ASSERT_TRUE(field);
    if (auto* notes = qobject_cast<QPlainTextEdit*>(field))
        notes->setPlainText(r.typed);
    else
        static_cast<QLineEdit*>(field)->setText(r.typed);
    const bool isDate = QString::fromLatin1(r.field) == u"Text18";
    const auto* notes = qobject_cast<QPlainTextEdit*>(field);
    const QString shown = notes ? notes->toPlainText() : static_cast<QLineEdit*>(field)->text();
    const std::optional<QString> refusal =
        !r.message.isEmpty() ? std::optional(r.message)
        : isDate             ? registers::dateRefusal(QString::fromUtf8(r.spoken), shown)
                             : registers::overlongTextRefusal(QString::fromUtf8(r.spoken), shown);
    ASSERT_TRUE(refusal) << r.what;
    const QByteArray fileBefore = fileBytes(data.path());
    const registers::ClientRecord rowBefore = registers::ClientSheet(sheet()).row(2);

    boxes.expect({*refusal, QStringLiteral("Gestione"), app::Icon::Warning, app::Buttons::Ok});
    click(r.changing ? "XPButton1" : "XPButton4");

    EXPECT_EQ(QApplication::focusWidget(), field) << r.what;
    EXPECT_EQ(registers::ClientSheet(sheet()).row(2), rowBefore) << r.what;
    EXPECT_TRUE(sheet().text(3, c::Name).isEmpty()) << r.what;
    EXPECT_EQ(fileBytes(data.path()), fileBefore) << r.what;
}

INSTANTIATE_TEST_SUITE_P(
    AtInserisciAndModifica, ClientRefusal,
    testing::Values(
        Refusal{"an inserted 31st of February", false, "Text18", "Data",
                QStringLiteral("31/02/2026")},
        Refusal{"an inserted date that is a word", false, "Text18", "Data", QStringLiteral("abc")},
        Refusal{"a changed date of month 13", true, "Text18", "Data", QStringLiteral("10/13/2026")},
        Refusal{"inserted annotations longer than a cell", false, "Text12", "Annotazioni",
                QString(40000, u'N')},
        Refusal{"changed annotations longer than a cell", true, "Text12", "Annotazioni",
                QString(registers::kCellTextLimit + 1, u'N')},
        Refusal{"an inserted VAT number with a wrong check digit", false, "Text2", "",
                "12345678901", kWrongVat.arg("BIANCHI", "12345678901")},
        Refusal{"an inserted VAT number of seven digits", false, "Text2", "", "1234567",
                kWrongVat.arg("BIANCHI", "1234567")},
        Refusal{"a changed tax code of three letters", true, "Text19", "", "ABC",
                kWrongTaxCode.arg("ROSSI", "ABC")},
        Refusal{"an inserted name with a Polish letter", false, "Text26", "", "BIAŁY",
                kForeignName.arg("BIAŁY", "Ł", "0141")},
        Refusal{"a changed name with an emoji", true, "Text26", "", "ROSSI 😀",
                kForeignName.arg("ROSSI 😀", "😀", "1F600")}));

}  // namespace
