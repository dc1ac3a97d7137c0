#include "xls/workbook_stream_writer.h"

#include "xls/cell_table_writer.h"
#include "xls/cipher_pipeline.h"
#include "xls/globals_records.h"
#include "xls/link_table_writer.h"
#include "xls/record_writer.h"
#include "xls/shared_strings_writer.h"
#include "xls/sheet_records.h"
#include "xls/workbook_checks.h"

namespace xls {

namespace {

// The texts of all cells gathered into the shared string table, with the index
// of each text cell in the order the cell tables are written. The text result of a
// formula goes with its formula, not into the table.
struct CollectedTexts {
    SharedStringsWriter table;
    std::vector<std::uint32_t> indexes;
};

// What one walk over the cells finds before anything is written.
struct CellCensus {
    std::size_t cells = 0;
    std::size_t textCells = 0;
    std::vector<bool> sheetHasFormulas;
};

CellCensus cellCensus(const Workbook& wb) {
    CellCensus census;
    for (const Sheet& sheet : wb.sheets) {
        bool formulas = false;
        for (const Row& row : sheet.rows) {
            census.cells += row.cells.size();
            for (const Cell& cell : row.cells) {
                census.textCells += cell.kind() == CellKind::Text;
                formulas = formulas || cell.hasFormula();
            }
        }
        census.sheetHasFormulas.push_back(formulas);
    }
    return census;
}

Result<CollectedTexts> collectTexts(const Workbook& wb, const std::vector<FormulaPlan>& formulas,
                                    std::size_t textCells) {
    CollectedTexts texts{SharedStringsWriter(textCells), {}};
    texts.indexes.reserve(textCells);
    for (std::size_t s = 0; s < wb.sheets.size(); ++s) {
        const Sheet& sheet = wb.sheets[s];
        for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
            const std::vector<Cell>& cells = sheet.rows[r].cells;
            for (std::size_t c = 0; c < cells.size(); ++c) {
                if (cells[c].kind() != CellKind::Text)
                    continue;
                const QString& text = cells[c].text();
                if (cells[c].hasFormula() && formulas[s].writesFormula(cells[c], int(r), int(c))) {
                    if (text.size() > kMaxCellText)
                        return cellTextTooLong(sheet, int(r), int(c));
                    continue;
                }
                // A text is read, and its length checked, only where the table
                // meets it for the first time.
                const std::size_t known = texts.table.count();
                const std::uint32_t index = texts.table.add(text, cells[c].textIdentity());
                if (index == known && text.size() > kMaxCellText)
                    return cellTextTooLong(sheet, int(r), int(c));
                texts.indexes.push_back(index);
            }
        }
    }
    return texts;
}

// The kept records that belong in `slot`, in the order they were read.
template <class Slot>
void writeKept(RecordWriter& out, const std::vector<KeptRecord<Slot>>& kept, Slot slot) {
    for (const KeptRecord<Slot>& raw : kept) {
        if (raw.slot == slot)
            writeRaw(out, raw);
    }
}

bool isSelected(const Workbook& wb, std::size_t sheet) {
    return wb.sheets[sheet].selected || int(sheet) == wb.activeSheet;
}

// The globals substream; returns where each sheet's BOUNDSHEET keeps its position.
std::vector<std::size_t> writeGlobals(RecordWriter& out, const Workbook& wb,
                                      std::span<const std::uint8_t> filePass,
                                      const SharedStringsWriter& strings) {
    writeBof(out, SubstreamKind::Globals);
    if (!filePass.empty())
        writeFilePass(out, filePass);
    writeCodePage(out);
    writeTabId(out, int(wb.sheets.size()));
    writeKept(out, wb.extraGlobals, GlobalsSlot::BeforeWindow1);
    int selected = 0;
    for (std::size_t i = 0; i < wb.sheets.size(); ++i)
        selected += isSelected(wb, i);
    writeWindow1(out, wb.activeSheet, selected);
    writeDateMode(out, wb.date1904);
    writeKept(out, wb.extraGlobals, GlobalsSlot::AfterDateMode);

    for (const Font& font : wb.fonts)
        writeFont(out, font);
    for (const auto& [index, code] : wb.formats)
        writeFormat(out, index, code);
    for (const Xf& xf : wb.xfs)
        writeXf(out, xf);
    for (const RawRecord& style : wb.styles)
        writeRaw(out, style);
    if (wb.palette)
        writeRaw(out, *wb.palette);
    writeKept(out, wb.extraGlobals, GlobalsSlot::AfterStyles);

    std::vector<std::size_t> positions;
    positions.reserve(wb.sheets.size());
    for (const Sheet& sheet : wb.sheets)
        positions.push_back(writeBoundSheet(out, sheet));
    writeKept(out, wb.extraGlobals, GlobalsSlot::AfterSheets);

    writeLinkTable(out, wb);
    writeKept(out, wb.extraGlobals, GlobalsSlot::BeforeSst);

    strings.write(out);
    writeKept(out, wb.extraGlobals, GlobalsSlot::BeforeEof);
    writeEof(out);
    return positions;
}

void writeSheet(RecordWriter& out, const Sheet& sheet, bool selected, const FormulaPlan& formulas,
                std::span<const std::uint32_t>& textIndexes) {
    const std::vector<KeptRecord<SheetSlot>>& kept = sheet.extraRecords;
    writeBof(out, SubstreamKind::Worksheet);
    writeKept(out, kept, SheetSlot::AfterBof);
    writeDefaultRowHeight(out, sheet.defaultRowHeight);
    writeWsBool(out, sheet.page.fitToPage);
    writePrintOptions(out, sheet.page);
    writeRowBreaks(out, sheet.page.rowBreaks);
    writeKept(out, kept, SheetSlot::AfterPageBreaks);
    writePageSetup(out, sheet.page);
    writeProtection(out, sheet.protection);
    writeKept(out, kept, SheetSlot::AfterProtection);
    writeDefColWidth(out, sheet.defaultColWidth);
    writeColumns(out, sheet.columns);
    writeDimensions(out, usedArea(sheet));
    writeKept(out, kept, SheetSlot::BeforeCells);
    writeCellTable(out, sheet, formulas, textIndexes);
    writeKept(out, kept, SheetSlot::AfterCells);
    writeSheetView(out, sheet, selected);
    writeKept(out, kept, SheetSlot::AfterView);
    writeMergedCells(out, sheet.merged);
    writeKept(out, kept, SheetSlot::BeforeEof);
    writeEof(out);
}

}  // namespace

Result<RecordWriter> buildWorkbookStream(const Workbook& wb, std::span<const std::uint8_t> filePass,
                                         CipherPipeline* cipher, QByteArray memory) {
    if (auto ok = checkWritable(wb); !ok)
        return ok.error();
    const CellCensus census = cellCensus(wb);
    // About what the cell records take: the thread that enciphers them makes
    // their keystream while the texts are gathered.
    const std::size_t cellBytes = 16 * 1024 + 16 * census.cells;
    if (cipher)
        cipher->expect(cellBytes);
    // A sheet without formulas needs no plan, nor another walk over its cells.
    std::vector<FormulaPlan> formulas;
    formulas.reserve(wb.sheets.size());
    for (std::size_t s = 0; s < wb.sheets.size(); ++s) {
        if (census.sheetHasFormulas[s])
            formulas.emplace_back(wb.sheets[s]);
        else
            formulas.emplace_back();
    }
    Result<CollectedTexts> texts = collectTexts(wb, formulas, census.textCells);
    if (!texts)
        return texts.error();

    // One buffer for the whole stream, sized so it rarely has to grow.
    RecordWriter out(cellBytes + texts->table.byteSize(), std::move(memory));
    if (cipher)
        out.handOverTo(cipher);
    const std::vector<std::size_t> positions = writeGlobals(out, wb, filePass, texts->table);
    std::span<const std::uint32_t> textIndexes(texts->indexes);
    for (std::size_t i = 0; i < wb.sheets.size(); ++i) {
        out.patch32(positions[i], std::uint32_t(out.pos()));
        writeSheet(out, wb.sheets[i], isSelected(wb, i), formulas[i], textIndexes);
    }
    return out;
}

}  // namespace xls
