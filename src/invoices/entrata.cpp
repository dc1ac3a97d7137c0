#include "invoices/entrata.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>
#include <QStackedLayout>
#include <QTimer>
#include <QVBoxLayout>

#include "app/clock.h"
#include "app/clock_line.h"
#include "app/controls_factory.h"
#include "app/date_picking.h"
#include "app/date_text.h"
#include "app/dialog_titles.h"
#include "app/entry_checks.h"
#include "app/input_rules.h"
#include "app/message_boxes.h"
#include "app/navigator.h"
#include "app/reach_sheet.h"
#include "app/services.h"
#include "app/store_saving.h"
#include "app/tab_order.h"
#include "controls/xpbutton.h"
#include "fatturapa/einvoice_checks.h"
#include "invoices/credit_note_page.h"
#include "invoices/register_list_page.h"
#include "registers/client_sheet.h"
#include "registers/due_dates.h"
#include "registers/einvoice_codes.h"
#include "registers/invoice_extras.h"
#include "registers/invoice_rates.h"
#include "registers/registration_checks.h"
#include "registers/settings_lists.h"
#include "store/typed_entry.h"
#include "store/workbook_store.h"

namespace invoices {

using app::Icon;
using registers::InvoiceAmounts;
using registers::InvoiceRecord;
using namespace registers::invoice;

namespace {

const QString kSelect = QStringLiteral("Seleziona");
const QString kModify = QStringLiteral("Modifica");
const QString kRequired = QStringLiteral(
    " ERRORE- I Campi CLIENTE -DATA-DESCRIZIONE-IMPONIBILE -devono essere compilato");

constexpr int kAmountWidth = 130;
constexpr int kRateWidth = 150;

QLineEdit* amountField(const char* name, bool typed) {
    QLineEdit* field = app::makeLineEdit(QString::fromLatin1(name));
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    field->setFixedWidth(kAmountWidth);
    field->setReadOnly(!typed);
    return field;
}

QLineEdit* centredField(const char* name, int width) {
    QLineEdit* field = app::makeLineEdit(QString::fromLatin1(name));
    field->setAlignment(Qt::AlignCenter);
    field->setFixedWidth(width);
    return field;
}

QComboBox* combo(const char* name, const QString& initial) {
    auto* box = new QComboBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    // The lists are the settings' and the clients': typing never adds an item.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(20);
    box->setEditText(initial);
    return box;
}

QLabel* caption(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

QLabel* note(const QString& text) {
    QLabel* label = app::makeLabel(QString(), text);
    QFont small = label->font();
    small.setItalic(true);
    label->setFont(small);
    return label;
}

// A field that calls for attention keeps its text legible on any theme: the text
// colour goes with the background, black on a light one, white on a dark one.
void setBackground(QLineEdit* field, const QColor& colour) {
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Text,
                     colour.lightnessF() > 0.5 ? QColor(Qt::black) : QColor(Qt::white));
    field->setPalette(palette);
}

// Back to the theme's own colours.
void resetBackground(QLineEdit* field) {
    field->setPalette(QPalette());
}

// An amount waiting for its rate to be chosen again shows red.
void markToRecompute(QLineEdit* field, bool marked) {
    if (marked)
        setBackground(field, QColor(255, 0, 0));
    else
        resetBackground(field);
}

void setComboText(QComboBox* box, const QString& text) {
    box->setCurrentIndex(box->findText(text, Qt::MatchExactly));
    box->setEditText(text);
}

}  // namespace

Entrata::Entrata(const app::Services& services, QWidget* parent)
    : app::AreaWindow(parent),
      store_(services.store),
      boxes_(services.boxes),
      navigator_(services.navigator),
      clock_(services.clock),
      services_(services) {
    setObjectName(QStringLiteral("Entrata"));
    setWindowTitle(QStringLiteral("Brisvel Lavoratore Autonomo"));
    createControls();
    arrangeControls();
    connectControls();
    new app::ClockLine(clockLabel_, clockTimer_, services.clock, app::kClockSeparatorWide);
}

void Entrata::createControls() {
    clientBox_ = combo("Combo1", kSelect);
    clientBox_->setMinimumWidth(320);
    numberField_ = centredField("Text1", 90);
    numberField_->setReadOnly(true);
    // An invoice number is a whole number: the next one proposed is this one + 1.
    numberField_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,9}")), numberField_));
    dateCalendarBox_ = new QCheckBox(QStringLiteral("S"));
    dateCalendarBox_->setObjectName(QStringLiteral("Check1"));
    dateCalendarBox_->setAccessibleName(QStringLiteral("Calendario Data"));
    dateField_ = centredField("Text2", 100);
    descriptionField_ = new QPlainTextEdit;
    descriptionField_->setObjectName(QStringLiteral("Text15"));
    descriptionField_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    descriptionField_->setTabChangesFocus(true);
    taxableField_ = amountField("Text9", true);
    surchargeRateBox_ = combo("Combo5", registers::kNoneItem);
    surchargeField_ = amountField("Text3", false);
    surchargeField_->setAccessibleName(QStringLiteral("Importo Rivalsa"));
    totalTaxableField_ = amountField("Text5", false);
    vatRateBox_ = combo("Combo6", registers::kNoneItem);
    vatField_ = amountField("Text6", false);
    vatField_->setAccessibleName(QStringLiteral("Importo IVA"));
    exemptionBox_ = combo("Combo3", registers::kNoneItem);
    exemptField_ = amountField("Text7", true);
    exemptField_->setAccessibleName(QStringLiteral("Importo Esenzione"));
    exemptField_->setEnabled(false);
    totalField_ = amountField("Text8", false);
    withholdingRateBox_ = combo("Combo7", registers::kNoneItem);
    withholdingField_ = amountField("Text14", false);
    withholdingField_->setAccessibleName(QStringLiteral("Importo Ritenuta"));
    netField_ = amountField("Text4", false);
    for (QComboBox* rate : {surchargeRateBox_, vatRateBox_, exemptionBox_, withholdingRateBox_}) {
        rate->setFixedWidth(kRateWidth);
        // A rate is chosen from its list, never typed: the amounts follow the item
        // chosen. The box still shows what an invoice loaded from the register holds.
        rate->lineEdit()->setReadOnly(true);
    }
    // An editable combo box speaks its text: each is named after its caption.
    clientBox_->setAccessibleName(QStringLiteral("Seleziona Cliente"));
    surchargeRateBox_->setAccessibleName(QStringLiteral("Rivalsa INPS/Cassa %"));
    vatRateBox_->setAccessibleName(QStringLiteral("IVA %"));
    exemptionBox_->setAccessibleName(QStringLiteral("Esenzione"));
    withholdingRateBox_->setAccessibleName(QStringLiteral("Ritenuta Acconto"));
    // Exemption reasons are long: the open list is as wide as they need.
    exemptionBox_->view()->setMinimumWidth(420);
    for (QLineEdit* typed : {taxableField_, exemptField_, netField_})
        app::installAmountKeyFilter(typed);
    collectionCalendarBox_ = new QCheckBox(QStringLiteral("S"));
    collectionCalendarBox_->setObjectName(QStringLiteral("Check2"));
    collectionCalendarBox_->setAccessibleName(QStringLiteral("Calendario Data Riscossione"));
    collectionField_ = centredField("Text13", 100);
    paymentBox_ = combo("Combo2", kSelect);
    paymentBox_->setFixedWidth(kRateWidth + kAmountWidth + 6);
    paymentBox_->setAccessibleName(QStringLiteral("Tramite"));
    dueField_ = centredField("Text16", 100);
    dueField_->setAccessibleName(QStringLiteral("Scadenza"));
    dueField_->setToolTip(
        QStringLiteral("Proposta dalla data e dai giorni del tipo di pagamento; modificabile"));
    recordField_ = centredField("Text10", 70);
    recordField_->setReadOnly(true);
    clientIdField_ = centredField("Text12", 70);
    clientIdField_->setReadOnly(true);
    stampDutyBox_ = new QCheckBox(QStringLiteral("Rimborso imposta di bollo 2,00"));
    stampDutyBox_->setObjectName(QStringLiteral("Check4"));
    stampDutyBox_->setToolTip(QStringLiteral(
        "Addebita al cliente l'imposta di bollo (fatture senza IVA oltre 77,47): una riga "
        "esclusa dall'IVA, art. 15 DPR 633/72, aggiunta al totale"));
    changeNumberBox_ = new QCheckBox(QStringLiteral("Cambia Nr.Fattura"));
    changeNumberBox_->setObjectName(QStringLiteral("Check3"));
    // Hidden in modification mode; the fields beside it stay where they are.
    QSizePolicy keepPlace = changeNumberBox_->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    changeNumberBox_->setSizePolicy(keepPlace);

    addressLabel_ = app::makeLabel(QStringLiteral("Label13"), {});
    postalCodeLabel_ = app::makeLabel(QStringLiteral("Label22"), {});
    townLabel_ = app::makeLabel(QStringLiteral("Label23"), {});
    provinceLabel_ = app::makeLabel(QStringLiteral("Label24"), {});
    taxCodeLabel_ = app::makeLabel(QStringLiteral("Label25"), {});
    vatNumberLabel_ = app::makeLabel(QStringLiteral("Label26"), {});
    clockLabel_ = app::makeLabel(QStringLiteral("Label15"), {});
    modificationNote_ = app::makeLabel(
        QStringLiteral("Label28"),
        QStringLiteral("In MODIFICA è necessario RISELEZIONARE  il CLIENTE e RICALCOLARE  i "
                       "valori  INPS, IVA  e Ritenuta"));
    modificationNote_->setWordWrap(true);
    modificationNote_->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0); font-weight: bold;"));
    modificationNote_->hide();
    clockTimer_ = new QTimer(this);
    clockTimer_->setObjectName(QStringLiteral("Timer2"));

    calendar_ = new QCalendarWidget;
    calendar_->setObjectName(QStringLiteral("MonthView1"));
    calendar_->setGridVisible(true);
    calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendar_->setAutoFillBackground(true);

    registerButton_ = app::makeButton(QStringLiteral("XPButton4"), QStringLiteral("Registra"),
                                      QStringLiteral("Inserisci la fattura"));
    selectButton_ = app::makeButton(QStringLiteral("XPButton3"), kSelect,
                                    QStringLiteral("Seleziona fatture registrate"));
    clearButton_ = app::makeButton(QStringLiteral("XPButton5"), QStringLiteral("Pulisci"),
                                   QStringLiteral("Pulisci i campi"));
    documentButton_ =
        app::makeButton(QStringLiteral("XPButton6"), QStringLiteral("Visualizza Fattura"));
    exitButton_ = app::makeButton(QStringLiteral("XPButton2"), QStringLiteral("Esci"));
    // Enabled once the program hands the way to the invoice document.
    documentButton_->setEnabled(false);
    for (auto* b : {registerButton_, selectButton_, clearButton_, exitButton_})
        b->setMinimumSize(110, 30);
    documentButton_->setMinimumSize(150, 30);

    registerList_ = new RegisterListPage(services_);
    creditNotePage_ = new CreditNotePage;
}

void Entrata::arrangeControls() {
    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(12, 6, 12, 12);
    auto* top = new QHBoxLayout;
    top->addStretch();
    top->addWidget(clockLabel_);
    window->addLayout(top);

    auto* pagesHolder = new QWidget;
    pages_ = new QStackedLayout(pagesHolder);
    fieldsPage_ = new QWidget;
    pages_->addWidget(fieldsPage_);
    pages_->addWidget(registerList_);
    pages_->addWidget(creditNotePage_);
    window->addWidget(pagesHolder, 1);

    // Left: the client and the invoice's own fields.
    auto* left = new QVBoxLayout;
    left->setSpacing(8);
    auto* clientLine = new QHBoxLayout;
    clientLine->addWidget(app::captioned(QStringLiteral("Seleziona Cliente "), clientBox_), 1);
    clientLine->addWidget(app::captioned(QStringLiteral("ID Cliente"), clientIdField_));
    left->addLayout(clientLine);

    auto* details = new QFrame;
    details->setFrameShape(QFrame::StyledPanel);
    auto* detailGrid = new QGridLayout(details);
    detailGrid->setHorizontalSpacing(10);
    const auto detail = [&](const QString& heading, QLabel* value, int row, int column,
                            int span = 1) {
        auto* head = new QLabel(heading);
        head->setEnabled(false);  // the heading greyed, the value in full
        detailGrid->addWidget(head, row, column);
        detailGrid->addWidget(value, row, column + 1, 1, span);
    };
    detail(QStringLiteral("Indirizzo"), addressLabel_, 0, 0, 5);
    detail(QStringLiteral("CAP"), postalCodeLabel_, 1, 0);
    detail(QStringLiteral("Località"), townLabel_, 1, 2);
    detail(QStringLiteral("PR"), provinceLabel_, 1, 4);
    detail(QStringLiteral("Codice Fiscale"), taxCodeLabel_, 2, 0, 3);
    detail(QStringLiteral("Partita IVA"), vatNumberLabel_, 2, 4, 2);
    detailGrid->setColumnStretch(3, 1);
    details->setMinimumHeight(84);
    left->addWidget(details);

    auto* numberLine = new QHBoxLayout;
    numberLine->setSpacing(12);
    auto* numberBox = new QWidget;
    auto* numberRow = new QHBoxLayout(numberBox);
    numberRow->setContentsMargins(0, 0, 0, 0);
    numberRow->addWidget(numberField_);
    numberRow->addWidget(changeNumberBox_);
    numberLine->addWidget(app::captioned(QStringLiteral("Numero Fattura"), numberBox));
    numberField_->setAccessibleName(QStringLiteral("Numero Fattura"));
    auto* dateBox = new QWidget;
    auto* dateRow = new QHBoxLayout(dateBox);
    dateRow->setContentsMargins(0, 0, 0, 0);
    dateRow->addWidget(dateCalendarBox_);
    dateRow->addWidget(dateField_);
    numberLine->addWidget(app::captioned(QStringLiteral("Data"), dateBox));
    dateField_->setAccessibleName(QStringLiteral("Data"));
    numberLine->addStretch();
    numberLine->addWidget(app::captioned(QStringLiteral("ID "), recordField_));
    left->addLayout(numberLine);

    left->addWidget(app::captioned(QStringLiteral("Descrizione"), descriptionField_), 1);
    left->addWidget(note(QStringLiteral("Per andare a capo nel testo, tasti CTRL+INVIO")));
    left->addWidget(modificationNote_);

    // Right: the amounts, a rate beside its amount, then the collection.
    auto* amounts = new QGridLayout;
    amounts->setHorizontalSpacing(8);
    amounts->setVerticalSpacing(6);
    int row = 0;
    const auto line = [&](const QString& text, QComboBox* rate, QLineEdit* amount) {
        amounts->addWidget(caption(text, rate ? static_cast<QWidget*>(rate) : amount), row, 0);
        if (rate)
            amounts->addWidget(rate, row, 1);
        amounts->addWidget(amount, row, 2);
        ++row;
    };
    line(QStringLiteral("Imponibile "), nullptr, taxableField_);
    amounts->addWidget(note(QStringLiteral("Agire col pusalnte TAB")), row++, 1, 1, 2,
                       Qt::AlignRight);
    line(QStringLiteral("Rivalsa INPS/Cassa %"), surchargeRateBox_, surchargeField_);
    line(QStringLiteral("Totale Imponibile"), nullptr, totalTaxableField_);
    line(QStringLiteral("IVA %"), vatRateBox_, vatField_);
    line(QStringLiteral("Esenzione"), exemptionBox_, exemptField_);
    amounts->addWidget(stampDutyBox_, row++, 1, 1, 2);
    line(QStringLiteral("Totale Fattura"), nullptr, totalField_);
    line(QStringLiteral("Ritenuta Acconto"), withholdingRateBox_, withholdingField_);
    line(QStringLiteral("Netto"), nullptr, netField_);
    amounts->setRowMinimumHeight(row++, 12);
    auto* collectionBox = new QWidget;
    auto* collectionRow = new QHBoxLayout(collectionBox);
    collectionRow->setContentsMargins(0, 0, 0, 0);
    collectionRow->addStretch();
    collectionRow->addWidget(collectionCalendarBox_);
    amounts->addWidget(caption(QStringLiteral("Data Riscossione"), collectionField_), row, 0);
    amounts->addWidget(collectionBox, row, 1);
    amounts->addWidget(collectionField_, row++, 2, Qt::AlignRight);
    amounts->addWidget(caption(QStringLiteral("Tramite"), paymentBox_), row, 0);
    amounts->addWidget(paymentBox_, row++, 1, 1, 2);
    amounts->addWidget(caption(QStringLiteral("Scadenza"), dueField_), row, 0);
    amounts->addWidget(dueField_, row++, 2, Qt::AlignRight);
    amounts->setRowStretch(row, 1);

    auto* columns = new QHBoxLayout;
    columns->setSpacing(24);
    columns->addLayout(left, 1);
    auto* amountsFrame = new QGroupBox(QStringLiteral("Importi"));
    amountsFrame->setLayout(amounts);
    columns->addWidget(amountsFrame);

    auto* fields = new QVBoxLayout(fieldsPage_);
    fields->setContentsMargins(0, 0, 0, 0);
    fields->addLayout(columns, 1);
    fields->addSpacing(6);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(16);
    for (auto* b : {registerButton_, selectButton_, clearButton_, documentButton_})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(exitButton_);
    fields->addLayout(buttons);

    // The calendar opens over the fields, outside the layout.
    calendar_->setParent(fieldsPage_);
    calendar_->hide();

    app::orderTabs({clientBox_,
                    numberField_,
                    dateCalendarBox_,
                    dateField_,
                    descriptionField_,
                    taxableField_,
                    surchargeRateBox_,
                    surchargeField_,
                    totalTaxableField_,
                    vatRateBox_,
                    vatField_,
                    exemptField_,
                    stampDutyBox_,
                    totalField_,
                    withholdingRateBox_,
                    withholdingField_,
                    collectionCalendarBox_,
                    collectionField_,
                    paymentBox_,
                    dueField_,
                    recordField_,
                    clientIdField_,
                    exemptionBox_,
                    netField_,
                    changeNumberBox_,
                    registerButton_,
                    selectButton_,
                    clearButton_,
                    documentButton_,
                    exitButton_});

    setMinimumSize(980, 640);
    resize(1000, 660);
}

void Entrata::connectControls() {
    connect(clientBox_, &QComboBox::activated, this, &Entrata::chooseClient);
    // A name typed by hand is not a chosen client: its details go.
    connect(clientBox_->lineEdit(), &QLineEdit::textEdited, this, [this] { forgetClient(); });
    connect(surchargeRateBox_, &QComboBox::activated, this,
            [this] { recompute(registers::surchargeRateChosen); });
    connect(vatRateBox_, &QComboBox::activated, this,
            [this] { recompute(registers::vatRateChosen); });
    connect(exemptionBox_, &QComboBox::activated, this,
            [this] { recompute(registers::exemptionChosen); });
    connect(withholdingRateBox_, &QComboBox::activated, this,
            [this] { recompute(registers::withholdingRateChosen); });
    for (QLineEdit* field :
         {taxableField_, netField_, totalTaxableField_, vatField_, exemptField_, totalField_})
        field->installEventFilter(this);
    descriptionField_->installEventFilter(this);

    // Ticking one date's box unticks the other's first, so that the calendar it shows
    // stays shown and a click in it writes one date only.
    connect(collectionCalendarBox_, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            dateCalendarBox_->setChecked(false);
    });
    connect(dateCalendarBox_, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            collectionCalendarBox_->setChecked(false);
    });
    new app::DatePicking(dateCalendarBox_, calendar_, dateField_);
    new app::DatePicking(collectionCalendarBox_, calendar_, collectionField_);
    connect(dateCalendarBox_, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            placeCalendar(dateField_);
    });
    connect(collectionCalendarBox_, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            placeCalendar(collectionField_);
    });
    connect(changeNumberBox_, &QCheckBox::toggled, this, &Entrata::numberUnlocked);
    connect(dateField_, &QLineEdit::textChanged, this, &Entrata::proposeDueDate);
    connect(paymentBox_, &QComboBox::currentTextChanged, this, &Entrata::proposeDueDate);
    // Chosen by the user, the stamp duty line enters the total and the net at once.
    connect(stampDutyBox_, &QCheckBox::clicked, this, [this](bool charged) {
        recompute(charged ? registers::chargeStampDuty : registers::dropStampDuty);
    });

    connect(registerButton_, &QAbstractButton::clicked, this, &Entrata::registerInvoice);
    connect(selectButton_, &QAbstractButton::clicked, this, &Entrata::selectOrModify);
    connect(clearButton_, &QAbstractButton::clicked, this, &Entrata::clearWindow);
    connect(exitButton_, &QAbstractButton::clicked, this, &Entrata::leave);
    connect(documentButton_, &QAbstractButton::clicked, this, &Entrata::showDocument);
    connect(registerList_, &RegisterListPage::invoiceChosen, this, &Entrata::loadInvoice);
    connect(registerList_, &RegisterListPage::leaveRequested, this, &Entrata::leaveRegisterList);
    connect(registerList_, &RegisterListPage::electronicInvoiceRequested, this,
            &Entrata::electronicInvoiceRequested);
    connect(registerList_, &RegisterListPage::creditNoteRequested, this, &Entrata::startCreditNote);
    connect(creditNotePage_, &CreditNotePage::registerRequested, this,
            &Entrata::registerCreditNote);
    connect(creditNotePage_, &CreditNotePage::cancelled, this, &Entrata::showRegisterList);
    connect(creditNotePage_, &CreditNotePage::choiceChanged, this, &Entrata::previewCreditNote);
}

bool Entrata::eventFilter(QObject* watched, QEvent* event) {
    if (watched == descriptionField_ && event->type() == QEvent::KeyPress) {
        // The note beside the description promises Ctrl+Enter for a new line; Enter
        // alone goes on to the next field, as Tab does.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (key->modifiers() & Qt::ControlModifier)
                descriptionField_->insertPlainText(QStringLiteral("\n"));
            else
                focusNextChild();
            return true;
        }
    }
    if (event->type() == QEvent::FocusOut) {
        // Leaving the window for a moment (another program, a menu) is not leaving the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (watched == taxableField_)
                recompute(registers::taxableLeft);
            else if (watched == netField_)
                recompute(registers::netLeft);
            else if (watched == totalTaxableField_)
                recompute(registers::totalTaxableLeft);
            else if (watched == vatField_)
                recompute(registers::vatLeft);
            else if (watched == exemptField_)
                recompute(registers::exemptLeft);
            else if (watched == totalField_)
                recompute(registers::totalLeft);
        }
    }
    return app::AreaWindow::eventFilter(watched, event);
}

std::optional<registers::InvoiceRegister> Entrata::invoiceRegister() const {
    if (const auto sheet = app::reachSheet(registers::invoiceSheet(store_.workbook()), boxes_))
        return registers::InvoiceRegister(*sheet);
    return std::nullopt;
}

std::optional<registers::ClientSheet> Entrata::clientSheet() const {
    if (const auto sheet = app::reachSheet(registers::clientSheet(store_.workbook()), boxes_))
        return registers::ClientSheet(*sheet);
    return std::nullopt;
}

InvoiceAmounts Entrata::amounts() const {
    InvoiceAmounts f;
    f.taxable = taxableField_->text();
    f.surchargeRate = surchargeRateBox_->currentText();
    f.surcharge = surchargeField_->text();
    f.totalTaxable = totalTaxableField_->text();
    f.vatRate = vatRateBox_->currentText();
    f.vat = vatField_->text();
    f.exemption = exemptionBox_->currentText();
    f.exempt = exemptField_->text();
    f.total = totalField_->text();
    f.withholdingRate = withholdingRateBox_->currentText();
    f.withholding = withholdingField_->text();
    f.net = netField_->text();
    f.surchargeToRecompute = toRecompute_.surcharge;
    f.vatToRecompute = toRecompute_.vat;
    f.withholdingToRecompute = toRecompute_.withholding;
    f.exemptEnabled = exemptField_->isEnabled();
    f.surchargeWithheld = withheldSurcharges_.contains(f.surchargeRate);
    f.stampDutyCharged = stampDutyBox_->isChecked();
    return f;
}

void Entrata::showAmounts(const InvoiceAmounts& f) {
    const auto put = [](QLineEdit* field, const QString& text) {
        if (field->text() != text)
            field->setText(text);
    };
    put(taxableField_, f.taxable);
    put(surchargeField_, f.surcharge);
    put(totalTaxableField_, f.totalTaxable);
    put(vatField_, f.vat);
    put(exemptField_, f.exempt);
    put(totalField_, f.total);
    put(withholdingField_, f.withholding);
    put(netField_, f.net);
    toRecompute_ = {f.surchargeToRecompute, f.vatToRecompute, f.withholdingToRecompute};
    markToRecompute(surchargeField_, toRecompute_.surcharge);
    markToRecompute(vatField_, toRecompute_.vat);
    markToRecompute(withholdingField_, toRecompute_.withholding);
    exemptField_->setEnabled(f.exemptEnabled);
}

void Entrata::recompute(void (*trigger)(InvoiceAmounts&)) {
    InvoiceAmounts f = amounts();
    trigger(f);
    // Amounts that no longer bear the stamp duty cannot charge its refund.
    if (const QString notDue = registers::stampDutyNotDueFault(f);
        !notDue.isEmpty() && !f.taxable.trimmed().isEmpty()) {
        boxes_.tell(QStringLiteral("Il rimborso dell'imposta di bollo è stato tolto:\n- ") + notDue,
                    app::title::kGestione, Icon::Warning);
        stampDutyBox_->setChecked(false);
        registers::dropStampDuty(f);
    }
    showAmounts(f);
}

InvoiceRecord Entrata::record() const {
    InvoiceRecord r;
    r[Id] = recordField_->text();
    r[Client] = clientBox_->currentText();
    r[ClientId] = clientIdField_->text();
    r[Number] = numberField_->text();
    r[Date] = dateField_->text();
    r[Description] = descriptionField_->toPlainText();
    r[Taxable] = taxableField_->text();
    r[Surcharge] = surchargeField_->text();
    r[TotalTaxable] = totalTaxableField_->text();
    r[Vat] = vatField_->text();
    r[Exemption] = exemptionBox_->currentText();
    r[ExemptAmount] = exemptField_->text();
    r[Total] = totalField_->text();
    r[Withholding] = withholdingField_->text();
    r[Net] = netField_->text();
    r[Collection] = collectionField_->text();
    r[PaidBy] = paymentBox_->currentText();
    return r;
}

void Entrata::setInvoiceDocument(std::function<void(const registers::InvoiceFields&)> show) {
    showDocument_ = std::move(show);
    documentButton_->setEnabled(bool(showDocument_));
}

registers::InvoiceFields Entrata::currentFields() const {
    registers::InvoiceFields form;
    static_cast<InvoiceAmounts&>(form) = amounts();
    form.clientName = clientBox_->currentText();
    form.address = addressLabel_->text();
    form.postalCode = postalCodeLabel_->text();
    form.town = townLabel_->text();
    form.province = provinceLabel_->text();
    form.taxCode = taxCodeLabel_->text();
    form.vatNumber = vatNumberLabel_->text();
    form.clientId = clientIdField_->text();
    form.date = dateField_->text();
    form.number = numberField_->text();
    form.record = recordField_->text();
    form.description = descriptionField_->toPlainText();
    form.collection = collectionField_->text();
    form.paidBy = paymentBox_->currentText() == kSelect ? QString() : paymentBox_->currentText();
    form.due = dueField_->text().trimmed();
    if (mode_ == Mode::Modifying) {
        if (const auto extras = registers::invoiceExtrasSheet(store_.workbook()))
            form.corrects = registers::InvoiceExtras(*extras).corrects(form.record);
    }
    return form;
}

bool Entrata::requiredFieldsGiven() {
    const QString client = clientBox_->currentText();
    // A client counts when it was chosen from the list (or loaded with the
    // invoice): then its identifier is shown beside it.
    const bool clientGiven =
        !client.isEmpty() && client != kSelect && !clientIdField_->text().isEmpty();
    if (clientGiven && !dateField_->text().isEmpty() &&
        !descriptionField_->toPlainText().isEmpty() && !taxableField_->text().isEmpty())
        return true;
    boxes_.tell(kRequired, app::title::kGestione);
    clientBox_->setFocus();
    return false;
}

bool Entrata::enteredValuesFit() {
    return app::datesAreCalendarDates(boxes_, {dateField_, collectionField_, dueField_}) &&
           app::datesFollowInvoice(boxes_, dateField_, numberField_->text(), collectionField_,
                                   dueField_) &&
           app::collectionDateConfirmed(boxes_, collectionField_, clock_.today()) &&
           app::textsFitCells(boxes_, {clientBox_, numberField_, dateField_, descriptionField_,
                                       exemptionBox_, collectionField_, paymentBox_}) &&
           app::textsFitEinvoice(boxes_, {{descriptionField_, fatturapa::kDescriptionWhat,
                                           fatturapa::kDescriptionLimit}});
}

void Entrata::showClient(const registers::ClientRecord& client) {
    namespace c = registers::client;
    clientIdField_->setText(client[c::Id]);
    addressLabel_->setText(client[c::Address]);
    postalCodeLabel_->setText(client[c::PostalCode]);
    townLabel_->setText(client[c::Town]);
    provinceLabel_->setText(client[c::Province]);
    taxCodeLabel_->setText(client[c::TaxCode]);
    vatNumberLabel_->setText(client[c::VatNumber]);
}

void Entrata::forgetClient() {
    clientIdField_->clear();
    for (QLabel* label : {addressLabel_, postalCodeLabel_, townLabel_, provinceLabel_,
                          taxCodeLabel_, vatNumberLabel_})
        label->clear();
}

void Entrata::showCounters() {
    auto book = invoiceRegister();
    if (!book)
        return;
    const registers::InvoiceCounters counters = book->ensureCounters();
    recordField_->setText(counters.record);
    // The counter follows the last number registered, which may have been changed by
    // hand: the proposal skips the numbers this year already has.
    numberField_->setText(firstFreeNumber(*book, counters.number, clock_.today().year()));
}

QString Entrata::firstFreeNumber(const registers::InvoiceRegister& book, const QString& counter,
                                 int year) const {
    return book.firstFreeNumber(counter, year,
                                registers::lastIssuedNumber(store_.workbook(), year));
}

bool Entrata::numberFree() {
    const auto book = invoiceRegister();
    if (!book)
        return false;
    const QString number = numberField_->text().trimmed();
    const QDate date =
        QDate::fromString(dateField_->text().trimmed(), QStringLiteral("dd/MM/yyyy"));
    QString refusal;
    if (number.isEmpty()) {
        refusal = QStringLiteral("Il numero della fattura è vuoto: scrivere il numero.");
    } else if (date.isValid()) {
        const QString self = mode_ == Mode::Modifying ? recordField_->text() : QString();
        if (const auto taken = book->numbered(number, date.year(), self)) {
            namespace i = registers::invoice;
            refusal = QStringLiteral(
                          "Il numero %1 è già della fattura del %2 a %3 (ID %4): nel "
                          "%5 ogni fattura ha un numero suo. Scegliere un altro "
                          "numero.")
                          .arg(number, (*taken)[i::Date], (*taken)[i::Client], (*taken)[i::Id])
                          .arg(date.year());
        }
    }
    if (refusal.isEmpty())
        return true;
    boxes_.tell(refusal, app::title::kGestione, Icon::Warning);
    numberField_->setFocus();
    return false;
}

void Entrata::placeCalendar(QWidget* below) {
    calendar_->adjustSize();
    const QPoint at = below->mapTo(fieldsPage_, QPoint(0, below->height() + 2));
    const int x = std::min(at.x(), fieldsPage_->width() - calendar_->width());
    const int y = std::min(at.y(), fieldsPage_->height() - calendar_->height());
    calendar_->move(std::max(0, x), std::max(0, y));
    calendar_->raise();
}

void Entrata::activate() {
    calendar_->setSelectedDate(clock_.today());
    setMode(mode_);
    pages_->setCurrentWidget(fieldsPage_);
    showCounters();
    selectButton_->setEnabled(true);
    loadLists();
    loadClients();
    calendar_->hide();
    for (QComboBox* rate : {surchargeRateBox_, vatRateBox_, exemptionBox_, withholdingRateBox_})
        setComboText(rate, registers::kNoneItem);
}

void Entrata::loadLists() {
    const QString payment = paymentBox_->currentText();
    auto sheet = registers::settingsSheet(store_.workbook());
    const std::pair<QComboBox*, int> lists[] = {
        {surchargeRateBox_, registers::kInpsColumn},
        {vatRateBox_, registers::kVatColumn},
        {withholdingRateBox_, registers::kWithholdingColumn},
        {paymentBox_, registers::kPaymentColumn},
        {exemptionBox_, registers::kExemptionColumn}};
    for (const auto& [box, column] : lists) {
        box->clear();
        if (sheet)
            box->addItems(registers::loadList(*sheet, column));
    }
    setComboText(paymentBox_, payment.isEmpty() ? kSelect : payment);
    if (!sheet)
        boxes_.tell(sheet.error().message, app::title::kGestione, Icon::Warning);
    // The codes sheet is read here, once per opening, not at every amount step.
    withheldSurcharges_.clear();
    if (const auto codes = registers::einvoiceCodesSheet(store_.workbook())) {
        const registers::EinvoiceCodes read(*codes);
        for (int i = 0; i < surchargeRateBox_->count(); ++i) {
            if (read.surchargeWithheld(surchargeRateBox_->itemText(i)))
                withheldSurcharges_.insert(surchargeRateBox_->itemText(i));
        }
    }
}

void Entrata::loadClients() {
    const auto sheet = clientSheet();
    if (!sheet)
        return;
    const QString shown = clientBox_->currentText();
    clientBox_->clear();
    clientBox_->addItems(clients_.load(*sheet));
    clientBox_->setCurrentIndex(-1);
    clientBox_->setEditText(shown.isEmpty() ? kSelect : shown);
}

void Entrata::chooseClient(int position) {
    const auto found = clientSheet();
    if (!found)
        return;
    const registers::ClientSheet& sheet = *found;
    if (clients_.inPlace(sheet, position)) {
        showClient(sheet.row(registers::client::kFirstRow + position));
        return;
    }
    // The client sheet changed since the list was loaded (sorted, a client
    // deleted): the client of this item is looked up where it is now, and the
    // list loaded again so that its items stand for the rows as they are.
    const std::optional<int> row = clients_.rowOf(sheet, position);
    clientBox_->clear();
    clientBox_->addItems(clients_.load(sheet));
    if (row) {
        clientBox_->setCurrentIndex(*row - registers::client::kFirstRow);
        showClient(sheet.row(*row));
        return;
    }
    clientBox_->setCurrentIndex(-1);
    clientBox_->setEditText(kSelect);
    forgetClient();
    boxes_.tell(QStringLiteral("Il cliente scelto non è più in anagrafe: l'elenco dei clienti è "
                               "stato ricaricato."),
                app::title::kGestione, Icon::Warning);
}

void Entrata::numberUnlocked(bool ticked) {
    numberField_->setReadOnly(!ticked);
    if (ticked)
        setBackground(numberField_, QColor(255, 255, 128));
    else
        resetBackground(numberField_);
}

void Entrata::registerInvoice() {
    if (!requiredFieldsGiven() || !enteredValuesFit() || !numberFree())
        return;
    InvoiceAmounts f = amountsToRegister();
    if (!regimeAllows(f))
        return;
    // No: the user means to correct something, so what was typed stays.
    if (!boxes_.askYesNo(QStringLiteral(" Vuoi Inserire questa Fattura...................?"),
                         app::title::kGestioneBlankBefore))
        return;
    if (!amountsAgree(f))
        return;
    auto book = invoiceRegister();
    if (!book)
        return;
    const registers::RowChange appended = book->append(record());
    if (!appended) {
        boxes_.tell(appended.error().message, app::title::kGestione, Icon::Warning);
        return;
    }
    if (!keepStampDuty(recordField_->text()) || !keepDueDate())
        return;
    keepRates();
    app::saveThenTell(store_, boxes_,
                      QStringLiteral("Fattura Registrata.......................... !"),
                      app::title::kGestione, Icon::Information);
    clearWindow();
}

InvoiceAmounts Entrata::amountsToRegister() {
    InvoiceAmounts f = amounts();
    registers::zeroEmptyAmounts(f);
    if (f.stampDutyCharged)
        registers::chargeStampDuty(f);
    showAmounts(f);
    return f;
}

bool Entrata::regimeAllows(InvoiceAmounts& f) {
    registers::RegistrationFacts facts{registers::taxRegimeOf(store_.workbook()),
                                       f.vat,
                                       f.withholding,
                                       vatNumberLabel_->text(),
                                       f.totalTaxable,
                                       f.exempt,
                                       f.stampDutyCharged};
    registers::addStoredFacts(store_.workbook(), clientIdField_->text(), f.exemption, facts);
    const registers::RegistrationCheck check = registers::checkRegistration(facts);
    if (!check.refusal.isEmpty()) {
        boxes_.tell(check.refusal, app::title::kGestione, Icon::Warning);
        return false;
    }
    if (!check.question.isEmpty() &&
        !boxes_.askYesNo(check.question, app::title::kGestione, Icon::Question))
        return false;
    if (!check.stampDutyProposal.isEmpty() &&
        boxes_.askYesNo(check.stampDutyProposal, app::title::kGestione, Icon::Question)) {
        stampDutyBox_->setChecked(true);
        registers::chargeStampDuty(f);
        showAmounts(f);
    }
    return true;
}

bool Entrata::keepStampDuty(const QString& id) {
    const auto kept = registers::recordStampDuty(store_.workbook(), id, stampDutyBox_->isChecked());
    if (!kept)
        boxes_.tell(kept.error().message, app::title::kGestione, Icon::Warning);
    return kept.ok();
}

bool Entrata::keepDueDate() {
    const InvoiceRecord r = record();
    const QDate due = dueField_->text().trimmed().isEmpty()
                          ? registers::proposedDueDate(store_.workbook(), r[Date], r[PaidBy])
                          : store::readItalianDate(dueField_->text().trimmed()).value_or(QDate());
    const auto kept = registers::recordDueDate(store_.workbook(), r, due);
    if (!kept)
        boxes_.tell(kept.error().message, app::title::kGestione, Icon::Warning);
    return kept.ok();
}

void Entrata::keepRates() {
    registers::recordRates(store_.workbook(), recordField_->text(),
                           {surchargeRateBox_->currentText(), vatRateBox_->currentText(),
                            withholdingRateBox_->currentText()});
}

void Entrata::showDocument() {
    if (!showDocument_)
        return;
    // The document shows what "Registra" would register: amounts that disagree are
    // refused with the same message.
    InvoiceAmounts f = amounts();
    registers::zeroEmptyAmounts(f);
    if (f.stampDutyCharged)
        registers::chargeStampDuty(f);
    if (amountsAgree(f))
        showDocument_(currentFields());
}

void Entrata::proposeDueDate() {
    const QDate due = registers::proposedDueDate(store_.workbook(), dateField_->text(),
                                                 paymentBox_->currentText());
    if (due.isValid())
        dueField_->setText(app::dateText(due));
}

bool Entrata::amountsAgree(const InvoiceAmounts& f) {
    const auto agreed = registers::checkAgreement(f);
    if (agreed)
        return true;
    boxes_.tell(agreed.error().message, app::title::kGestione);
    // The withholding is applied again by choosing its rate.
    if (agreed.error().kind == registers::AmountsProblem::Kind::WithholdingNotApplied)
        withholdingField_->clear();
    return false;
}

void Entrata::setMode(Mode mode) {
    mode_ = mode;
    const bool modifying = mode == Mode::Modifying;
    selectButton_->setText(modifying ? kModify : kSelect);
    registerButton_->setVisible(!modifying);
    modificationNote_->setVisible(modifying);
}

void Entrata::selectOrModify() {
    if (mode_ == Mode::Modifying)
        modifyInvoice();
    else
        showRegisterList();
}

void Entrata::showRegisterList() {
    const auto book = invoiceRegister();
    if (!book)
        return;
    pages_->setCurrentWidget(registerList_);
    changeNumberBox_->hide();
    registerList_->fill(*book, creditNoteIds());
}

void Entrata::loadInvoice(const InvoiceRecord& r) {
    recordField_->setText(r[Id]);
    clientBox_->setCurrentIndex(-1);
    clientBox_->setEditText(r[Client]);
    numberField_->setText(r[Number]);
    dateField_->setText(r[Date]);
    descriptionField_->setPlainText(r[Description]);
    taxableField_->setText(r[Taxable]);
    surchargeField_->setText(r[Surcharge]);
    totalTaxableField_->setText(r[TotalTaxable]);
    vatField_->setText(r[Vat]);
    setComboText(exemptionBox_, r[Exemption]);
    exemptField_->setText(r[ExemptAmount]);
    totalField_->setText(r[Total]);
    withholdingField_->setText(r[Withholding]);
    netField_->setText(r[Net]);
    // The register's "*" for a collection date still to come shows as no date.
    collectionField_->setText(r[Collection] == registers::kStarMark ? QString() : r[Collection]);
    setComboText(paymentBox_, r[PaidBy]);
    // The client as the client sheet has it now, found by the register's identifier.
    forgetClient();
    clientIdField_->setText(r[ClientId]);
    if (const auto sheet = registers::clientSheet(store_.workbook())) {
        if (const auto client = registers::ClientSheet(*sheet).byIdentifier(r[ClientId]))
            showClient(*client);
    }
    // The rates the amounts were made with; one that no item gives stays blank.
    const auto rates = registers::registeredRates(store_.workbook(), r);
    const std::pair<QComboBox*, std::optional<QString>> shownRates[] = {
        {surchargeRateBox_, rates ? rates->surcharge : std::nullopt},
        {vatRateBox_, rates ? rates->vat : std::nullopt},
        {withholdingRateBox_, rates ? rates->withholding : std::nullopt}};
    for (const auto& [box, rate] : shownRates)
        setComboText(box, rate.value_or(QString()));
    const auto extras = registers::invoiceExtrasSheet(store_.workbook());
    stampDutyBox_->setChecked(extras &&
                              !registers::InvoiceExtras(*extras).stampDutyCharged(r[Id]).isZero());
    const QDate due = registers::dueDateOf(store_.workbook(), r);
    dueField_->setText(due.isValid() ? app::dateText(due) : QString());
    InvoiceAmounts loaded = amounts();
    loaded.surchargeToRecompute = loaded.vatToRecompute = loaded.withholdingToRecompute = false;
    showAmounts(loaded);
    setMode(Mode::Modifying);
    pages_->setCurrentWidget(fieldsPage_);
}

void Entrata::modifyInvoice() {
    if (!requiredFieldsGiven() || !enteredValuesFit() || !numberFree())
        return;
    InvoiceAmounts f = amountsToRegister();
    if (!amountsAgree(f) || !creditNoteStaysNegative())
        return;
    auto book = invoiceRegister();
    if (!book)
        return;
    if (const registers::RowChange rewritten = book->rewrite(record()); !rewritten) {
        boxes_.tell(rewritten.error().message, app::title::kGestioneTwoBlanksBefore, Icon::Warning);
        return;
    }
    if (!collectCreditNotesWith(*book, record()))
        return;
    if (!keepStampDuty(recordField_->text()) || !keepDueDate())
        return;
    keepRates();
    app::saveThenTell(store_, boxes_, QStringLiteral(" Registrazione  modificata"),
                      app::title::kGestioneTwoBlanksBefore);
    clearWindow();
}

void Entrata::leaveRegisterList() {
    changeNumberBox_->show();
    registerList_->clear();
    pages_->setCurrentWidget(fieldsPage_);
    selectButton_->setEnabled(true);
    setMode(Mode::NewInvoice);
    app::saveStoreTelling(store_, boxes_);
}

bool Entrata::creditNoteStaysNegative() {
    const auto sheet = registers::invoiceExtrasSheet(store_.workbook());
    if (!sheet || !registers::InvoiceExtras(*sheet).isCreditNote(recordField_->text()))
        return true;
    const QString problem = registers::creditNoteSignProblem(record());
    if (problem.isEmpty())
        return true;
    boxes_.tell(problem, app::title::kGestioneTwoBlanksBefore, Icon::Warning);
    return false;
}

bool Entrata::collectCreditNotesWith(registers::InvoiceRegister& book, const InvoiceRecord& r) {
    const QString collected = r[Collection].trimmed();
    const auto sheet = registers::invoiceExtrasSheet(store_.workbook());
    if (collected.isEmpty() || collected == registers::kStarMark || !sheet)
        return true;
    for (const QString& note :
         registers::notesStillToCollect(r[Id], book.rows(), registers::InvoiceExtras(*sheet))) {
        if (const registers::RowChange written = book.setCollection(note, collected); !written) {
            boxes_.tell(written.error().message, app::title::kGestioneTwoBlanksBefore,
                        Icon::Warning);
            return false;
        }
    }
    return true;
}

QSet<QString> Entrata::creditNoteIds() const {
    // From the kept credit notes alone: the register list reads its rows lazily.
    const auto sheet = registers::invoiceExtrasSheet(store_.workbook());
    return sheet ? registers::InvoiceExtras(*sheet).creditNoteIds() : QSet<QString>();
}

void Entrata::startCreditNote(const QList<int>& registerRows) {
    auto book = invoiceRegister();
    const auto sheet = app::reachSheet(registers::invoiceExtrasSheet(store_.workbook()), boxes_);
    if (!book || !sheet)
        return;
    const std::vector<InvoiceRecord> rows = book->rows();
    std::vector<InvoiceRecord> chosen;
    for (const int row : registerRows) {
        if (row >= kFirstRow && row - kFirstRow < int(rows.size()))
            chosen.push_back(rows[std::size_t(row - kFirstRow)]);
    }
    auto credited = registers::creditable(chosen, rows, registers::InvoiceExtras(*sheet));
    if (!credited) {
        boxes_.tell(credited.error().message, app::title::kGestione, Icon::Warning);
        return;
    }
    credited_ = std::move(*credited);
    const QDate today = clock_.today();
    creditNotePage_->start(
        *credited_, firstFreeNumber(*book, book->ensureCounters().number, today.year()), today);
    pages_->setCurrentWidget(creditNotePage_);
}

std::optional<registers::RateItems> Entrata::rateItems() {
    const auto settings = app::reachSheet(registers::settingsSheet(store_.workbook()), boxes_);
    if (!settings)
        return std::nullopt;
    return registers::RateItems{registers::loadList(*settings, registers::kInpsColumn),
                                registers::loadList(*settings, registers::kVatColumn),
                                registers::loadList(*settings, registers::kWithholdingColumn),
                                withheldSurcharges_};
}

std::optional<Entrata::MadeCreditNote> Entrata::computeCreditNote(
    registers::InvoiceRegister& book, registers::CreditNoteChoice choice) {
    const auto items = rateItems();
    if (!items || !credited_)
        return std::nullopt;
    const registers::InvoiceCounters counters = book.ensureCounters();
    choice.id = counters.record;
    // The number follows the register in the note's own year.
    if (const auto date = store::readItalianDate(choice.date))
        choice.number = firstFreeNumber(book, counters.number, date->year());
    MadeCreditNote note = registers::makeCreditNote(*credited_, *items, choice);
    if (!note) {
        creditNotePage_->showOutcome(note.error().message, true);
        return note;
    }
    const InvoiceRecord& r = note->record;
    // Positive, as the note's document shows them; the register's "*" is none.
    const auto shown = [&r](registers::InvoiceColumn column) {
        const auto amount = registers::Amount::parse(registers::positiveAmount(r[column]));
        return amount.value_or(registers::Amount()).text();
    };
    creditNotePage_->showOutcome(
        QStringLiteral("Storna imponibile %1, rivalsa %2, IVA %3, esente %4: totale %5, "
                       "ritenuta %6, netto %7.")
            .arg(shown(Taxable), shown(Surcharge), shown(Vat), shown(ExemptAmount), shown(Total),
                 shown(Withholding), shown(Net)),
        false);
    return note;
}

void Entrata::previewCreditNote() {
    if (auto book = invoiceRegister())
        static_cast<void>(computeCreditNote(*book, creditNotePage_->choice()));
}

void Entrata::registerCreditNote() {
    auto book = invoiceRegister();
    const auto sheet = app::reachSheet(registers::invoiceExtrasSheet(store_.workbook()), boxes_);
    if (!book || !sheet || !credited_)
        return;
    const std::optional<MadeCreditNote> made = computeCreditNote(*book, creditNotePage_->choice());
    if (!made)
        return;
    if (!*made) {
        boxes_.tell(made->error().message, app::title::kGestione, Icon::Warning);
        return;
    }
    const registers::CreditNote& note = made->value();
    const InvoiceRecord& r = note.record;
    if (!boxes_.askYesNo(QStringLiteral("Registrare la nota di credito n. %1 del %2 di %3, %4?")
                             .arg(r[Number], r[Date], registers::positiveAmount(r[Total]),
                                  registers::reversalText(note.corrects)),
                         app::title::kGestione, Icon::Question))
        return;
    if (const registers::RowChange appended = book->append(r); !appended) {
        boxes_.tell(appended.error().message, app::title::kGestione, Icon::Warning);
        return;
    }
    registers::InvoiceExtras extras(*sheet);
    extras.setCorrects(r[Id], note.corrects);
    extras.setStampDutyCharged(r[Id], note.stampDuty);
    // A note is made with the rates of the invoice it corrects.
    extras.setRates(r[Id], extras.rates(note.corrects.id));
    for (const QString& id : note.settled) {
        if (const registers::RowChange settled = book->setCollection(id, r[Date]); !settled) {
            boxes_.tell(settled.error().message, app::title::kGestione, Icon::Warning);
            return;
        }
    }
    credited_.reset();
    app::saveThenTell(store_, boxes_,
                      QStringLiteral("Nota di credito n. %1 registrata, %2.")
                          .arg(r[Number], registers::reversalText(note.corrects)),
                      app::title::kGestione, Icon::Information);
    showCounters();
    showRegisterList();
}

void Entrata::clearWindow() {
    for (QLineEdit* field :
         {numberField_, dateField_, taxableField_, surchargeField_, totalTaxableField_, vatField_,
          exemptField_, totalField_, withholdingField_, collectionField_, recordField_,
          clientIdField_, netField_, dueField_})
        field->clear();
    descriptionField_->clear();
    dateCalendarBox_->setChecked(false);
    collectionCalendarBox_->setChecked(false);
    stampDutyBox_->setChecked(false);
    showCounters();
    for (QComboBox* rate : {surchargeRateBox_, vatRateBox_, withholdingRateBox_, exemptionBox_})
        setComboText(rate, registers::kNoneItem);
    for (QComboBox* choice : {clientBox_, paymentBox_})
        setComboText(choice, kSelect);
    setMode(Mode::NewInvoice);
    selectButton_->setEnabled(true);
    forgetClient();
    // Back to how the window opened: nothing waiting for a rate, the exempt box
    // closed, and the invoice number can be changed again.
    InvoiceAmounts cleared = amounts();
    cleared.surchargeToRecompute = cleared.vatToRecompute = cleared.withholdingToRecompute = false;
    cleared.exemptEnabled = false;
    showAmounts(cleared);
    if (pages_->currentWidget() == fieldsPage_)
        changeNumberBox_->show();
}

void Entrata::leave() {
    changeNumberBox_->setChecked(false);
    clearWindow();
    navigator_.backToMainMenu(this);
}

}  // namespace invoices
