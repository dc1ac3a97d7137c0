#pragma once

// The printers the system offers: their names, the default one, and a printer
// ready to print on a chosen one. Injected with the other services so that tests
// hand their own.

#include <QString>
#include <QStringList>

#include <memory>

class QPrinter;

namespace printing {

class PrinterCatalogue {
  public:
    virtual ~PrinterCatalogue() = default;

    // The installed printers, in the order the system lists them.
    virtual QStringList names() const = 0;
    // The system's default printer; empty when there is none.
    virtual QString defaultName() const = 0;
    // A printer for `name`, or null when no printer has that name.
    virtual std::unique_ptr<QPrinter> printer(const QString& name) const = 0;
};

// The system's printers, as Qt's print support sees them (CUPS on Linux).
class SystemPrinters : public PrinterCatalogue {
  public:
    QStringList names() const override;
    QString defaultName() const override;
    std::unique_ptr<QPrinter> printer(const QString& name) const override;
};

}  // namespace printing
