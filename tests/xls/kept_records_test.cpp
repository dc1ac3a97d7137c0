// What a spreadsheet program wrote that the codec does not understand survives a
// read and a write: every record type of the fixtures (those of LibreOffice with a
// user's formulas, note, validation list, conditional format and hyperlink among
// them), the formulas as formulas, and the references and names they use.

#include <QFile>

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "biff_builder.h"
#include "writer_test_support.h"
#include "xls/compound_file.h"
#include "xls/little_endian.h"
#include "xls/record_types.h"

namespace {

using biff::le16;
using biff::le32;

QByteArray fixtureBytes(const char* name) {
    QFile f(QStringLiteral(BRISVEL_FIXTURES "/xls/") + QString::fromLatin1(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

// The record types of each substream of a file, in order: the globals, then each
// sheet. An embedded chart counts with the sheet it sits in.
std::vector<std::set<std::uint16_t>> recordTypes(const QByteArray& file) {
    const auto stream = xls::readWorkbookStream(file);
    EXPECT_TRUE(stream.ok());
    std::vector<std::set<std::uint16_t>> out;
    if (!stream)
        return out;
    const auto* p = reinterpret_cast<const std::uint8_t*>(stream->constData());
    std::size_t at = 0;
    int depth = 0;
    while (at + 4 <= std::size_t(stream->size())) {
        const std::uint16_t type = xls::le16(p + at);
        if (type == xls::rec::Bof && depth++ == 0)
            out.emplace_back();
        if (depth > 0)
            out.back().insert(type);
        if (type == xls::rec::Eof && depth > 0)
            --depth;
        at += 4 + xls::le16(p + at + 2);
    }
    return out;
}

// Cell records whose type the writer chooses by the value (a NUMBER may come back
// as an RK, a LABEL as a LABELSST): the cells are compared by value elsewhere.
// INDEX and DBCELL are lookup aids of positions in the stream, which no reader
// needs; the writer does not write them.
bool representationOnly(std::uint16_t type) {
    switch (type) {
        case xls::rec::Number:
        case xls::rec::Rk:
        case xls::rec::MulRk:
        case xls::rec::Blank:
        case xls::rec::MulBlank:
        case xls::rec::Label:
        case xls::rec::RString:
        case xls::rec::LabelSst:
        case xls::rec::BoolErr:
        case 0x020B:  // INDEX
        case 0x00D7:  // DBCELL
            return true;
        default:
            return false;
    }
}

struct Fixture {
    const char* file;
    const char* password;
};

class KeptRecordTypes : public ::testing::TestWithParam<Fixture> {};

TEST_P(KeptRecordTypes, ACopyDropsNoRecordType) {
    const QByteArray original = fixtureBytes(GetParam().file);
    const QString password = QString::fromLatin1(GetParam().password);
    const auto book = xls::readWorkbook(original, password);
    ASSERT_TRUE(book.ok()) << qPrintable(book.error().message);
    const auto copy = xls::writeWorkbook(*book, password);
    ASSERT_TRUE(copy.ok());

    const auto before = recordTypes(original);
    const auto after = recordTypes(*copy);
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        std::vector<std::uint16_t> dropped;
        for (std::uint16_t type : before[i]) {
            if (!after[i].count(type) && !representationOnly(type))
                dropped.push_back(type);
        }
        EXPECT_EQ(dropped, std::vector<std::uint16_t>{}) << "substream " << i;
    }
}

TEST_P(KeptRecordTypes, KeptRecordsComeBackByteForByteAndStayPut) {
    const QString password = QString::fromLatin1(GetParam().password);
    const auto book = xls::readWorkbook(fixtureBytes(GetParam().file), password);
    ASSERT_TRUE(book.ok());
    const xls::Workbook once = writertest::roundTrip(*book, password);
    const xls::Workbook twice = writertest::roundTrip(once);
    for (const xls::Workbook* back : {&once, &twice}) {
        ASSERT_EQ(back->sheets.size(), book->sheets.size());
        for (std::size_t s = 0; s < book->sheets.size(); ++s) {
            const auto& want = book->sheets[s].extraRecords;
            const auto& got = back->sheets[s].extraRecords;
            ASSERT_EQ(got.size(), want.size()) << "sheet " << s;
            for (std::size_t i = 0; i < want.size(); ++i) {
                EXPECT_EQ(got[i].type, want[i].type) << "sheet " << s << " record " << i;
                EXPECT_EQ(got[i].data, want[i].data) << "sheet " << s << " record " << i;
                EXPECT_EQ(got[i].slot, want[i].slot) << "sheet " << s << " record " << i;
            }
        }
        ASSERT_EQ(back->extraGlobals.size(), book->extraGlobals.size());
        for (std::size_t i = 0; i < book->extraGlobals.size(); ++i) {
            EXPECT_EQ(back->extraGlobals[i].type, book->extraGlobals[i].type);
            EXPECT_EQ(back->extraGlobals[i].data, book->extraGlobals[i].data);
        }
        ASSERT_EQ(back->links.size(), book->links.size());
        for (std::size_t i = 0; i < book->links.size(); ++i)
            EXPECT_EQ(back->links[i].data, book->links[i].data) << "link " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(AllFixtures, KeptRecordTypes,
                         ::testing::Values(Fixture{"calc-user-additions.xls", ""},
                                           Fixture{"calc-store-small.xls", "Pesk1987"},
                                           Fixture{"calc-store-small-plain.xls", ""},
                                           Fixture{"excel-plain.xls", ""},
                                           Fixture{"excel-rc4cryptoapi.xls", "Password1234_"},
                                           Fixture{"excel-xor.xls", "123456789012345"}));

const xls::Sheet& sheetNamed(const xls::Workbook& wb, const char* name) {
    const xls::Sheet* sheet = wb.sheet(QString::fromLatin1(name));
    EXPECT_NE(sheet, nullptr) << name;
    static const xls::Sheet none;
    return sheet ? *sheet : none;
}

TEST(KeptFormulas, ASpreadsheetUsersFormulasComeBackAsFormulasWithTheirResults) {
    const auto book = xls::readWorkbook(fixtureBytes("calc-user-additions.xls"));
    ASSERT_TRUE(book.ok());
    const xls::Workbook copy = writertest::roundTrip(*book);
    for (const char* name : {"Fatture", "Riepilogo"}) {
        const xls::Sheet& was = sheetNamed(*book, name);
        const xls::Sheet& is = sheetNamed(copy, name);
        writertest::expectSameCells(was, is);
        int formulas = 0;
        for (std::size_t r = 0; r < was.rows.size(); ++r) {
            for (std::size_t c = 0; c < was.rows[r].cells.size(); ++c) {
                const xls::Cell& a = was.rows[r].cells[c];
                const xls::Cell b = writertest::cellAt(is, int(r), int(c));
                if (!a.formula())
                    continue;
                ++formulas;
                ASSERT_TRUE(b.formula()) << name << " row " << r << " col " << c;
                // The same tokens; the flags gain "calculate when opened".
                EXPECT_EQ(b.formula()->tokens.mid(2), a.formula()->tokens.mid(2));
                EXPECT_EQ(b.formula()->group != nullptr, a.formula()->group != nullptr);
                if (a.formula()->group) {
                    EXPECT_EQ(b.formula()->group->record.data, a.formula()->group->record.data);
                }
            }
        }
        EXPECT_GT(formulas, 0) << name;
    }
    // S2:S5 hold one formula down a column, S6 an array formula: both are groups.
    const xls::Sheet& invoices = sheetNamed(copy, "Fatture");
    const xls::Cell s6 = writertest::cellAt(invoices, 5, 18);
    ASSERT_TRUE(s6.formula() && s6.formula()->group);
    EXPECT_EQ(s6.formula()->group->record.type, xls::rec::Array);
    // =SUM($Fatture.M2:M301): its result came back as the cell's value.
    const xls::Cell total = writertest::cellAt(sheetNamed(copy, "Riepilogo"), 0, 0);
    EXPECT_EQ(total.kind(), xls::CellKind::Number);
    EXPECT_NEAR(total.number(), 29170.16, 1e-6);
}

// A sheet with a formula at A1 (=1+1, cached 2) and a shared formula over B1:B2.
xls::Workbook formulaSheet() {
    const QByteArray plain =
        le16(0) + le32(0) + le16(7) + QByteArray("\x1E\x01\x00\x1E\x01\x00\x03", 7);
    const QByteArray shared =
        le16(0) + le32(0) + le16(5) + QByteArray("\x01", 1) + le16(0) + le16(1);
    const QByteArray sharedBody = le16(0) + le16(1) + QByteArray("\x01\x01", 2) + QByteArray(2, 0) +
                                  le16(7) + QByteArray("\x1E\x07\x00\x1E\x01\x00\x03", 7);
    QByteArray records;
    records += biff::record(0x0006, biff::cell(0, 0) + biff::f64(2) + plain);
    records += biff::record(0x0006, biff::cell(0, 1) + biff::f64(8) + shared);
    records += biff::record(xls::rec::ShrFmla, sharedBody);
    records += biff::record(0x0006, biff::cell(1, 1) + biff::f64(8) + shared);
    auto book = xls::readWorkbook(biff::workbookFile({{"Fatture", records}}));
    EXPECT_TRUE(book.ok());
    return book ? *book : xls::Workbook{};
}

TEST(KeptFormulas, AFormulaStaysAFormulaOnlyInItsPlaceAndWithItsWholeGroup) {
    using writertest::cellAt;
    const xls::Workbook wb = formulaSheet();
    ASSERT_EQ(wb.sheets.size(), 1u);
    ASSERT_TRUE(cellAt(wb.sheets[0], 0, 0).formula());
    ASSERT_TRUE(cellAt(wb.sheets[0], 1, 1).formula());
    EXPECT_EQ(cellAt(wb.sheets[0], 1, 1).formula()->group->members, 2);

    // Untouched: all three come back as formulas.
    xls::Workbook back = writertest::roundTrip(wb);
    for (auto [r, c] : {std::pair{0, 0}, {0, 1}, {1, 1}})
        EXPECT_TRUE(cellAt(back.sheets[0], r, c).formula()) << r << "," << c;

    // A1 moved to A3 (a sort or a deleted row would do it): written as its value.
    // B2 moved away: its group breaks, so B1 is written as its value too.
    xls::Workbook moved = wb;
    xls::Sheet& sheet = moved.sheets[0];
    sheet.put(2, 0, cellAt(sheet, 0, 0));
    sheet.put(0, 0, xls::Cell{});
    sheet.put(2, 1, cellAt(sheet, 1, 1));
    sheet.put(1, 1, xls::numberCell(5));
    back = writertest::roundTrip(moved);
    const xls::Sheet& out = back.sheets[0];
    EXPECT_FALSE(cellAt(out, 2, 0).formula());
    EXPECT_EQ(cellAt(out, 2, 0).number(), 2);
    EXPECT_FALSE(cellAt(out, 0, 1).formula());
    EXPECT_EQ(cellAt(out, 0, 1).number(), 8);
    EXPECT_FALSE(cellAt(out, 2, 1).formula());
    EXPECT_EQ(cellAt(out, 1, 1).number(), 5);
}

TEST(KeptFormulas, TextResultsGoInStringRecordsOfAnyLength) {
    using writertest::cellAt;
    xls::Workbook wb = formulaSheet();
    xls::Cell& a1 = wb.sheets[0].rows[0].cells[0];
    for (const QString& text : {QStringLiteral("già"), QString(20000, QChar(u'€')),
                                QString(9000, QChar(u'x')), QString()}) {
        a1.setText(text);
        const xls::Workbook back = writertest::roundTrip(wb);
        const xls::Cell got = cellAt(back.sheets[0], 0, 0);
        EXPECT_TRUE(got.formula());
        EXPECT_EQ(got.kind(), xls::CellKind::Text);
        EXPECT_EQ(got.text(), text);
    }
}

TEST(KeptRecords, AChartInsideASheetIsKeptWholeAndTheSheetReadToItsEnd) {
    const QByteArray chart =
        biff::bof(0x0020) + biff::record(0x1002, QByteArray(16, 7)) + biff::eof();
    const QByteArray window2 = biff::record(0x023E, le16(0x0200 | 0x0002) + QByteArray(16, 0));
    const QByteArray records = biff::record(0x0203, biff::cell(0, 0) + biff::f64(1.5)) +
                               biff::record(0x00EC, QByteArray(8, 1)) + chart + window2 +
                               biff::record(0x01B8, QByteArray(12, 3));
    auto book = xls::readWorkbook(biff::workbookFile({{"Fatture", records}}));
    ASSERT_TRUE(book.ok());
    const xls::Sheet& sheet = book->sheets.at(0);
    EXPECT_TRUE(sheet.selected);  // WINDOW2 after the chart was read
    std::vector<std::uint16_t> types;
    for (const auto& r : sheet.extraRecords)
        types.push_back(r.type);
    EXPECT_EQ(types, (std::vector<std::uint16_t>{0x00EC, 0x0809, 0x1002, 0x000A, 0x01B8}));
    EXPECT_EQ(sheet.extraRecords[0].slot, xls::SheetSlot::AfterCells);
    EXPECT_EQ(sheet.extraRecords[4].slot, xls::SheetSlot::AfterView);

    const xls::Workbook back = writertest::roundTrip(*book);
    ASSERT_EQ(back.sheets.at(0).extraRecords.size(), 5u);
    EXPECT_TRUE(back.sheets[0].selected);
}

}  // namespace

namespace {

// Each EXTERNSHEET entry through this workbook's own SUPBOOK, as the sheet names
// of its first and last sheet ("?" for a sheet not found).
std::vector<QString> ownReferences(const xls::Workbook& wb) {
    int book = 0;
    int self = -1;
    std::vector<QString> out;
    for (const xls::RawRecord& r : wb.links) {
        const auto* p = reinterpret_cast<const std::uint8_t*>(r.data.constData());
        if (r.type == xls::rec::SupBook) {
            if (r.data.size() == 4 && xls::le16(p + 2) == 0x0401)
                self = book;
            ++book;
        }
        if (r.type != xls::rec::ExternSheet)
            continue;
        auto name = [&](std::uint16_t tab) {
            return tab < wb.sheets.size() ? wb.sheets[tab].name : QStringLiteral("?");
        };
        for (int i = 0; i < xls::le16(p); ++i) {
            const std::uint8_t* e = p + 2 + 6 * i;
            if (xls::le16(e) == self)
                out.push_back(name(xls::le16(e + 2)) + ":" + name(xls::le16(e + 4)));
        }
    }
    return out;
}

int nameCount(const xls::Workbook& wb) {
    return int(std::count_if(wb.links.begin(), wb.links.end(),
                             [](const xls::RawRecord& r) { return r.type == xls::rec::Name; }));
}

}  // namespace

TEST(KeptLinks, ReferencesFollowTheirSheetsWhenASheetIsAddedBeforeThem) {
    const auto book = xls::readWorkbook(fixtureBytes("calc-user-additions.xls"));
    ASSERT_TRUE(book.ok());
    const std::vector<QString> before = ownReferences(*book);
    ASSERT_FALSE(before.empty());  // =SUM($Fatture.M2:M301) goes through one

    xls::Workbook wb = *book;
    xls::Sheet added;
    added.name = QStringLiteral("Nuovo");
    wb.sheets.insert(wb.sheets.begin(), added);
    const xls::Workbook back = writertest::roundTrip(wb);
    EXPECT_EQ(ownReferences(back), before);
    EXPECT_EQ(back.sheets.size(), book->sheets.size() + 1);
}

TEST(KeptLinks, PrintAreasGoIntoTheNamesWithoutMovingTheOthers) {
    const auto book = xls::readWorkbook(fixtureBytes("calc-user-additions.xls"));
    ASSERT_TRUE(book.ok());
    xls::Workbook wb = *book;
    xls::Sheet* invoices = wb.sheet(QStringLiteral("Fatture"));
    ASSERT_NE(invoices, nullptr);
    invoices->page.printArea = xls::CellRect{0, 12, 0, 16};
    const xls::Workbook withArea = writertest::roundTrip(wb);
    EXPECT_EQ(withArea.sheet(QStringLiteral("Fatture"))->page.printArea, invoices->page.printArea);
    EXPECT_EQ(nameCount(withArea), nameCount(*book) + 1);
    EXPECT_EQ(ownReferences(withArea).front(), ownReferences(*book).front());

    // Changed, then cleared, in the name the file already has: names keep their numbers.
    xls::Workbook changed = withArea;
    changed.sheet(QStringLiteral("Fatture"))->page.printArea = xls::CellRect{0, 3, 0, 2};
    const xls::Workbook moved = writertest::roundTrip(changed);
    EXPECT_EQ(moved.sheet(QStringLiteral("Fatture"))->page.printArea, (xls::CellRect{0, 3, 0, 2}));
    EXPECT_EQ(nameCount(moved), nameCount(withArea));

    changed.sheet(QStringLiteral("Fatture"))->page.printArea.reset();
    const xls::Workbook cleared = writertest::roundTrip(changed);
    EXPECT_FALSE(cleared.sheet(QStringLiteral("Fatture"))->page.printArea);
    EXPECT_EQ(nameCount(cleared), nameCount(withArea));
}
