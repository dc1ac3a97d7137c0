#include "einvoice/ricevute_sdi.h"

#include "app/controls_factory.h"
#include "app/dialog_titles.h"
#include "app/message_boxes.h"
#include "app/store_saving.h"
#include "controls/xpbutton.h"
#include "fatturapa/einvoice_export.h"
#include "fatturapa/receipt_batch.h"
#include "store/workbook_store.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace einvoice {

namespace {

using fatturapa::ReceiptOutcome;
using fatturapa::ReceiptStatus;

QString shownOutcome(const ReceiptOutcome& o) {
    switch (o.status) {
        case ReceiptStatus::Recorded:
            return o.said;
        case ReceiptStatus::AlreadyRead:
            return QStringLiteral("Già letta: ") + o.said;
        case ReceiptStatus::UnknownFile:
            return QStringLiteral("Sconosciuta: ") + o.said;
        case ReceiptStatus::Unreadable:
            return QStringLiteral("Non letta: ") + o.said;
    }
    Q_UNREACHABLE();
}

}  // namespace

RicevuteSdi::RicevuteSdi(store::WorkbookStore& store, app::MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent), store_(store), boxes_(boxes) {
    setObjectName(QStringLiteral("RicevuteSdi"));
    setWindowTitle(QStringLiteral("Ricevute SDI"));

    Label1 = app::makeLabel(
        QStringLiteral("Label1"),
        QStringLiteral("Scegliere le ricevute del Sistema di Interscambio (file .xml o firmati "
                       ".xml.p7m), oppure la cartella che le contiene: di una cartella si "
                       "leggono i file con il nome di una ricevuta, come "
                       "IT01234567890_00001_RC_001.xml."));
    Label1->setWordWrap(true);

    Grid1 = new QTreeWidget;
    Grid1->setObjectName(QStringLiteral("Grid1"));
    Grid1->setAccessibleName(QStringLiteral("Esito delle ricevute lette"));
    Grid1->setHeaderLabels({QStringLiteral("Ricevuta"), QStringLiteral("Fattura"),
                            QStringLiteral("File della fattura"), QStringLiteral("Esito")});
    Grid1->setRootIsDecorated(false);
    Grid1->setUniformRowHeights(true);
    Grid1->setWordWrap(false);
    Grid1->setColumnWidth(0, 300);
    Grid1->setColumnWidth(1, 140);
    Grid1->setColumnWidth(2, 240);

    XPButton1 = app::makeButton(QStringLiteral("XPButton1"), QStringLiteral("Scegli file"),
                                QStringLiteral("Legge le ricevute scelte"));
    XPButton2 = app::makeButton(QStringLiteral("XPButton2"), QStringLiteral("Scegli cartella"),
                                QStringLiteral("Legge le ricevute di una cartella"));
    XPButton3 = app::makeButton(QStringLiteral("XPButton3"), QStringLiteral("Esci"),
                                QStringLiteral("Ritorna ai codici"));
    for (auto* button : {XPButton1, XPButton2, XPButton3})
        button->setMinimumSize(130, 32);
    connect(XPButton1, &QAbstractButton::clicked, this, &RicevuteSdi::chooseFiles);
    connect(XPButton2, &QAbstractButton::clicked, this, &RicevuteSdi::chooseFolder);
    connect(XPButton3, &QAbstractButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(XPButton1);
    buttons->addSpacing(12);
    buttons->addWidget(XPButton2);
    buttons->addStretch();
    buttons->addWidget(XPButton3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Grid1, 1);
    layout->addLayout(buttons);
    resize(1120, 460);
}

QString RicevuteSdi::proposedFolder() const {
    return fatturapa::defaultExportFolder(QFileInfo(store_.path()).absolutePath());
}

void RicevuteSdi::chooseFiles() {
    const auto paths = boxes_.openFiles({QStringLiteral("Ricevute SDI"), proposedFolder(),
                                         QStringLiteral("Ricevute SDI (*.xml *.p7m)")});
    if (paths)
        readReceipts(*paths);
}

void RicevuteSdi::chooseFolder() {
    const auto folder =
        boxes_.chooseFolder({QStringLiteral("Cartella delle ricevute SDI"), proposedFolder(), {}});
    if (folder)
        readReceipts({*folder});
}

void RicevuteSdi::readReceipts(const QStringList& paths) {
    // Every file is read before the store changes.
    const std::vector<fatturapa::ReceiptFile> files = fatturapa::readReceiptFiles(paths);
    const auto outcomes = fatturapa::recordReceipts(store_.workbook(), files);
    if (!outcomes) {
        // The receipts kept before the failure are saved with the store's next save.
        boxes_.tell(outcomes.error().message, app::title::kGestione, app::Icon::Critical);
        return;
    }
    Grid1->clear();
    for (const ReceiptOutcome& o : *outcomes) {
        auto* line =
            new QTreeWidgetItem(Grid1, {o.receiptFile, o.invoice, o.invoiceFile, shownOutcome(o)});
        line->setToolTip(3, shownOutcome(o));
    }
    const QString summary = fatturapa::receiptsSummary(*outcomes);
    const bool allKept = std::ranges::all_of(*outcomes, [](const ReceiptOutcome& o) {
        return o.status != ReceiptStatus::Unreadable && o.status != ReceiptStatus::UnknownFile;
    });
    // Of many files the counts show, their reasons only on request.
    const app::Message told = app::fittingNotice(
        summary, app::title::kGestione, allKept ? app::Icon::Information : app::Icon::Warning);
    const bool changed = std::ranges::any_of(
        *outcomes, [](const ReceiptOutcome& o) { return o.status == ReceiptStatus::Recorded; });
    if (changed)
        app::saveThenTell(store_, boxes_, told);
    else
        boxes_.message(told);
}

}  // namespace einvoice
