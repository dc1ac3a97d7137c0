#include "fatturapa/invoice_assembly.h"

#include "registers/credit_notes.h"
#include "registers/due_dates.h"

#include "fatturapa/code_lists.h"
#include "fatturapa/einvoice_checks.h"
#include "fatturapa/tax_identifiers.h"
#include "registers/registration_checks.h"
#include "registers/settings_lists.h"
#include "store/typed_entry.h"
#include "store/workbook.h"
#include "store/workbook_store.h"

#include <QRegularExpression>

#include <map>

namespace fatturapa {

using registers::Amount;
using registers::CodedList;
using registers::Rate;
using registers::regimeFaults;
namespace col = registers::invoice;
namespace client = registers::client;

namespace {

constexpr int kReferenceLimit = 100;
constexpr int kNumberLimit = 20;
const QRegularExpression kIbanPattern(QStringLiteral("^[A-Z]{2}[0-9]{2}[A-Z0-9]{11,30}$"));

// A settings item and its rate, found from an amount.
struct RecoveredRate {
    QString item;
    Rate rate;
};

// The first item (the "none" item aside) whose amount on `base` is `stored`.
std::optional<RecoveredRate> recoverRate(const QStringList& items, Amount base, Amount stored) {
    const std::optional<QString> item = registers::itemGiving(items, base, stored);
    if (!item)
        return std::nullopt;
    return RecoveredRate{*item, *Rate::parse(*item)};
}

bool isNone(const QString& cell) {
    return cell.trimmed().isEmpty() || cell == registers::kNoneItem;
}

// Reads the invoice's amounts; an unreadable one is a fault. "*" and an empty cell
// in the optional amounts are none.
class AmountReader {
  public:
    AmountReader(const RegisteredInvoice& invoice, QStringList& faults)
        : invoice_(invoice), faults_(faults) {}

    Amount read(col::Column column, const QString& what, bool optional) {
        const QString& text = invoice_[column];
        if (optional && isNone(text))
            return {};
        const std::optional<Amount> amount = Amount::parse(text);
        if (!amount) {
            faults_ << QStringLiteral("l'importo %1 non è un numero (\"%2\")").arg(what, text);
            return {};
        }
        return *amount;
    }

  private:
    const RegisteredInvoice& invoice_;
    QStringList& faults_;
};

const registers::ClientRecord* findClient(const ExportSources& sources, const QString& id,
                                          const QString& name) {
    const registers::ClientRecord* byId = nullptr;
    for (const registers::ClientRecord& record : sources.clients) {
        if (record[client::Id] != id)
            continue;
        if (record[client::Name] == name)
            return &record;
        if (!byId)
            byId = &record;
    }
    return byId;
}

// Texts in the form the file takes, remembering whether a character was changed so
// that the user is told. A text with a character that has no such form stays as it
// is: the checks name the character.
class PlainTexts {
  public:
    QString operator()(const QString& text) {
        const std::optional<QString> latin = latinText(text);
        if (!latin)
            return text.trimmed();
        changed_ = changed_ || *latin != text;
        return latin->trimmed();
    }
    bool changed() const { return changed_; }

  private:
    bool changed_ = false;
};

// A party whose codice fiscale is a person's, and whose name splits into the
// surname and given name the code was made from, is named by them.
Party named(Party party) {
    if (const std::optional<PersonName> person = personName(party.name, party.taxCode)) {
        party.surname = person->surname;
        party.givenName = person->givenName;
    }
    return party;
}

Party clientParty(const registers::ClientRecord& record, PlainTexts& plain) {
    return named({plain(record[client::Name]), record[client::VatNumber].trimmed(),
                  record[client::TaxCode].trimmed(), plain(record[client::Address]),
                  record[client::PostalCode].trimmed(), plain(record[client::Town]),
                  record[client::Province].trimmed()});
}

// A client abroad: the identifier its country gave it (without the country's own VAT
// prefix, which IdPaese carries) or eleven nines when it has none, CAP 00000 and no
// province. A postal code that is not an Italian CAP stays with the town.
Party foreignClientParty(const registers::ClientRecord& record,
                         const registers::ClientAddressing& addressing, PlainTexts& plain) {
    Party party;
    party.name = plain(record[client::Name]);
    party.country = addressing.country;
    party.vatNumber = withoutVatPrefix(party.country, addressing.foreignVat);
    if (party.vatNumber.isEmpty())
        party.vatNumber = kNoForeignVatNumber;
    party.address = plain(record[client::Address]);
    party.town = plain(record[client::Town]);
    const QString postalCode = record[client::PostalCode].trimmed();
    if (!postalCode.isEmpty() && postalCode != kForeignPostalCode)
        party.town = (postalCode + QLatin1Char(' ') + party.town).trimmed();
    party.postalCode = kForeignPostalCode;
    return party;
}

Party userParty(const registers::UserData& user, PlainTexts& plain) {
    return named({plain(user[registers::UserName]), user[registers::UserVatNumber].trimmed(),
                  user[registers::UserTaxCode].trimmed(), plain(user[registers::UserDomicile]),
                  user[registers::UserPostalCode].trimmed(), plain(user[registers::UserTown]),
                  user[registers::UserProvince].trimmed()});
}

// The user's IBAN without blanks; empty when none is known.
QString compactIban(const QString& iban) {
    QString out = iban;
    out.remove(QLatin1Char(' '));
    return out.toUpper();
}

// Summaries by rate and Natura, in the order the lines first name them.
void summarise(Document& d, Amount vat, const QString& legalReference) {
    std::vector<Summary> summaries;
    const auto add = [&](const Rate& rate, const QString& nature, Amount amount) {
        for (Summary& s : summaries) {
            if (s.vatRate == rate && s.nature == nature) {
                s.taxable = s.taxable + amount;
                return;
            }
        }
        summaries.push_back({rate, nature, amount, {}, {}});
    };
    for (const Line& line : d.lines)
        add(line.vatRate, line.nature, line.amount);
    if (d.cassa)
        add(d.cassa->vatRate, d.cassa->nature, d.cassa->amount);
    for (Summary& s : summaries) {
        if (s.nature.isEmpty())
            s.tax = vat;
        else
            s.legalReference = legalReference.left(kReferenceLimit);
    }
    d.summaries = std::move(summaries);
}

// The stamp duty charged to the client: a line of its own, excluded from VAT, in the
// summary of the lines excluded by art. 15.
void addStampDutyLine(Document& d, Amount amount) {
    const QString excluded = QStringLiteral("N1");
    d.lines.push_back({registers::kStampDutyLine, amount, Rate(), excluded, false});
    for (Summary& s : d.summaries) {
        if (s.vatRate == Rate() && s.nature == excluded) {
            s.taxable = s.taxable + amount;
            return;
        }
    }
    d.summaries.push_back({Rate(), excluded, amount, {}, QStringLiteral("Art. 15 DPR 633/72")});
}

// The amounts outside VAT that bear the stamp duty above 77,47 €, reverse charge
// aside (there the client pays the VAT).
Amount amountsWithoutVat(const Document& d) {
    Amount withoutVat;
    for (const Summary& s : d.summaries)
        if (!s.nature.isEmpty() && !s.nature.startsWith(QStringLiteral("N6")))
            withoutVat = withoutVat + s.taxable;
    return withoutVat;
}

}  // namespace

QString RegisteredInvoice::title() const {
    return QStringLiteral("n. %1 del %2").arg((*this)[col::Number], (*this)[col::Date]);
}

std::vector<RegisteredInvoice> readRegister(const store::Worksheet& invoices) {
    std::vector<registers::InvoiceRecord> records = registers::InvoiceRegister(invoices).rows();
    std::vector<RegisteredInvoice> out;
    out.reserve(records.size());
    // The listing runs from the first register row down without gaps.
    for (std::size_t i = 0; i < records.size(); ++i)
        out.push_back({col::kFirstRow + int(i), std::move(records[i])});
    return out;
}

store::Result<ExportSources> readExportSources(store::Workbook& book) {
    auto user = registers::userSheet(book);
    if (!user)
        return user.error();
    auto settings = registers::settingsSheet(book);
    if (!settings)
        return settings.error();
    auto codes = registers::einvoiceCodesSheet(book);
    if (!codes)
        return codes.error();
    auto clients = registers::clientSheet(book);
    if (!clients)
        return clients.error();
    const auto extras = registers::invoiceExtrasSheet(book);
    return ExportSources{registers::readUserData(*user),
                         registers::ClientSheet(*clients).rows(),
                         registers::loadList(*settings, registers::kInpsColumn),
                         registers::loadList(*settings, registers::kVatColumn),
                         registers::loadList(*settings, registers::kWithholdingColumn),
                         registers::EinvoiceCodes(*codes),
                         extras ? std::optional(registers::InvoiceExtras(*extras)) : std::nullopt};
}

namespace {

// The stored withholding was made on the other base than the one the surcharge's
// code gives: the invoice is registered again with the rate chosen anew.
QString withholdingBaseFault(Amount withholding, const Cassa& cassa) {
    const QString mend = QStringLiteral(
        ": aprire la fattura con \"Seleziona\", scegliere di nuovo l'aliquota di ritenuta e "
        "registrarla con \"Modifica\"");
    if (cassa.type == registers::kInpsSeparateScheme)
        return QStringLiteral(
                   "la ritenuta %1 è calcolata sul solo imponibile, ma la rivalsa "
                   "INPS/Cassa del %2 % ha il Tipo Cassa %3 (rivalsa INPS), che "
                   "sopporta anche la ritenuta")
                   .arg(withholding.text(), cassa.rate.text(), cassa.type) +
               mend;
    return QStringLiteral(
               "la ritenuta %1 è calcolata anche sul contributo INPS/Cassa del %2 %, "
               "che con il Tipo Cassa %3 non sopporta la ritenuta")
               .arg(withholding.text(), cassa.rate.text(), cassa.type) +
           mend +
           QStringLiteral(
               " (se il contributo è la rivalsa INPS, impostare prima il Tipo Cassa "
               "%1 nei Codici Fattura Elettronica)")
               .arg(registers::kInpsSeparateScheme);
}

}  // namespace

QString Refusal::message() const {
    return QStringLiteral("Fattura %1 non esportata:\n- %2")
        .arg(invoice, faults.join(QStringLiteral("\n- ")));
}

Party supplierParty(const registers::UserData& user) {
    PlainTexts plain;
    return userParty(user, plain);
}

QString senderId(const registers::UserData& user) {
    const QString taxCode = user[registers::UserTaxCode].trimmed();
    return taxCode.isEmpty() ? user[registers::UserVatNumber].trimmed() : taxCode;
}

namespace {

// A credit note's register amounts are negative; its electronic document carries
// them positive, as the amounts of the invoice it corrects.
RegisteredInvoice positiveAmounts(const RegisteredInvoice& note) {
    RegisteredInvoice shown = note;
    for (const col::Column column : {col::Taxable, col::Surcharge, col::TotalTaxable, col::Vat,
                                     col::ExemptAmount, col::Total, col::Withholding, col::Net})
        shown[column] = registers::positiveAmount(note[column]);
    return shown;
}

}  // namespace

brisvel::Result<AssembledInvoice, Refusal> assembleDocument(const RegisteredInvoice& registered,
                                                            const ExportSources& sources) {
    const std::optional<registers::CorrectedInvoice> corrects =
        sources.extras ? sources.extras->corrects(registered[col::Id]) : std::nullopt;
    const RegisteredInvoice invoice = corrects ? positiveAmounts(registered) : registered;
    QStringList faults;
    QStringList notices;
    Document d;
    PlainTexts plain;
    const registers::EinvoiceCodes& codes = sources.codes;

    // The parties.
    d.supplier = userParty(sources.user, plain);
    faults << partyFaults(d.supplier,
                          {QStringLiteral("dell'utente (Dati Anagrafici Utente)"), true});
    d.transmitterId = senderId(sources.user);
    d.taxRegime = codes.taxRegime();

    const QString clientName = invoice[col::Client];
    const registers::ClientRecord* record = findClient(sources, invoice[col::ClientId], clientName);
    // The client's country and identifier are known and right: the rules for a client
    // abroad can be applied.
    bool placeKnown = false;
    if (!record) {
        faults << QStringLiteral("il cliente %1 (ID %2) non è più in Anagrafe")
                      .arg(clientName, invoice[col::ClientId]);
    } else {
        const registers::ClientAddressing addressing = codes.addressing((*record)[client::Id]);
        const QStringList placeFaults =
            clientPlaceFaults(addressing, (*record)[client::Province], clientName);
        faults << placeFaults;
        placeKnown = placeFaults.isEmpty();
        if (addressing.country == registers::kItaly) {
            d.customer = clientParty(*record, plain);
            d.recipientCode = addressing.recipientCode;
            d.recipientPec = addressing.pec;
            faults << addressingFaults(d.recipientCode, d.recipientPec, clientName);
        } else {
            d.customer = foreignClientParty(*record, addressing, plain);
            d.recipientCode = kForeignRecipientCode;
        }
        if (placeFaults.isEmpty())
            faults << partyFaults(d.customer, {QStringLiteral("del cliente ") + clientName, false});
    }

    // Number and date.
    d.number = invoice[col::Number].trimmed();
    static const QRegularExpression printableAscii(
        QStringLiteral("^[\\x20-\\x7E]{1,%1}$").arg(kNumberLimit));
    if (!printableAscii.match(d.number).hasMatch())
        faults << QStringLiteral("il numero della fattura manca o non è valido (\"%1\")")
                      .arg(invoice[col::Number]);
    const std::optional<QDate> date = store::readItalianDate(invoice[col::Date]);
    if (!date || date->year() < 1970)
        faults << QStringLiteral("la data della fattura non è valida (\"%1\")")
                      .arg(invoice[col::Date]);
    else
        d.date = *date;
    if (corrects) {
        if (!corrects->date.isValid() || !printableAscii.match(corrects->number).hasMatch())
            faults << QStringLiteral(
                "la nota di credito non ha il numero e la data della fattura che storna");
        d.corrects = corrects;
    }

    // The amounts, and that they add up as the entry window computes them.
    // An amount that is not a number leaves nothing to compute with: the faults so far
    // are told at once.
    QStringList unreadable;
    AmountReader amounts(invoice, unreadable);
    const Amount taxable = amounts.read(col::Taxable, QStringLiteral("imponibile"), false);
    const Amount surcharge = amounts.read(col::Surcharge, QStringLiteral("INPS/Cassa"), true);
    const Amount totalTaxable =
        amounts.read(col::TotalTaxable, QStringLiteral("totale imponibile"), false);
    const Amount vat = amounts.read(col::Vat, QStringLiteral("IVA"), true);
    const Amount exempt = amounts.read(col::ExemptAmount, QStringLiteral("esente"), true);
    const Amount total = amounts.read(col::Total, QStringLiteral("totale fattura"), false);
    const Amount withholding =
        amounts.read(col::Withholding, QStringLiteral("della ritenuta"), true);
    const Amount net = amounts.read(col::Net, QStringLiteral("netto"), false);
    if (!unreadable.isEmpty())
        return Refusal{invoice.title(), faults + unreadable};
    if (taxable + surcharge != totalTaxable)
        faults << QStringLiteral("il totale imponibile %1 non è imponibile %2 più INPS/Cassa %3")
                      .arg(totalTaxable.text(), taxable.text(), surcharge.text());
    const Amount stampLine =
        sources.extras ? sources.extras->stampDutyCharged(invoice[col::Id]) : Amount();
    if (totalTaxable + vat + exempt + stampLine != total)
        faults << QStringLiteral(
                      "il totale fattura %1 non è la somma di totale imponibile, IVA "
                      "ed esente%2: ricalcolare la fattura")
                      .arg(total.text(), stampLine.isZero()
                                             ? QString()
                                             : QStringLiteral(" più il rimborso del bollo"));
    if (total - withholding != net)
        faults << QStringLiteral("il netto %1 non è il totale fattura meno la ritenuta")
                      .arg(net.text());
    d.total = total;

    // The rates, recovered from the settings items.
    Rate vatRate;
    QString nature;
    const QString exemptionItem = invoice[col::Exemption].trimmed();
    const bool hasExemptionItem = !isNone(exemptionItem);
    const QString exemptionNature =
        hasExemptionItem ? codes.codes(CodedList::Exemption, exemptionItem).code : QString();
    const bool needsNature = vat.isZero() || !exempt.isZero();
    if (needsNature && hasExemptionItem && exemptionNature.isEmpty())
        faults << QStringLiteral(
                      "la voce di esenzione \"%1\" non ha la Natura: impostarla nei "
                      "Codici Fattura Elettronica")
                      .arg(exemptionItem);
    if (!vat.isZero()) {
        const auto found = recoverRate(sources.vatItems, totalTaxable, vat);
        if (!found)
            faults << QStringLiteral("nessuna aliquota IVA dell'elenco dà l'IVA %1 su %2")
                          .arg(vat.text(), totalTaxable.text());
        else
            vatRate = found->rate;
    } else if (!hasExemptionItem) {
        faults << QStringLiteral(
            "la fattura non ha IVA e nessuna voce di esenzione: la Natura "
            "dell'operazione non è nota");
    } else {
        nature = exemptionNature;
    }
    if (!exempt.isZero() && !hasExemptionItem)
        faults << QStringLiteral("l'importo esente %1 non ha una voce di esenzione")
                      .arg(exempt.text());
    // The exemption item is written as the exempt line and the legal reference.
    const QString exemptionText = plain(exemptionItem);
    if (hasExemptionItem && needsNature && !latinText(exemptionItem))
        faults << foreignCharacterFault(
            exemptionItem, QStringLiteral("la voce di esenzione \"%1\"").arg(exemptionItem));
    faults << regimeFaults(d.taxRegime, vat, withholding);
    if (placeKnown) {
        const QString foreignVat =
            d.customer.vatNumber == kNoForeignVatNumber ? QString() : d.customer.vatNumber;
        for (const QString& fault :
             {registers::foreignWithholdingFault(d.customer.country, withholding),
              registers::foreignConsumerOutsideVatFault(d.customer.country, foreignVat, nature)})
            if (!fault.isEmpty())
                faults << fault;
    }

    const QString description = plain(invoice[col::Description]);
    if (const QString fault =
            textFault(invoice[col::Description], kDescriptionWhat, kDescriptionLimit);
        !fault.isEmpty())
        faults << fault;
    else if (description.isEmpty())
        faults << QStringLiteral("manca la descrizione");
    d.lines.push_back({description, taxable, vatRate, nature, !withholding.isZero()});
    if (!exempt.isZero())
        d.lines.push_back({exemptionText, exempt, Rate(), exemptionNature, false});

    if (!surcharge.isZero()) {
        const auto found = recoverRate(sources.inpsItems, taxable, surcharge);
        if (!found) {
            faults << QStringLiteral("nessuna aliquota INPS/Cassa dell'elenco dà %1 su %2")
                          .arg(surcharge.text(), taxable.text());
        } else {
            const QString type = codes.codes(CodedList::Cassa, found->item).code;
            if (type.isEmpty())
                faults << QStringLiteral(
                              "la voce INPS/Cassa \"%1\" non ha il Tipo Cassa: "
                              "impostarlo nei Codici Fattura Elettronica")
                              .arg(found->item);
            d.cassa = Cassa{type, found->rate, surcharge, taxable, vatRate, nature};
        }
    }

    if (!withholding.isZero()) {
        // The INPS separate-scheme surcharge is withheld on with the fee, a fund's
        // contribution never is: the base the codes in force give is the only one
        // written. Stored amounts made on the other base are refused, with the mend.
        const bool inpsSurcharge = d.cassa && d.cassa->type == registers::kInpsSeparateScheme;
        const Amount base = inpsSurcharge ? taxable + surcharge : taxable;
        std::optional<RecoveredRate> found =
            recoverRate(sources.withholdingItems, base, withholding);
        if (found && inpsSurcharge)
            d.cassa->withheld = true;
        const bool otherBase =
            !found && d.cassa && !d.cassa->type.isEmpty() &&
            recoverRate(sources.withholdingItems, inpsSurcharge ? taxable : taxable + surcharge,
                        withholding);
        if (otherBase) {
            faults << withholdingBaseFault(withholding, *d.cassa);
        } else if (!found) {
            faults << QStringLiteral("nessuna aliquota di ritenuta dell'elenco dà %1 su %2")
                          .arg(withholding.text(), base.text());
        } else {
            const registers::ItemCodes type = codes.codes(CodedList::Withholding, found->item);
            if (type.code.isEmpty() || type.reason.isEmpty())
                faults << QStringLiteral(
                              "la voce di ritenuta \"%1\" non ha il Tipo Ritenuta e "
                              "la Causale: impostarli nei Codici Fattura Elettronica")
                              .arg(found->item);
            d.withholding = Withholding{type.code, withholding, found->rate, type.reason};
        }
    }

    // A credit note asks the client for nothing: it carries no payment.
    const QString paymentType = invoice[col::PaidBy].trimmed();
    if (!corrects && !isNone(paymentType)) {
        const QString method = codes.codes(CodedList::Payment, paymentType).code;
        if (method.isEmpty())
            faults << QStringLiteral(
                          "il tipo di pagamento \"%1\" non ha la Modalità di "
                          "pagamento: impostarla nei Codici Fattura Elettronica")
                          .arg(paymentType);
        const QString iban = compactIban(sources.user[registers::UserIban]);
        if (!iban.isEmpty() && !kIbanPattern.match(iban).hasMatch())
            faults << QStringLiteral("il codice IBAN dell'utente non è valido (\"%1\")")
                          .arg(sources.user[registers::UserIban]);
        d.payment = Payment{
            method, net, iban,
            registers::dueDateOf(invoice.cells, sources.extras, codes.paymentDays(paymentType))};
    }

    if (!faults.isEmpty())
        return Refusal{invoice.title(), faults};
    summarise(d, vat, exemptionText);
    const Amount withoutVat = amountsWithoutVat(d);
    d.stampDuty = withoutVat > kStampDutyThreshold;
    if (!stampLine.isZero()) {
        const QString notDue = registers::stampDutyNotDueFault(withoutVat, true);
        if (!notDue.isEmpty())
            faults << notDue;
        addStampDutyLine(d, stampLine);
    }
    faults << documentFaults(d);
    if (!faults.isEmpty())
        return Refusal{invoice.title(), faults};

    if (d.withholding && d.customer.vatNumber.isEmpty())
        notices << QStringLiteral(
                       "ritenuta d'acconto verso %1, che non ha partita IVA: è giusta solo se il "
                       "cliente è un sostituto d'imposta (un condominio, un ente non "
                       "commerciale), mai per un privato")
                       .arg(d.customer.name);
    if (d.customer.country != registers::kItaly && d.customer.vatNumber != kNoForeignVatNumber &&
        !vat.isZero())
        notices << QStringLiteral(
                       "IVA addebitata a %1, impresa con sede all'estero (%2): i servizi a "
                       "un'impresa estera sono di regola fuori campo IVA (voce di esenzione con "
                       "Natura N2.1, art. 7-ter DPR 633/72); verificare che l'IVA sia dovuta")
                       .arg(d.customer.name, d.customer.country);
    if (plain.changed())
        notices << QStringLiteral(
            "alcuni caratteri (virgolette o trattini tipografici, €, ...) sono stati scritti "
            "nella forma semplice che la fattura elettronica ammette");
    return AssembledInvoice{std::move(d), notices};
}

}  // namespace fatturapa
