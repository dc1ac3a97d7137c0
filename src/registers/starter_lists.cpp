#include "registers/starter_lists.h"

#include "registers/einvoice_codes.h"
#include "registers/settings_lists.h"

#include <vector>

namespace registers {

namespace {

struct StarterItem {
    int column;  // of Utilità
    QString text;
    ItemCodes codes = {};
    int days = 0;  // to payment, for a payment type
};

const std::vector<StarterItem>& starterItems() {
    static const std::vector<StarterItem> items = [] {
        const auto s = [](const char* text) { return QString::fromUtf8(text); };
        const ItemCodes transfer{s("MP05"), {}};
        return std::vector<StarterItem>{
            {kVatColumn, s("22")},
            {kVatColumn, s("10")},
            {kVatColumn, s("5")},
            {kVatColumn, s("4")},
            // 4 % is the INPS separate scheme's surcharge and most funds' integrative
            // contribution, 2 % and 5 % those of the other funds: which one an item is
            // the user says in the codes window, as it decides the withholding.
            {kInpsColumn, s("4")},
            {kInpsColumn, s("2")},
            {kInpsColumn, s("5")},
            {kWithholdingColumn, s("20"), {s("RT01"), s("A")}},
            {kPaymentColumn, s("Bonifico vista fattura"), transfer, 0},
            {kPaymentColumn, s("Bonifico 30 gg d.f."), transfer, 30},
            {kPaymentColumn, s("Bonifico 60 gg d.f."), transfer, 60},
            {kPaymentColumn, s("RiBa 30 gg d.f."), {s("MP12"), {}}, 30},
            {kPaymentColumn, s("Assegno"), {s("MP02"), {}}, 0},
            {kPaymentColumn, s("Contanti"), {s("MP01"), {}}, 0},
            {kPaymentColumn, s("Carta di pagamento"), {s("MP08"), {}}, 0},
            {kExemptionColumn,
             s("Regime forfettario art. 1 c. 54-89 L. 190/2014"),
             {s("N2.2"), {}}},
            {kExemptionColumn, s("Non soggetta art. 7-ter DPR 633/72"), {s("N2.1"), {}}},
            {kExemptionColumn, s("Esente art. 10 DPR 633/72"), {s("N4"), {}}},
            {kExemptionColumn, s("Esclusa art. 15 DPR 633/72"), {s("N1"), {}}},
        };
    }();
    return items;
}

CodedList codedListOf(int column) {
    switch (column) {
        case kExemptionColumn:
            return CodedList::Exemption;
        case kWithholdingColumn:
            return CodedList::Withholding;
        case kPaymentColumn:
            return CodedList::Payment;
        default:
            return CodedList::Cassa;
    }
}

}  // namespace

bool settingsListsEmpty(const store::Worksheet& settings) {
    for (int column = kInpsColumn; column <= kExemptionColumn; ++column) {
        const QStringList items = loadList(settings, column);
        if (items.size() > 1 || (items.size() == 1 && items.first() != kNoneItem))
            return false;
    }
    return true;
}

QString starterListsSummary() {
    return QStringLiteral(
        "IVA 22, 10, 5 e 4 %; INPS/Cassa 4, 2 e 5 %; ritenuta 20 %; i pagamenti consueti "
        "(bonifico, RiBa, assegno, contanti, carta) con i giorni e il codice MP; le "
        "esenzioni del regime forfettario, art. 7-ter, art. 10 e art. 15 con la loro "
        "Natura");
}

store::Result<store::Done> addStarterLists(store::Workbook& book) {
    const auto settings = settingsSheet(book);
    if (!settings)
        return settings.error();
    if (!settingsListsEmpty(*settings))
        return store::Done{};
    const auto codesSheet = einvoiceCodesSheet(book);
    if (!codesSheet)
        return codesSheet.error();
    EinvoiceCodes codes(*codesSheet);
    for (const StarterItem& item : starterItems()) {
        const RowChange written = insertItem(*settings, item.column, item.text);
        if (!written)
            return written.error();
        if (item.column == kInpsColumn || item.column == kVatColumn)
            continue;
        const CodedList list = codedListOf(item.column);
        codes.setCodes(list, item.text, item.codes);
        if (list == CodedList::Payment)
            codes.setPaymentDays(item.text, item.days);
    }
    return store::Done{};
}

}  // namespace registers
