#include "year/andamento.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPageSize>
#include <QPrinter>
#include <QProgressBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

#include "app/clock.h"
#include "app/controls_factory.h"
#include "app/dialog_titles.h"
#include "app/list_print.h"
#include "app/message_boxes.h"
#include "app/navigator.h"
#include "app/save_dialog.h"
#include "app/tab_order.h"
#include "controls/xpbutton.h"
#include "registers/invoice_layout.h"
#include "registers/registration_checks.h"
#include "store/workbook_store.h"
#include "year/accountant_package.h"
#include "year/accountant_run.h"
#include "year/year_report.h"

namespace year {

namespace {

controls::XPButton* button(const char* name, const QString& caption, const QString& tip) {
    auto* b = app::makeButton(QString::fromLatin1(name), caption, tip);
    b->setAccessibleName(caption);
    b->setMinimumSize(110, 32);
    return b;
}

// A caption and the label that shows its figure, in the next row of `grid`.
QLabel* figureRow(QGridLayout* grid, const QString& name, const QString& caption,
                  bool bold = false) {
    const int row = grid->rowCount();
    auto* captionLabel = app::makeLabel(name + QStringLiteral("Didascalia"), caption);
    auto* figure = app::makeLabel(name, QString());
    figure->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    figure->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (bold) {
        QFont font = figure->font();
        font.setBold(true);
        figure->setFont(font);
        captionLabel->setFont(font);
    }
    grid->addWidget(captionLabel, row, 0);
    grid->addWidget(figure, row, 1);
    return figure;
}

QString euro(registers::Amount amount) {
    return amount.text() + QStringLiteral(" €");
}

}  // namespace

Andamento::Andamento(const app::Services& services, QWidget* parent)
    : app::AreaWindow(parent), services_(services) {
    setObjectName(QStringLiteral("Andamento"));
    setWindowTitle(QStringLiteral("Andamento dell'anno - Brisvel"));

    auto* yearLabel = app::makeLabel(QStringLiteral("LabelAnno"), QStringLiteral("Anno"));
    yearBox_ = new QComboBox;
    yearBox_->setObjectName(QStringLiteral("Anno"));
    yearBox_->setAccessibleName(yearLabel->text());
    yearLabel->setBuddy(yearBox_);
    yearBox_->setMinimumContentsLength(6);

    invoicedSet_ = new QBarSet(QStringLiteral("Fatturato"));
    invoicedSet_->setColor(QColor(0x2e, 0x6d, 0xb4));
    collectedSet_ = new QBarSet(QStringLiteral("Incassato"));
    collectedSet_->setColor(QColor(0x3f, 0xa3, 0x4d));
    auto* series = new QBarSeries;
    series->append(invoicedSet_);
    series->append(collectedSet_);
    chart_ = new QChart;
    chart_->addSeries(series);
    chart_->setLocalizeNumbers(true);
    chart_->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    chart_->legend()->setAlignment(Qt::AlignBottom);
    chart_->setMargins(QMargins(4, 4, 4, 4));
    auto* months = new QBarCategoryAxis;
    for (int m = 1; m <= 12; ++m)
        months->append(monthName(m));
    chart_->addAxis(months, Qt::AlignBottom);
    series->attachAxis(months);
    amountAxis_ = new QValueAxis;
    amountAxis_->setLabelFormat(QStringLiteral("%.0f"));
    chart_->addAxis(amountAxis_, Qt::AlignLeft);
    series->attachAxis(amountAxis_);
    chartView_ = new QChartView(chart_);
    chartView_->setObjectName(QStringLiteral("Grafico"));
    chartView_->setRenderHint(QPainter::Antialiasing);
    chartView_->setAccessibleName(QStringLiteral("Fatturato e incassato per mese"));
    chartView_->setMinimumSize(560, 320);

    auto* totals = new QGroupBox(QStringLiteral("Totali dell'anno"));
    totals->setObjectName(QStringLiteral("Totali"));
    auto* grid = new QGridLayout(totals);
    grid->setHorizontalSpacing(24);
    taxable_ = figureRow(grid, QStringLiteral("Imponibile"), QStringLiteral("Imponibile"));
    surcharge_ = figureRow(grid, QStringLiteral("Rivalsa"), QStringLiteral("Rivalsa INPS/Cassa"));
    vat_ = figureRow(grid, QStringLiteral("Iva"), QStringLiteral("IVA"));
    total_ = figureRow(grid, QStringLiteral("TotaleFatturato"), QStringLiteral("Totale fatturato"),
                       true);
    collected_ =
        figureRow(grid, QStringLiteral("Incassato"), QStringLiteral("Incassato nell'anno"), true);
    withholding_ =
        figureRow(grid, QStringLiteral("Ritenute"), QStringLiteral("Ritenute sull'incassato"));
    net_ = figureRow(grid, QStringLiteral("NettoIncassato"), QStringLiteral("Netto incassato"));
    leftOut_ = app::makeLabel(QStringLiteral("NonConteggiate"), QString());
    leftOut_->setWordWrap(true);
    leftOut_->setStyleSheet(QStringLiteral("color: #a05000;"));
    grid->addWidget(leftOut_, grid->rowCount(), 0, 1, 2);
    grid->setRowStretch(grid->rowCount(), 1);

    auto* clientsLabel =
        app::makeLabel(QStringLiteral("LabelClienti"), QStringLiteral("Clienti principali"));
    clients_ = new QTreeWidget;
    clients_->setObjectName(QStringLiteral("ClientiPrincipali"));
    clients_->setAccessibleName(clientsLabel->text());
    clients_->setHeaderLabels({QStringLiteral("Cliente"), QStringLiteral("Fatturato")});
    clients_->setRootIsDecorated(false);
    clients_->setSelectionMode(QAbstractItemView::NoSelection);
    clients_->setFocusPolicy(Qt::TabFocus);
    clients_->header()->setStretchLastSection(false);
    clients_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    clients_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    clients_->setFixedHeight(150);

    flatRateBox_ = new QGroupBox(
        QStringLiteral("Regime forfettario: limite di %1").arg(euro(registers::kFlatRateLimit)));
    flatRateBox_->setObjectName(QStringLiteral("Forfettario"));
    flatRateBar_ = new QProgressBar;
    flatRateBar_->setObjectName(QStringLiteral("LimiteForfettario"));
    flatRateBar_->setAccessibleName(QStringLiteral("Incassato rispetto al limite del regime"));
    flatRateBar_->setRange(0, 100);
    flatRateBar_->setTextVisible(true);
    flatRateLine_ = app::makeLabel(QStringLiteral("IncassatoForfettario"), QString());
    flatRateLine_->setWordWrap(true);
    auto* flatRate = new QVBoxLayout(flatRateBox_);
    flatRate->addWidget(flatRateBar_);
    flatRate->addWidget(flatRateLine_);
    flatRate->addStretch();

    auto* accountant = new QGroupBox(QStringLiteral("Per il commercialista"));
    accountant->setObjectName(QStringLiteral("Commercialista"));
    auto* periodLabel = app::makeLabel(QStringLiteral("LabelPeriodo"), QStringLiteral("Periodo"));
    periodBox_ = new QComboBox;
    periodBox_->setObjectName(QStringLiteral("Periodo"));
    periodBox_->setAccessibleName(periodLabel->text());
    periodBox_->setMinimumContentsLength(20);
    periodLabel->setBuddy(periodBox_);
    packButton_ = button("Pacchetto", QStringLiteral("Crea ZIP"),
                         QStringLiteral("Fatture elettroniche, copie PDF e registro del periodo "
                                        "in un file ZIP"));
    auto* accountantRow = new QHBoxLayout(accountant);
    accountantRow->addWidget(periodLabel);
    accountantRow->addWidget(periodBox_);
    accountantRow->addWidget(packButton_);
    accountantRow->addStretch();

    printButton_ = button("Stampa", QStringLiteral("Stampa"), QStringLiteral("Stampa l'andamento"));
    pdfButton_ = button("SalvaPdf", QStringLiteral("Salva PDF"),
                        QStringLiteral("Salva l'andamento in un file PDF"));
    exitButton_ = button("Esci", QStringLiteral("Esci"), QStringLiteral("Torna al menu"));

    auto* top = new QHBoxLayout;
    top->addWidget(yearLabel);
    top->addWidget(yearBox_);
    top->addStretch();

    auto* upper = new QHBoxLayout;
    upper->addWidget(chartView_, 1);
    upper->addWidget(totals);

    auto* clientsColumn = new QVBoxLayout;
    clientsColumn->setSpacing(2);
    clientsColumn->addWidget(clientsLabel);
    clientsColumn->addWidget(clients_);
    auto* lower = new QHBoxLayout;
    lower->addLayout(clientsColumn, 1);
    lower->addWidget(flatRateBox_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(printButton_);
    buttons->addWidget(pdfButton_);
    buttons->addStretch();
    buttons->addWidget(exitButton_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addLayout(top);
    layout->addLayout(upper, 1);
    layout->addLayout(lower);
    layout->addWidget(accountant);
    layout->addLayout(buttons);

    app::orderTabs(
        {yearBox_, clients_, periodBox_, packButton_, printButton_, pdfButton_, exitButton_});
    resize(980, 720);

    connect(yearBox_, &QComboBox::activated, this, [this] { showYear(); });
    connect(packButton_, &QAbstractButton::clicked, this, &Andamento::packForAccountant);
    connect(printButton_, &QAbstractButton::clicked, this, &Andamento::print);
    connect(pdfButton_, &QAbstractButton::clicked, this, &Andamento::saveAsPdf);
    connect(exitButton_, &QAbstractButton::clicked, this,
            [this] { services_.navigator.backToMainMenu(this); });
}

void Andamento::activate() {
    const auto sheet = registers::invoiceSheet(services_.store.workbook());
    const int thisYear = services_.clock.today().year();
    const int shown = figures_ ? figures_->year : thisYear;
    const std::vector<int> years =
        sheet ? registers::registerYears(*sheet, thisYear) : std::vector<int>{thisYear};
    yearBox_->clear();
    // Latest first: the year the user most often wants is at hand.
    for (auto it = years.rbegin(); it != years.rend(); ++it)
        yearBox_->addItem(QString::number(*it), *it);
    const int index =
        yearBox_->findData(std::ranges::find(years, shown) != years.end() ? shown : thisYear);
    yearBox_->setCurrentIndex(std::max(0, index));
    showYear();
}

void Andamento::showYear() {
    const int year = yearBox_->currentData().toInt();
    periodBox_->clear();
    for (const Period& period : periodsOf(year))
        periodBox_->addItem(period.name);
    store::Workbook& book = services_.store.workbook();
    const auto sheet = registers::invoiceSheet(book);
    if (!sheet) {
        services_.boxes.tell(sheet.error().message, app::title::kProgram, app::Icon::Critical);
        return;
    }
    flatRate_ = registers::taxRegimeOf(book) == registers::kFlatRateRegime;
    figures_ = registers::yearFigures(*sheet, year);
    showFigures(*figures_, flatRate_);
}

void Andamento::showFigures(const registers::YearFigures& f, bool flatRate) {
    double highest = 0;
    for (int m = 0; m < 12; ++m) {
        const double invoiced = f.invoicedByMonth[std::size_t(m)].toNumber();
        const double collected = f.collectedByMonth[std::size_t(m)].toNumber();
        if (invoicedSet_->count() == 12) {
            invoicedSet_->replace(m, invoiced);
            collectedSet_->replace(m, collected);
        } else {
            invoicedSet_->append(invoiced);
            collectedSet_->append(collected);
        }
        highest = std::max({highest, invoiced, collected});
    }
    double lowest = 0;
    for (const auto* months : {&f.invoicedByMonth, &f.collectedByMonth}) {
        for (const registers::Amount& amount : *months)
            lowest = std::min(lowest, amount.toNumber());
    }
    amountAxis_->setRange(lowest, highest > 0 ? highest : 1000);
    amountAxis_->applyNiceNumbers();
    chart_->setTitle(QStringLiteral("Fatturato e incassato %1").arg(f.year));

    taxable_->setText(euro(f.taxable));
    surcharge_->setText(euro(f.surcharge));
    vat_->setText(euro(f.vat));
    total_->setText(euro(f.total));
    collected_->setText(euro(f.collected));
    withholding_->setText(euro(f.withholdingCollected));
    net_->setText(euro(f.netCollected));
    const QString leftOut = leftOutText(f);
    leftOut_->setText(leftOut);
    leftOut_->setVisible(!leftOut.isEmpty());

    clients_->clear();
    for (const registers::ClientInvoiced& client : f.topClients) {
        auto* item = new QTreeWidgetItem(clients_, {client.name, euro(client.invoiced)});
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }

    flatRateBox_->setVisible(flatRate);
    const int percent = flatRatePercent(f.feesCollected);
    flatRateBar_->setValue(std::min(percent, 100));
    flatRateBar_->setFormat(QStringLiteral("%1%").arg(percent));
    // Past the limit the bar turns red: the regime ends.
    flatRateBar_->setStyleSheet(f.feesCollected > registers::kFlatRateLimit
                                    ? QStringLiteral("QProgressBar::chunk { background: #c0392b; }")
                                    : QString());
    flatRateLine_->setText(flatRateText(f.feesCollected));
}

void Andamento::print() {
    if (figures_)
        app::printListOnDefaultPrinter(services_,
                                       yearList(*figures_, flatRate_, services_.clock.now()), this);
}

void Andamento::saveAsPdf() {
    if (!figures_)
        return;
    const auto path = app::chooseSavePath(
        services_.boxes,
        {QStringLiteral("Salva l'andamento in PDF"),
         QDir::home().filePath(QStringLiteral("Andamento %1.pdf").arg(figures_->year)),
         QStringLiteral("PDF (*.pdf)")},
        app::kPdfSuffix);
    if (!path)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(*path);
    const auto printed = printing::printList(yearList(*figures_, flatRate_, services_.clock.now()),
                                             printer, services_.clock.now());
    if (!printed)
        services_.boxes.tell(printed.error().message, app::title::kProgram, app::Icon::Critical);
}

void Andamento::packForAccountant() {
    if (!figures_)
        return;
    const std::vector<Period> periods = periodsOf(figures_->year);
    const int index = periodBox_->currentIndex();
    if (index < 0 || index >= int(periods.size()))
        return;
    year::packForAccountant(services_, periods[std::size_t(index)], this);
}

}  // namespace year
