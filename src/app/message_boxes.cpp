#include "app/message_boxes.h"

#include <QStringList>

namespace app {

namespace {

// What a box shows without growing past a small screen: lines as they wrap in a
// message box about 80 characters wide.
constexpr qsizetype kLineWidth = 80;
constexpr qsizetype kMostLines = 24;

qsizetype linesShown(const QString& text) {
    qsizetype lines = 0;
    for (const QStringView line : QStringView(text).split(u'\n'))
        lines += 1 + (line.size() > 0 ? (line.size() - 1) / kLineWidth : 0);
    return lines;
}

}  // namespace

Message fittingNotice(const QString& text, const QString& title, Icon icon) {
    const qsizetype summaryEnd = text.indexOf(QStringLiteral("\n\n"));
    if (linesShown(text) <= kMostLines || summaryEnd < 0)
        return {text, title, icon, Buttons::Ok};
    return {text.left(summaryEnd) +
                QStringLiteral("\n\nL'elenco completo si legge con «Mostra dettagli...»."),
            title, icon, Buttons::Ok, text.mid(summaryEnd + 2)};
}

}  // namespace app
