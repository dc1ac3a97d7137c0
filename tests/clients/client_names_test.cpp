// A client's name is stored without the blanks around it, and a second client of
// exactly the same name is inserted only when the user says so.
#include <QFile>

#include <optional>

#include "client_window.h"
#include "support/file_bytes.h"

namespace {

using namespace clients_test;
using app::Answer;
namespace col = registers::client;

using test_support::fileBytes;

app::Message namesakeQuestion(const char* name, const char* id) {
    return {QStringLiteral("Un cliente di nome %1 è già registrato (ID Progressivo %2).\n"
                           "Inserire comunque un secondo cliente con lo stesso nome?")
                .arg(QString::fromLatin1(name), QString::fromLatin1(id)),
            QStringLiteral(" Gestione"), app::Icon::Warning, app::Buttons::YesNo};
}

// ROSSI (number 1) and, stored by an earlier version with blanks, " BIANCHI "
// (number 2) are registered; then a name is typed and inserted.
struct Insertion {
    const char* what;
    QString typed;
    std::optional<app::Message> question;  // none: the usual question
    Answer answer;
    const char* stored;  // row 4's name; "": nothing written
};

class InsertingAName : public ClientWindowTest, public testing::WithParamInterface<Insertion> {};

TEST_P(InsertingAName, IsTrimmedAndANamesakeNeedsAYes) {
    const Insertion& i = GetParam();
    insert(QStringLiteral("rossi"));
    insert(QStringLiteral("bianchi"));
    ASSERT_TRUE(sheet().setValue(3, col::Name, QStringLiteral(" BIANCHI ")).ok());
    esci();
    open();
    const QByteArray fileBefore = fileBytes(data.path());

    type("Text26", i.typed);
    boxes.expect(i.question.value_or(kInsertQuestion), i.answer);
    if (*i.stored)
        boxes.expect(kAdded);
    click("XPButton4");

    if (*i.stored) {
        EXPECT_EQ(data.reopened(store::kClientsSheet).text(4, col::Name), i.stored) << i.what;
        EXPECT_EQ(data.reopened(store::kClientsSheet).text(4, col::Id), "3") << i.what;
    } else {
        EXPECT_TRUE(sheet().value(4, col::Id).isEmpty()) << i.what;
        EXPECT_EQ(fileBytes(data.path()), fileBefore) << i.what;
        if (i.question) {  // the fields stay, to be corrected
            EXPECT_EQ(text("Text26"), i.typed.toUpper()) << i.what;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Clients, InsertingAName,
    testing::Values(Insertion{"blanks around a new name", QStringLiteral("  verdi  "), std::nullopt,
                              Answer::Yes, "VERDI"},
                    Insertion{"a namesake, inserted all the same", QStringLiteral("rossi"),
                              namesakeQuestion("ROSSI", "1"), Answer::Yes, "ROSSI"},
                    Insertion{"a namesake, refused", QStringLiteral("rossi"),
                              namesakeQuestion("ROSSI", "1"), Answer::No, ""},
                    Insertion{"a namesake once the blanks are gone", QStringLiteral(" rossi "),
                              namesakeQuestion("ROSSI", "1"), Answer::No, ""},
                    Insertion{"a namesake of a name stored with blanks", QStringLiteral("bianchi"),
                              namesakeQuestion("BIANCHI", "2"), Answer::Yes, "BIANCHI"},
                    Insertion{"a longer name is no namesake", QStringLiteral("rossi srl"),
                              std::nullopt, Answer::Yes, "ROSSI SRL"},
                    Insertion{"a different name, refused at the usual question",
                              QStringLiteral("neri"), std::nullopt, Answer::No, ""}),
    [](const testing::TestParamInfo<Insertion>& info) { return std::to_string(info.index); });

class ClientNames : public ClientWindowTest {};

TEST_F(ClientNames, ANameOfBlanksOnlyIsNoNameAndAChangedNameIsTrimmed) {
    type("Text26", QStringLiteral("   "));
    boxes.expect(
        notice(" ERRORE- Il Campo RAGIONE SOCIALE/COGNOME deve essere compilato", "Gestione"));
    click("XPButton4");
    EXPECT_TRUE(sheet().value(2, col::Id).isEmpty());

    control("Text26")->clear();
    insert(QStringLiteral("rossi"));
    choose(0);
    control("Text26")->clear();
    type("Text26", QStringLiteral("   "));
    boxes.expect(notice(" Il campo :  COGNOME/RAGIONE SOCIALE    deve essere compilato",
                        "Gestione ", app::Icon::Information));
    click("XPButton1");
    EXPECT_EQ(sheet().text(2, col::Name), "ROSSI");

    control("Text26")->clear();
    type("Text26", QStringLiteral(" rossi mario  "));
    boxes.expect(kModified);
    click("XPButton1");
    EXPECT_EQ(data.reopened(store::kClientsSheet).text(2, col::Name), "ROSSI MARIO");
}

}  // namespace
