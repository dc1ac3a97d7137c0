#include "invoices/register_list_page.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMouseEvent>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/controls_factory.h"
#include "app/list_print.h"
#include "controls/xpbutton.h"
#include "invoices/invoice_list_model.h"
#include "registers/invoice_layout.h"
#include "registers/sdi_history.h"
#include "store/workbook_store.h"

namespace invoices {

RegisterListPage::RegisterListPage(const app::Services& services, QWidget* parent)
    : QGroupBox(QStringLiteral("Registro Fatture"), parent), services_(services) {
    setObjectName(QStringLiteral("Frame1"));
    model_ = new InvoiceListModel(this);
    lines_ = new QTreeView;
    lines_->setObjectName(QStringLiteral("ListView3"));
    lines_->setAccessibleName(QStringLiteral("Registro Fatture"));
    lines_->setModel(model_);
    app::prepareReportList(lines_);
    // Several invoices can be chosen together for the electronic invoice.
    lines_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lines_->viewport()->installEventFilter(this);
    electronicInvoiceButton_ =
        app::makeButton(QStringLiteral("XPButton9"), QStringLiteral("Fattura Elettronica"),
                        QStringLiteral("Esporta le fatture scelte come fatture elettroniche"));
    creditNoteButton_ =
        app::makeButton(QStringLiteral("XPButton10"), QStringLiteral("Nota di credito"),
                        QStringLiteral("Storna la fattura scelta (Ctrl+clic) in tutto o in parte"));
    printButton_ = app::makeButton(QStringLiteral("XPButton8"), QStringLiteral("Stampa"));
    exitButton_ = app::makeButton(QStringLiteral("XPButton1"), QStringLiteral("Esci"));
    for (auto* b : {electronicInvoiceButton_, creditNoteButton_, printButton_, exitButton_})
        b->setMinimumSize(100, 30);

    auto* page = new QVBoxLayout(this);
    page->addWidget(lines_, 1);
    auto* buttons = new QHBoxLayout;
    QLabel* hint = app::makeLabel(QString(), QStringLiteral("Per modificare la fattura , "
                                                            "selezionarla"));
    QFont italic = hint->font();
    italic.setItalic(true);
    hint->setFont(italic);
    buttons->addWidget(hint);
    buttons->addStretch();
    buttons->addWidget(electronicInvoiceButton_);
    buttons->addSpacing(12);
    buttons->addWidget(creditNoteButton_);
    buttons->addSpacing(12);
    buttons->addWidget(printButton_);
    buttons->addSpacing(12);
    buttons->addWidget(exitButton_);
    page->addLayout(buttons);

    connect(lines_, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (!(pressModifiers_ & (Qt::ControlModifier | Qt::ShiftModifier)))
            chooseLine(index);
    });
    connect(lines_, &QAbstractItemView::activated, this, &RegisterListPage::chooseLine);
    connect(electronicInvoiceButton_, &QAbstractButton::clicked, this,
            [this] { emit electronicInvoiceRequested(chosenRows()); });
    connect(creditNoteButton_, &QAbstractButton::clicked, this,
            [this] { emit creditNoteRequested(chosenRows()); });
    connect(printButton_, &QAbstractButton::clicked, this, &RegisterListPage::print);
    connect(exitButton_, &QAbstractButton::clicked, this, &RegisterListPage::leaveRequested);
}

void RegisterListPage::fill(const registers::InvoiceRegister& book,
                            const QSet<QString>& creditNotes) {
    model_->fill(book, registers::SdiStates(services_.store.workbook()), creditNotes);
    for (int column = 0; column < model_->columnCount(); ++column)
        lines_->setColumnWidth(column, InvoiceListModel::columnWidth(column));
    lines_->setFocus();
}

void RegisterListPage::clear() {
    model_->clear();
}

bool RegisterListPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lines_->viewport() && event->type() == QEvent::MouseButtonPress)
        pressModifiers_ = static_cast<QMouseEvent*>(event)->modifiers();
    return QGroupBox::eventFilter(watched, event);
}

void RegisterListPage::chooseLine(const QModelIndex& index) {
    if (index.isValid())
        emit invoiceChosen(model_->invoice(index.row()));
}

QList<int> RegisterListPage::chosenRows() const {
    QList<int> rows;
    for (const QModelIndex& line : lines_->selectionModel()->selectedRows())
        rows << registers::invoice::kFirstRow + line.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

// "Stampa": the list as it is shown, on the default printer.
void RegisterListPage::print() {
    printing::PrintedList printed{QStringLiteral("Elenco Fatture "),
                                  QStringLiteral("Brisvel"),
                                  QStringLiteral("Arial"),
                                  10,
                                  {},
                                  {},
                                  {}};
    const QAbstractItemModel* model = lines_->model();
    for (int c = 0; c < model->columnCount(); ++c) {
        printed.columnHeadings << model->headerData(c, Qt::Horizontal).toString();
        printed.columnWidths.push_back(lines_->isColumnHidden(c) ? 0 : lines_->columnWidth(c));
        // The list's column c shows register column c + 1.
        if (registers::invoice::isAmountColumn(c + 1))
            printed.amountColumns.insert(c);
    }
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < model->columnCount(); ++c)
            row << model->index(r, c).data().toString();
        printed.rows.push_back(row);
    }
    static_cast<void>(app::printListOnDefaultPrinter(services_, printed, this));
}

}  // namespace invoices
