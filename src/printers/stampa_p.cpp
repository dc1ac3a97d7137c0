#include "printers/stampa_p.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

#include "controls/xpbutton.h"
#include "printing/printer_catalogue.h"

namespace printers {

StampaP::StampaP(const printing::PrinterCatalogue& catalogue, Printouts printouts, QWidget* parent)
    : QWidget(parent, Qt::Window), printouts_(std::move(printouts)) {
    setObjectName(QStringLiteral("StampaP"));
    setWindowTitle(QStringLiteral("Seleziona Stampante"));
    setAttribute(Qt::WA_DeleteOnClose);

    Combo1 = new QComboBox;
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setMinimumWidth(320);
    Combo1->setAccessibleName(QStringLiteral("Stampante"));

    XPButton2 = controls::XPButton::standard(QStringLiteral("Stampa"));
    XPButton2->setObjectName(QStringLiteral("XPButton2"));
    XPButton2->setToolTip(QStringLiteral("Invia alla stampante"));
    XPButton2->setMinimumWidth(96);

    Label1 = new QLabel;
    Label1->setObjectName(QStringLiteral("Label1"));

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(40, 32, 40, 32);
    grid->setVerticalSpacing(24);
    grid->addWidget(Combo1, 0, 0);
    grid->addWidget(XPButton2, 1, 0, Qt::AlignLeft);
    grid->addWidget(Label1, 2, 0);

    connect(XPButton2, &QAbstractButton::clicked, this, &StampaP::printClicked);
    load(catalogue);
}

QString StampaP::pdfItem() {
    return QStringLiteral("File PDF…");
}

QString StampaP::noChoice() {
    return QStringLiteral("Seleziona la stampante");
}

void StampaP::load(const printing::PrinterCatalogue& catalogue) {
    Combo1->clear();
    Combo1->addItems(catalogue.names());
    Combo1->addItem(pdfItem());
    Combo1->setCurrentIndex(-1);
    Combo1->setEditText(noChoice());
    QString defaultPrinter = catalogue.defaultName();
    if (defaultPrinter.isEmpty() && catalogue.names().isEmpty())
        defaultPrinter = QStringLiteral(
            "nessuna. Non è installata alcuna stampante: si può "
            "salvare in un file PDF.");
    else if (defaultPrinter.isEmpty())
        defaultPrinter = QStringLiteral("nessuna. Scegliere una stampante dall'elenco.");
    Label1->setText(QStringLiteral("La stampante predefinita è: \n") + defaultPrinter);
    Label1->setAccessibleName(Label1->text());
}

void StampaP::setPrintout(app::Printout printout) {
    printout_ = printout;
}

QString StampaP::chosenPrinter() const {
    return Combo1->currentText();
}

void StampaP::printClicked() {
    if (!printout_) {
        return;
    }
    const auto printout = printouts_.find(*printout_);
    if (printout != printouts_.end()) {
        printout->second(*this);
    }
}

void StampaP::closeEvent(QCloseEvent* event) {
    printout_.reset();
    event->accept();
}

}  // namespace printers
