#include "year/accountant_package.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>

#include <optional>

#include "fatturapa/einvoice_export.h"
#include "invoices/invoice_document.h"
#include "registers/client_sheet.h"
#include "registers/due_dates.h"
#include "registers/invoice_extras.h"
#include "registers/invoice_form.h"
#include "registers/invoice_rates.h"
#include "registers/invoice_register.h"
#include "registers/register_csv.h"
#include "registers/user_data.h"
#include "store/typed_entry.h"
#include "year/year_report.h"
#include "year/zip_archive.h"

namespace year {

namespace {

namespace col = registers::invoice;

const char* const kMonths[] = {"Gennaio",   "Febbraio", "Marzo",    "Aprile",
                               "Maggio",    "Giugno",   "Luglio",   "Agosto",
                               "Settembre", "Ottobre",  "Novembre", "Dicembre"};

// The invoice document's fields from its register row, its client's row and what
// the program keeps beside the row. The rates are recovered from the amounts; one
// that no settings item gives any more stays empty.
registers::InvoiceFields documentFields(const registers::InvoiceRecord& r,
                                        const registers::ClientRecord* client,
                                        const registers::InvoiceExtras* extras,
                                        const std::optional<registers::RateItems>& items) {
    registers::InvoiceFields f;
    f.taxable = r[col::Taxable];
    f.surcharge = r[col::Surcharge];
    f.totalTaxable = r[col::TotalTaxable];
    f.vat = r[col::Vat];
    f.exemption = r[col::Exemption];
    f.exempt = r[col::ExemptAmount];
    f.total = r[col::Total];
    f.withholding = r[col::Withholding];
    f.net = r[col::Net];
    f.clientName = r[col::Client];
    f.clientId = r[col::ClientId];
    f.date = r[col::Date];
    f.number = r[col::Number];
    f.record = r[col::Id];
    f.description = r[col::Description];
    f.collection = r[col::Collection] == registers::kStarMark ? QString() : r[col::Collection];
    f.paidBy = r[col::PaidBy];
    if (items) {
        const registers::InvoiceRates rates = registers::ratesOf(
            r, *items, extras ? extras->rates(r[col::Id]) : registers::KeptRates{});
        f.surchargeRate = rates.surcharge.value_or(QString());
        f.vatRate = rates.vat.value_or(QString());
        f.withholdingRate = rates.withholding.value_or(QString());
    }
    if (extras) {
        f.corrects = extras->corrects(r[col::Id]);
        f.stampDutyCharged = !extras->stampDutyCharged(r[col::Id]).isZero();
    }
    if (client) {
        namespace c = registers::client;
        f.address = (*client)[c::Address];
        f.postalCode = (*client)[c::PostalCode];
        f.town = (*client)[c::Town];
        f.province = (*client)[c::Province];
        f.taxCode = (*client)[c::TaxCode];
        f.vatNumber = (*client)[c::VatNumber];
    }
    return f;
}

// A name that every file system takes: no folder separators or reserved marks.
QString safeName(QString text) {
    static const QString kReserved = QStringLiteral("/\\:*?\"<>|");
    for (QChar& c : text) {
        if (kReserved.contains(c) || c.unicode() < 0x20)
            c = u'-';
    }
    return text.trimmed();
}

QString pdfName(const registers::InvoiceRecord& r, bool creditNote) {
    return QStringLiteral("PDF/%1 %2 del %3.pdf")
        .arg(creditNote ? QStringLiteral("Nota di credito") : QStringLiteral("Fattura"),
             safeName(r[col::Number]), safeName(r[col::Date]));
}

QString title(const registers::InvoiceRecord& r) {
    return QStringLiteral("n. %1 del %2").arg(r[col::Number], r[col::Date]);
}

// The invoice documents as PDF files: the form beside the program is filled with
// each invoice in turn. A form that cannot be had leaves every PDF out, said once.
class DocumentPrinter {
  public:
    DocumentPrinter(store::Workbook& book, const PackageRequest& request)
        : book_(book),
          formPath_(QDir(request.programFolder)
                        .filePath(QString::fromLatin1(registers::kInvoiceFormFileName))),
          today_(request.today) {
        if (const auto sheet = registers::userSheet(book))
            user_ = registers::readUserData(*sheet);
        if (const auto sheet = registers::invoiceExtrasSheet(book))
            extras_.emplace(*sheet);
        rateItems_ = registers::rateItemsOf(book);
        if (const auto sheet = registers::clientSheet(book)) {
            for (const registers::ClientRecord& client : registers::ClientSheet(*sheet).rows())
                clients_.insert(client[registers::client::Id], client);
        }
        // The form the document window makes again when it is missing.
        if (!QFileInfo::exists(formPath_)) {
            if (const auto made = registers::writeInvoiceTemplate(formPath_); !made)
                failure_ = made.error().message;
        }
        if (!folder_.isValid())
            failure_ = QStringLiteral("non è possibile creare una cartella temporanea.");
    }

    // Why no PDF can be made; empty when they can.
    const QString& failure() const { return failure_; }

    store::Result<QByteArray> pdf(const registers::InvoiceRecord& invoice) {
        const auto client = clients_.constFind(invoice[col::ClientId]);
        registers::InvoiceFields fields =
            documentFields(invoice, client == clients_.cend() ? nullptr : &*client,
                           extras_ ? &*extras_ : nullptr, rateItems_);
        if (const QDate due = registers::dueDateOf(book_, invoice); due.isValid())
            fields.due = store::italianDateText(due);
        auto document = invoices::InvoiceDocument::fill(formPath_, fields, user_);
        if (!document)
            return document.error();
        const QString path = folder_.filePath(QStringLiteral("fattura.pdf"));
        if (const auto saved = invoices::saveDocumentPdf(**document, path, today_); !saved)
            return saved.error();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return store::Error{store::Error::Kind::Io, file.errorString()};
        return file.readAll();
    }

  private:
    store::Workbook& book_;
    QString formPath_;
    QDate today_;
    registers::UserData user_;
    QHash<QString, registers::ClientRecord> clients_;
    std::optional<registers::InvoiceExtras> extras_;
    std::optional<registers::RateItems> rateItems_;
    QTemporaryDir folder_;
    QString failure_;
};

}  // namespace

std::vector<Period> periodsOf(int year) {
    std::vector<Period> periods;
    periods.push_back(
        {QStringLiteral("Anno %1").arg(year), QDate(year, 1, 1), QDate(year, 12, 31)});
    for (int quarter = 0; quarter < 4; ++quarter) {
        const QDate first(year, quarter * 3 + 1, 1);
        periods.push_back({QStringLiteral("%1° trimestre %2").arg(quarter + 1).arg(year), first,
                           first.addMonths(3).addDays(-1)});
    }
    for (int month = 1; month <= 12; ++month) {
        const QDate first(year, month, 1);
        periods.push_back(
            {QStringLiteral("%1 %2").arg(QString::fromLatin1(kMonths[month - 1])).arg(year), first,
             first.addMonths(1).addDays(-1)});
    }
    return periods;
}

QString proposedZipName(const Period& period) {
    const int year = period.first.year();
    if (period.first.month() == 1 && period.last.month() == 12)
        return QStringLiteral("Fatture %1.zip").arg(year);
    if (period.first.month() == period.last.month())
        return QStringLiteral("Fatture %1-%2.zip")
            .arg(year)
            .arg(period.first.month(), 2, 10, QChar(u'0'));
    return QStringLiteral("Fatture %1-T%2.zip").arg(year).arg((period.first.month() + 2) / 3);
}

store::Result<PackageOutcome> packInvoices(store::Workbook& book, const PackageRequest& request,
                                           const PackageProgress& progress) {
    const auto sheet = registers::invoiceSheet(book);
    if (!sheet)
        return sheet.error();
    const std::vector<int> rows =
        registers::rowsDatedBetween(*sheet, request.period.first, request.period.last);
    const registers::InvoiceRegister invoiceRegister(*sheet);

    PackageOutcome outcome;
    outcome.zipPath = request.zipPath;
    // The electronic invoices made on the way are numbered for good: a ZIP that
    // cannot be written says where they are.
    QStringList madeNow;
    const QString exportFolder = fatturapa::defaultExportFolder(request.programFolder);
    const auto failed = [&](store::Error error) {
        const QString folder = QDir::toNativeSeparators(exportFolder);
        if (madeNow.size() == 1)
            error.message += QStringLiteral(
                                 "\nLa fattura elettronica creata prima dell'errore, "
                                 "già numerata, resta nella cartella %1: %2.")
                                 .arg(folder, madeNow.first());
        else if (madeNow.size() > 1)
            error.message += QStringLiteral(
                                 "\nLe %1 fatture elettroniche create prima "
                                 "dell'errore, già numerate, restano nella cartella "
                                 "%2: %3.")
                                 .arg(QString::number(madeNow.size()), folder,
                                      madeNow.join(QStringLiteral(", ")));
        return error;
    };
    outcome.invoices = int(rows.size());

    // The invoices never made into an electronic invoice are exported now, into the
    // folder where every export goes unless the user chose another.
    std::vector<int> toExport;
    if (const auto extrasSheet = registers::invoiceExtrasSheet(book)) {
        const registers::InvoiceExtras extras(*extrasSheet);
        for (int row : rows) {
            if (extras.exportedAs(sheet->text(row, col::Id)).isEmpty())
                toExport.push_back(row);
        }
    } else {
        toExport = rows;
    }
    const int total = int(toExport.size() + rows.size()) + 1;
    int done = 0;
    const auto goOn = [&] { return !progress || progress(done, total); };

    if (!toExport.empty()) {
        const auto exported = fatturapa::exportInvoices(book, toExport, exportFolder, request.today,
                                                        [&](int exportedSoFar, int) {
                                                            done = exportedSoFar;
                                                            return goOn();
                                                        });
        if (!exported) {
            outcome.leftOut << QStringLiteral("Fatture elettroniche non create: %1")
                                   .arg(exported.error().message);
        } else {
            outcome.exportedNow = int(exported->written.size());
            madeNow = exported->written;
            outcome.refusals = exported->refusals;
            if (!exported->stoppedBy.isEmpty())
                outcome.leftOut
                    << QStringLiteral("Esportazione interrotta: %1").arg(exported->stoppedBy);
        }
        done = int(toExport.size());
        if (!goOn()) {
            outcome.cancelled = true;
            return outcome;
        }
    }

    auto archive = ZipArchive::create(request.zipPath);
    if (!archive)
        return failed(archive.error());
    const auto extrasSheet = registers::invoiceExtrasSheet(book);
    const std::optional<registers::InvoiceExtras> extras =
        extrasSheet ? std::optional<registers::InvoiceExtras>(*extrasSheet) : std::nullopt;
    DocumentPrinter printer(book, request);
    if (!printer.failure().isEmpty())
        outcome.leftOut << QStringLiteral("Copie PDF non create: %1").arg(printer.failure());

    const QDir folder(exportFolder);
    for (int row : rows) {
        const registers::InvoiceRecord invoice = invoiceRegister.row(row);
        const QString id = invoice[col::Id];
        const QString xml = extras ? extras->exportedAs(id) : QString();
        if (!xml.isEmpty()) {
            QFile file(folder.filePath(xml));
            if (file.open(QIODevice::ReadOnly)) {
                if (auto added =
                        (*archive)->add(QStringLiteral("FatturePA/") + xml, file.readAll());
                    !added)
                    return failed(added.error());
                ++outcome.xmlFiles;
            } else {
                outcome.leftOut << QStringLiteral("Fattura %1: il file %2 non è nella cartella %3")
                                       .arg(title(invoice), xml,
                                            QDir::toNativeSeparators(folder.absolutePath()));
            }
        }
        if (printer.failure().isEmpty()) {
            const auto pdf = printer.pdf(invoice);
            if (!pdf) {
                outcome.leftOut << QStringLiteral("Fattura %1: copia PDF non creata (%2)")
                                       .arg(title(invoice), pdf.error().message);
            } else {
                const bool creditNote = extras && extras->isCreditNote(id);
                if (auto added = (*archive)->add(pdfName(invoice, creditNote), *pdf); !added)
                    return failed(added.error());
                ++outcome.pdfFiles;
            }
        }
        ++done;
        if (!goOn()) {
            outcome.cancelled = true;
            return outcome;
        }
    }

    if (auto added = (*archive)->add(QStringLiteral("Registro %1.csv").arg(request.period.name),
                                     registers::registerCsv(*sheet, rows));
        !added)
        return failed(added.error());
    if (auto written = (*archive)->commit(); !written)
        return failed(written.error());
    ++done;
    goOn();
    return outcome;
}

QString outcomeMessage(const PackageOutcome& outcome) {
    QString text =
        QStringLiteral("Il file %1 contiene %2, %3 e il registro del periodo (%4).")
            .arg(QDir::toNativeSeparators(outcome.zipPath),
                 counted(outcome.xmlFiles, "fattura elettronica", "fatture elettroniche"),
                 counted(outcome.pdfFiles, "copia PDF", "copie PDF"),
                 counted(outcome.invoices, "fattura", "fatture"));
    if (outcome.exportedNow > 0)
        text += QStringLiteral("\nFatture elettroniche create ora: %1.").arg(outcome.exportedNow);
    if (!outcome.leftOut.isEmpty())
        text +=
            QStringLiteral("\n\nNon incluso:\n- ") + outcome.leftOut.join(QStringLiteral("\n- "));
    for (const fatturapa::Refusal& refusal : outcome.refusals)
        text += QStringLiteral("\n\n") + refusal.message();
    return text;
}

}  // namespace year
