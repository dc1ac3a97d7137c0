// The records the writer lays down: CONTINUE splitting of the shared strings and
// of long records, RK only where exact, merged ranges split, limits refused.

#include <QRandomGenerator>

#include <bit>
#include <cstring>
#include <map>

#include "writer_test_support.h"
#include "xls/compound_file.h"
#include "xls/record_stream.h"
#include "xls/record_types.h"
#include "xls/record_writer.h"
#include "xls/rk_number.h"

namespace {

using writertest::cellAt;
using writertest::roundTrip;

struct PhysicalRecord {
    std::uint16_t type;
    QByteArray body;
};

// The records of a written file's Workbook stream as stored, CONTINUE included.
std::vector<PhysicalRecord> physicalRecords(const QByteArray& file) {
    xls::Result<QByteArray> stream = xls::readWorkbookStream(file);
    EXPECT_TRUE(stream.ok());
    std::vector<PhysicalRecord> out;
    if (!stream)
        return out;
    const auto* data = reinterpret_cast<const std::uint8_t*>(stream->constData());
    xls::RecordStream records(std::span(data, std::size_t(stream->size())));
    while (auto r = records.nextPhysical()) {
        const auto& seg = r->segments.front();
        out.push_back({r->type, QByteArray(reinterpret_cast<const char*>(seg.data()),
                                           qsizetype(seg.size()))});
    }
    EXPECT_FALSE(records.damaged());
    return out;
}

xls::Workbook oneSheet(std::vector<xls::Cell> column) {
    xls::Workbook wb = xls::Workbook::withDefaults();
    xls::Sheet s;
    s.name = QStringLiteral("Foglio1");
    for (xls::Cell& c : column) {
        xls::Row row;
        row.cells.push_back(std::move(c));
        s.rows.push_back(std::move(row));
    }
    wb.sheets.push_back(std::move(s));
    return wb;
}

// A text of `length` characters drawn from `alphabet`.
QString randomText(QRandomGenerator& random, const QString& alphabet, int length) {
    QString s;
    s.reserve(length);
    for (int i = 0; i < length; ++i)
        s += alphabet[random.bounded(int(alphabet.size()))];
    return s;
}

TEST(WriterSharedStrings, LongStringsCrossRecordBoundariesIntact) {
    QRandomGenerator random(1987);
    const QString latin = QStringLiteral("abcdefghijklmnopqrstuvwxyz ÀÈÉÌÒÙàèéìòù0123456789");
    const QString wide = QStringLiteral("€αβγδεζηθ中文字ПриветŁódź—“”");
    std::vector<xls::Cell> cells;
    // Lengths around the record size, odd and even, so that strings of one- and
    // two-byte characters start and split at every kind of offset.
    for (int i = 0; i < 300; ++i) {
        const int length = int(random.bounded(1, 9000));
        cells.push_back(xls::textCell(randomText(random, i % 3 == 0 ? wide : latin, length)));
    }
    cells.push_back(xls::textCell(QString(32767, u'x')));
    cells.push_back(xls::textCell(QString(32767, QChar(0x20AC))));
    cells.push_back(xls::textCell(QString()));
    cells.push_back(cells[5]);  // a repeated text shares its entry
    const xls::Workbook wb = oneSheet(cells);

    xls::Result<QByteArray> bytes = xls::writeWorkbook(wb);
    ASSERT_TRUE(bytes.ok());
    const auto records = physicalRecords(*bytes);
    int continues = 0;
    for (const auto& r : records) {
        EXPECT_LE(r.body.size(), qsizetype(xls::kMaxRecordBody));
        continues += r.type == xls::rec::Continue;
    }
    EXPECT_GT(continues, 100);

    const xls::Workbook back = roundTrip(wb);
    ASSERT_EQ(back.sheets.size(), 1u);
    writertest::expectSameCells(wb.sheets[0], back.sheets[0]);
}

TEST(WriterSharedStrings, TableCountsReferencesAndUniqueTexts) {
    const xls::Workbook wb =
        oneSheet({xls::textCell("a"), xls::textCell("b"), xls::textCell("a"), xls::textCell("a")});
    xls::Result<QByteArray> bytes = xls::writeWorkbook(wb);
    ASSERT_TRUE(bytes.ok());
    for (const auto& r : physicalRecords(*bytes)) {
        if (r.type != xls::rec::Sst)
            continue;
        std::uint32_t total = 0, unique = 0;
        std::memcpy(&total, r.body.constData(), 4);
        std::memcpy(&unique, r.body.constData() + 4, 4);
        EXPECT_EQ(total, 4u);
        EXPECT_EQ(unique, 2u);
        return;
    }
    FAIL() << "no SST record";
}

// The SST's total and unique counts, from a written file.
std::pair<std::uint32_t, std::uint32_t> sstCounts(const QByteArray& file) {
    for (const auto& r : physicalRecords(file)) {
        if (r.type != xls::rec::Sst)
            continue;
        std::uint32_t total = 0, unique = 0;
        std::memcpy(&total, r.body.constData(), 4);
        std::memcpy(&unique, r.body.constData() + 4, 4);
        return {total, unique};
    }
    ADD_FAILURE() << "no SST record";
    return {0, 0};
}

struct TableSizeRow {
    int cells;
    int distinct;
    bool copies;  // repeated texts copied from one cell (one buffer), else made anew
};

TEST(WriterSharedStrings, EachTextOnceHoweverManyAndHoweverMade) {
    // Around the table's first size and past the most it is sized for at first.
    for (const TableSizeRow row :
         {TableSizeRow{3, 3, false}, TableSizeRow{3000, 1500, true},
          TableSizeRow{3000, 1500, false}, TableSizeRow{60000, 40000, true},
          TableSizeRow{60000, 60000, false}}) {
        SCOPED_TRACE(testing::Message() << row.cells << " cells, " << row.distinct << " texts");
        std::vector<xls::Cell> cells;
        cells.reserve(std::size_t(row.cells));
        for (int i = 0; i < row.cells; ++i) {
            const int text = i % row.distinct;
            cells.push_back(row.copies && i >= row.distinct
                                ? cells[std::size_t(text)]
                                : xls::textCell(QStringLiteral("Cliente %1").arg(text)));
        }
        const xls::Workbook wb = oneSheet(cells);
        xls::Result<QByteArray> bytes = xls::writeWorkbook(wb);
        ASSERT_TRUE(bytes.ok());
        const auto [total, unique] = sstCounts(*bytes);
        EXPECT_EQ(total, std::uint32_t(row.cells));
        EXPECT_EQ(unique, std::uint32_t(row.distinct));
        const xls::Result<xls::Workbook> back = xls::readWorkbook(*bytes);
        ASSERT_TRUE(back.ok());
        writertest::expectSameCells(wb.sheets[0], back->sheets[0]);
    }
}

TEST(RkNumbers, EachFormDecodes) {
    // 30-bit integers, plain and in hundredths, negative ones included.
    EXPECT_EQ(xls::rkNumber((7u << 2) | 0x02), 7.0);
    EXPECT_EQ(xls::rkNumber(0xFFFFFFFCu | 0x02), -1.0);
    EXPECT_EQ(xls::rkNumber((289u << 2) | 0x03), 2.89);
    // The high 32 bits of a double: 1.0 is 0x3FF00000 00000000; 123.0 is 0x405EC000 ...
    EXPECT_EQ(xls::rkNumber(0x3FF00000u), 1.0);
    EXPECT_EQ(xls::rkNumber(0x405EC000u | 0x01), 1.23);
}

TEST(WriterNumbers, RkOnlyWhenItGivesBackTheSameDouble) {
    for (double v : {0.0,    1.0,  -7.0,    13.0,   536870911.0, -536870912.0, 2889.1,
                     115.56, 0.07, 0.29,    1234.5, 0.5,         39818.0,      1e6 + 0.01,
                     -0.0,   0.1,  -2889.1, -0.07,  -1234.5,     5368709.11,   -5368709.12}) {
        const auto rk = xls::exactRk(v);
        ASSERT_TRUE(rk.has_value()) << v;
        const double back = xls::rkNumber(*rk);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(back), std::bit_cast<std::uint64_t>(v)) << v;
    }
    for (double v : {1.0 / 3.0, 0.1 + 0.2, 536870912.5, 1e300, 1e-300, 123456789.123, 2.0 / 7.0,
                     std::nan(""), double(INFINITY), -1e300, 5368709.125}) {
        EXPECT_FALSE(xls::exactRk(v).has_value()) << v;
    }
    // Hundredths that a reader multiplying by 0.01 would get wrong stay NUMBER.
    for (double v : {0.35, 0.41, 0.57, 0.7}) {
        ASSERT_NE(std::bit_cast<std::uint64_t>(std::nearbyint(v * 100) * 0.01),
                  std::bit_cast<std::uint64_t>(v));
        EXPECT_FALSE(xls::exactRk(v).has_value()) << v;
    }
    // A whole number past 30 bits fits no RK form whose low bits are free.
    EXPECT_FALSE(xls::exactRk(536870913.0).has_value());
}

TEST(WriterNumbers, CellsUseRkMulRkAndNumberAsFits) {
    xls::Workbook wb = xls::Workbook::withDefaults();
    xls::Sheet s;
    s.name = QStringLiteral("Foglio1");
    xls::Row row;
    row.cells = {xls::numberCell(1), xls::numberCell(2.5), xls::numberCell(1.0 / 3.0),
                 xls::numberCell(4)};
    s.rows.push_back(row);
    wb.sheets.push_back(s);
    xls::Result<QByteArray> bytes = xls::writeWorkbook(wb);
    ASSERT_TRUE(bytes.ok());
    std::map<std::uint16_t, int> kinds;
    for (const auto& r : physicalRecords(*bytes))
        ++kinds[r.type];
    EXPECT_EQ(kinds[xls::rec::MulRk], 1);   // A1:B1
    EXPECT_EQ(kinds[xls::rec::Number], 1);  // C1
    EXPECT_EQ(kinds[xls::rec::Rk], 1);      // D1
    writertest::expectSameCells(wb.sheets[0], roundTrip(wb).sheets.at(0));
}

// The first cell that shows a text too long is named, however the text is shared.
TEST(WriterLimits, TextLongerThanACellHoldsIsRefusedNamingTheCell) {
    const xls::SharedText tooLong(QString(32768, u'a'));
    const xls::SharedText shortText(QStringLiteral("ok"));
    struct Row {
        const char* what;
        std::vector<xls::Cell> column;
        const char* named;
    };
    const Row rows[] = {
        {"alone", {xls::textCell(shortText), xls::textCell(tooLong)}, "riga 2"},
        {"shared by two cells",
         {xls::textCell(shortText), xls::textCell(shortText), xls::textCell(tooLong),
          xls::textCell(tooLong)},
         "riga 3"},
        {"made twice", {xls::textCell(QString(32768, u'a')), xls::textCell(tooLong)}, "riga 1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        xls::Result<QByteArray> bytes = xls::writeWorkbook(oneSheet(row.column));
        ASSERT_FALSE(bytes.ok());
        EXPECT_TRUE(bytes.error().message.contains(QString::fromLatin1(row.named)))
            << qPrintable(bytes.error().message);
        EXPECT_TRUE(bytes.error().message.contains(QStringLiteral("colonna 1")));
        EXPECT_TRUE(bytes.error().message.contains(QStringLiteral("Foglio1")));
    }
}

TEST(WriterLimits, WorkbooksBiffCannotHoldAreRefused) {
    const auto refused = [](const xls::Workbook& wb) {
        xls::Result<QByteArray> bytes = xls::writeWorkbook(wb);
        return !bytes.ok() && !bytes.error().message.isEmpty();
    };
    EXPECT_TRUE(refused(xls::Workbook::withDefaults()));  // no sheets

    for (const QString& name : {QString(), QString(32, u'a'), QStringLiteral("a/b"),
                                QStringLiteral("[x]"), QStringLiteral("'x")}) {
        xls::Workbook wb = oneSheet({});
        wb.sheets[0].name = name;
        EXPECT_TRUE(refused(wb)) << qPrintable(name);
    }
    xls::Workbook twice = oneSheet({});
    twice.sheets.push_back(twice.sheets[0]);
    twice.sheets[1].name = QStringLiteral("FOGLIO1");
    EXPECT_TRUE(refused(twice));

    xls::Workbook wide = oneSheet({});
    wide.sheets[0].rows.resize(1);
    wide.sheets[0].rows[0].cells.resize(257);
    wide.sheets[0].rows[0].cells[256] = xls::numberCell(1);
    EXPECT_TRUE(refused(wide));

    xls::Workbook badMerge = oneSheet({});
    badMerge.sheets[0].merged.push_back({0, 70000, 0, 1});
    EXPECT_TRUE(refused(badMerge));

    xls::Workbook longHeader = oneSheet({});
    longHeader.sheets[0].page.header = QString(256, u'h');
    EXPECT_TRUE(refused(longHeader));

    xls::Workbook ok = oneSheet({});
    ok.sheets[0].name = QString(31, u'a');
    EXPECT_FALSE(refused(ok));
}

TEST(WriterLimits, ManyMergedRangesAreSplitAcrossRecords) {
    xls::Workbook wb = oneSheet({});
    for (int i = 0; i < 2100; ++i)
        wb.sheets[0].merged.push_back({i * 2, i * 2, 0, 1});
    xls::Result<QByteArray> bytes = xls::writeWorkbook(wb);
    ASSERT_TRUE(bytes.ok());
    int records = 0;
    for (const auto& r : physicalRecords(*bytes))
        records += r.type == xls::rec::MergedCells;
    EXPECT_EQ(records, 3);
    EXPECT_EQ(roundTrip(wb).sheets.at(0).merged, wb.sheets[0].merged);
}

TEST(WriterRecords, LongKeptRecordIsContinued) {
    xls::Workbook wb = oneSheet({xls::numberCell(1)});
    QByteArray big(20000, '\x5A');
    wb.sheets[0].extraRecords.push_back(
        xls::KeptRecord<xls::SheetSlot>{{0x0862, big}, xls::SheetSlot::BeforeEof});
    xls::Result<QByteArray> bytes = xls::writeWorkbook(wb);
    ASSERT_TRUE(bytes.ok());
    const auto records = physicalRecords(*bytes);
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].type != 0x0862)
            continue;
        ASSERT_LT(i + 2, records.size());
        EXPECT_EQ(records[i].body.size(), 8224);
        EXPECT_EQ(records[i + 1].type, xls::rec::Continue);
        EXPECT_EQ(records[i + 1].body.size(), 8224);
        EXPECT_EQ(records[i + 2].type, xls::rec::Continue);
        EXPECT_EQ(records[i + 2].body.size(), 20000 - 2 * 8224);
        EXPECT_EQ(records[i].body + records[i + 1].body + records[i + 2].body, big);
        return;
    }
    FAIL() << "kept record not written";
}

// Memory handed to the writer holds the stream only when it is the writer's alone
// and of about the expected size; whatever holds it, the bytes are the same.
TEST(WriterMemory, GivenMemoryHoldsTheStreamOnlyWhenItServes) {
    struct Row {
        const char* what;
        qsizetype given;
        bool sharedElsewhere;
        bool held;
    };
    const std::size_t expected = 1000;
    const Row rows[] = {
        {"none", 0, false, false},
        {"the expected size", 1000, false, true},
        {"somewhat less, grown when full", 600, false, true},
        {"far less", 400, false, false},
        {"held by another array too", 1000, true, false},
    };
    QByteArray reference;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        QByteArray memory(row.given, '\x77');
        const QByteArray other = row.sharedElsewhere ? memory : QByteArray();
        const char* const given = memory.constData();
        xls::RecordWriter out(expected, std::move(memory));
        EXPECT_EQ(reinterpret_cast<const char*>(out.data()) == given, row.held);
        for (int i = 0; i < 250; ++i)
            out.u32(std::uint32_t(i) * 0x01010101u);
        const QByteArray written(reinterpret_cast<const char*>(out.data()), qsizetype(out.size()));
        if (reference.isEmpty())
            reference = written;
        EXPECT_EQ(written, reference);
        if (row.sharedElsewhere) {
            EXPECT_EQ(other, QByteArray(row.given, '\x77'));
        }
    }
}

}  // namespace
