#include "einvoice/codici_fattura_pa.h"

#include "app/clock_line.h"
#include "app/controls_factory.h"
#include "app/dialog_titles.h"
#include "app/message_boxes.h"
#include "app/navigator.h"
#include "app/services.h"
#include "app/store_saving.h"
#include "controls/xpbutton.h"
#include "einvoice/ricevute_sdi.h"
#include "fatturapa/code_lists.h"
#include "fatturapa/einvoice_checks.h"
#include "registers/client_sheet.h"
#include "registers/invoice_layout.h"
#include "registers/settings_lists.h"
#include "store/sheet_idioms.h"
#include "store/workbook.h"
#include "store/workbook_store.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace einvoice {

using fatturapa::CodeList;
using fatturapa::OfficialCode;
using registers::CodedList;

namespace {

// Columns of an item page: the item, its code and the code's description; the
// withholding page adds the payment reason and its description, the payment page the
// days to payment.
enum ItemColumn { ItemText, Code, CodeDescription, Reason, ReasonDescription };
constexpr int kDaysColumn = Reason;
// Columns of the client grid.
enum ClientColumn { ClientId, ClientName, RecipientCode, Pec, Country, ForeignVat };

const CodeList& codesOf(CodedList list) {
    switch (list) {
        case CodedList::Cassa:
            return fatturapa::cassaTypes();
        case CodedList::Exemption:
            return fatturapa::natures();
        case CodedList::Withholding:
            return fatturapa::withholdingTypes();
        case CodedList::Payment:
            return fatturapa::paymentMethods();
    }
    Q_UNREACHABLE();
}

QTableWidget* makeGrid(const char* name, const QStringList& headings, const QString& what) {
    auto* grid = new QTableWidget(0, int(headings.size()));
    grid->setObjectName(QString::fromLatin1(name));
    grid->setAccessibleName(what);
    grid->setHorizontalHeaderLabels(headings);
    grid->verticalHeader()->hide();
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

// A page of item rows, scrolled when the list is long.
QScrollArea* makeItemPage(const char* name, const QString& what) {
    auto* page = new QScrollArea;
    page->setObjectName(QString::fromLatin1(name));
    page->setAccessibleName(what);
    page->setWidgetResizable(true);
    return page;
}

QTableWidgetItem* fixedItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}

QLabel* heading(const QString& text) {
    auto* label = new QLabel(text);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

// A code chooser, a real control in the focus chain: an empty first entry (no code),
// then the list's codes. The description beside it, and the one a screen reader
// gives with it, follow the choice.
QComboBox* codeChooser(QGridLayout* rows, int row, int column, const CodeList& list,
                       const QString& chosen, const QString& accessibleName) {
    auto* combo = new QComboBox;
    combo->setAccessibleName(accessibleName);
    // Turning the wheel over a long page scrolls it instead of changing codes.
    combo->setFocusPolicy(Qt::StrongFocus);
    combo->addItem(QString());
    for (const OfficialCode& code : list)
        combo->addItem(code.code);
    auto* description = new QLabel;
    description->setObjectName(accessibleName + QStringLiteral(" - descrizione"));
    description->setWordWrap(true);
    const auto describe = [combo, description, &list](const QString& code) {
        description->setText(fatturapa::descriptionOf(list, code));
        combo->setAccessibleDescription(fatturapa::descriptionOf(list, code));
    };
    combo->setCurrentIndex(std::max(0, combo->findText(chosen)));
    describe(combo->currentText());
    QObject::connect(combo, &QComboBox::currentTextChanged, description, describe);
    rows->addWidget(combo, row, column);
    rows->addWidget(description, row, column + 1);
    return combo;
}

// Items of a list, "*" aside, followed by those only registered invoices still name.
QStringList itemsOf(QStringList items, const QStringList& named) {
    items.removeAll(registers::kNoneItem);
    for (const QString& item : named)
        if (!item.isEmpty() && item != registers::kNoneItem && !items.contains(item))
            items << item;
    return items;
}

}  // namespace

CodiciFatturaPA::CodiciFatturaPA(const app::Services& services, QWidget* parent)
    : app::AreaWindow(parent),
      store_(services.store),
      boxes_(services.boxes),
      navigator_(services.navigator) {
    setObjectName(QStringLiteral("CodiciFatturaPA"));
    setWindowTitle(QStringLiteral("Codici Fattura Elettronica"));

    Label1 = app::makeLabel(QStringLiteral("Label1"), QString());
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    new app::ClockLine(Label1, Timer1, services.clock, app::kClockSeparatorNarrow);

    Combo1 = new QComboBox;
    Combo1->setObjectName(QStringLiteral("Combo1"));
    for (const OfficialCode& regime : fatturapa::taxRegimes())
        Combo1->addItem(regime.code + QStringLiteral(" - ") + regime.description, regime.code);
    auto* regimeLabel = new QLabel(QStringLiteral("Regime fiscale dell'utente"));
    regimeLabel->setBuddy(Combo1);
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { changed_ = true; });

    Grid1 = makeItemPage("Grid1", QStringLiteral("Tipo cassa delle voci INPS/Cassa"));
    Grid2 = makeItemPage("Grid2", QStringLiteral("Natura delle voci di esenzione"));
    Grid3 = makeItemPage("Grid3", QStringLiteral("Tipo e causale delle ritenute"));
    Grid4 = makeItemPage("Grid4", QStringLiteral("Modalità di pagamento dei tipi di pagamento"));
    Grid5 = makeGrid(
        "Grid5",
        {QStringLiteral("ID"), QStringLiteral("Cliente"), QStringLiteral("Codice destinatario"),
         QStringLiteral("PEC"), QStringLiteral("Paese"), QStringLiteral("Partita IVA estera")},
        QStringLiteral("Recapito delle fatture dei clienti"));
    connect(Grid5, &QTableWidget::itemChanged, this, [this] { changed_ = true; });
    grids_ = {{CodedList::Cassa, Grid1, {}},
              {CodedList::Exemption, Grid2, {}},
              {CodedList::Withholding, Grid3, {}},
              {CodedList::Payment, Grid4, {}}};

    Tab1 = new QTabWidget;
    Tab1->setObjectName(QStringLiteral("Tab1"));
    Tab1->addTab(Grid1, QStringLiteral("INPS/Cassa"));
    Tab1->addTab(Grid2, QStringLiteral("Esenzioni IVA"));
    Tab1->addTab(Grid3, QStringLiteral("Ritenute"));
    Tab1->addTab(Grid4, QStringLiteral("Tipi di pagamento"));
    Tab1->addTab(Grid5, QStringLiteral("Clienti"));

    XPButton1 = app::makeButton(QStringLiteral("XPButton1"), QStringLiteral("Salva"),
                                QStringLiteral("Salva i codici"));
    XPButton2 = app::makeButton(QStringLiteral("XPButton2"), QStringLiteral("Esci"),
                                QStringLiteral("Ritorna al menu"));
    XPButton3 = app::makeButton(QStringLiteral("XPButton3"), QStringLiteral("Ricevute SDI"),
                                QStringLiteral("Legge le ricevute del Sistema di Interscambio"));
    for (auto* button : {XPButton1, XPButton2, XPButton3})
        button->setMinimumSize(110, 32);
    connect(XPButton3, &QAbstractButton::clicked, this, [this] {
        if (!receipts_)
            receipts_ = new RicevuteSdi(store_, boxes_, this);
        receipts_->open();
    });
    connect(XPButton1, &QAbstractButton::clicked, this, [this] {
        if (save())
            boxes_.tell(QStringLiteral("Operazione eseguita !"), app::title::kGestione,
                        app::Icon::Information);
    });
    connect(XPButton2, &QAbstractButton::clicked, this, &CodiciFatturaPA::leave);

    auto* note = new QLabel(QStringLiteral(
        "Codici richiesti dalla fattura elettronica. Le voci senza codice impediscono "
        "l'esportazione delle fatture che le usano. Il codice destinatario è 0000000 "
        "quando il cliente non ne ha uno. Per un cliente all'estero indicare il paese (DE, FR, "
        "US, ...) e la sua partita IVA, se ne ha una."));
    note->setWordWrap(true);

    auto* top = new QHBoxLayout;
    top->addWidget(regimeLabel);
    top->addWidget(Combo1, 1);
    top->addSpacing(24);
    top->addWidget(Label1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(XPButton3);
    buttons->addStretch();
    buttons->addWidget(XPButton1);
    buttons->addSpacing(12);
    buttons->addWidget(XPButton2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(note);
    layout->addWidget(Tab1, 1);
    layout->addLayout(buttons);
    resize(960, 600);
}

void CodiciFatturaPA::activate() {
    store::Workbook& book = store_.workbook();
    const auto codesSheet = registers::einvoiceCodesSheet(book);
    const auto settings = registers::settingsSheet(book);
    const auto invoices = registers::invoiceSheet(book);
    if (!codesSheet || !settings || !invoices) {
        boxes_.tell(!codesSheet ? codesSheet.error().message
                                : (!settings ? settings.error().message : invoices.error().message),
                    app::title::kGestione, app::Icon::Critical);
        return;
    }
    const registers::EinvoiceCodes codes(*codesSheet);
    Combo1->setCurrentIndex(std::max(0, Combo1->findData(codes.taxRegime())));

    const QStringList named = store::listTexts(*invoices, registers::invoice::Exemption, 2);
    const QStringList paidBy = store::listTexts(*invoices, registers::invoice::PaidBy, 2);
    fillGrid(grids_[0], registers::loadList(*settings, registers::kInpsColumn), codes);
    fillGrid(grids_[1], itemsOf(registers::loadList(*settings, registers::kExemptionColumn), named),
             codes);
    fillGrid(grids_[2], registers::loadList(*settings, registers::kWithholdingColumn), codes);
    fillGrid(grids_[3], itemsOf(registers::loadList(*settings, registers::kPaymentColumn), paidBy),
             codes);
    fillClients(codes);
    changed_ = false;
}

void CodiciFatturaPA::fillGrid(CodedGrid& coded, const QStringList& items,
                               const registers::EinvoiceCodes& codes) {
    const bool withReason = coded.list == CodedList::Withholding;
    const bool withDays = coded.list == CodedList::Payment;
    // The rows are laid out before the page takes them, so that Tab runs through the
    // choosers row by row.
    auto* content = new QWidget;
    auto* rows = new QGridLayout(content);
    rows->addWidget(heading(QStringLiteral("Voce")), 0, ItemText);
    rows->addWidget(heading(QStringLiteral("Codice")), 0, Code);
    rows->addWidget(heading(QStringLiteral("Descrizione ufficiale")), 0, CodeDescription);
    if (withReason) {
        rows->addWidget(heading(QStringLiteral("Causale")), 0, Reason);
        rows->addWidget(heading(QStringLiteral("Descrizione causale")), 0, ReasonDescription);
    }
    if (withDays)
        rows->addWidget(heading(QStringLiteral("Giorni alla scadenza")), 0, kDaysColumn);
    coded.rows.clear();
    const QStringList shown = itemsOf(items, {});
    for (int i = 0; i < shown.size(); ++i) {
        const int row = i + 1;
        const registers::ItemCodes item = codes.codes(coded.list, shown[i]);
        auto* text = new QLabel(shown[i]);
        rows->addWidget(text, row, ItemText);
        QComboBox* code = codeChooser(rows, row, Code, codesOf(coded.list), item.code,
                                      QStringLiteral("Codice della voce %1").arg(shown[i]));
        text->setBuddy(code);
        connect(code, &QComboBox::currentIndexChanged, this, [this] { changed_ = true; });
        QComboBox* reason = nullptr;
        if (withReason) {
            reason = codeChooser(rows, row, Reason, fatturapa::paymentReasons(), item.reason,
                                 QStringLiteral("Causale della voce %1").arg(shown[i]));
            connect(reason, &QComboBox::currentIndexChanged, this, [this] { changed_ = true; });
        }
        QSpinBox* days = nullptr;
        if (withDays) {
            days = new QSpinBox;
            days->setRange(0, registers::kMostPaymentDays);
            days->setFixedWidth(90);
            days->setValue(codes.paymentDays(shown[i]));
            days->setAccessibleName(
                QStringLiteral("Giorni alla scadenza della voce %1").arg(shown[i]));
            // As the code choosers: the wheel scrolls the page.
            days->setFocusPolicy(Qt::StrongFocus);
            rows->addWidget(days, row, kDaysColumn);
            connect(days, &QSpinBox::valueChanged, this, [this] { changed_ = true; });
        }
        coded.rows.push_back({shown[i], code, reason, days});
    }
    rows->setColumnMinimumWidth(CodeDescription, 260);
    rows->setColumnStretch(withReason ? ReasonDescription : CodeDescription, 1);
    rows->setRowStretch(int(shown.size()) + 1, 1);
    coded.page->setWidget(content);
}

void CodiciFatturaPA::fillClients(const registers::EinvoiceCodes& codes) {
    const QSignalBlocker quiet(Grid5);
    const auto clients = registers::clientSheet(store_.workbook());
    const std::vector<registers::ClientRecord> rows =
        clients ? registers::ClientSheet(*clients).rows() : std::vector<registers::ClientRecord>{};
    Grid5->clearContents();
    Grid5->setRowCount(int(rows.size()));
    clientProvinces_.clear();
    for (int row = 0; row < int(rows.size()); ++row) {
        const QString id = rows[std::size_t(row)][registers::client::Id];
        const registers::ClientAddressing addressing = codes.addressing(id);
        Grid5->setItem(row, ClientId, fixedItem(id));
        Grid5->setItem(row, ClientName, fixedItem(rows[std::size_t(row)][registers::client::Name]));
        Grid5->setItem(row, RecipientCode, new QTableWidgetItem(addressing.recipientCode));
        Grid5->setItem(row, Pec, new QTableWidgetItem(addressing.pec));
        Grid5->setItem(row, Country, new QTableWidgetItem(addressing.country));
        Grid5->setItem(row, ForeignVat, new QTableWidgetItem(addressing.foreignVat));
        clientProvinces_.push_back(rows[std::size_t(row)][registers::client::Province]);
    }
    Grid5->resizeColumnsToContents();
}

registers::ClientAddressing CodiciFatturaPA::clientAddressing(int row) const {
    return {Grid5->item(row, RecipientCode)->text(), Grid5->item(row, Pec)->text().trimmed(),
            Grid5->item(row, Country)->text(), Grid5->item(row, ForeignVat)->text()};
}

bool CodiciFatturaPA::save() {
    QStringList faults;
    for (int row = 0; row < Grid5->rowCount(); ++row) {
        const QString code = Grid5->item(row, RecipientCode)->text().trimmed().toUpper();
        Grid5->item(row, RecipientCode)
            ->setText(code.isEmpty() ? registers::kNoRecipientCode : code);
        const QString country = Grid5->item(row, Country)->text().trimmed().toUpper();
        Grid5->item(row, Country)->setText(country.isEmpty() ? registers::kItaly : country);
        // A VAT number is often written with blanks or dots between its groups.
        QString foreignVat = Grid5->item(row, ForeignVat)->text().toUpper();
        foreignVat.remove(QRegularExpression(QStringLiteral("[\\s.\\-]")));
        Grid5->item(row, ForeignVat)->setText(foreignVat);
        const registers::ClientAddressing addressing = clientAddressing(row);
        const QString name = Grid5->item(row, ClientName)->text();
        const QStringList placeFaults =
            fatturapa::clientPlaceFaults(addressing, clientProvinces_[std::size_t(row)], name);
        faults << placeFaults;
        if (placeFaults.isEmpty() && addressing.country == registers::kItaly)
            faults << fatturapa::addressingFaults(addressing.recipientCode, addressing.pec, name);
    }
    if (!faults.isEmpty()) {
        boxes_.tell(QStringLiteral("I codici non sono stati salvati:\n- ") +
                        faults.join(QStringLiteral("\n- ")),
                    app::title::kGestione, app::Icon::Warning);
        return false;
    }
    const auto sheet = registers::einvoiceCodesSheet(store_.workbook());
    if (!sheet) {
        boxes_.tell(sheet.error().message, app::title::kGestione, app::Icon::Critical);
        return false;
    }
    registers::EinvoiceCodes codes(*sheet);
    codes.setTaxRegime(Combo1->currentData().toString());
    for (const CodedGrid& coded : grids_)
        for (const ItemChoosers& row : coded.rows) {
            codes.setCodes(
                coded.list, row.item,
                {row.code->currentText(), row.reason ? row.reason->currentText() : QString()});
            if (row.days)
                codes.setPaymentDays(row.item, row.days->value());
        }
    for (int row = 0; row < Grid5->rowCount(); ++row)
        codes.setAddressing(Grid5->item(row, ClientId)->text(),
                            Grid5->item(row, ClientName)->text(), clientAddressing(row));
    changed_ = false;
    return app::saveStoreTelling(store_, boxes_);
}

void CodiciFatturaPA::leave() {
    if (changed_ &&
        boxes_.askYesNo(QStringLiteral("Salvare le modifiche ai codici ?"), app::title::kGestione,
                        app::Icon::Question) &&
        !save())
        return;
    navigator_.backToMainMenu(this);
}

}  // namespace einvoice
