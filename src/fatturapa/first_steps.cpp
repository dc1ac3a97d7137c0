#include "fatturapa/first_steps.h"

#include "fatturapa/einvoice_checks.h"
#include "fatturapa/invoice_assembly.h"
#include "registers/client_sheet.h"
#include "registers/einvoice_codes.h"
#include "registers/invoice_layout.h"
#include "registers/invoice_register.h"
#include "registers/settings_lists.h"
#include "registers/user_data.h"
#include "store/workbook.h"

namespace fatturapa {

namespace {

QStringList userDataMissing(store::Workbook& book) {
    const auto sheet = registers::userSheet(book);
    const registers::UserData user =
        sheet ? registers::readUserData(*sheet) : registers::UserData{};
    // The fields the file cannot do without, named as the user-data window names them.
    const std::pair<registers::UserField, const char*> required[] = {
        {registers::UserName, "ragione sociale"}, {registers::UserDomicile, "domicilio fiscale"},
        {registers::UserTown, "città"},           {registers::UserProvince, "provincia"},
        {registers::UserPostalCode, "CAP"},       {registers::UserVatNumber, "partita IVA"},
    };
    QStringList empty;
    for (const auto& [field, name] : required)
        if (user[field].trimmed().isEmpty())
            empty << QString::fromUtf8(name);
    if (!empty.isEmpty())
        return {QStringLiteral("da scrivere: ") + empty.join(QStringLiteral(", "))};
    // Every field is there: what is left is a value the file would refuse.
    return partyFaults(supplierParty(user), {QStringLiteral("dell'utente"), true});
}

QStringList codesMissing(store::Workbook& book) {
    const auto sheet = registers::einvoiceCodesSheet(book);
    if (!sheet)
        return {QStringLiteral("scegliere il regime fiscale e premere \"Salva\"")};
    const registers::EinvoiceCodes codes(*sheet);
    QStringList missing;
    if (!codes.taxRegimeChosen())
        missing << QStringLiteral("scegliere il regime fiscale e premere \"Salva\"");
    // The surcharge bears withholding only as INPS separate scheme (TC22): its fund
    // must be said before an invoice charges it. A user with no surcharge item has none.
    const auto settings = registers::settingsSheet(book);
    QStringList surcharges =
        settings ? registers::loadList(*settings, registers::kInpsColumn) : QStringList();
    surcharges.removeAll(registers::kNoneItem);
    bool coded = surcharges.isEmpty();
    for (const QString& item : surcharges)
        coded = coded || !codes.codes(registers::CodedList::Cassa, item).code.isEmpty();
    if (!coded)
        missing << QStringLiteral(
            "indicare la cassa della rivalsa in \"INPS/Cassa\" (TC22 per la gestione "
            "separata INPS)");
    return missing;
}

QStringList clientsMissing(store::Workbook& book) {
    const auto sheet = registers::clientSheet(book);
    if (sheet && !registers::ClientSheet(*sheet).names().isEmpty())
        return {};
    return {QStringLiteral("nessun cliente in anagrafe")};
}

}  // namespace

FirstSteps firstSteps(store::Workbook& book) {
    FirstSteps state;
    const auto invoices = registers::invoiceSheet(book);
    state.invoiceRegistered = invoices && registers::InvoiceRegister(*invoices).rowCount() > 0;
    state.steps = {
        {QStringLiteral("I tuoi dati (Dati Anagrafici Utente)"), userDataMissing(book)},
        {QStringLiteral("Regime fiscale e cassa della rivalsa (Fattura Elettronica)"),
         codesMissing(book)},
        {QStringLiteral("Il primo cliente (Gestione Clienti)"), clientsMissing(book)},
        {QStringLiteral("La prima fattura (Brisvel)"),
         state.invoiceRegistered ? QStringList()
                                 : QStringList{QStringLiteral("nessuna fattura registrata")}},
    };
    return state;
}

}  // namespace fatturapa
