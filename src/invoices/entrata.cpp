#include "invoices/entrata.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>
#include <QStackedLayout>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/clock.h"
#include "app/clock_line.h"
#include "app/controls_factory.h"
#include "app/date_picking.h"
#include "app/entry_checks.h"
#include "app/input_rules.h"
#include "app/list_print.h"
#include "app/message_boxes.h"
#include "app/navigator.h"
#include "app/services.h"
#include "app/store_saving.h"
#include "app/tab_order.h"
#include "controls/xpbutton.h"
#include "invoices/invoice_list_model.h"
#include "registers/settings_lists.h"
#include "store/workbook_store.h"

namespace invoices {

using app::Icon;
using registers::InvoiceRecord;
using namespace registers::invoice;

namespace {

const QString kTitle = QStringLiteral("Gestione");
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

void setBackground(QLineEdit* field, const QColor& colour) {
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, colour);
    field->setPalette(palette);
}

void resetBackground(QLineEdit* field) {
    field->setPalette(QPalette());
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
    new app::ClockLine(Label15, Timer2, services.clock, app::kClockSeparatorWide);
}

void Entrata::createControls() {
    Combo1 = combo("Combo1", kSelect);
    Combo1->setMinimumWidth(320);
    Text1 = centredField("Text1", 90);
    Text1->setReadOnly(true);
    // An invoice number is a whole number: the next one proposed is this one + 1.
    Text1->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), Text1));
    Check1 = new QCheckBox(QStringLiteral("S"));
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setAccessibleName(QStringLiteral("Calendario Data"));
    Text2 = centredField("Text2", 100);
    Text15 = new QPlainTextEdit;
    Text15->setObjectName(QStringLiteral("Text15"));
    Text15->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text15->setTabChangesFocus(true);
    Text9 = amountField("Text9", true);
    Combo5 = combo("Combo5", registers::kNoneItem);
    Text3 = amountField("Text3", false);
    Text3->setAccessibleName(QStringLiteral("Importo Rivalsa"));
    Text5 = amountField("Text5", false);
    Combo6 = combo("Combo6", registers::kNoneItem);
    Text6 = amountField("Text6", false);
    Text6->setAccessibleName(QStringLiteral("Importo IVA"));
    Combo3 = combo("Combo3", registers::kNoneItem);
    Text7 = amountField("Text7", true);
    Text7->setAccessibleName(QStringLiteral("Importo Esenzione"));
    Text7->setEnabled(false);
    Text8 = amountField("Text8", false);
    Combo7 = combo("Combo7", registers::kNoneItem);
    Text14 = amountField("Text14", false);
    Text14->setAccessibleName(QStringLiteral("Importo Ritenuta"));
    Text4 = amountField("Text4", false);
    for (QComboBox* rate : {Combo5, Combo6, Combo3, Combo7})
        rate->setFixedWidth(kRateWidth);
    // An editable combo box speaks its text: each is named after its caption.
    Combo1->setAccessibleName(QStringLiteral("Seleziona Cliente"));
    Combo5->setAccessibleName(QStringLiteral("Rivalsa INPS/Cassa %"));
    Combo6->setAccessibleName(QStringLiteral("IVA %"));
    Combo3->setAccessibleName(QStringLiteral("Esenzione"));
    Combo7->setAccessibleName(QStringLiteral("Ritenuta Acconto"));
    // Exemption reasons are long: the open list is as wide as they need.
    Combo3->view()->setMinimumWidth(420);
    for (QLineEdit* typed : {Text9, Text7, Text4})
        app::installAmountKeyFilter(typed);
    Check2 = new QCheckBox(QStringLiteral("S"));
    Check2->setObjectName(QStringLiteral("Check2"));
    Check2->setAccessibleName(QStringLiteral("Calendario Data Riscossione"));
    Text13 = centredField("Text13", 100);
    Combo2 = combo("Combo2", kSelect);
    Combo2->setFixedWidth(kRateWidth + kAmountWidth + 6);
    Combo2->setAccessibleName(QStringLiteral("Tramite"));
    Text10 = centredField("Text10", 70);
    Text10->setReadOnly(true);
    Text12 = centredField("Text12", 70);
    Text12->setReadOnly(true);
    Check3 = new QCheckBox(QStringLiteral("Cambia Nr.Fattura"));
    Check3->setObjectName(QStringLiteral("Check3"));
    // Hidden in modification mode; the fields beside it stay where they are.
    QSizePolicy keepPlace = Check3->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    Check3->setSizePolicy(keepPlace);

    Label13 = app::makeLabel(QStringLiteral("Label13"), {});
    Label22 = app::makeLabel(QStringLiteral("Label22"), {});
    Label23 = app::makeLabel(QStringLiteral("Label23"), {});
    Label24 = app::makeLabel(QStringLiteral("Label24"), {});
    Label25 = app::makeLabel(QStringLiteral("Label25"), {});
    Label26 = app::makeLabel(QStringLiteral("Label26"), {});
    Label15 = app::makeLabel(QStringLiteral("Label15"), {});
    Label28 = app::makeLabel(
        QStringLiteral("Label28"),
        QStringLiteral("In MODIFICA è necessario RISELEZIONARE  il CLIENTE e RICALCOLARE  i "
                       "valori  INPS, IVA  e Ritenuta"));
    Label28->setWordWrap(true);
    Label28->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0); font-weight: bold;"));
    Label28->hide();
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));

    MonthView1 = new QCalendarWidget;
    MonthView1->setObjectName(QStringLiteral("MonthView1"));
    MonthView1->setGridVisible(true);
    MonthView1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    MonthView1->setAutoFillBackground(true);

    XPButton4 = app::makeButton(QStringLiteral("XPButton4"), QStringLiteral("Registra"),
                                QStringLiteral("Inserisci la fattura"));
    XPButton3 = app::makeButton(QStringLiteral("XPButton3"), kSelect,
                                QStringLiteral("Seleziona fatture registrate"));
    XPButton5 = app::makeButton(QStringLiteral("XPButton5"), QStringLiteral("Pulisci"),
                                QStringLiteral("Pulisci i campi"));
    XPButton6 = app::makeButton(QStringLiteral("XPButton6"), QStringLiteral("Visualizza Fattura"));
    XPButton2 = app::makeButton(QStringLiteral("XPButton2"), QStringLiteral("Esci"));
    // Enabled once the program hands the way to the invoice document.
    XPButton6->setEnabled(false);
    for (auto* b : {XPButton4, XPButton3, XPButton5, XPButton2})
        b->setMinimumSize(110, 30);
    XPButton6->setMinimumSize(150, 30);

    Frame1 = new QGroupBox(QStringLiteral("Registro Fatture"));
    Frame1->setObjectName(QStringLiteral("Frame1"));
    list_ = new InvoiceListModel(this);
    ListView3 = new QTreeView;
    ListView3->setObjectName(QStringLiteral("ListView3"));
    ListView3->setAccessibleName(QStringLiteral("Registro Fatture"));
    ListView3->setModel(list_);
    app::prepareReportList(ListView3);
    // Several invoices can be chosen together for the electronic invoice.
    ListView3->setSelectionMode(QAbstractItemView::ExtendedSelection);
    XPButton9 =
        app::makeButton(QStringLiteral("XPButton9"), QStringLiteral("Fattura Elettronica"),
                        QStringLiteral("Esporta le fatture scelte come fatture elettroniche"));
    XPButton8 = app::makeButton(QStringLiteral("XPButton8"), QStringLiteral("Stampa"));
    XPButton1 = app::makeButton(QStringLiteral("XPButton1"), QStringLiteral("Esci"));
    for (auto* b : {XPButton9, XPButton8, XPButton1})
        b->setMinimumSize(100, 30);
}

void Entrata::arrangeControls() {
    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(12, 6, 12, 12);
    auto* top = new QHBoxLayout;
    top->addStretch();
    top->addWidget(Label15);
    window->addLayout(top);

    auto* pagesHolder = new QWidget;
    pages_ = new QStackedLayout(pagesHolder);
    fieldsPage_ = new QWidget;
    pages_->addWidget(fieldsPage_);
    pages_->addWidget(Frame1);
    window->addWidget(pagesHolder, 1);

    // Left: the client and the invoice's own fields.
    auto* left = new QVBoxLayout;
    left->setSpacing(8);
    auto* clientLine = new QHBoxLayout;
    clientLine->addWidget(app::captioned(QStringLiteral("Seleziona Cliente "), Combo1), 1);
    clientLine->addWidget(app::captioned(QStringLiteral("ID Cliente"), Text12));
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
    detail(QStringLiteral("Indirizzo"), Label13, 0, 0, 5);
    detail(QStringLiteral("CAP"), Label22, 1, 0);
    detail(QStringLiteral("Località"), Label23, 1, 2);
    detail(QStringLiteral("PR"), Label24, 1, 4);
    detail(QStringLiteral("Codice Fiscale"), Label25, 2, 0, 3);
    detail(QStringLiteral("Partita IVA"), Label26, 2, 4, 2);
    detailGrid->setColumnStretch(3, 1);
    details->setMinimumHeight(84);
    left->addWidget(details);

    auto* numberLine = new QHBoxLayout;
    numberLine->setSpacing(12);
    auto* numberBox = new QWidget;
    auto* numberRow = new QHBoxLayout(numberBox);
    numberRow->setContentsMargins(0, 0, 0, 0);
    numberRow->addWidget(Text1);
    numberRow->addWidget(Check3);
    numberLine->addWidget(app::captioned(QStringLiteral("Numero Fattura"), numberBox));
    Text1->setAccessibleName(QStringLiteral("Numero Fattura"));
    auto* dateBox = new QWidget;
    auto* dateRow = new QHBoxLayout(dateBox);
    dateRow->setContentsMargins(0, 0, 0, 0);
    dateRow->addWidget(Check1);
    dateRow->addWidget(Text2);
    numberLine->addWidget(app::captioned(QStringLiteral("Data"), dateBox));
    Text2->setAccessibleName(QStringLiteral("Data"));
    numberLine->addStretch();
    numberLine->addWidget(app::captioned(QStringLiteral("ID "), Text10));
    left->addLayout(numberLine);

    left->addWidget(app::captioned(QStringLiteral("Descrizione"), Text15), 1);
    left->addWidget(note(QStringLiteral("Per andare a capo nel testo, tasti CTRL+INVIO")));
    left->addWidget(Label28);

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
    line(QStringLiteral("Imponibile "), nullptr, Text9);
    amounts->addWidget(note(QStringLiteral("Agire col pusalnte TAB")), row++, 1, 1, 2,
                       Qt::AlignRight);
    line(QStringLiteral("Rivalsa INPS/Cassa %"), Combo5, Text3);
    line(QStringLiteral("Totale Imponibile"), nullptr, Text5);
    line(QStringLiteral("IVA %"), Combo6, Text6);
    line(QStringLiteral("Esenzione"), Combo3, Text7);
    line(QStringLiteral("Totale Fattura"), nullptr, Text8);
    line(QStringLiteral("Ritenuta Acconto"), Combo7, Text14);
    line(QStringLiteral("Netto"), nullptr, Text4);
    amounts->setRowMinimumHeight(row++, 12);
    auto* collectionBox = new QWidget;
    auto* collectionRow = new QHBoxLayout(collectionBox);
    collectionRow->setContentsMargins(0, 0, 0, 0);
    collectionRow->addStretch();
    collectionRow->addWidget(Check2);
    amounts->addWidget(caption(QStringLiteral("Data Riscossione"), Text13), row, 0);
    amounts->addWidget(collectionBox, row, 1);
    amounts->addWidget(Text13, row++, 2, Qt::AlignRight);
    amounts->addWidget(caption(QStringLiteral("Tramite"), Combo2), row, 0);
    amounts->addWidget(Combo2, row++, 1, 1, 2);
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
    for (auto* b : {XPButton4, XPButton3, XPButton5, XPButton6})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(XPButton2);
    fields->addLayout(buttons);

    auto* frame = new QVBoxLayout(Frame1);
    frame->addWidget(ListView3, 1);
    auto* frameButtons = new QHBoxLayout;
    frameButtons->addWidget(note(QStringLiteral("Per modificare la fattura , selezionarla")));
    frameButtons->addStretch();
    frameButtons->addWidget(XPButton9);
    frameButtons->addSpacing(12);
    frameButtons->addWidget(XPButton8);
    frameButtons->addSpacing(12);
    frameButtons->addWidget(XPButton1);
    frame->addLayout(frameButtons);

    // The calendar opens over the fields, outside the layout.
    MonthView1->setParent(fieldsPage_);
    MonthView1->hide();

    app::orderTabs({Combo1, Text1,  Check1,    Text2,     Text15,    Text9,     Combo5,
                    Text3,  Text5,  Combo6,    Text6,     Text7,     Text8,     Combo7,
                    Text14, Check2, Text13,    Combo2,    Text10,    Text12,    Combo3,
                    Text4,  Check3, XPButton4, XPButton3, XPButton5, XPButton6, XPButton2});

    setMinimumSize(980, 640);
    resize(1000, 660);
}

void Entrata::connectControls() {
    connect(Combo1, &QComboBox::activated, this, &Entrata::chooseClient);
    // A name typed by hand is not a chosen client: its details go.
    connect(Combo1->lineEdit(), &QLineEdit::textEdited, this, [this] { forgetClient(); });
    connect(Combo5, &QComboBox::activated, this, [this] { recompute(surchargeRateChosen); });
    connect(Combo6, &QComboBox::activated, this, [this] { recompute(vatRateChosen); });
    connect(Combo3, &QComboBox::activated, this, [this] { recompute(exemptionChosen); });
    connect(Combo7, &QComboBox::activated, this, [this] { recompute(withholdingRateChosen); });
    for (QLineEdit* field : {Text9, Text4, Text5, Text6, Text7, Text8})
        field->installEventFilter(this);
    Text15->installEventFilter(this);

    // Ticking the collection date's box unticks the invoice date's first, so that
    // the calendar it shows stays shown.
    connect(Check2, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            Check1->setChecked(false);
    });
    new app::DatePicking(Check1, MonthView1, Text2);
    new app::DatePicking(Check2, MonthView1, Text13);
    connect(Check1, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            placeCalendar(Text2);
    });
    connect(Check2, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            placeCalendar(Text13);
    });
    connect(Check3, &QCheckBox::toggled, this, &Entrata::numberUnlocked);

    connect(XPButton4, &QAbstractButton::clicked, this, &Entrata::registerInvoice);
    connect(XPButton3, &QAbstractButton::clicked, this, &Entrata::selectOrModify);
    connect(XPButton5, &QAbstractButton::clicked, this, &Entrata::clearWindow);
    connect(XPButton2, &QAbstractButton::clicked, this, &Entrata::leave);
    connect(XPButton1, &QAbstractButton::clicked, this, &Entrata::leaveRegisterList);
    connect(XPButton9, &QAbstractButton::clicked, this, [this] {
        // Line 0 is the register's row 2.
        QList<int> rows;
        for (const QModelIndex& line : ListView3->selectionModel()->selectedRows())
            rows << line.row() + 2;
        std::sort(rows.begin(), rows.end());
        emit electronicInvoiceRequested(rows);
    });
    connect(XPButton8, &QAbstractButton::clicked, this, &Entrata::printRegisterList);
    connect(XPButton6, &QAbstractButton::clicked, this, [this] {
        if (showDocument_)
            showDocument_(currentForm());
    });
    connect(ListView3, &QAbstractItemView::clicked, this, &Entrata::chooseLine);
    connect(ListView3, &QAbstractItemView::activated, this, &Entrata::chooseLine);
}

bool Entrata::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Text15 && event->type() == QEvent::KeyPress) {
        // The note beside the description promises Ctrl+Enter for a new line.
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            key->modifiers() & Qt::ControlModifier) {
            Text15->insertPlainText(QStringLiteral("\n"));
            return true;
        }
    }
    if (event->type() == QEvent::FocusOut) {
        // Leaving the window for a moment (another program, a menu) is not leaving the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (watched == Text9)
                recompute(taxableLeft);
            else if (watched == Text4)
                recompute(netLeft);
            else if (watched == Text5)
                recompute(totalTaxableLeft);
            else if (watched == Text6)
                recompute(vatLeft);
            else if (watched == Text7)
                recompute(exemptLeft);
            else if (watched == Text8)
                recompute(totalLeft);
        }
    }
    return app::AreaWindow::eventFilter(watched, event);
}

registers::InvoiceRegister Entrata::invoiceRegister() const {
    return registers::InvoiceRegister(store_.ensureSheet(store::kInvoicesSheet));
}

registers::ClientSheet Entrata::clientSheet() const {
    return registers::ClientSheet(store_.ensureSheet(store::kClientsSheet));
}

InvoiceAmounts Entrata::amounts() const {
    InvoiceAmounts f;
    f.taxable = Text9->text();
    f.surchargeRate = Combo5->currentText();
    f.surcharge = Text3->text();
    f.totalTaxable = Text5->text();
    f.vatRate = Combo6->currentText();
    f.vat = Text6->text();
    f.exemption = Combo3->currentText();
    f.exempt = Text7->text();
    f.total = Text8->text();
    f.withholdingRate = Combo7->currentText();
    f.withholding = Text14->text();
    f.net = Text4->text();
    f.vatMarked = Text6->palette().color(QPalette::Base) == QColor(255, 0, 0);
    f.exemptEnabled = Text7->isEnabled();
    return f;
}

void Entrata::showAmounts(const InvoiceAmounts& f) {
    const auto put = [](QLineEdit* field, const QString& text) {
        if (field->text() != text)
            field->setText(text);
    };
    put(Text9, f.taxable);
    put(Text3, f.surcharge);
    put(Text5, f.totalTaxable);
    put(Text6, f.vat);
    put(Text7, f.exempt);
    put(Text8, f.total);
    put(Text14, f.withholding);
    put(Text4, f.net);
    if (f.vatMarked)
        setBackground(Text6, QColor(255, 0, 0));
    else
        setBackground(Text6, QColor(Qt::white));
    Text7->setEnabled(f.exemptEnabled);
}

void Entrata::recompute(void (*trigger)(InvoiceAmounts&)) {
    InvoiceAmounts f = amounts();
    trigger(f);
    showAmounts(f);
}

InvoiceRecord Entrata::record() const {
    InvoiceRecord r;
    r[Id] = Text10->text();
    r[Client] = Combo1->currentText();
    r[ClientId] = Text12->text();
    r[Number] = Text1->text();
    r[Date] = Text2->text();
    r[Description] = Text15->toPlainText();
    r[Taxable] = Text9->text();
    r[Surcharge] = Text3->text();
    r[TotalTaxable] = Text5->text();
    r[Vat] = Text6->text();
    r[Exemption] = Combo3->currentText();
    r[ExemptAmount] = Text7->text();
    r[Total] = Text8->text();
    r[Withholding] = Text14->text();
    r[Net] = Text4->text();
    r[Collection] = Text13->text();
    r[PaidBy] = Combo2->currentText();
    return r;
}

void Entrata::setInvoiceDocument(std::function<void(const InvoiceForm&)> show) {
    showDocument_ = std::move(show);
    XPButton6->setEnabled(bool(showDocument_));
}

// "Stampa" of the register list: the list as it is shown, on the default printer.
void Entrata::printRegisterList() {
    printing::PrintedList printed{QStringLiteral("Elenco Fatture "),
                                  QStringLiteral("Brisvel"),
                                  QStringLiteral("Arial"),
                                  10,
                                  {},
                                  {},
                                  {}};
    const QAbstractItemModel* model = ListView3->model();
    for (int c = 0; c < model->columnCount(); ++c) {
        printed.columnHeadings << model->headerData(c, Qt::Horizontal).toString();
        printed.columnWidths.push_back(ListView3->isColumnHidden(c) ? 0
                                                                    : ListView3->columnWidth(c));
    }
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < model->columnCount(); ++c)
            row << model->index(r, c).data().toString();
        printed.rows.push_back(row);
    }
    static_cast<void>(app::printListOnDefaultPrinter(services_, printed, this));
}

InvoiceForm Entrata::currentForm() const {
    InvoiceForm form;
    form.client = Combo1->currentText();
    form.address = Label13->text();
    form.postalCode = Label22->text();
    form.town = Label23->text();
    form.province = Label24->text();
    form.taxCode = Label25->text();
    form.vatNumber = Label26->text();
    form.clientId = Text12->text();
    form.date = Text2->text();
    form.number = Text1->text();
    form.record = Text10->text();
    form.description = Text15->toPlainText();
    form.collection = Text13->text();
    form.paidBy = Combo2->currentText();
    form.amounts = amounts();
    return form;
}

bool Entrata::modifying() const {
    return XPButton3->text() == kModify;
}

bool Entrata::requiredFieldsGiven() {
    const QString client = Combo1->currentText();
    // A client counts when it was chosen from the list (or loaded with the
    // invoice): then its identifier is shown beside it.
    const bool clientGiven = !client.isEmpty() && client != kSelect && !Text12->text().isEmpty();
    if (clientGiven && !Text2->text().isEmpty() && !Text15->toPlainText().isEmpty() &&
        !Text9->text().isEmpty())
        return true;
    boxes_.tell(kRequired, kTitle);
    Combo1->setFocus();
    return false;
}

bool Entrata::enteredValuesFit() {
    return app::datesAreCalendarDates(boxes_, {Text2, Text13}) &&
           app::textsFitCells(boxes_, {Combo1, Text1, Text2, Text15, Combo3, Text13, Combo2});
}

void Entrata::showClient(const registers::ClientRecord& client) {
    namespace c = registers::client;
    Text12->setText(client[c::Id]);
    Label13->setText(client[c::Address]);
    Label22->setText(client[c::PostalCode]);
    Label23->setText(client[c::Town]);
    Label24->setText(client[c::Province]);
    Label25->setText(client[c::TaxCode]);
    Label26->setText(client[c::VatNumber]);
}

void Entrata::forgetClient() {
    Text12->clear();
    for (QLabel* label : {Label13, Label22, Label23, Label24, Label25, Label26})
        label->clear();
}

void Entrata::showCounters() {
    const registers::InvoiceCounters counters = invoiceRegister().ensureCounters();
    Text10->setText(counters.record);
    Text1->setText(counters.number);
}

void Entrata::placeCalendar(QWidget* below) {
    MonthView1->adjustSize();
    const QPoint at = below->mapTo(fieldsPage_, QPoint(0, below->height() + 2));
    const int x = std::min(at.x(), fieldsPage_->width() - MonthView1->width());
    const int y = std::min(at.y(), fieldsPage_->height() - MonthView1->height());
    MonthView1->move(std::max(0, x), std::max(0, y));
    MonthView1->raise();
}

void Entrata::activate() {
    MonthView1->setSelectedDate(clock_.today());
    Label28->hide();
    pages_->setCurrentWidget(fieldsPage_);
    showCounters();
    XPButton3->setEnabled(true);
    loadLists();
    loadClients();
    MonthView1->hide();
    for (QComboBox* rate : {Combo5, Combo6, Combo3, Combo7})
        setComboText(rate, registers::kNoneItem);
}

void Entrata::loadLists() {
    const QString payment = Combo2->currentText();
    auto sheet = registers::settingsSheet(store_.workbook());
    const std::pair<QComboBox*, int> lists[] = {{Combo5, registers::kInpsColumn},
                                                {Combo6, registers::kVatColumn},
                                                {Combo7, registers::kWithholdingColumn},
                                                {Combo2, registers::kPaymentColumn},
                                                {Combo3, registers::kExemptionColumn}};
    for (const auto& [box, column] : lists) {
        box->clear();
        if (sheet)
            box->addItems(registers::loadList(*sheet, column));
    }
    setComboText(Combo2, payment.isEmpty() ? kSelect : payment);
    if (!sheet)
        boxes_.tell(sheet.error().message, kTitle, Icon::Warning);
}

void Entrata::loadClients() {
    const QString shown = Combo1->currentText();
    Combo1->clear();
    Combo1->addItems(clients_.load(clientSheet()));
    Combo1->setCurrentIndex(-1);
    Combo1->setEditText(shown.isEmpty() ? kSelect : shown);
}

void Entrata::chooseClient(int position) {
    const registers::ClientSheet sheet = clientSheet();
    if (clients_.inPlace(sheet, position)) {
        showClient(sheet.row(position + 2));
        return;
    }
    // The client sheet changed since the list was loaded (sorted, a client
    // deleted): the client of this item is looked up where it is now, and the
    // list loaded again so that its items stand for the rows as they are.
    const std::optional<int> row = clients_.rowOf(sheet, position);
    Combo1->clear();
    Combo1->addItems(clients_.load(sheet));
    if (row) {
        Combo1->setCurrentIndex(*row - 2);
        showClient(sheet.row(*row));
        return;
    }
    Combo1->setCurrentIndex(-1);
    Combo1->setEditText(kSelect);
    forgetClient();
    boxes_.tell(QStringLiteral("Il cliente scelto non è più in anagrafe: l'elenco dei clienti è "
                               "stato ricaricato."),
                kTitle, Icon::Warning);
}

void Entrata::numberUnlocked(bool ticked) {
    Text1->setReadOnly(!ticked);
    if (ticked)
        setBackground(Text1, QColor(255, 255, 128));
    else
        resetBackground(Text1);
}

void Entrata::registerInvoice() {
    if (!requiredFieldsGiven() || !enteredValuesFit())
        return;
    InvoiceAmounts f = amounts();
    zeroEmptyAmounts(f);
    showAmounts(f);
    if (!boxes_.askYesNo(QStringLiteral(" Vuoi Inserire questa Fattura...................?"),
                         QStringLiteral(" Gestione"))) {
        clearWindow();
        return;
    }
    if (withholdingNeedsRecomputing(f)) {
        boxes_.tell(QStringLiteral(" Errore - In presenza di un valore  nel campo ritenuta , "
                                   "occorre rilsezionare il conteggio della ritenuta !"),
                    kTitle);
        Text14->clear();
        return;
    }
    const store::Result<int> appended = invoiceRegister().append(record());
    if (!appended) {
        boxes_.tell(appended.error().message, kTitle, Icon::Warning);
        return;
    }
    app::saveThenTell(store_, boxes_,
                      QStringLiteral("Fattura Registrata.......................... !"), kTitle,
                      Icon::Information);
    clearWindow();
}

void Entrata::selectOrModify() {
    if (modifying())
        modifyInvoice();
    else
        showRegisterList();
}

void Entrata::showRegisterList() {
    pages_->setCurrentWidget(Frame1);
    Check3->hide();
    list_->fill(invoiceRegister());
    for (int column = 0; column < kColumns; ++column)
        ListView3->setColumnWidth(column, InvoiceListModel::columnWidth(column));
    ListView3->setFocus();
}

void Entrata::chooseLine(const QModelIndex& index) {
    if (!index.isValid())
        return;
    const InvoiceRecord r = list_->invoice(index.row());
    Text10->setText(r[Id]);
    Combo1->setCurrentIndex(-1);
    Combo1->setEditText(r[Client]);
    Text12->setText(r[ClientId]);
    Text1->setText(r[Number]);
    Text2->setText(r[Date]);
    Text15->setPlainText(r[Description]);
    Text9->setText(r[Taxable]);
    Text3->setText(r[Surcharge]);
    Text5->setText(r[TotalTaxable]);
    Text6->setText(r[Vat]);
    setComboText(Combo3, r[Exemption]);
    Text7->setText(r[ExemptAmount]);
    Text8->setText(r[Total]);
    Text14->setText(r[Withholding]);
    Text4->setText(r[Net]);
    // The register's "*" for a collection date still to come shows as no date.
    Text13->setText(r[Collection] == registers::kStarMark ? QString() : r[Collection]);
    setComboText(Combo2, r[PaidBy]);
    XPButton3->setText(kModify);
    XPButton4->hide();
    Label28->show();
    pages_->setCurrentWidget(fieldsPage_);
}

void Entrata::modifyInvoice() {
    if (!requiredFieldsGiven() || !enteredValuesFit())
        return;
    if (!invoiceRegister().rewrite(record())) {
        boxes_.tell(QStringLiteral("La fattura con ID %1 non è più nel registro: nessuna modifica "
                                   "è stata registrata.")
                        .arg(Text10->text()),
                    QStringLiteral("  Gestione"), Icon::Warning);
        return;
    }
    app::saveThenTell(store_, boxes_, QStringLiteral(" Registrazione  modificata"),
                      QStringLiteral("  Gestione"));
    clearWindow();
}

void Entrata::leaveRegisterList() {
    Check3->show();
    list_->clear();
    pages_->setCurrentWidget(fieldsPage_);
    XPButton3->setEnabled(true);
    XPButton3->setText(kSelect);
    app::saveStoreTelling(store_, boxes_);
}

void Entrata::clearWindow() {
    for (QLineEdit* field : {Text1, Text2, Text9, Text3, Text5, Text6, Text7, Text8, Text14, Text13,
                             Text10, Text12, Text4})
        field->clear();
    Text15->clear();
    Check1->setChecked(false);
    Check2->setChecked(false);
    showCounters();
    for (QComboBox* rate : {Combo5, Combo6, Combo7, Combo3})
        setComboText(rate, registers::kNoneItem);
    for (QComboBox* choice : {Combo1, Combo2})
        setComboText(choice, kSelect);
    XPButton3->setText(kSelect);
    XPButton3->setEnabled(true);
    XPButton4->show();
    forgetClient();
    Label28->hide();
    // Back to how the window opened: no red VAT, the exempt box closed, and the
    // invoice number can be changed again.
    resetBackground(Text6);
    Text7->setEnabled(false);
    if (pages_->currentWidget() == fieldsPage_)
        Check3->show();
}

void Entrata::leave() {
    Check3->setChecked(false);
    clearWindow();
    navigator_.backToMainMenu(this);
}

}  // namespace invoices
