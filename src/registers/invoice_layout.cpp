#include "registers/invoice_layout.h"

#include "store/workbook_store.h"

namespace registers {

const SheetLayout& invoiceLayout() {
    static const SheetLayout layout{
        store::kInvoicesSheet,
        {QStringLiteral("ID"), QStringLiteral("Cliente"), QStringLiteral("ID Cliente"),
         QStringLiteral("N.Fatt."), QStringLiteral("Data"), QStringLiteral("Descrizione"),
         QStringLiteral("Importo"), QStringLiteral("INPS/Cassa"), QStringLiteral("Totale Imp."),
         QStringLiteral("IVA"), QStringLiteral("Esenzione"), QStringLiteral("Importo Esenzione"),
         QStringLiteral("Totale Fatt."), QStringLiteral("Ritenuta"), QStringLiteral("Netto"),
         QStringLiteral("Incasso"), QStringLiteral("Tramite")},
        false,
        {},
        {invoice::kRecordCounterColumn, invoice::kNumberCounterColumn},
    };
    return layout;
}

store::Result<store::Worksheet> invoiceSheet(store::Workbook& book) {
    return layoutSheet(book, invoiceLayout(),
                       QStringLiteral("Il registro delle fatture non è disponibile: "));
}

}  // namespace registers
