// The invoice register on a prepared store: counters, append, rewrite, listing,
// and a register with no free row left.
#include "registers/invoice_register.h"

#include <gtest/gtest.h>

#include "store/workbook_store.h"
#include "support/prepared_store.h"

namespace registers {
// Failures name the cells.
inline void PrintTo(const InvoiceRecord& r, std::ostream* out) {
    for (int c = invoice::Id; c <= invoice::kColumns; ++c)
        *out << '|' << r[InvoiceColumn(c)].toStdString();
}
}  // namespace registers

namespace {

using registers::InvoiceRecord;
using registers::InvoiceRegister;
using namespace registers::invoice;

InvoiceRecord invoice(const QString& id, const QString& number, const QString& collection = {}) {
    InvoiceRecord r;
    r[Id] = id;
    r[Client] = QStringLiteral("2000");  // a name that reads as a number stays a name
    r[ClientId] = QStringLiteral("7");
    r[Number] = number;
    r[Date] = QStringLiteral("07/03/2024");
    r[Description] = QStringLiteral("Consulenza\nmarzo");
    r[Taxable] = QStringLiteral("1.000,00");
    r[Surcharge] = QStringLiteral("40,00");
    r[TotalTaxable] = QStringLiteral("1.040,00");
    r[Vat] = QStringLiteral("228,80");
    r[Exemption] = QStringLiteral("*");
    r[ExemptAmount] = QStringLiteral("0");
    r[Total] = QStringLiteral("1.268,80");
    r[Withholding] = QStringLiteral("200,00");
    r[Net] = QStringLiteral("1.068,80");
    r[Collection] = collection;
    r[PaidBy] = QStringLiteral("Bonifico");
    return r;
}

class InvoiceRegisterTest : public testing::Test {
  protected:
    store::Worksheet sheet() { return data.sheet(store::kInvoicesSheet); }
    InvoiceRegister book() { return InvoiceRegister(sheet()); }
    test_support::PreparedStore data;
};

TEST_F(InvoiceRegisterTest, EmptyCountersStartAtOneAndTheFirstInvoiceGoesToRowTwo) {
    InvoiceRegister r = book();
    const auto counters = r.ensureCounters();
    EXPECT_EQ(counters.record, "1");
    EXPECT_EQ(counters.number, "1");
    const auto row = r.append(invoice("1", "1"));
    ASSERT_TRUE(row.ok());
    EXPECT_EQ(*row, 2);
    EXPECT_EQ(sheet().value(1, kRecordCounterColumn).toNumber(), 2);
    EXPECT_EQ(sheet().value(1, kNumberCounterColumn).toNumber(), 2);
    EXPECT_EQ(sheet().text(2, Collection), "*");
    EXPECT_TRUE(sheet().value(2, Client).isText());
    // Amounts are numbers shown as the window showed them.
    EXPECT_EQ(sheet().value(2, Total).toNumber(), 1268.8);
    EXPECT_EQ(r.row(2), invoice("1", "1", "*"));
}

TEST_F(InvoiceRegisterTest, TheNumberCounterFollowsTheLastRegisteredNumberNotTheHighest) {
    InvoiceRegister r = book();
    ASSERT_TRUE(r.append(invoice("1", "300")).ok());
    ASSERT_TRUE(r.append(invoice("2", "120")).ok());
    EXPECT_EQ(sheet().value(1, kNumberCounterColumn).toNumber(), 121);
    EXPECT_EQ(r.ensureCounters().record, "3");
}

TEST_F(InvoiceRegisterTest, RewriteFindsTheRecordNumberAndMarksEmptyCells) {
    InvoiceRegister r = book();
    ASSERT_TRUE(r.append(invoice("1", "1")).ok());
    ASSERT_TRUE(r.append(invoice("2", "2")).ok());
    InvoiceRecord changed = invoice("2", "2", "15/04/2024");
    changed[Surcharge].clear();
    changed[ExemptAmount].clear();
    changed[Client] = QStringLiteral("BIANCHI");
    EXPECT_EQ(*r.rewrite(changed), 3);
    EXPECT_EQ(sheet().text(3, Client), "BIANCHI");
    EXPECT_EQ(sheet().text(3, Surcharge), "*");
    EXPECT_EQ(sheet().text(3, ExemptAmount), "*");
    EXPECT_EQ(sheet().text(3, Collection), "15/04/2024");
    EXPECT_EQ(sheet().text(2, Client), "2000");
    changed[Collection].clear();
    EXPECT_EQ(*r.rewrite(changed), 3);
    EXPECT_EQ(sheet().text(3, Collection), "*");
    EXPECT_EQ(sheet().value(1, kRecordCounterColumn).toNumber(), 3);
}

TEST_F(InvoiceRegisterTest, RewriteOfAMissingRecordWritesNothing) {
    InvoiceRegister r = book();
    ASSERT_TRUE(r.append(invoice("1", "1")).ok());
    const InvoiceRecord before = r.row(2);
    InvoiceRecord other = invoice("9", "9");
    other[Client] = QStringLiteral("ALTRO");
    EXPECT_FALSE(r.rewrite(other));
    EXPECT_EQ(r.row(2), before);
    EXPECT_TRUE(sheet().value(3, Id).isEmpty());
}

TEST_F(InvoiceRegisterTest, ListingStopsAtTheFirstGapAndTheNextAppendFillsIt) {
    InvoiceRegister r = book();
    for (int i = 1; i <= 3; ++i)
        ASSERT_TRUE(r.append(invoice(QString::number(i), QString::number(i))).ok());
    ASSERT_TRUE(sheet().setValue(3, Id, QString()).ok());
    EXPECT_EQ(r.headers().front(), "ID");
    EXPECT_EQ(r.headers().back(), "Tramite");
    ASSERT_EQ(r.rows().size(), 1u);
    EXPECT_EQ(r.rows()[0][Id], "1");
    EXPECT_EQ(*r.append(invoice("4", "4")), 3);
}

// Past the old 16-bit walk: rows beyond 32,767 are reached, and a full sheet says so.
TEST_F(InvoiceRegisterTest, ABigRegisterIsWalkedWholeAndAFullOneWritesNothing) {
    const store::Worksheet s = sheet();
    for (int row = 2; row <= 65535; ++row)
        ASSERT_TRUE(s.setNumber(row, Id, row - 1).ok());
    InvoiceRegister r = book();
    EXPECT_EQ(r.rowCount(), 65534);
    InvoiceRecord last = invoice("65535", "65535");
    EXPECT_EQ(*r.append(last), 65536);
    last[Client] = QStringLiteral("ULTIMO");
    EXPECT_EQ(*r.rewrite(last), 65536);
    EXPECT_EQ(s.value(1, kRecordCounterColumn).toNumber(), 65536);
    const auto full = r.append(invoice("65536", "65536"));
    ASSERT_FALSE(full.ok());
    EXPECT_EQ(full.error().kind, store::Error::Kind::Full);
    EXPECT_EQ(s.value(1, kRecordCounterColumn).toNumber(), 65536);
    EXPECT_EQ(s.text(65536, Client), "ULTIMO");
}

}  // namespace

namespace {

// A number is taken within its year only; the invoice being modified does not take its
// own number, and a proposal skips every number of the year already used.
TEST_F(InvoiceRegisterTest, ANumberIsTakenOncePerYearAndTheProposalSkipsWhatIsUsed) {
    InvoiceRegister r = book();
    const struct {
        const char* id;
        const char* number;
        const char* date;
    } registered[] = {{"1", "149", "02/01/2024"},
                      {"2", "150", "05/01/2024"},
                      {"3", "151", "07/01/2024"},
                      {"4", "150", "03/02/2025"}};
    for (const auto& i : registered) {
        InvoiceRecord record = invoice(i.id, i.number);
        record[Date] = i.date;
        ASSERT_TRUE(r.append(record).ok());
    }
    const struct {
        const char* number;
        int year;
        const char* exceptId;
        const char* takenBy;  // "": free
        const char* proposal;
    } cases[] = {
        {"150", 2024, "", "2", "152"}, {" 150 ", 2024, "", "2", "152"},
        {"150", 2025, "", "4", "151"}, {"150", 2025, "4", "", "151"},
        {"148", 2024, "", "", "148"},  {"150", 2023, "", "", "150"},
        {"abc", 2024, "", "", "abc"},
    };
    for (const auto& c : cases) {
        const auto taken = r.numbered(c.number, c.year, c.exceptId);
        EXPECT_EQ(taken ? (*taken)[Id] : QString(), c.takenBy) << c.number << " " << c.year;
        EXPECT_EQ(r.firstFreeNumber(c.number, c.year), c.proposal) << c.number << " " << c.year;
    }
}

}  // namespace
