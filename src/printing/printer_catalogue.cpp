#include "printing/printer_catalogue.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace printing {

QStringList SystemPrinters::names() const {
    return QPrinterInfo::availablePrinterNames();
}

QString SystemPrinters::defaultName() const {
    return QPrinterInfo::defaultPrinterName();
}

std::unique_ptr<QPrinter> SystemPrinters::printer(const QString& name) const {
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull()) {
        return nullptr;
    }
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

}  // namespace printing
