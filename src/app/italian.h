#pragma once

// The program speaks Italian whatever the system's language. Inline so that the
// test runner, which links no window code, uses this same setup.

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace app {

// Makes Italian (Italy) the default locale and loads Qt's own Italian texts, so
// standard buttons read "Sì", "No", "Annulla" and calendars and dialogs speak
// Italian. False when Qt's Italian translations are not installed: the program
// still runs, with Qt's standard texts in English.
inline bool installItalian(QCoreApplication& application) {
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    QLocale::setDefault(italian);
    auto* translator = new QTranslator(&application);
    if (!translator->load(italian, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace app
