#include "einvoice/einvoice_checks.h"

#include "einvoice/code_lists.h"
#include "einvoice/tax_identifiers.h"

#include <QRegularExpression>

#include <map>
#include <utility>

namespace einvoice {

namespace {

constexpr int kNameLimit = 80;
constexpr int kAddressLimit = 60;

const QRegularExpression kPostalCode(QStringLiteral("^[0-9]{5}$"));
const QRegularExpression kProvince(QStringLiteral("^[A-Z]{2}$"));
const QRegularExpression kRecipientCode(QStringLiteral("^[A-Z0-9]{7}$"));
const QRegularExpression kEmail(
    QStringLiteral("^[A-Za-z0-9._%+'-]+@[A-Za-z0-9-]+(\\.[A-Za-z0-9-]+)+$"));

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
    const std::optional<QString> latin = latinText(text);
    if (!latin)
        faults << QStringLiteral(
                      "%1 contiene caratteri che la fattura elettronica non "
                      "ammette")
                      .arg(what);
    else if (latin->size() > limit)
        faults << QStringLiteral("%1 supera i %2 caratteri ammessi").arg(what).arg(limit);
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
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\x2018' || u == u'\x2019')
            out += QLatin1Char('\'');
        else if (u == u'\x201C' || u == u'\x201D')
            out += QLatin1Char('"');
        else if (u == u'\x2013' || u == u'\x2014')
            out += QLatin1Char('-');
        else if (u == u'\x20AC')
            out += QStringLiteral("EUR");
        else if (u == u'\x2026')
            out += QStringLiteral("...");
        else if (u == '\t' || u == '\n' || u == '\r' || (u >= 0x20 && u < 0x7F) ||
                 (u >= 0xA0 && u <= 0xFF))
            out += c;
        else if (u < 0x20 || (u >= 0x7F && u < 0xA0))
            continue;  // control characters have no place in the file
        else
            return std::nullopt;
    }
    return out;
}

QStringList partyFaults(const Party& party, const PartyRole& role) {
    QStringList faults;
    checkText(faults, party.name, QStringLiteral("la ragione sociale ") + role.owner, kNameLimit);
    checkText(faults, party.address, QStringLiteral("l'indirizzo ") + role.owner, kAddressLimit);
    checkText(faults, party.town, QStringLiteral("la località ") + role.owner, kAddressLimit);
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
    if (!party.vatNumber.isEmpty() && !isValidVatNumber(party.vatNumber))
        faults << QStringLiteral(
                      "la partita IVA %1 non è valida (\"%2\": undici cifre, "
                      "l'ultima di controllo)")
                      .arg(role.owner, party.vatNumber);
    if (!party.taxCode.isEmpty() && !isValidTaxCode(party.taxCode))
        faults << QStringLiteral(
                      "il codice fiscale %1 non è valido (\"%2\": carattere di "
                      "controllo errato o formato sbagliato)")
                      .arg(role.owner, party.taxCode);
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
    for (const Line& line : d.lines) {
        checkRate(faults, line.vatRate, QStringLiteral("IVA"));
        checkNature(faults, line.vatRate, line.nature,
                    QStringLiteral("la riga \"%1\"").arg(line.description.left(30)));
        expected[{line.vatRate.billionths(), line.nature}] =
            expected[{line.vatRate.billionths(), line.nature}] + line.amount;
        withheld = withheld || line.withheld;
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
    return faults;
}

}  // namespace einvoice
