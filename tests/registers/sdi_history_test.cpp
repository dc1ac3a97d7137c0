// The receipts' history: an invoice's state is the furthest answer about the last
// file it went to, or about an earlier one the client has, whatever order the
// receipts were read in; a receipt is known by
// its kind, file and message; the rows survive a save, a row spoiled by hand is
// passed over without being written over, and emptying the register forgets them.
#include "registers/sdi_history.h"

#include "registers/invoice_extras.h"
#include "store/workbook_store.h"
#include "support/prepared_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace {

using registers::SdiEvent;
using registers::SdiRecord;

SdiRecord event(const char* file, SdiEvent kind, const char* messageId = "") {
    SdiRecord r;
    r.invoiceId = QStringLiteral("7");
    r.file = QString::fromLatin1(file);
    r.event = kind;
    r.messageId = QString::fromLatin1(messageId);
    return r;
}

// The public client's answer (NE), dated when `date` is.
SdiRecord answer(const QString& outcome, const char* messageId, QDate date = {}) {
    SdiRecord r = event("A.xml", SdiEvent::Outcome, messageId);
    r.outcome = outcome;
    r.date = date;
    return r;
}

struct Life {
    const char* what;
    std::vector<SdiRecord> read;  // in the order kept
    const char* lastFile;
    std::optional<SdiEvent> state;
    const char* stateFile;
    QString outcome = {};  // of an answer: EC01 or EC02
};

class InvoiceState : public testing::TestWithParam<Life> {};

TEST_P(InvoiceState, IsTheFurthestAnswerAboutTheLastFileInEitherOrder) {
    const Life& l = GetParam();
    for (const bool reversed : {false, true}) {
        test_support::PreparedStore data;
        registers::prepareSdiHistorySheet(data.store());
        registers::SdiHistory history(data.sheet(registers::kSdiHistorySheet));
        std::vector<SdiRecord> read = l.read;
        if (reversed)
            std::ranges::reverse(read);
        for (const SdiRecord& r : read)
            ASSERT_TRUE(history.record(r).ok());
        const auto state = history.stateOf("7", QString::fromLatin1(l.lastFile));
        ASSERT_EQ(state.has_value(), l.state.has_value()) << l.what;
        if (!state)
            return;
        EXPECT_EQ(state->event, *l.state) << l.what << (reversed ? ", read backwards" : "");
        EXPECT_EQ(state->file, l.stateFile) << l.what << (reversed ? ", read backwards" : "");
        EXPECT_EQ(state->outcome, l.outcome) << l.what << (reversed ? ", read backwards" : "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Registers, InvoiceState,
    testing::Values(
        Life{"never exported", {}, "", std::nullopt, ""},
        Life{"exported before the history: its name alone",
             {},
             "A.xml",
             SdiEvent::Exported,
             "A.xml"},
        Life{"exported, no answer yet",
             {event("A.xml", SdiEvent::Exported)},
             "A.xml",
             SdiEvent::Exported,
             "A.xml"},
        Life{"delivered",
             {event("A.xml", SdiEvent::Exported), event("A.xml", SdiEvent::Delivered, "1")},
             "A.xml",
             SdiEvent::Delivered,
             "A.xml"},
        Life{"the end of the time to answer read before the delivery",
             {event("A.xml", SdiEvent::Exported), event("A.xml", SdiEvent::Deadline, "2"),
              event("A.xml", SdiEvent::Delivered, "1")},
             "A.xml",
             SdiEvent::Deadline,
             "A.xml"},
        Life{"not delivered, then attested",
             {event("A.xml", SdiEvent::Attested, "2"), event("A.xml", SdiEvent::NotDelivered, "1")},
             "A.xml",
             SdiEvent::Attested,
             "A.xml"},
        Life{"rejected, then sent again under a new name",
             {event("A.xml", SdiEvent::Exported), event("A.xml", SdiEvent::Rejected, "1"),
              event("B.xml", SdiEvent::Exported)},
             "B.xml",
             SdiEvent::Exported,
             "B.xml"},
        Life{"the second file delivered; the first stays rejected in the history",
             {event("A.xml", SdiEvent::Rejected, "1"), event("B.xml", SdiEvent::Delivered, "2")},
             "B.xml",
             SdiEvent::Delivered,
             "B.xml"},
        Life{"a file's name in another case",
             {event("a.XML", SdiEvent::Delivered, "1")},
             "A.xml",
             SdiEvent::Delivered,
             "a.XML"},
        Life{"the client's refusal is final over the end of its time to answer",
             {answer("EC02", "1"), event("A.xml", SdiEvent::Deadline, "2")},
             "A.xml",
             SdiEvent::Outcome,
             "A.xml",
             "EC02"},
        Life{"two answers: the later by date holds",
             {answer("EC02", "9", QDate(2025, 2, 12)), answer("EC01", "10", QDate(2025, 2, 10))},
             "A.xml",
             SdiEvent::Outcome,
             "A.xml",
             "EC02"},
        Life{"two answers without a date: the later message number holds",
             {answer("EC02", "31"), answer("EC01", "120")},
             "A.xml",
             SdiEvent::Outcome,
             "A.xml",
             "EC01"},
        Life{"delivered, then a copy rejected as a duplicate: still delivered",
             {event("A.xml", SdiEvent::Exported), event("A.xml", SdiEvent::Delivered, "1"),
              event("B.xml", SdiEvent::Exported), event("B.xml", SdiEvent::Rejected, "2")},
             "B.xml",
             SdiEvent::Delivered,
             "A.xml"},
        Life{"delivered, then a copy not yet answered: still delivered",
             {event("A.xml", SdiEvent::Delivered, "1"), event("B.xml", SdiEvent::Exported)},
             "B.xml",
             SdiEvent::Delivered,
             "A.xml"}),
    [](const testing::TestParamInfo<Life>& info) { return std::to_string(info.index); });

TEST(SdiHistory, KnowsAReceiptByItsKindFileAndMessage) {
    test_support::PreparedStore data;
    registers::prepareSdiHistorySheet(data.store());
    registers::SdiHistory history(data.sheet(registers::kSdiHistorySheet));
    ASSERT_TRUE(history.record(event("A.xml", SdiEvent::Rejected, "1")).ok());
    EXPECT_TRUE(history.holds(event("a.xml", SdiEvent::Rejected, "1")));
    EXPECT_FALSE(history.holds(event("A.xml", SdiEvent::Rejected, "2")));
    EXPECT_FALSE(history.holds(event("A.xml", SdiEvent::Delivered, "1")));
    EXPECT_FALSE(history.holds(event("B.xml", SdiEvent::Rejected, "1")));
    EXPECT_EQ(history.invoiceOfFile("a.xml"), "7");
    EXPECT_EQ(history.invoiceOfFile("B.xml"), "");
}

TEST(SdiHistory, RowsSurviveASaveAndASpoiledRowIsNeitherReadNorWrittenOver) {
    test_support::PreparedStore data;
    registers::prepareSdiHistorySheet(data.store());
    registers::prepareSdiHistorySheet(data.store());  // a second start adds nothing
    SdiRecord rejected = event("A.xml", SdiEvent::Rejected, "11");
    rejected.date = QDate(2025, 2, 4);
    rejected.sdiId = QStringLiteral("000123");
    rejected.errors = {QStringLiteral("00404 Fattura duplicata"),
                       QStringLiteral("00311 Codice destinatario non valido")};
    SdiRecord accepted = event("B.xml", SdiEvent::Outcome, "12");
    accepted.outcome = registers::kOutcomeAccepted;
    {
        registers::SdiHistory history(data.sheet(registers::kSdiHistorySheet));
        ASSERT_TRUE(history.record(rejected).ok());
    }
    // A user typed a kind the program does not know on the row below.
    const store::Worksheet sheet = data.sheet(registers::kSdiHistorySheet);
    ASSERT_TRUE(sheet.setIdentifier(3, 1, "7").ok());
    ASSERT_TRUE(sheet.setIdentifier(3, 2, "C.xml").ok());
    ASSERT_TRUE(sheet.setIdentifier(3, 3, "XX").ok());
    {
        registers::SdiHistory history(sheet);
        ASSERT_TRUE(history.record(accepted).ok());
    }
    ASSERT_TRUE(data.store().saveStore().ok());

    const store::Worksheet saved = data.reopened(registers::kSdiHistorySheet);
    EXPECT_EQ(saved.text(1, 8), "ERRORI");
    EXPECT_EQ(saved.text(2, 5), "000123") << "identifiers keep their zeros";
    EXPECT_EQ(saved.text(3, 3), "XX") << "the spoiled row is left as it was";
    const registers::SdiHistory reread(saved);
    EXPECT_EQ(reread.records(), (std::vector<SdiRecord>{rejected, accepted}));
    EXPECT_EQ(reread.records()[1].stateText(), "Accettata dal cliente");
    EXPECT_EQ(reread.records()[0].stateText(),
              "Scartata il 04/02/2025: 00404 Fattura duplicata; 00311 Codice destinatario non "
              "valido");
}

TEST(SdiHistory, EmptyingTheRegisterForgetsIt) {
    test_support::PreparedStore data;
    registers::prepareSdiHistorySheet(data.store());
    ASSERT_TRUE(registers::SdiHistory(data.sheet(registers::kSdiHistorySheet))
                    .record(event("A.xml", SdiEvent::Delivered, "1"))
                    .ok());
    registers::forgetSdiHistory(data.store());
    const registers::SdiHistory history(data.sheet(registers::kSdiHistorySheet));
    EXPECT_TRUE(history.records().empty());
    EXPECT_EQ(data.sheet(registers::kSdiHistorySheet).text(1, 3), "EVENTO");
}

TEST(SdiStates, AStoreWithoutTheSheetsHasNone) {
    test_support::PreparedStore data;
    EXPECT_FALSE(registers::SdiStates(data.store().workbook()).of("1"));
    registers::prepareInvoiceExtrasSheet(data.store());
    registers::InvoiceExtras(data.sheet(registers::kInvoiceExtrasSheet))
        .setExportedAs("1", "A.xml");
    const auto state = registers::SdiStates(data.store().workbook()).of("1");
    ASSERT_TRUE(state);
    EXPECT_EQ(state->stateText(), "Esportata");
    EXPECT_FALSE(registers::SdiStates(data.store().workbook()).of("2"));
}

}  // namespace
