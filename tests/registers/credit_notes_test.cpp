// A credit note of a whole invoice or of a part of it: its register row with the
// amounts negative, the rates of a part taken from the invoice, what settles the
// invoice, and each refusal with what it tells the user.
#include "registers/credit_notes.h"

#include "registers/entered_values.h"
#include "registers/invoice_amounts.h"

#include "support/prepared_store.h"

#include <gtest/gtest.h>

namespace {

using namespace registers::invoice;
using registers::CreditNoteRefusal;
using registers::InvoiceColumn;
using registers::InvoiceRecord;
using Kind = CreditNoteRefusal::Kind;

// The amounts of a register row, G..O without the exemption item.
struct Amounts {
    const char* taxable;
    const char* surcharge;
    const char* totalTaxable;
    const char* vat;
    const char* exempt;
    const char* total;
    const char* withholding;
    const char* net;
};

InvoiceRecord invoiceRow(const char* id, const char* number, const Amounts& a,
                         const char* collection = "*", const char* exemption = "*") {
    InvoiceRecord r;
    r[Id] = QString::fromUtf8(id);
    r[Client] = QStringLiteral("ROSSI MARIO");
    r[ClientId] = QStringLiteral("1");
    r[Number] = QString::fromUtf8(number);
    r[Date] = QStringLiteral("07/03/2024");
    r[Description] = QStringLiteral("Consulenza");
    const std::pair<InvoiceColumn, const char*> cells[] = {
        {Taxable, a.taxable},           {Surcharge, a.surcharge},
        {TotalTaxable, a.totalTaxable}, {Vat, a.vat},
        {ExemptAmount, a.exempt},       {Total, a.total},
        {Withholding, a.withholding},   {Net, a.net}};
    for (const auto& [column, text] : cells)
        r[column] = QString::fromUtf8(text);
    r[Exemption] = QString::fromUtf8(exemption);
    r[Collection] = QString::fromUtf8(collection);
    r[PaidBy] = QStringLiteral("Bonifico");
    return r;
}

void expectAmounts(const InvoiceRecord& r, const Amounts& expected, const char* name) {
    const std::pair<InvoiceColumn, const char*> cells[] = {
        {Taxable, expected.taxable},           {Surcharge, expected.surcharge},
        {TotalTaxable, expected.totalTaxable}, {Vat, expected.vat},
        {ExemptAmount, expected.exempt},       {Total, expected.total},
        {Withholding, expected.withholding},   {Net, expected.net}};
    for (const auto& [column, text] : cells)
        EXPECT_EQ(r[column], QString::fromUtf8(text)) << name << " column " << int(column);
}

// 1.000 + INPS 4 % (withheld on) + VAT 22 % on 1.040, withholding 20 % on 1.040.
constexpr Amounts kInpsInvoice{"1.000,00", "40,00",    "1.040,00", "228,80",
                               "0",        "1.268,80", "208,00",   "1.060,80"};
// 1.000 + a fund's 2 % (not withheld on) + VAT 22 %, withholding 20 % on 1.000.
constexpr Amounts kFundInvoice{"1.000,00", "20,00",    "1.020,00", "224,40",
                               "0",        "1.244,40", "200,00",   "1.044,40"};
// 300 + VAT 22 % and 33,33 of expenses outside VAT.
constexpr Amounts kExpensesInvoice{"300,00", "0",      "300,00", "66,00",
                                   "33,33",  "399,33", "0",      "399,33"};
// A flat-rate invoice with the stamp duty charged as a line.
constexpr Amounts kFlatRateInvoice{"100,00", "0", "100,00", "0", "0", "102,00", "0", "102,00"};

registers::RateItems items() {
    return {{"*", "4", "2"}, {"*", "22", "10"}, {"*", "20"}, {QStringLiteral("4")}};
}

class CreditNotes : public testing::Test {
  protected:
    void SetUp() override { registers::prepareInvoiceExtrasSheet(data.store()); }
    registers::InvoiceExtras extras() {
        return registers::InvoiceExtras(data.sheet(registers::kInvoiceExtrasSheet));
    }
    registers::CreditNoteChoice choice(bool whole, const char* part = "",
                                       const char* date = "20/03/2024",
                                       const QString& description = QStringLiteral("Storno")) {
        return {whole,
                QString::fromUtf8(part),
                QStringLiteral("9"),
                QStringLiteral("5"),
                QString::fromUtf8(date),
                description};
    }

    test_support::PreparedStore data;
};

TEST_F(CreditNotes, AWholeNoteTakesTheInvoicesAmountsNegativeAndSettlesAnInvoiceToCollect) {
    struct Case {
        const char* name;
        Amounts invoice;
        const char* collection;
        bool stampDuty;
        Amounts note;
        const char* noteCollection;
        QStringList settled;
    };
    const Case cases[] = {
        {"INPS surcharge and withholding, to collect",
         kInpsInvoice,
         "*",
         false,
         {"-1.000,00", "-40,00", "-1.040,00", "-228,80", "0", "-1.268,80", "-208,00", "-1.060,80"},
         "20/03/2024",
         {"1"}},
        {"already collected: the client is owed the refund",
         kInpsInvoice,
         "10/03/2024",
         false,
         {"-1.000,00", "-40,00", "-1.040,00", "-228,80", "0", "-1.268,80", "-208,00", "-1.060,80"},
         "*",
         {}},
        {"flat rate with the stamp duty line given back",
         kFlatRateInvoice,
         "*",
         true,
         {"-100,00", "0", "-100,00", "0", "0", "-102,00", "0", "-102,00"},
         "20/03/2024",
         {"1"}},
    };
    for (const Case& c : cases) {
        const InvoiceRecord invoice = invoiceRow("1", "7", c.invoice, c.collection);
        registers::InvoiceExtras kept = extras();
        kept.setStampDutyCharged("1", c.stampDuty);
        const auto credited = registers::creditable({invoice}, {invoice}, kept);
        ASSERT_TRUE(credited.ok()) << c.name;
        const auto note = registers::makeCreditNote(*credited, items(), choice(true));
        ASSERT_TRUE(note.ok()) << c.name << ": " << note.error().message.toStdString();
        expectAmounts(note->record, c.note, c.name);
        EXPECT_EQ(note->record[Collection], c.noteCollection) << c.name;
        EXPECT_EQ(note->settled, c.settled) << c.name;
        EXPECT_EQ(note->stampDuty, c.stampDuty) << c.name;
        EXPECT_EQ(note->corrects, (registers::CorrectedInvoice{"1", "7", QDate(2024, 3, 7)}))
            << c.name;
        const std::pair<InvoiceColumn, const char*> kept_cells[] = {
            {Id, "9"},       {Number, "5"},           {Date, "20/03/2024"}, {Client, "ROSSI MARIO"},
            {ClientId, "1"}, {Description, "Storno"}, {PaidBy, "Bonifico"}};
        for (const auto& [column, text] : kept_cells)
            EXPECT_EQ(note->record[column], QString::fromUtf8(text)) << c.name;
    }
}

TEST_F(CreditNotes, APartIsComputedWithTheInvoicesRatesAndItsExpensesInProportion) {
    struct Case {
        const char* name;
        Amounts invoice;
        const char* exemption;
        const char* part;
        Amounts note;
    };
    const Case cases[] = {
        {"INPS 4 % withheld on with the fee",
         kInpsInvoice,
         "*",
         "500",
         {"-500,00", "-20,00", "-520,00", "-114,40", "0", "-634,40", "-104,00", "-530,40"}},
        {"a fund's 2 % is not withheld on",
         kFundInvoice,
         "*",
         "250,00",
         {"-250,00", "-5,00", "-255,00", "-56,10", "0", "-311,10", "-50,00", "-261,10"}},
        {"expenses outside VAT in proportion",
         kExpensesInvoice,
         "Art. 15",
         "100",
         {"-100,00", "0", "-100,00", "-22,00", "-11,11", "-133,11", "0", "-133,11"}},
        {"the whole taxable typed as a part",
         kInpsInvoice,
         "*",
         "1.000",
         {"-1.000,00", "-40,00", "-1.040,00", "-228,80", "0", "-1.268,80", "-208,00", "-1.060,80"}},
        {"a flat-rate part gives no stamp duty back",
         kFlatRateInvoice,
         "*",
         "50",
         {"-50,00", "0", "-50,00", "0", "0", "-50,00", "0", "-50,00"}},
    };
    for (const Case& c : cases) {
        const InvoiceRecord invoice = invoiceRow("1", "7", c.invoice, "*", c.exemption);
        registers::InvoiceExtras kept = extras();
        kept.setStampDutyCharged("1", QByteArray(c.name).startsWith("a flat"));
        const auto credited = registers::creditable({invoice}, {invoice}, kept);
        ASSERT_TRUE(credited.ok()) << c.name;
        const auto note = registers::makeCreditNote(*credited, items(), choice(false, c.part));
        ASSERT_TRUE(note.ok()) << c.name << ": " << note.error().message.toStdString();
        expectAmounts(note->record, c.note, c.name);
        EXPECT_FALSE(note->stampDuty) << c.name;
        EXPECT_EQ(note->record[Exemption], QString::fromUtf8(c.exemption)) << c.name;
    }
}

TEST_F(CreditNotes, TheLastPartSettlesTheInvoiceAndTheNotesBeforeIt) {
    const InvoiceRecord invoice = invoiceRow("1", "7", kFundInvoice);
    const InvoiceRecord first = invoiceRow(
        "2", "8", {"-250,00", "-5,00", "-255,00", "-56,10", "0", "-311,10", "-50,00", "-261,10"});
    const InvoiceRecord other = invoiceRow("3", "9", kFundInvoice);
    registers::InvoiceExtras kept = extras();
    kept.setCorrects("2", {"1", "7", QDate(2024, 3, 7)});
    const auto credited = registers::creditable({invoice}, {invoice, first, other}, kept);
    ASSERT_TRUE(credited.ok());
    EXPECT_EQ(credited->left.text(), "933,30");
    ASSERT_EQ(credited->notes.size(), 1u);

    struct Case {
        const char* part;
        const char* collection;
        QStringList settled;
    };
    const Case cases[] = {{"500", "*", {}}, {"750", "20/03/2024", {"1", "2"}}};
    for (const Case& c : cases) {
        const auto note = registers::makeCreditNote(*credited, items(), choice(false, c.part));
        ASSERT_TRUE(note.ok()) << c.part;
        EXPECT_EQ(note->record[Collection], c.collection) << c.part;
        EXPECT_EQ(note->settled, c.settled) << c.part;
    }
}

// Each step is a note registered after the ones before it; the note that brings the
// invoice to zero takes what is left of each amount, so that the invoice and its
// notes add up to zero in every column.
TEST_F(CreditNotes, PartsThatCloseTheInvoiceAddUpToZeroInEveryColumn) {
    struct Step {
        bool whole;  // after a part: the rest
        const char* part;
        Amounts note;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const Amounts third{"-333,33", "-13,33",  "-346,66", "-76,27",
                        "0",       "-422,93", "-69,33",  "-353,60"};
    const Case cases[] = {
        {"three parts 333,33 + 333,33 + 333,34",
         {{false, "333,33", third},
          {false, "333,33", third},
          {false,
           "333,34",
           {"-333,34", "-13,34", "-346,68", "-76,26", "0", "-422,94", "-69,34", "-353,60"}}}},
        {"a part, then the rest in one step",
         {{false,
           "400",
           {"-400,00", "-16,00", "-416,00", "-91,52", "0", "-507,52", "-83,20", "-424,32"}},
          {true,
           "",
           {"-600,00", "-24,00", "-624,00", "-137,28", "0", "-761,28", "-124,80", "-636,48"}}}},
    };
    int firstId = 0;
    for (const Case& c : cases) {
        // Each case an invoice of its own, its notes numbered after it.
        firstId += 10;
        const InvoiceRecord invoice =
            invoiceRow(QByteArray::number(firstId).constData(), "7", kInpsInvoice);
        std::vector<InvoiceRecord> rows{invoice};
        registers::InvoiceExtras kept = extras();
        for (const Step& step : c.steps) {
            const auto credited = registers::creditable({invoice}, rows, kept);
            ASSERT_TRUE(credited.ok()) << c.name;
            auto made =
                registers::makeCreditNote(*credited, items(), choice(step.whole, step.part));
            ASSERT_TRUE(made.ok()) << c.name << ": " << made.error().message.toStdString();
            expectAmounts(made->record, step.note, c.name);
            made->record[Id] = QString::number(firstId + int(rows.size()));
            kept.setCorrects(made->record[Id], made->corrects);
            rows.push_back(made->record);
        }
        for (const InvoiceColumn column :
             {Taxable, Surcharge, TotalTaxable, Vat, ExemptAmount, Total, Withholding, Net}) {
            registers::Amount sum;
            for (const InvoiceRecord& row : rows)
                sum = sum + registers::cellAmount(row[column]).value_or(registers::Amount());
            EXPECT_TRUE(sum.isZero())
                << c.name << " column " << int(column) << ": " << sum.text().toStdString();
        }
        EXPECT_EQ(registers::creditable({invoice}, rows, kept).error().kind, Kind::NothingLeft)
            << c.name;
    }
}

TEST_F(CreditNotes, AnInvoiceCollectedTakesItsNotesStillToCollect) {
    registers::InvoiceExtras kept = extras();
    kept.setCorrects("2", {"1", "7", QDate(2024, 3, 7)});
    kept.setCorrects("3", {"1", "7", QDate(2024, 3, 7)});
    kept.setCorrects("5", {"4", "9", QDate(2024, 3, 7)});
    const std::vector<InvoiceRecord> rows{invoiceRow("1", "7", kFundInvoice),
                                          invoiceRow("2", "8", kFundInvoice, "*"),
                                          invoiceRow("3", "9", kFundInvoice, "09/03/2024"),
                                          invoiceRow("4", "10", kFundInvoice),
                                          invoiceRow("5", "11", kFundInvoice, "*"),
                                          invoiceRow("6", "12", kFundInvoice, "*")};
    const std::pair<const char*, QStringList> cases[] = {
        {"1", {"2"}}, {"4", {"5"}}, {"6", {}}, {"2", {}}};
    for (const auto& [invoice, notes] : cases)
        EXPECT_EQ(registers::notesStillToCollect(invoice, rows, kept), notes) << invoice;
}

TEST(CreditNoteSign, AModifiedNoteKeepsItsAmountsNegative) {
    const std::pair<const char*, bool> totals[] = {
        {"-634,40", false}, {"0", false}, {"634,40", true}, {"*", false}};
    for (const auto& [total, refused] : totals) {
        InvoiceRecord note;
        note[Number] = QStringLiteral("8");
        note[Total] = QString::fromUtf8(total);
        EXPECT_EQ(!registers::creditNoteSignProblem(note).isEmpty(), refused) << total;
    }
}

// A whole note of an invoice that charged the stamp duty, loaded back in the
// entry window: its negative amounts agree with the duty given back.
TEST(CreditNoteAmounts, ANotesStampDutyLineIsNegativeLikeItsAmounts) {
    struct Case {
        const char* taxable;
        const char* total;
        bool agrees;
    };
    const Case cases[] = {{"-100,00", "-102,00", true},
                          {"-100,00", "-98,00", false},
                          {"100,00", "102,00", true},
                          {"100,00", "98,00", false}};
    for (const Case& c : cases) {
        registers::InvoiceAmounts f = registers::clearedAmounts();
        f.taxable = f.totalTaxable = QString::fromUtf8(c.taxable);
        f.surcharge = f.vat = f.exempt = f.withholding = QStringLiteral("0");
        f.total = f.net = QString::fromUtf8(c.total);
        f.stampDutyCharged = true;
        EXPECT_EQ(registers::checkAgreement(f).ok(), c.agrees) << c.taxable << " " << c.total;
    }
}

TEST_F(CreditNotes, WhatCannotBeCreditedIsRefusedWithItsReason) {
    const InvoiceRecord invoice = invoiceRow("1", "7", kInpsInvoice);
    const InvoiceRecord part = invoiceRow(
        "2", "8",
        {"-500,00", "-20,00", "-520,00", "-114,40", "0", "-634,40", "-104,00", "-530,40"});
    const InvoiceRecord creditedWhole = invoiceRow("3", "9", kFlatRateInvoice);
    const InvoiceRecord wholeNote =
        invoiceRow("4", "10", {"-100,00", "0", "-100,00", "0", "0", "-102,00", "0", "-102,00"});
    const InvoiceRecord unreadable =
        invoiceRow("5", "11", {"mille", "0", "1.000,00", "0", "0", "1.000,00", "0", "1.000,00"});
    const InvoiceRecord oddVat =
        invoiceRow("6", "12", {"100,00", "0", "100,00", "5,00", "0", "105,00", "0", "105,00"});
    registers::InvoiceExtras kept = extras();
    kept.setCorrects("2", {"1", "7", QDate(2024, 3, 7)});
    kept.setCorrects("4", {"3", "9", QDate(2024, 3, 7)});
    const std::vector<InvoiceRecord> rows{invoice,   part,       creditedWhole,
                                          wholeNote, unreadable, oddVat};

    struct Case {
        const char* name;
        std::vector<InvoiceRecord> chosen;
        bool whole;
        const char* part;
        const char* date;
        Kind kind;
        const char* told;  // a part of the message
        QString description = QStringLiteral("Storno");
    };
    const Case cases[] = {
        {"nothing chosen", {}, true, "", "20/03/2024", Kind::NothingChosen, "Nessuna fattura"},
        {"two invoices chosen",
         {invoice, oddVat},
         true,
         "",
         "20/03/2024",
         Kind::NothingChosen,
         "Sono scelte 2 fatture"},
        {"a credit note of a credit note",
         {part},
         true,
         "",
         "20/03/2024",
         Kind::OfCreditNote,
         "non si storna"},
        {"credited in full already",
         {creditedWhole},
         false,
         "1",
         "20/03/2024",
         Kind::NothingLeft,
         "già stornata per intero"},
        {"an amount of the invoice unreadable",
         {unreadable},
         true,
         "",
         "20/03/2024",
         Kind::Unreadable,
         "\"mille\""},
        {"a part with three decimals",
         {invoice},
         false,
         "100,123",
         "20/03/2024",
         Kind::Unreadable,
         "L'imponibile da stornare (\"100,123\") ha più di due decimali: scriverlo al centesimo."},
        {"a part beyond what is left",
         {invoice},
         false,
         "500,01",
         "20/03/2024",
         Kind::MoreThanLeft,
         "ridurre la parte"},
        {"a part that is no amount",
         {invoice},
         false,
         "cento",
         "20/03/2024",
         Kind::Unreadable,
         "\"cento\""},
        {"a part of zero", {invoice}, false, "0", "20/03/2024", Kind::NoPart, "zero"},
        {"a negative part", {invoice}, false, "-5", "20/03/2024", Kind::NoPart, "zero"},
        {"a VAT no item gives",
         {oddVat},
         false,
         "50",
         "20/03/2024",
         Kind::RateNotFound,
         "Nessuna aliquota IVA dell'elenco dà 5,00 su 100,00"},
        {"a date that is none", {invoice}, true, "", "31/02/2024", Kind::BadDate, "\"31/02/2024\""},
        {"a date before the invoice",
         {oddVat},
         true,
         "",
         "06/03/2024",
         Kind::BadDate,
         "precede la fattura"},
        {"a description longer than a cell holds",
         {invoice},
         false,
         "100",
         "20/03/2024",
         Kind::TooLong,
         "Descrizione",
         QString(registers::kCellTextLimit + 1, u'x')},
    };
    for (const Case& c : cases) {
        const auto credited = registers::creditable(c.chosen, rows, kept);
        std::optional<CreditNoteRefusal> refused;
        if (!credited)
            refused = credited.error();
        else if (const auto note = registers::makeCreditNote(
                     *credited, items(), choice(c.whole, c.part, c.date, c.description));
                 !note)
            refused = note.error();
        ASSERT_TRUE(refused) << c.name;
        EXPECT_EQ(refused->kind, c.kind) << c.name;
        EXPECT_TRUE(refused->message.contains(QString::fromUtf8(c.told)))
            << c.name << ": " << refused->message.toStdString();
    }
}

TEST(CreditNoteTexts, ListsMarkTheNumberAndDocumentsShowAmountsPositive) {
    const std::tuple<const char*, bool, const char*> numbers[] = {
        {"13", true, "13 NC"}, {"13", false, "13"}, {"", false, ""}};
    for (const auto& [number, note, shown] : numbers)
        EXPECT_EQ(registers::listedNumber(number, note), shown) << number;
    const std::pair<const char*, const char*> amounts[] = {
        {"-1.268,80", "1.268,80"}, {"40,00", "40,00"}, {"0", "0"}, {"*", "*"}, {"-0,01", "0,01"}};
    for (const auto& [text, shown] : amounts)
        EXPECT_EQ(registers::positiveAmount(text), shown) << text;
    EXPECT_EQ(registers::reversalText({"1", "7", QDate(2024, 3, 7)}),
              "a storno della fattura n. 7 del 07/03/2024");
    const InvoiceRecord invoice = invoiceRow("1", "7", kInpsInvoice);
    const InvoiceRecord part = invoiceRow(
        "2", "8",
        {"-500,00", "-20,00", "-520,00", "-114,40", "0", "-634,40", "-104,00", "-530,40"});
    const std::pair<std::vector<InvoiceRecord>, const char*> left[] = {
        {{}, "1.268,80"}, {{part}, "634,40"}, {{part, part}, "0,00"}};
    for (const auto& [notes, shown] : left)
        EXPECT_EQ(registers::leftToCredit(invoice, notes).text(), shown) << notes.size();
}

}  // namespace
