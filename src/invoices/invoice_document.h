#pragma once

// The invoice document: a copy of the form Fattura.xls read into memory and filled
// with the invoice on screen and the user's letterhead, shown in a window of its
// own as it will print, with "Stampa", "Salva PDF", "Salva come .xls" and
// "Chiudi". Nothing is written to the store or to the form's file; several
// documents may be open at once.

#include <QWidget>

#include <memory>

#include "registers/invoice_form.h"
#include "store/held_files.h"
#include "store/pagination.h"

class QScrollArea;

namespace app {
class MessageBoxes;
struct Services;
}  // namespace app
namespace controls {
class XPButton;
}
namespace store {
class Engine;
class Workbook;
}  // namespace store

namespace invoices {

// The filled copy of the form, in an engine of its own.
class InvoiceDocument {
  public:
    // Reads the form at `formPath` and fills its first sheet. An Italian message
    // when the form is missing or does not read.
    static store::Result<std::unique_ptr<InvoiceDocument>> fill(
        const QString& formPath, const registers::InvoiceFields& invoice,
        const registers::UserData& user);
    ~InvoiceDocument();

    store::Workbook& workbook() { return *book_; }
    store::Worksheet form() const;
    // The document corrects an invoice: it is a credit note.
    bool isCreditNote() const { return creditNote_; }

  private:
    InvoiceDocument();
    std::unique_ptr<store::Engine> engine_;
    store::Workbook* book_ = nullptr;
    bool creditNote_ = false;
};

// Writes every page of `document` as it prints into the PDF file `path`; the number
// of pages, or why the file could not be written.
store::Result<int> saveDocumentPdf(InvoiceDocument& document, const QString& path,
                                   const QDate& today);

// The window that shows one filled document.
class DocumentWindow : public QWidget {
    Q_OBJECT
  public:
    // `held`: the program's own files, which "Salva come .xls" never writes over.
    DocumentWindow(std::unique_ptr<InvoiceDocument> document, app::MessageBoxes& boxes,
                   const QDate& today, store::HeldFiles held, QWidget* parent = nullptr);
    ~DocumentWindow() override;

    controls::XPButton* printButton;
    controls::XPButton* pdfButton;
    controls::XPButton* xlsButton;
    controls::XPButton* closeButton;

    // Pages as they print.
    int pageCount() const { return plan_.pageCount(); }
    store::Result<int> saveAsPdf(const QString& path);
    // A file the program holds is refused (Refused, with an Italian message), and
    // nothing is written.
    store::Result<store::Done> saveAsXls(const QString& path);

  private:
    void printClicked();
    void pdfClicked();
    void xlsClicked();

    std::unique_ptr<InvoiceDocument> document_;
    app::MessageBoxes& boxes_;
    QDate today_;
    store::HeldFiles held_;
    store::PagePlan plan_;
};

// "Visualizza Fattura": the form beside the program filled with `invoice` and the
// user's data of the store, shown in a new document window. A missing form is
// made again from the program's own template, which the user is told; an
// unreadable one is said, and nothing else happens. The window, when made,
// deletes itself when closed.
DocumentWindow* showInvoiceDocument(const app::Services& services, const QString& programFolder,
                                    const registers::InvoiceFields& invoice);

}  // namespace invoices
