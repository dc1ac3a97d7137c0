#include "invoices/invoice_document.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QVBoxLayout>

#include "app/clock.h"
#include "app/dialog_titles.h"
#include "app/message_boxes.h"
#include "app/save_dialog.h"
#include "app/services.h"
#include "controls/xpbutton.h"
#include "printing/sheet_painter.h"
#include "store/engine.h"
#include "store/workbook.h"
#include "store/workbook_store.h"

namespace invoices {

namespace {

// Screen pixels to a point on the page shown.
constexpr double kScreenDotsPerPoint = 1.25;

// One page of the document drawn on white paper, as it prints.
class PageView : public QWidget {
  public:
    PageView(const store::Workbook& book, const store::Worksheet& form, const store::PagePlan& plan,
             int index, const QDate& today)
        : book_(book), form_(form), plan_(plan), index_(index), today_(today) {
        const QSizeF paper = store::paperSizePoints(form.pageSetup());
        setFixedSize((paper * kScreenDotsPerPoint).toSize());
        setAccessibleName(QStringLiteral("Pagina %1 della fattura").arg(index + 1));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        printing::SheetPainter(book_.model(), form_.model())
            .paintPage(painter, kScreenDotsPerPoint, plan_, index_, today_);
    }

  private:
    const store::Workbook& book_;
    store::Worksheet form_;
    const store::PagePlan& plan_;
    int index_;
    QDate today_;
};

controls::XPButton* button(const char* name, const QString& caption, const QString& tip) {
    auto* b = controls::XPButton::standard(caption);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(tip);
    b->setMinimumWidth(110);
    return b;
}

}  // namespace

InvoiceDocument::InvoiceDocument() : engine_(std::make_unique<store::Engine>()) {}

InvoiceDocument::~InvoiceDocument() = default;

store::Worksheet InvoiceDocument::form() const {
    // The form is the sheet active when the file opens.
    return book_->activeSheet();
}

store::Result<std::unique_ptr<InvoiceDocument>> InvoiceDocument::fill(
    const QString& formPath, const registers::InvoiceFields& invoice,
    const registers::UserData& user) {
    if (!QFileInfo::exists(formPath)) {
        return store::Error{store::Error::Kind::Missing,
                            QStringLiteral("Il modello della fattura %1 non si trova: "
                                           "la fattura non può essere visualizzata.")
                                .arg(QDir::toNativeSeparators(formPath))};
    }
    std::unique_ptr<InvoiceDocument> document(new InvoiceDocument);
    auto opened = document->engine_->open(formPath, QString());
    if (!opened.ok()) {
        return store::Error{store::Error::Kind::Unreadable,
                            QStringLiteral("Il modello della fattura %1 non si può leggere (%2): "
                                           "la fattura non può essere visualizzata.")
                                .arg(QDir::toNativeSeparators(formPath), opened.error().message)};
    }
    document->book_ = *opened;
    document->creditNote_ = invoice.corrects.has_value();
    registers::fillInvoiceForm(document->form(), invoice, user);
    return document;
}

DocumentWindow::DocumentWindow(std::unique_ptr<InvoiceDocument> document, app::MessageBoxes& boxes,
                               const QDate& today, store::HeldFiles held, QWidget* parent)
    : QWidget(parent, Qt::Window),
      document_(std::move(document)),
      boxes_(boxes),
      today_(today),
      held_(std::move(held)) {
    setObjectName(QStringLiteral("DocumentoFattura"));
    setAttribute(Qt::WA_DeleteOnClose);
    const store::Worksheet form = document_->form();
    setWindowTitle(document_->isCreditNote() ? QStringLiteral("Nota di credito - Brisvel")
                                             : QStringLiteral("Fattura - Brisvel"));
    plan_ = printing::SheetPainter(document_->workbook().model(), form.model()).plan();

    auto* pages = new QWidget;
    pages->setStyleSheet(QStringLiteral("background: #808080;"));
    auto* column = new QVBoxLayout(pages);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(24);
    for (int i = 0; i < plan_.pageCount(); ++i)
        column->addWidget(new PageView(document_->workbook(), form, plan_, i, today_), 0,
                          Qt::AlignHCenter);
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("Pagine"));
    scroll->setWidget(pages);
    scroll->setWidgetResizable(true);

    printButton = button("Stampa", QStringLiteral("Stampa"), QStringLiteral("Stampa la fattura"));
    pdfButton = button("SalvaPdf", QStringLiteral("Salva PDF"),
                       QStringLiteral("Salva la fattura in un file PDF"));
    xlsButton = button("SalvaXls", QStringLiteral("Salva come .xls"),
                       QStringLiteral("Salva la fattura compilata come cartella di lavoro"));
    closeButton = button("Chiudi", QStringLiteral("Chiudi"), QStringLiteral("Chiudi la fattura"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (auto* b : {printButton, pdfButton, xlsButton, closeButton})
        buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);
    const QSize page = (store::paperSizePoints(form.pageSetup()) * kScreenDotsPerPoint).toSize();
    resize(page.width() + 90, std::min(page.height() + 120, 980));

    connect(printButton, &QAbstractButton::clicked, this, &DocumentWindow::printClicked);
    connect(pdfButton, &QAbstractButton::clicked, this, &DocumentWindow::pdfClicked);
    connect(xlsButton, &QAbstractButton::clicked, this, &DocumentWindow::xlsClicked);
    connect(closeButton, &QAbstractButton::clicked, this, &QWidget::close);
}

DocumentWindow::~DocumentWindow() = default;

namespace {

store::Result<int> printAll(const store::Workbook& book, const store::Worksheet& form,
                            const store::PagePlan& plan, QPrinter& printer, const QDate& today) {
    printing::SheetPrintJob job(book.model(), form.model(), plan, printer, today);
    for (int i = 0; i < plan.pageCount(); ++i) {
        const auto printed = job.printPage(i);
        if (!printed.ok())
            return printed.error();
    }
    return job.finish();
}

}  // namespace

store::Result<int> saveDocumentPdf(InvoiceDocument& document, const QString& path,
                                   const QDate& today) {
    const store::PagePlan plan =
        printing::SheetPainter(document.workbook().model(), document.form().model()).plan();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return printAll(document.workbook(), document.form(), plan, printer, today);
}

store::Result<int> DocumentWindow::saveAsPdf(const QString& path) {
    return saveDocumentPdf(*document_, path, today_);
}

store::Result<store::Done> DocumentWindow::saveAsXls(const QString& path) {
    // Written over the store, the one-sheet form would replace every register.
    if (const std::optional<QString> held = held_.heldAs(path))
        return store::Error{
            store::Error::Kind::Refused,
            QStringLiteral("Il file %1 è %2: la fattura non vi può essere salvata, e nulla è "
                           "stato scritto.\nScegliere un altro nome o un'altra cartella.")
                .arg(QDir::toNativeSeparators(path), *held)};
    return document_->workbook().saveCopyAs(path);
}

void DocumentWindow::printClicked() {
    QPrinter printer(QPrinter::HighResolution);
    printing::applyPageSetup(printer, document_->form().pageSetup());
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Stampa la fattura"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const auto printed = printAll(document_->workbook(), document_->form(), plan_, printer, today_);
    if (!printed.ok())
        boxes_.tell(printed.error().message, app::title::kProgram, app::Icon::Critical);
}

void DocumentWindow::pdfClicked() {
    const auto path = app::chooseSavePath(boxes_,
                                          {QStringLiteral("Salva la fattura in PDF"),
                                           QDir::homePath(), QStringLiteral("PDF (*.pdf)")},
                                          app::kPdfSuffix);
    if (!path)
        return;
    const auto saved = saveAsPdf(*path);
    if (!saved.ok())
        boxes_.tell(saved.error().message, app::title::kProgram, app::Icon::Critical);
}

void DocumentWindow::xlsClicked() {
    const auto path = app::chooseSavePath(boxes_,
                                          {QStringLiteral("Salva la fattura come .xls"),
                                           QDir::homePath(), QStringLiteral("Excel (*.xls)")},
                                          QStringLiteral(".xls"));
    if (!path)
        return;
    const auto saved = saveAsXls(*path);
    if (!saved.ok())
        boxes_.tell(saved.error().message, app::title::kProgram,
                    saved.error().kind == store::Error::Kind::Refused ? app::Icon::Warning
                                                                      : app::Icon::Critical);
}

DocumentWindow* showInvoiceDocument(const app::Services& services, const QString& programFolder,
                                    const registers::InvoiceFields& invoice) {
    registers::UserData user;
    if (auto sheet = registers::userSheet(services.store.workbook()); sheet.ok())
        user = registers::readUserData(*sheet);
    const QString formPath =
        QDir(programFolder).filePath(QString::fromLatin1(registers::kInvoiceFormFileName));
    // A missing form is made again from the program's own, and the document shows.
    if (!QFileInfo::exists(formPath)) {
        const auto made = registers::writeInvoiceTemplate(formPath);
        if (!made.ok()) {
            services.boxes.tell(
                QStringLiteral("Il modello della fattura %1 non si trova e non si può creare "
                               "(%2): la fattura non può essere visualizzata.")
                    .arg(QDir::toNativeSeparators(formPath), made.error().message),
                app::title::kProgram, app::Icon::Critical);
            return nullptr;
        }
        services.boxes.tell(QStringLiteral("Il modello della fattura %1 non si trovava: è stato "
                                           "creato di nuovo con il modello del programma.")
                                .arg(QDir::toNativeSeparators(formPath)),
                            app::title::kProgram, app::Icon::Information);
    }
    auto document = InvoiceDocument::fill(formPath, invoice, user);
    if (!document.ok()) {
        services.boxes.tell(document.error().message, app::title::kProgram, app::Icon::Critical);
        return nullptr;
    }
    auto* window = new DocumentWindow(std::move(*document), services.boxes, services.clock.today(),
                                      store::HeldFiles(services.store, formPath));
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace invoices
