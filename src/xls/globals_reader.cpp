#include "xls/globals_reader.h"

#include "xls/kept_records.h"
#include "xls/read_errors.h"
#include "xls/record_types.h"
#include "xls/shared_strings.h"

namespace xls {

namespace {

bool readFont(ByteReader& in, Workbook& book) {
    Font f;
    f.height = in.u16();
    f.options = in.u16();
    f.color = in.u16();
    f.weight = in.u16();
    f.escapement = in.u16();
    f.underline = in.u8();
    f.family = in.u8();
    f.charset = in.u8();
    in.skip(1);
    f.name = in.shortString();
    if (!in.ok())
        return false;
    book.fonts.push_back(std::move(f));
    return true;
}

bool readFormat(ByteReader& in, Workbook& book) {
    const std::uint16_t index = in.u16();
    QString code = in.string();
    if (!in.ok())
        return false;
    book.formats[index] = std::move(code);
    return true;
}

bool readXf(ByteReader& in, Workbook& book) {
    Xf xf;
    xf.font = in.u16();
    xf.format = in.u16();
    xf.typeProt = in.u16();
    xf.align = in.u8();
    xf.rotation = in.u8();
    xf.indent = in.u8();
    xf.used = in.u8() & 0xFC;
    in.read(xf.borderFill);
    if (!in.ok())
        return false;
    book.xfs.push_back(xf);
    return true;
}

bool readBoundSheet(ByteReader& in, Globals& g) {
    SheetEntry e;
    e.position = in.u32();
    e.hidden = (in.u8() & 0x03) != 0;
    e.worksheet = in.u8() == 0;
    e.name = in.shortString();
    if (!in.ok())
        return false;
    g.sheets.push_back(std::move(e));
    return true;
}

bool readExternSheet(ByteReader& in, Globals& g) {
    const std::uint16_t count = in.u16();
    if (std::size_t(count) * 6 > in.remaining())
        return false;
    for (std::uint16_t i = 0; i < count; ++i) {
        in.skip(2);  // the SUPBOOK: this workbook, for a print area
        g.externSheetTabs.push_back(in.u16());
        in.skip(2);
    }
    return in.ok();
}

}  // namespace

Result<Globals> readGlobals(RecordStream& records) {
    Globals g;
    Record r;
    GlobalsSlot slot = GlobalsSlot::BeforeWindow1;
    while (records.next(r)) {
        if (const std::optional<GlobalsSlot> next = globalsSlotAfter(r.type))
            slot = *next;
        if (isLinkRecord(r.type))
            g.book.links.push_back(RawRecord{r.type, r.joined()});
        ByteReader in = r.reader();
        bool ok = true;
        switch (r.type) {
            case rec::Eof:
                // A workbook needs its cell formats; a file without them gets the
                // standard ones, so every cell's format index resolves.
                if (g.book.xfs.size() <= kDefaultXf || g.book.fonts.empty()) {
                    const Workbook defaults = Workbook::withDefaults();
                    if (g.book.fonts.empty())
                        g.book.fonts = defaults.fonts;
                    for (std::size_t i = g.book.xfs.size(); i < defaults.xfs.size(); ++i)
                        g.book.xfs.push_back(defaults.xfs[i]);
                }
                return g;
            case rec::Font:
                ok = readFont(in, g.book);
                break;
            case rec::Format:
                ok = readFormat(in, g.book);
                break;
            case rec::Xf:
                ok = readXf(in, g.book);
                break;
            case rec::Style:
                g.book.styles.push_back(RawRecord{r.type, r.joined()});
                break;
            case rec::Palette:
                g.book.palette = RawRecord{r.type, r.joined()};
                break;
            case rec::BoundSheet:
                ok = readBoundSheet(in, g);
                break;
            case rec::DateMode:
                g.book.date1904 = in.u16() == 1;
                ok = in.ok();
                break;
            case rec::Window1:
                in.skip(10);
                g.activeTab = in.u16();
                ok = in.ok();
                break;
            case rec::Sst: {
                auto strings = readSharedStrings(r);
                ok = strings.has_value();
                if (ok) {
                    // One shared text per entry, which every cell showing it refers to.
                    g.sharedStrings.clear();
                    g.sharedStrings.reserve(strings->size());
                    for (QString& text : *strings)
                        g.sharedStrings.emplace_back(std::move(text));
                }
                break;
            }
            case rec::Name:
                if (auto area = readPrintAreaName(r))
                    g.printAreas.push_back(*area);
                break;
            case rec::ExternSheet:
                ok = readExternSheet(in, g);
                break;
            default:
                if (!isRebuiltGlobalRecord(r.type) && !isLinkRecord(r.type))
                    keepRecord(r, slot, g.book.extraGlobals);
                break;
        }
        if (!ok)
            return damagedRecord(r.offset);
    }
    return damagedFile();  // the globals never ended
}

}  // namespace xls
