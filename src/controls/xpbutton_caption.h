#pragma once

// What a button caption's "&" marks mean: "&x" makes x the access key and is shown
// as x, "&&" is an ampersand that is shown as "&".

#include <QChar>
#include <QString>

namespace controls {

// The caption's access key, or a null QChar when it has none.
QChar captionAccessKey(const QString& caption);

// The caption as the user reads it, without its marks ("&Esci" -> "Esci").
QString captionPlainText(const QString& caption);

}  // namespace controls
