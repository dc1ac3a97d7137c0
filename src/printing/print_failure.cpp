#include "printing/print_failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>

namespace printing {

namespace {

// Why `path` cannot be written, found by opening it as the PDF writer would, without
// emptying a file that is there.
QString whyNotWritable(const QString& path) {
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        return QStringLiteral("la cartella %1 non esiste")
            .arg(QDir::toNativeSeparators(info.absolutePath()));
    const bool existed = info.exists();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return file.errorString();
    file.close();
    if (!existed)
        file.remove();
    return QStringLiteral("il file non si può aprire in scrittura");
}

}  // namespace

QString printStartFailure(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        const QString path = printer.outputFileName();
        return QStringLiteral("Impossibile scrivere il file PDF %1: %2.")
            .arg(QDir::toNativeSeparators(path), whyNotWritable(path));
    }
    if (printer.printerName().isEmpty())
        return QStringLiteral("Impossibile avviare la stampa.");
    return QStringLiteral("Impossibile avviare la stampa su \"%1\".").arg(printer.printerName());
}

}  // namespace printing
