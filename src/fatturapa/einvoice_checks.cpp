#include "fatturapa/einvoice_checks.h"

#include "fatturapa/code_lists.h"
#include "fatturapa/tax_identifiers.h"
#include "registers/einvoice_codes.h"

#include <QRegularExpression>

#include <map>
#include <utility>

namespace fatturapa {

namespace {

constexpr int kReferenceLimit = 100;

const QRegularExpression kPostalCode(QStringLiteral("^[0-9]{5}$"));
const QRegularExpression kProvince(QStringLiteral("^[A-Z]{2}$"));
const QRegularExpression kRecipientCode(QStringLiteral("^[A-Z0-9]{7}$"));
// The schema's e-mail pattern in the dot-atom form a PEC address has: atoms of the
// characters it allows, joined by single dots, and a domain of at least two parts.
const QRegularExpression kEmail(
    QStringLiteral("^[!#-'*+/-9=?A-Z^-~-]+(\\.[!#-'*+/-9=?A-Z^-~-]+)*@[!#-'*+/"
                   "-9=?A-Z^-~-]+(\\.[!#-'*+/-9=?A-Z^-~-]+)+$"));
const QRegularExpression kTaxCodePattern(QStringLiteral("^[A-Z0-9]{11,16}$"));
const QRegularExpression kForeignVatPattern(QStringLiteral("^[A-Z0-9]{1,28}$"));
const QRegularExpression kIdCodePattern(QStringLiteral("^[\\x20-\\x7E]{1,28}$"));
const QRegularExpression kNumberPattern(QStringLiteral("^[\\x00-\\x7F]{1,20}$"));
const QRegularExpression kIbanSchemaPattern(
    QStringLiteral("^[a-zA-Z]{2}[0-9]{2}[a-zA-Z0-9]{11,30}$"));

// The form a character takes in the file: itself when the format's Latin texts take
// it, a plain form for typographic quotes, dashes, "€" and "…", nothing for control
// characters other than line breaks and tabs; none for any other character.
std::optional<QString> latinForm(char32_t u) {
    switch (u) {
        case 0x2018:
        case 0x2019:
            return QStringLiteral("'");
        case 0x201C:
        case 0x201D:
            return QStringLiteral("\"");
        case 0x2013:
        case 0x2014:
            return QStringLiteral("-");
        case 0x20AC:
            return QStringLiteral("EUR");
        case 0x2026:
            return QStringLiteral("...");
        default:
            break;
    }
    if (u == '\t' || u == '\n' || u == '\r' || (u >= 0x20 && u < 0x7F) || (u >= 0xA0 && u <= 0xFF))
        return QString(QChar(char16_t(u)));
    if (u < 0x20 || (u >= 0x7F && u < 0xA0))
        return QString();  // control characters have no place in the file
    return std::nullopt;
}

// The longest surname, and given name, of a person (Cognome, Nome).
constexpr int kPersonNameLimit = 60;

// The longest PEC address an electronic invoice names (PECDestinatario).
constexpr int kLongestPec = 256;

bool matches(const QRegularExpression& pattern, const QString& text) {
    return pattern.match(text).hasMatch();
}

void checkText(QStringList& faults, const QString& text, const QString& what, int limit) {
    if (text.trimmed().isEmpty()) {
        faults << QStringLiteral("manca %1").arg(what);
        return;
    }
    if (const QString fault = textFault(text, what, limit); !fault.isEmpty())
        faults << fault;
}

bool isZeroRate(const Rate& rate) {
    return rate.billionths() == 0;
}

// Tax of a summary as the Sistema di Interscambio recomputes it, to the cent.
bool taxMatches(const Summary& summary) {
    const std::int64_t expected = summary.taxable.percent(summary.vatRate).cents();
    const std::int64_t difference = summary.tax.cents() - expected;
    return difference >= -1 && difference <= 1;
}

void checkNature(QStringList& faults, const Rate& rate, const QString& nature,
                 const QString& where) {
    if (isZeroRate(rate) && nature.isEmpty())
        faults << QStringLiteral("%1 ha IVA a zero ma nessuna Natura").arg(where);
    else if (!isZeroRate(rate) && !nature.isEmpty())
        faults << QStringLiteral("%1 ha una Natura pur avendo l'IVA").arg(where);
    else if (!nature.isEmpty() && !contains(natures(), nature))
        faults << QStringLiteral("%1 ha una Natura non valida (%2)").arg(where, nature);
}

void checkRate(QStringList& faults, const Rate& rate, const QString& what) {
    if (!xmlRate(rate) || rate > Rate::fromBillionths(100'000'000'000))
        faults << QStringLiteral("l'aliquota %1 (%2) non si può indicare con due decimali")
                      .arg(what, rate.text());
}

}  // namespace

std::optional<QString> latinText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const char32_t u : text.toUcs4()) {
        const std::optional<QString> form = latinForm(u);
        if (!form)
            return std::nullopt;
        out += *form;
    }
    return out;
}

QString foreignCharacterFault(const QString& text, const QString& what) {
    for (const char32_t u : text.toUcs4()) {
        if (!latinForm(u))
            return QStringLiteral(
                       "%1 contiene il carattere \"%2\" (U+%3), che la fattura elettronica non "
                       "ammette")
                .arg(what, QString::fromUcs4(&u, 1),
                     QString::number(quint32(u), 16).toUpper().rightJustified(4, QLatin1Char('0')));
    }
    return {};
}

QString textFault(const QString& text, const QString& what, int limit) {
    const std::optional<QString> latin = latinText(text);
    if (!latin)
        return foreignCharacterFault(text, what);
    if (latin->trimmed().size() > limit)
        return QStringLiteral("%1 supera i %2 caratteri ammessi").arg(what).arg(limit);
    return {};
}

QStringList partyFaults(const Party& party, const PartyRole& role) {
    QStringList faults;
    checkText(faults, party.name, kNameWhat + role.owner, kNameLimit);
    checkText(faults, party.address, QStringLiteral("l'indirizzo ") + role.owner, kAddressLimit);
    checkText(faults, party.town, QStringLiteral("la località ") + role.owner, kAddressLimit);
    // An address abroad has CAP 00000 and the identifier its country gave; what the
    // client's data may hold wrongly for it is told by clientPlaceFaults().
    if (party.country != registers::kItaly)
        return faults;
    if (!matches(kPostalCode, party.postalCode))
        faults << QStringLiteral("il CAP %1 non è di cinque cifre (\"%2\")")
                      .arg(role.owner, party.postalCode);
    if (!matches(kProvince, party.province))
        faults << QStringLiteral("la provincia %1 non è di due lettere maiuscole (\"%2\")")
                      .arg(role.owner, party.province);
    if (role.needsVatNumber && party.vatNumber.isEmpty())
        faults << QStringLiteral("manca la partita IVA %1").arg(role.owner);
    if (party.vatNumber.isEmpty() && party.taxCode.isEmpty())
        faults << QStringLiteral("mancano sia il codice fiscale sia la partita IVA %1")
                      .arg(role.owner);
    faults << italianIdentifierFaults(party.vatNumber, party.taxCode, role.owner);
    return faults;
}

QStringList addressingFaults(const QString& recipientCode, const QString& pec,
                             const QString& clientName) {
    QStringList faults;
    if (!matches(kRecipientCode, recipientCode))
        faults << QStringLiteral(
                      "il codice destinatario del cliente %1 non è di sette "
                      "lettere maiuscole o cifre (\"%2\")")
                      .arg(clientName, recipientCode);
    if (pec.size() > kLongestPec)
        faults << QStringLiteral("la PEC del cliente %1 è più lunga di %2 caratteri")
                      .arg(clientName)
                      .arg(kLongestPec);
    else if (!pec.isEmpty() && !matches(kEmail, pec))
        faults << QStringLiteral("la PEC del cliente %1 non è un indirizzo e-mail (\"%2\")")
                      .arg(clientName, pec);
    // The Sistema di Interscambio delivers to the code; a PEC beside one is refused.
    if (!pec.isEmpty() && matches(kRecipientCode, recipientCode) &&
        recipientCode != registers::kNoRecipientCode)
        faults << QStringLiteral(
                      "il cliente %1 ha sia il codice destinatario %2 sia una PEC: la PEC si "
                      "indica solo con il codice destinatario 0000000")
                      .arg(clientName, recipientCode);
    return faults;
}

QStringList clientPlaceFaults(const registers::ClientAddressing& addressing,
                              const QString& province, const QString& clientName) {
    QStringList faults;
    const QString& country = addressing.country;
    if (!isCountryCode(country)) {
        faults << QStringLiteral(
                      "il paese del cliente %1 non è un codice di nazione di due lettere "
                      "(ISO 3166, per esempio IT, DE, FR): \"%2\"")
                      .arg(clientName, country);
        return faults;
    }
    if (country == registers::kItaly) {
        if (!addressing.foreignVat.isEmpty())
            faults << QStringLiteral(
                          "il cliente %1 è in Italia: la partita IVA estera si indica solo per "
                          "un cliente con sede all'estero")
                          .arg(clientName);
        return faults;
    }
    const QString vatFault = foreignVatFault(country, addressing.foreignVat, clientName);
    if (!addressing.foreignVat.isEmpty() && !matches(kForeignVatPattern, addressing.foreignVat))
        faults << QStringLiteral(
                      "la partita IVA estera del cliente %1 non è di sole lettere e cifre "
                      "(al massimo 28): \"%2\"")
                      .arg(clientName, addressing.foreignVat);
    else if (!vatFault.isEmpty())
        faults << vatFault;
    if (!province.trimmed().isEmpty())
        faults << QStringLiteral(
                      "il cliente %1 è all'estero (%2) ma in Anagrafe ha la provincia \"%3\": "
                      "la provincia si indica solo per un indirizzo in Italia")
                      .arg(clientName, country, province.trimmed());
    if (!addressing.pec.isEmpty() || (addressing.recipientCode != registers::kNoRecipientCode &&
                                      addressing.recipientCode != kForeignRecipientCode))
        faults << QStringLiteral(
                      "il cliente %1 è all'estero: la fattura va al codice destinatario "
                      "XXXXXXX, senza altro codice destinatario né PEC")
                      .arg(clientName);
    return faults;
}

QStringList schemaFaults(const Document& d) {
    QStringList faults;
    const auto text = [&](const QString& value, int limit, const QString& what) {
        const std::optional<QString> latin = latinText(value);
        if (value.trimmed().isEmpty() || !latin || *latin != value || value.size() > limit)
            faults << QStringLiteral("%1 non è un testo ammesso dalla fattura elettronica (\"%2\")")
                          .arg(what, value);
    };
    const auto pattern = [&](const QRegularExpression& rule, const QString& value,
                             const QString& what) {
        if (!matches(rule, value))
            faults << QStringLiteral(
                          "%1 non ha la forma richiesta dalla fattura elettronica (\"%2\")")
                          .arg(what, value);
    };
    const auto party = [&](const Party& p, const QString& whose) {
        if (p.surname.isEmpty()) {
            text(p.name, kNameLimit, QStringLiteral("la denominazione ") + whose);
        } else {
            text(p.surname, kPersonNameLimit, QStringLiteral("il cognome ") + whose);
            text(p.givenName, kPersonNameLimit, QStringLiteral("il nome ") + whose);
        }
        text(p.address, kAddressLimit, QStringLiteral("l'indirizzo ") + whose);
        text(p.town, kAddressLimit, QStringLiteral("il comune ") + whose);
        pattern(kPostalCode, p.postalCode, QStringLiteral("il CAP ") + whose);
        if (!p.province.isEmpty())
            pattern(kProvince, p.province, QStringLiteral("la provincia ") + whose);
        if (!p.vatNumber.isEmpty())
            pattern(kIdCodePattern, p.vatNumber, QStringLiteral("la partita IVA ") + whose);
        if (!p.taxCode.isEmpty())
            pattern(kTaxCodePattern, p.taxCode, QStringLiteral("il codice fiscale ") + whose);
    };
    pattern(kIdCodePattern, d.transmitterId, QStringLiteral("l'identificativo del trasmittente"));
    pattern(kRecipientCode, d.recipientCode, QStringLiteral("il codice destinatario"));
    if (!d.recipientPec.isEmpty())
        faults << addressingFaults(d.recipientCode, d.recipientPec, d.customer.name);
    party(d.supplier, QStringLiteral("dell'utente"));
    party(d.customer, QStringLiteral("del cliente"));
    pattern(kNumberPattern, d.number, QStringLiteral("il numero della fattura"));
    int number = 0;
    for (const Line& line : d.lines)
        text(line.description, kDescriptionLimit,
             QStringLiteral("la descrizione della riga %1").arg(++number));
    for (const Summary& s : d.summaries)
        if (!s.legalReference.isEmpty())
            text(s.legalReference, kReferenceLimit, QStringLiteral("il riferimento normativo"));
    if (d.payment && !d.payment->iban.isEmpty())
        pattern(kIbanSchemaPattern, d.payment->iban, QStringLiteral("l'IBAN"));
    return faults;
}

QStringList documentFaults(const Document& d) {
    QStringList faults;
    if (!contains(taxRegimes(), d.taxRegime))
        faults << QStringLiteral("il regime fiscale dell'utente non è un codice valido (\"%1\")")
                      .arg(d.taxRegime);

    // Taxable amounts by rate and Natura, as the lines and the cassa give them.
    std::map<std::pair<std::int64_t, QString>, Amount> expected;
    bool withheld = false;
    Amount withheldBase;
    for (const Line& line : d.lines) {
        checkRate(faults, line.vatRate, QStringLiteral("IVA"));
        checkNature(faults, line.vatRate, line.nature,
                    QStringLiteral("la riga \"%1\"").arg(line.description.left(30)));
        expected[{line.vatRate.billionths(), line.nature}] =
            expected[{line.vatRate.billionths(), line.nature}] + line.amount;
        withheld = withheld || line.withheld;
        if (line.withheld)
            withheldBase = withheldBase + line.amount;
    }
    if (d.cassa) {
        const Cassa& c = *d.cassa;
        checkRate(faults, c.rate, QStringLiteral("INPS/Cassa"));
        checkRate(faults, c.vatRate, QStringLiteral("IVA"));
        checkNature(faults, c.vatRate, c.nature, QStringLiteral("il contributo INPS/Cassa"));
        if (!contains(cassaTypes(), c.type))
            faults << QStringLiteral("il tipo cassa \"%1\" non è un codice valido").arg(c.type);
        if (c.base.percent(c.rate) != c.amount)
            faults << QStringLiteral("il contributo INPS/Cassa %1 non è il %2 % di %3")
                          .arg(c.amount.text(), c.rate.text(), c.base.text());
        expected[{c.vatRate.billionths(), c.nature}] =
            expected[{c.vatRate.billionths(), c.nature}] + c.amount;
        withheld = withheld || c.withheld;
        if (c.withheld)
            withheldBase = withheldBase + c.amount;
    }

    std::map<std::pair<std::int64_t, QString>, Amount> summarised;
    for (const Summary& s : d.summaries) {
        checkRate(faults, s.vatRate, QStringLiteral("IVA"));
        checkNature(faults, s.vatRate, s.nature, QStringLiteral("il riepilogo IVA"));
        summarised[{s.vatRate.billionths(), s.nature}] = s.taxable;
        if (!taxMatches(s))
            faults << QStringLiteral("l'IVA %1 non è il %2 % dell'imponibile %3")
                          .arg(s.tax.text(), s.vatRate.text(), s.taxable.text());
    }
    if (summarised != expected)
        faults << QStringLiteral("i riepiloghi IVA non corrispondono alle righe e alla cassa");

    if (withheld != d.withholding.has_value())
        faults << QStringLiteral("i dati della ritenuta non corrispondono alle righe");
    if (d.withholding) {
        checkRate(faults, d.withholding->rate, QStringLiteral("della ritenuta"));
        if (withheldBase.percent(d.withholding->rate) != d.withholding->amount)
            faults << QStringLiteral("la ritenuta %1 non è il %2 % di %3")
                          .arg(d.withholding->amount.text(), d.withholding->rate.text(),
                               withheldBase.text());
        if (!contains(withholdingTypes(), d.withholding->type))
            faults << QStringLiteral("il tipo ritenuta \"%1\" non è un codice valido")
                          .arg(d.withholding->type);
        if (!contains(paymentReasons(), d.withholding->reason))
            faults << QStringLiteral("la causale di pagamento \"%1\" non è un codice valido")
                          .arg(d.withholding->reason);
    }
    if (d.payment && !contains(paymentMethods(), d.payment->method))
        faults << QStringLiteral("la modalità di pagamento \"%1\" non è un codice valido")
                      .arg(d.payment->method);
    faults << schemaFaults(d);
    return faults;
}

}  // namespace fatturapa
