#include "registers/entered_values.h"

#include "store/number_text.h"
#include "store/typed_entry.h"

namespace registers {

namespace {

const QDate kFirstDay(1900, 1, 1);
const QDate kLastDay(9999, 12, 31);

// How much of a wrong date the message repeats: enough to recognise it.
constexpr int kQuotedLength = 20;

QString quoted(const QString& text) {
    if (text.size() <= kQuotedLength)
        return text;
    return text.left(kQuotedLength) + QChar(0x2026);
}

// `refusal` names the day (%1) and the document (%2) it comes before.
std::optional<QString> beforeDocument(const QDate& day, const QDate& documentDate,
                                      const QString& document, const QString& refusal) {
    if (day >= documentDate)
        return std::nullopt;
    return refusal.arg(store::italianDateText(day), document);
}

}  // namespace

std::optional<QDate> calendarDate(const QString& text) {
    const std::optional<QDate> date = store::readItalianDate(text);
    if (!date || *date < kFirstDay || *date > kLastDay)
        return std::nullopt;
    return date;
}

std::optional<QString> overlongTextRefusal(const QString& field, const QString& text) {
    if (text.size() <= kCellTextLimit)
        return std::nullopt;
    return QStringLiteral(
               "Il campo \"%1\" contiene %2 caratteri: Gestione.xls ne conserva "
               "al massimo %3 per campo.\n"
               "Accorciare il testo: nulla è stato registrato.")
        .arg(field, store::formatFixed(double(text.size()), 0, true),
             store::formatFixed(kCellTextLimit, 0, true));
}

std::optional<QString> dateRefusal(const QString& field, const QString& text) {
    if (text.isEmpty() || calendarDate(text))
        return std::nullopt;
    return QStringLiteral(
               "Il campo \"%1\" non contiene una data valida: \"%2\".\n"
               "Scrivere un giorno del calendario come gg/mm/aaaa, per esempio "
               "05/03/2026: nulla è stato registrato.")
        .arg(field, quoted(text.trimmed()));
}

std::optional<QString> collectionBeforeDocument(const QDate& day, const QDate& documentDate,
                                                const QString& document) {
    return beforeDocument(day, documentDate, document,
                          QStringLiteral("La data dell'incasso %1 precede la data della %2: "
                                         "scrivere la data in cui è stata incassata."));
}

std::optional<QString> dueBeforeDocument(const QDate& day, const QDate& documentDate,
                                         const QString& document) {
    return beforeDocument(day, documentDate, document,
                          QStringLiteral("La scadenza %1 precede la data della %2: "
                                         "scrivere il giorno in cui il pagamento è dovuto."));
}

std::optional<QString> futureCollectionQuestion(const QString& text, const QDate& today) {
    const std::optional<QDate> date = calendarDate(text);
    if (!date || *date <= today)
        return std::nullopt;
    return QStringLiteral(
               "La data dell'incasso %1 è successiva a oggi (%2): l'incasso non è ancora "
               "avvenuto.\nRegistrarla lo stesso?")
        .arg(store::italianDateText(*date), store::italianDateText(today));
}

}  // namespace registers
