#pragma once

// Printers for tests: each named printer writes PDF files into a folder, one per
// job, so a test reads back what was printed and on which printer.

#include <QDir>
#include <QPageSize>
#include <QPrinter>
#include <QString>
#include <QStringList>

#include <memory>

#include "printing/printer_catalogue.h"

namespace test_support {

class FakePrinters : public printing::PrinterCatalogue {
  public:
    FakePrinters(QStringList names, QString defaultName, QString folder)
        : names_(std::move(names)), default_(std::move(defaultName)), folder_(std::move(folder)) {}

    QStringList names() const override { return names_; }
    QString defaultName() const override { return default_; }
    std::unique_ptr<QPrinter> printer(const QString& name) const override {
        if (!names_.contains(name)) {
            return nullptr;
        }
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setPageSize(QPageSize(QPageSize::A4));
        const QString path =
            QDir(folder_).filePath(QStringLiteral("%1-%2.pdf").arg(name).arg(++jobs_));
        printer->setOutputFileName(path);
        jobFiles_ << path;
        return printer;
    }

    // The PDF file of each job handed out, in order.
    QStringList jobFiles() const { return jobFiles_; }

  private:
    QStringList names_;
    QString default_;
    QString folder_;
    mutable int jobs_ = 0;
    mutable QStringList jobFiles_;
};

}  // namespace test_support
