#include "controls/xpbutton_caption.h"

namespace controls {

QChar captionAccessKey(const QString& caption) {
    if (caption.size() < 2)
        return {};
    qsizetype at = caption.indexOf(u'&');
    // An "&&" pair is an escaped ampersand: look on past it for the next mark.
    while (at >= 0 && at + 1 < caption.size()) {
        const QChar next = caption.at(at + 1);
        if (next != u'&')
            return next;
        at = caption.indexOf(u'&', at + 2);
    }
    return {};
}

QString captionPlainText(const QString& caption) {
    QString plain;
    plain.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u'&' && i + 1 < caption.size())
            ++i;
        plain.append(caption.at(i));
    }
    return plain;
}

}  // namespace controls
