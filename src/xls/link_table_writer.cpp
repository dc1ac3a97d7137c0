#include "xls/link_table_writer.h"

#include <algorithm>
#include <optional>
#include <set>
#include <vector>

#include "xls/globals_records.h"
#include "xls/little_endian.h"
#include "xls/print_area.h"
#include "xls/record_types.h"

namespace xls {

namespace {

constexpr std::uint16_t kNoSheet = 0xFFFF;  // "the sheet could not be found"
constexpr std::uint16_t kNameHidden = 0x0001;
constexpr std::size_t kNameTabAt = 8;
constexpr std::size_t kNameHeader = 14;

const std::uint8_t* bytesOf(const QByteArray& data) {
    return reinterpret_cast<const std::uint8_t*>(data.constData());
}

// The SUPBOOK through which a workbook refers to its own sheets.
bool isSelfSupBook(const RawRecord& r) {
    return r.type == rec::SupBook && r.data.size() == 4 && le16(bytesOf(r.data) + 2) == 0x0401;
}

class LinkTable {
  public:
    explicit LinkTable(const Workbook& wb) : wb_(wb) {}
    void write(RecordWriter& out);

  private:
    // The sheet that the file's sheet number `tab` is now, or none.
    std::optional<int> sheetNow(std::uint16_t tab) const;
    std::uint16_t tabNow(std::uint16_t tab) const;
    // The EXTERNSHEET entry that refers to sheet `sheet` alone, made when missing.
    std::uint16_t xtiOf(int sheet);
    // The file's sheet number of a print-area name.
    std::optional<std::uint16_t> printAreaTab(const PrintAreaName& name) const;
    void writeName(RecordWriter& out, const RawRecord& name, std::set<int>& printAreasDone);

    const Workbook& wb_;
    int selfBook_ = -1;
    std::vector<Xti> readXtis_;  // as the file had them
    std::vector<Xti> xtis_;      // as they are written
};

std::optional<int> LinkTable::sheetNow(std::uint16_t tab) const {
    const auto it = std::find_if(wb_.sheets.begin(), wb_.sheets.end(),
                                 [&](const Sheet& s) { return s.fileTab == int(tab); });
    if (it == wb_.sheets.end())
        return std::nullopt;
    return int(it - wb_.sheets.begin());
}

std::uint16_t LinkTable::tabNow(std::uint16_t tab) const {
    // Workbook-level (-2) and missing (-1) references stay as they are.
    if (tab >= 0xFFFE)
        return tab;
    const std::optional<int> now = sheetNow(tab);
    return now ? std::uint16_t(*now) : kNoSheet;
}

std::uint16_t LinkTable::xtiOf(int sheet) {
    const Xti wanted{std::uint16_t(selfBook_), std::uint16_t(sheet), std::uint16_t(sheet)};
    const auto it = std::find_if(xtis_.begin(), xtis_.end(), [&](const Xti& x) {
        return x.book == wanted.book && x.first == wanted.first && x.last == wanted.last;
    });
    if (it != xtis_.end())
        return std::uint16_t(it - xtis_.begin());
    xtis_.push_back(wanted);
    return std::uint16_t(xtis_.size() - 1);
}

std::optional<std::uint16_t> LinkTable::printAreaTab(const PrintAreaName& name) const {
    if (name.sheetTab > 0)
        return std::uint16_t(name.sheetTab - 1);
    if (name.xti && *name.xti < readXtis_.size() && int(readXtis_[*name.xti].book) == selfBook_)
        return readXtis_[*name.xti].first;
    return std::nullopt;
}

// A name whose sheet is not written: hidden, for the whole workbook, its formula #REF!.
QByteArray nameWithoutSheet(const QByteArray& name) {
    const auto* p = bytesOf(name);
    const bool wide = name.size() > qsizetype(kNameHeader) && (p[kNameHeader] & 0x01);
    const qsizetype textSize = 1 + qsizetype(p[3]) * (wide ? 2 : 1);
    QByteArray out = name.left(qsizetype(kNameHeader) + textSize);
    auto* q = reinterpret_cast<std::uint8_t*>(out.data());
    putLe16(q, le16(p) | kNameHidden);
    putLe16(q + 4, 2);  // the formula: one error constant
    putLe16(q + kNameTabAt, 0);
    out.append(char(0x1C));  // ptgErr
    out.append(char(ErrorCode::Ref));
    return out;
}

void LinkTable::writeName(RecordWriter& out, const RawRecord& name, std::set<int>& printAreasDone) {
    const auto* p = bytesOf(name.data);
    if (name.data.size() < qsizetype(kNameHeader) ||
        name.data.size() < qsizetype(kNameHeader) + 1 + p[3] + le16(p + 4)) {
        return;  // a damaged name that no formula can use
    }
    const Record record{rec::Name, 0, {std::span(p, std::size_t(name.data.size()))}};
    if (const std::optional<PrintAreaName> area = readPrintAreaName(record)) {
        const std::optional<std::uint16_t> tab = printAreaTab(*area);
        const std::optional<int> sheet = tab ? sheetNow(*tab) : std::nullopt;
        if (sheet && wb_.sheets[std::size_t(*sheet)].page.printArea &&
            printAreasDone.insert(*sheet).second) {
            writePrintAreaName(out, *sheet, xtiOf(*sheet),
                               *wb_.sheets[std::size_t(*sheet)].page.printArea);
        } else {
            // A print area that the program cleared: the name stays, so the names
            // after it keep their numbers, but it refers to nothing.
            writeRaw(out, RawRecord{rec::Name, nameWithoutSheet(name.data)});
        }
        return;
    }
    const std::uint16_t tab = le16(p + kNameTabAt);  // 1-based; 0 for the whole workbook
    if (tab == 0) {
        writeRaw(out, name);
        return;
    }
    const std::optional<int> sheet = sheetNow(std::uint16_t(tab - 1));
    if (!sheet) {
        writeRaw(out, RawRecord{rec::Name, nameWithoutSheet(name.data)});
        return;
    }
    RawRecord moved = name;
    putLe16(reinterpret_cast<std::uint8_t*>(moved.data.data()) + kNameTabAt,
            std::uint16_t(*sheet + 1));
    writeRaw(out, moved);
}

void LinkTable::write(RecordWriter& out) {
    const std::vector<RawRecord>& links = wb_.links;
    // The books first, each with the records that belong to it.
    int books = 0;
    for (const RawRecord& r : links) {
        if (r.type == rec::ExternSheet || r.type == rec::Name)
            continue;
        if (isSelfSupBook(r)) {
            selfBook_ = books;
            writeSelfSupBook(out, int(wb_.sheets.size()));
        } else {
            writeRaw(out, r);
        }
        books += r.type == rec::SupBook;
    }
    const bool printAreas = std::any_of(wb_.sheets.begin(), wb_.sheets.end(), [](const Sheet& s) {
        return s.page.printArea.has_value();
    });
    if (printAreas && selfBook_ < 0) {
        selfBook_ = books;
        writeSelfSupBook(out, int(wb_.sheets.size()));
    }

    for (const RawRecord& r : links) {
        if (r.type != rec::ExternSheet || r.data.size() < 2)
            continue;
        const auto* p = bytesOf(r.data);
        const std::size_t count =
            std::min<std::size_t>(le16(p), std::size_t(r.data.size() - 2) / 6);
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t* e = p + 2 + 6 * i;
            readXtis_.push_back(Xti{le16(e), le16(e + 2), le16(e + 4)});
        }
    }
    for (const Xti& x : readXtis_) {
        const bool ours = int(x.book) == selfBook_;
        xtis_.push_back(ours ? Xti{x.book, tabNow(x.first), tabNow(x.last)} : x);
    }
    for (std::size_t i = 0; i < wb_.sheets.size(); ++i) {
        if (wb_.sheets[i].page.printArea)
            xtiOf(int(i));
    }
    if (!xtis_.empty())
        writeExternSheet(out, xtis_);

    std::set<int> printAreasDone;
    for (const RawRecord& r : links) {
        if (r.type == rec::Name)
            writeName(out, r, printAreasDone);
    }
    for (std::size_t i = 0; i < wb_.sheets.size(); ++i) {
        const auto& area = wb_.sheets[i].page.printArea;
        if (area && !printAreasDone.count(int(i)))
            writePrintAreaName(out, int(i), xtiOf(int(i)), *area);
    }
}

}  // namespace

void writeLinkTable(RecordWriter& out, const Workbook& wb) {
    LinkTable(wb).write(out);
}

}  // namespace xls
