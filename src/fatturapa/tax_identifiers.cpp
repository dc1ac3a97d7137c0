#include "fatturapa/tax_identifiers.h"

#include <QRegularExpression>

#include <map>

namespace fatturapa {

namespace {

// The form of a country's VAT numbers after its prefix, as the country publishes it
// for the exchange of VAT data in the EU, and its name for the message.
struct VatForm {
    const char* country;  // in Italian
    const char* pattern;
    const char* described;
};

const std::map<QString, VatForm>& vatForms() {
    static const std::map<QString, VatForm> forms = {
        {QStringLiteral("AT"), {"Austria", "U[0-9]{8}", "U e 8 cifre"}},
        {QStringLiteral("BE"), {"Belgio", "[01][0-9]{9}", "10 cifre, la prima 0 o 1"}},
        {QStringLiteral("BG"), {"Bulgaria", "[0-9]{9,10}", "9 o 10 cifre"}},
        {QStringLiteral("CY"), {"Cipro", "[0-9]{8}[A-Z]", "8 cifre e una lettera"}},
        {QStringLiteral("CZ"), {"Repubblica Ceca", "[0-9]{8,10}", "da 8 a 10 cifre"}},
        {QStringLiteral("DE"), {"Germania", "[0-9]{9}", "9 cifre"}},
        {QStringLiteral("DK"), {"Danimarca", "[0-9]{8}", "8 cifre"}},
        {QStringLiteral("EE"), {"Estonia", "[0-9]{9}", "9 cifre"}},
        {QStringLiteral("GR"), {"Grecia", "[0-9]{9}", "9 cifre"}},
        {QStringLiteral("ES"),
         {"Spagna", "[0-9A-Z][0-9]{7}[0-9A-Z]", "9 caratteri: 7 cifre tra due lettere o cifre"}},
        {QStringLiteral("FI"), {"Finlandia", "[0-9]{8}", "8 cifre"}},
        {QStringLiteral("FR"),
         {"Francia", "[0-9A-HJ-NP-Z]{2}[0-9]{9}", "2 lettere o cifre e 9 cifre"}},
        {QStringLiteral("HR"), {"Croazia", "[0-9]{11}", "11 cifre"}},
        {QStringLiteral("HU"), {"Ungheria", "[0-9]{8}", "8 cifre"}},
        {QStringLiteral("IE"),
         {"Irlanda", "[0-9]([0-9]{6}[A-Z]{1,2}|[A-Z+*][0-9]{5}[A-Z])",
          "8 o 9 caratteri: 7 cifre e una o due lettere"}},
        {QStringLiteral("LT"), {"Lituania", "[0-9]{9}|[0-9]{12}", "9 o 12 cifre"}},
        {QStringLiteral("LU"), {"Lussemburgo", "[0-9]{8}", "8 cifre"}},
        {QStringLiteral("LV"), {"Lettonia", "[0-9]{11}", "11 cifre"}},
        {QStringLiteral("MT"), {"Malta", "[0-9]{8}", "8 cifre"}},
        {QStringLiteral("NL"), {"Paesi Bassi", "[0-9]{9}B[0-9]{2}", "9 cifre, B e 2 cifre"}},
        {QStringLiteral("PL"), {"Polonia", "[0-9]{10}", "10 cifre"}},
        {QStringLiteral("PT"), {"Portogallo", "[0-9]{9}", "9 cifre"}},
        {QStringLiteral("RO"), {"Romania", "[0-9]{2,10}", "da 2 a 10 cifre"}},
        {QStringLiteral("SE"), {"Svezia", "[0-9]{10}01", "12 cifre, le ultime 01"}},
        {QStringLiteral("SI"), {"Slovenia", "[0-9]{8}", "8 cifre"}},
        {QStringLiteral("SK"), {"Slovacchia", "[0-9]{10}", "10 cifre"}},
        {QStringLiteral("XI"),
         {"Irlanda del Nord", "[0-9]{9}|[0-9]{12}|GD[0-9]{3}|HA[0-9]{3}",
          "9 o 12 cifre, o GD o HA e 3 cifre"}},
        {QStringLiteral("CH"),
         {"Svizzera", "[0-9]{9}(MWST|TVA|IVA)?",
          "9 cifre (numero IDI), con o senza MWST, TVA, IVA"}},
    };
    return forms;
}

// Values of a character in an odd position (1st, 3rd, ...) of a codice fiscale,
// digits and letters alike: A/0 = 1, B/1 = 0, C/2 = 5, ...
constexpr int kOddValues[26] = {1,  0,  5, 7, 9, 13, 15, 17, 19, 21, 2,  4,  18,
                                20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};

int evenValue(QChar c) {
    return c.isDigit() ? c.digitValue() : c.unicode() - 'A';
}

int oddValue(QChar c) {
    return kOddValues[c.isDigit() ? c.digitValue() : c.unicode() - 'A'];
}

// The letters of a name as the codice fiscale reads them: accents dropped, other
// signs (apostrophes, blanks) left out.
QString codeLetters(const QString& name) {
    QString letters;
    for (const QChar c : name.normalized(QString::NormalizationForm_D).toUpper())
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            letters += c;
    return letters;
}

bool isVowel(QChar c) {
    return QStringLiteral("AEIOU").contains(c);
}

// The three characters a surname gives: its consonants, then its vowels, then X.
// A given name with four consonants or more gives its first, third and fourth.
QString nameCode(const QString& name, bool givenName) {
    QString consonants, vowels;
    for (const QChar c : codeLetters(name))
        (isVowel(c) ? vowels : consonants) += c;
    if (givenName && consonants.size() >= 4)
        return QString(consonants[0]) + consonants[2] + consonants[3];
    return (consonants + vowels + QStringLiteral("XXX")).left(3);
}

}  // namespace

std::optional<PersonName> personName(const QString& name, const QString& taxCode) {
    if (taxCode.size() != 16 || !isValidTaxCode(taxCode))
        return std::nullopt;
    const QStringList words = name.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString surnameCode = taxCode.left(3);
    const QString givenCode = taxCode.mid(3, 3);
    for (qsizetype cut = 1; cut < words.size(); ++cut) {
        const QString first = words.mid(0, cut).join(QLatin1Char(' '));
        const QString rest = words.mid(cut).join(QLatin1Char(' '));
        if (nameCode(first, false) == surnameCode && nameCode(rest, true) == givenCode)
            return PersonName{first, rest};
        if (nameCode(rest, false) == surnameCode && nameCode(first, true) == givenCode)
            return PersonName{rest, first};
    }
    return std::nullopt;
}

bool isValidVatNumber(const QString& vatNumber) {
    static const QRegularExpression elevenDigits(QStringLiteral("^[0-9]{11}$"));
    if (!elevenDigits.match(vatNumber).hasMatch())
        return false;
    int sum = 0;
    for (int i = 0; i < 10; ++i) {
        int digit = vatNumber[i].digitValue();
        if (i % 2 == 1) {
            digit *= 2;
            if (digit > 9)
                digit -= 9;
        }
        sum += digit;
    }
    return (10 - sum % 10) % 10 == vatNumber[10].digitValue();
}

bool isValidTaxCode(const QString& taxCode) {
    if (taxCode.size() == 11)
        return isValidVatNumber(taxCode);
    // Letters where a code clash (omocodia) replaced digits: L M N P Q R S T U V.
    static const QRegularExpression person(QStringLiteral(
        "^[A-Z]{6}[0-9LMNP-V]{2}[A-EHLMPR-T][0-9LMNP-V]{2}[A-Z][0-9LMNP-V]{3}[A-Z]$"));
    if (!person.match(taxCode).hasMatch())
        return false;
    int sum = 0;
    for (int i = 0; i < 15; ++i)
        sum += i % 2 == 0 ? oddValue(taxCode[i]) : evenValue(taxCode[i]);
    return taxCode[15].unicode() == 'A' + sum % 26;
}

QStringList italianIdentifierFaults(const QString& vatNumber, const QString& taxCode,
                                    const QString& owner) {
    QStringList faults;
    if (!vatNumber.isEmpty() && !isValidVatNumber(vatNumber))
        faults << QStringLiteral(
                      "la partita IVA %1 non è valida (\"%2\": undici cifre, "
                      "l'ultima di controllo)")
                      .arg(owner, vatNumber);
    if (!taxCode.isEmpty() && !isValidTaxCode(taxCode))
        faults << QStringLiteral(
                      "il codice fiscale %1 non è valido (\"%2\": carattere di "
                      "controllo errato o formato sbagliato)")
                      .arg(owner, taxCode);
    return faults;
}

QString vatPrefix(const QString& country) {
    if (country == QLatin1String("GR"))
        return QStringLiteral("EL");
    if (country == QLatin1String("CH"))
        return QStringLiteral("CHE");
    return country;
}

QString withoutVatPrefix(const QString& country, const QString& vatNumber) {
    const QString prefix = vatPrefix(country);
    if (!prefix.isEmpty() && vatNumber.startsWith(prefix) && vatNumber.size() > prefix.size())
        return vatNumber.mid(prefix.size());
    return vatNumber;
}

QString foreignVatFault(const QString& country, const QString& vatNumber,
                        const QString& clientName) {
    const auto form = vatForms().find(country);
    if (form == vatForms().end() || vatNumber.isEmpty())
        return {};
    const QRegularExpression pattern(
        QStringLiteral("^(%1)$").arg(QString::fromLatin1(form->second.pattern)));
    if (pattern.match(withoutVatPrefix(country, vatNumber)).hasMatch())
        return {};
    return QStringLiteral(
               "la partita IVA estera del cliente %1 non ha la forma di quelle di %2 "
               "(%3 seguito da %4): \"%5\"")
        .arg(clientName, QString::fromUtf8(form->second.country), vatPrefix(country),
             QString::fromUtf8(form->second.described), vatNumber);
}

}  // namespace fatturapa
