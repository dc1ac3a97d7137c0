#include "registers/invoice_form.h"

#include "registers/credit_notes.h"

#include <functional>
#include <utility>
#include <vector>

#include "registers/amount.h"
#include "registers/cell_writes.h"
#include "registers/invoice_extras.h"
#include "registers/settings_lists.h"
#include "store/address.h"
#include "store/engine.h"
#include "store/range.h"
#include "store/sheet_cells.h"
#include "store/workbook.h"

namespace registers {

namespace {

// The invoice's cells in the order they are written.
std::vector<std::pair<const char*, QString InvoiceFields::*>> invoiceCells() {
    return {{"C11", &InvoiceFields::clientName},
            {"C12", &InvoiceFields::address},
            {"C13", &InvoiceFields::postalCode},
            {"E13", &InvoiceFields::town},
            {"G13", &InvoiceFields::province},
            {"C14", &InvoiceFields::taxCode},
            {"F14", &InvoiceFields::vatNumber},
            {"I12", &InvoiceFields::clientId},
            {"I13", &InvoiceFields::date},
            {"I14", &InvoiceFields::number},
            {"B20", &InvoiceFields::description},
            {"I32", &InvoiceFields::taxable},
            {"I33", &InvoiceFields::surcharge},
            {"I34", &InvoiceFields::totalTaxable},
            {"I35", &InvoiceFields::vat},
            {"I36", &InvoiceFields::exempt},
            {"I37", &InvoiceFields::total},
            {"I38", &InvoiceFields::withholding},
            {"I39", &InvoiceFields::net},
            {"H33", &InvoiceFields::surchargeRate},
            {"H35", &InvoiceFields::vatRate},
            {"H36", &InvoiceFields::exemption},
            {"H38", &InvoiceFields::withholdingRate}};
}

// The letterhead: the user's data in the form's top rows.
std::vector<std::pair<const char*, UserField>> letterheadCells() {
    return {{"B2", UserName},      {"B3", UserDomicile}, {"B4", UserPostalCode},
            {"C4", UserTown},      {"E4", UserProvince}, {"C5", UserTaxCode},
            {"C6", UserVatNumber}, {"C7", UserRegister}, {"C42", UserBank},
            {"C43", UserIban}};
}

// The stamp duty below the amounts: its line when charged to the client (label and
// amount), and the note of an invoice that declares it; empty texts when not.
std::vector<std::pair<const char*, QString>> stampDutyCells(const InvoiceFields& invoice) {
    const bool charged = invoice.stampDutyCharged;
    const bool declared =
        declaresStampDuty(invoice.totalTaxable, invoice.vat, invoice.exempt, charged);
    return {{"F40", charged ? kStampDutyLine : QString()},
            {"I40", charged ? kStampDuty.text() : QString()},
            {"B41", declared ? kStampDutyNote : QString()}};
}

void write(const store::Worksheet& sheet, const char* cell, const QString& text) {
    auto range = sheet.range(QString::fromLatin1(cell));
    Q_ASSERT(range.ok());
    range->setValue(text);
}

// The payment terms under the bank details: the payment type and the due date, each
// with its label. The IBAN is the letterhead's. A form whose label cell holds
// something else is the user's own there and keeps it; a credit note asks the
// client for nothing.
void writePaymentTerms(const store::Worksheet& form, const InvoiceFields& invoice) {
    if (invoice.corrects)
        return;
    const std::pair<const char*, const char*> terms[] = {{"B44", "C44"}, {"H44", "I44"}};
    const QString labels[] = {kPaymentLabel, kDueLabel};
    const QString values[] = {invoice.paidBy == kNoneItem ? QString() : invoice.paidBy,
                              invoice.due};
    for (int i = 0; i < 2; ++i) {
        const QString there = form.range(QString::fromLatin1(terms[i].first))->text();
        if (values[i].isEmpty() || (!there.isEmpty() && there != labels[i]))
            continue;
        write(form, terms[i].first, labels[i]);
        write(form, terms[i].second, values[i]);
    }
}

// A credit note's title is longer than the form's "FATTURA": it takes the title row
// from F to I, in the title's own font, ending where the invoice's title ends. A
// form of the user's own with something there keeps it, and has the title in H2.
void writeCreditNoteTitle(const store::Worksheet& form) {
    const bool rowFree = form.range(u"F2")->text().isEmpty() &&
                         form.range(u"G2")->text().isEmpty() && form.range(u"I2")->text().isEmpty();
    if (!rowFree) {
        write(form, "H2", kCreditNoteTitle);
        return;
    }
    xls::Sheet& sheet = form.model();
    xls::Workbook& book = form.workbook().model();
    const xls::Cell* title = store::findCell(sheet, 1, 7);
    const std::uint16_t xf = title ? title->xf : store::defaultXf(sheet, 1, 7);
    const std::uint16_t font = book.xfs[xf].font;
    write(form, "H2", QString());
    store::restyle(book, sheet, {1, 1, 5, 8}, [font](xls::Xf& cell) {
        cell.font = font;
        cell.setHAlign(xls::HAlign::Right);
        cell.setVAlign(xls::VAlign::Center);
    });
    form.workbook().markChanged();
    form.range(u"F2:I2")->setMergeCells(true);
    write(form, "F2", kCreditNoteTitle);
}

}  // namespace

bool declaresStampDuty(const QString& totalTaxable, const QString& vat, const QString& exempt,
                       bool charged) {
    const Amount shownVat = Amount::parse(vat).value_or(Amount());
    Amount withoutVat = Amount::parse(exempt).value_or(Amount());
    if (shownVat.isZero())
        withoutVat = withoutVat + Amount::parse(totalTaxable).value_or(Amount());
    return charged || withoutVat > kStampDutyThreshold;
}

namespace {

// A credit note's register amounts are negative; its document shows them positive.
InvoiceFields asShown(const InvoiceFields& invoice) {
    InvoiceFields shown = invoice;
    if (!invoice.corrects)
        return shown;
    for (QString* amount : {&shown.taxable, &shown.surcharge, &shown.totalTaxable, &shown.vat,
                            &shown.exempt, &shown.total, &shown.withholding, &shown.net})
        *amount = positiveAmount(*amount);
    return shown;
}

}  // namespace

void fillInvoiceForm(const store::Worksheet& form, const InvoiceFields& fields,
                     const UserData& user) {
    const InvoiceFields invoice = asShown(fields);
    form.unprotect();
    expectWritten(form.setScrollArea(QString::fromLatin1(kInvoiceFormScrollArea)));
    for (const auto& [cell, field] : invoiceCells()) {
        write(form, cell, invoice.*field);
    }
    // The letterhead goes only into empty cells: a form the user made keeps its
    // own letterhead, whatever the user's data hold.
    for (const auto& [cell, field] : letterheadCells()) {
        if (form.range(QString::fromLatin1(cell))->text().isEmpty()) {
            write(form, cell, user[field]);
        }
    }
    // Below the amounts, and only when there is something to say, so that a form of
    // the user's own keeps what it has there.
    for (const auto& [cell, text] : stampDutyCells(invoice)) {
        if (!text.isEmpty())
            write(form, cell, text);
    }
    writePaymentTerms(form, invoice);
    // A credit note says so in the title and names the invoice it corrects.
    if (invoice.corrects) {
        writeCreditNoteTitle(form);
        write(form, "H14", QStringLiteral("Nota N."));
        write(form, "B16", reversalText(*invoice.corrects));
        // The net of a credit note is owed to the client; a label of the user's own stays.
        if (form.range(u"F39")->text() == QStringLiteral("Netto a pagare"))
            write(form, "F39", QStringLiteral("Netto a vostro credito"));
    }
    form.protect();
}

namespace {

// Builds the template's formats on the model: fonts, borders, formats.
class FormStyle {
  public:
    FormStyle(store::Workbook& book, const store::Worksheet& sheet)
        : book_(book.model()), sheet_(sheet) {}

    std::uint16_t font(int points, bool bold, bool italic = false) {
        xls::Font f;
        f.height = std::uint16_t(points * 20);
        f.weight = bold ? 700 : 400;
        f.options = italic ? 0x02 : 0;
        for (std::size_t i = 0; i < book_.fonts.size(); ++i)
            if (book_.fonts[i] == f)
                return std::uint16_t(i >= 4 ? i + 1 : i);
        book_.fonts.push_back(f);
        const std::size_t i = book_.fonts.size() - 1;
        return std::uint16_t(i >= 4 ? i + 1 : i);
    }

    void apply(const char* address, const std::function<void(xls::Xf&)>& change) {
        const auto rect = store::parseAddress(QString::fromLatin1(address));
        Q_ASSERT(rect);
        store::restyle(book_, sheet_.model(), *rect, change);
    }

    // A thin line round the whole rectangle.
    void box(const char* address) {
        const auto rect = *store::parseAddress(QString::fromLatin1(address));
        for (int r = rect.firstRow; r <= rect.lastRow; ++r) {
            for (int c = rect.firstCol; c <= rect.lastCol; ++c) {
                std::uint8_t lines0 = 0;
                std::uint8_t lines1 = 0;
                if (c == rect.firstCol)
                    lines0 |= 0x01;
                if (c == rect.lastCol)
                    lines0 |= 0x10;
                if (r == rect.firstRow)
                    lines1 |= 0x01;
                if (r == rect.lastRow)
                    lines1 |= 0x10;
                if (!lines0 && !lines1)
                    continue;
                store::restyle(book_, sheet_.model(), {r, r, c, c}, [&](xls::Xf& xf) {
                    xf.borderFill[0] |= lines0;
                    xf.borderFill[1] |= lines1;
                });
            }
        }
    }

  private:
    xls::Workbook& book_;
    store::Worksheet sheet_;
};

}  // namespace

xls::Workbook makeInvoiceTemplate() {
    store::Engine engine;
    store::Workbook& book = engine.create();
    store::Worksheet sheet = book.activeSheet();
    expectWritten(sheet.setName(QStringLiteral("Fattura")));
    FormStyle style(book, sheet);

    // Columns: a narrow margin, labels, then fields; I holds the amounts.
    const int widths[] = {600, 3800, 4000, 2300, 2700, 5400, 1200, 3600, 3800};
    for (int c = 0; c < 9; ++c)
        sheet.setColumnWidth(c + 1, widths[c]);

    const auto text = [&](const char* cell, const QString& value) { write(sheet, cell, value); };
    const auto asText = [&](const char* address) {
        sheet.range(QString::fromLatin1(address))->setNumberFormat(QStringLiteral("@"));
    };
    // Letterhead.
    asText("B2:I7");
    asText("C42:C43");
    style.apply("B2", [&](xls::Xf& xf) { xf.font = style.font(16, true); });
    style.apply("B3:E7", [&](xls::Xf& xf) { xf.font = style.font(10, false); });
    text("B5", QStringLiteral("Codice Fiscale"));
    text("B6", QStringLiteral("Partita IVA"));
    text("B7", QStringLiteral("Albo"));
    text("H2", QStringLiteral("FATTURA"));
    style.apply("H2", [&](xls::Xf& xf) {
        xf.font = style.font(20, true);
        xf.setVAlign(xls::VAlign::Center);
    });
    // Row 2 as tall as its large texts, with room above and below them.
    sheet.model().rows[1].height = 640;
    sheet.model().rows[1].customHeight = true;

    // The client block.
    text("B10", QStringLiteral("Spett.le"));
    style.apply("B10", [&](xls::Xf& xf) { xf.font = style.font(10, true, true); });
    text("B11", QStringLiteral("Cliente"));
    text("B12", QStringLiteral("Indirizzo"));
    text("B13", QStringLiteral("CAP"));
    text("D13", QStringLiteral("Località"));
    text("F13", QStringLiteral("Prov."));
    text("B14", QStringLiteral("Codice Fiscale"));
    text("E14", QStringLiteral("Partita IVA"));
    asText("C11:G14");
    style.apply("C11", [&](xls::Xf& xf) { xf.font = style.font(11, true); });
    style.box("B10:G14");
    text("H12", QStringLiteral("Codice Cliente"));
    text("H13", QStringLiteral("Data"));
    text("H14", QStringLiteral("Fattura N."));
    style.apply("I12:I14", [&](xls::Xf& xf) {
        xf.setHAlign(xls::HAlign::Right);
        xf.font = style.font(11, true);
    });
    asText("I12");
    sheet.range(u"I13")->setNumberFormat(QStringLiteral("dd/mm/yyyy"));
    style.box("H12:I14");

    // The description, spread over B20:I30.
    text("B18", QStringLiteral("Descrizione"));
    style.apply("B18", [&](xls::Xf& xf) { xf.font = style.font(10, true); });
    sheet.range(u"B20:I30")->setMergeCells(true);
    asText("B20");
    style.apply("B20", [&](xls::Xf& xf) {
        xf.setWrap(true);
        xf.setVAlign(xls::VAlign::Top);
        xf.setHAlign(xls::HAlign::Left);
    });
    style.box("B19:I30");

    // The amounts.
    const std::pair<const char*, const char*> labels[] = {
        {"F32", "Imponibile"},           {"F33", "Rivalsa INPS/Cassa %"},
        {"F34", "Totale Imponibile"},    {"F35", "IVA %"},
        {"F36", "Esenzione IVA"},        {"F37", "Totale Fattura"},
        {"F38", "Ritenuta d'acconto %"}, {"F39", "Netto a pagare"}};
    for (const auto& [cell, label] : labels)
        text(cell, QString::fromUtf8(label));
    style.apply("F37:F39", [&](xls::Xf& xf) { xf.font = style.font(10, true); });
    sheet.range(u"I32:I40")->setNumberFormat(QStringLiteral("#,##0.00"));
    style.apply("I32:I40", [&](xls::Xf& xf) { xf.setHAlign(xls::HAlign::Right); });
    style.apply("B41", [&](xls::Xf& xf) { xf.font = style.font(9, false, true); });
    style.apply("I37", [&](xls::Xf& xf) { xf.font = style.font(11, true); });
    style.apply("I39", [&](xls::Xf& xf) { xf.font = style.font(11, true); });
    asText("H33:H38");
    style.apply("H33:H38", [&](xls::Xf& xf) { xf.setHAlign(xls::HAlign::Right); });
    style.box("F32:I39");
    style.box("F37:I37");
    style.box("F39:I39");

    // Payment details.
    text("B42", QStringLiteral("Banca"));
    text("B43", QStringLiteral("IBAN"));
    text("B44", kPaymentLabel);
    text("H44", kDueLabel);
    style.apply("B42:B44", [&](xls::Xf& xf) { xf.font = style.font(10, true); });
    style.apply("H44", [&](xls::Xf& xf) { xf.font = style.font(10, true); });
    asText("C44");
    sheet.range(u"I44")->setNumberFormat(QStringLiteral("dd/mm/yyyy"));
    style.apply("I44", [&](xls::Xf& xf) { xf.setHAlign(xls::HAlign::Right); });

    // One A4 page, protected.
    expectWritten(sheet.setPrintArea(u"A1:I45"));
    xls::PageSetup& page = sheet.pageSetup();
    page.paperSize = 9;
    page.leftMargin = page.rightMargin = 0.5;
    page.topMargin = page.bottomMargin = 0.6;
    sheet.setFitToPages(1, 1);
    sheet.model().showGridlines = false;
    sheet.protect();
    return book.model();
}

store::Result<store::Done> writeInvoiceTemplate(const QString& path) {
    store::Engine engine;
    return engine.adopt(makeInvoiceTemplate(), path, QString()).save();
}

}  // namespace registers
