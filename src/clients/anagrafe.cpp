#include "clients/anagrafe.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>
#include <QStackedLayout>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <limits>

#include "app/clock.h"
#include "app/clock_line.h"
#include "app/controls_factory.h"
#include "app/date_picking.h"
#include "app/dialog_titles.h"
#include "app/entry_checks.h"
#include "app/input_rules.h"
#include "app/message_boxes.h"
#include "app/navigator.h"
#include "app/reach_sheet.h"
#include "app/services.h"
#include "app/store_saving.h"
#include "clients/client_list_view.h"
#include "controls/xpbutton.h"
#include "fatturapa/einvoice_checks.h"
#include "registers/client_identifiers.h"
#include "registers/iban.h"
#include "store/number_text.h"
#include "store/workbook_store.h"

namespace clients {

using registers::ClientRecord;
using registers::ClientSheet;
using namespace registers::client;

namespace {

using app::Icon;

constexpr int kButtonWidth = 96;

controls::XPButton* button(const char* name, const QString& caption, const QString& tip = {}) {
    auto* b = app::makeButton(QString::fromLatin1(name), caption, tip);
    b->setMinimumWidth(kButtonWidth);
    return b;
}

QLineEdit* lineEdit(const char* name, int typingLimit = 0) {
    return app::makeLineEdit(QString::fromLatin1(name), typingLimit);
}

using app::captioned;

// One line of captioned fields, each as wide as its share.
QHBoxLayout* fieldLine(std::initializer_list<std::pair<QWidget*, int>> fields) {
    auto* line = new QHBoxLayout;
    line->setSpacing(10);
    for (const auto& [field, share] : fields)
        line->addWidget(field, share);
    return line;
}

}  // namespace

Anagrafe::Anagrafe(const app::Services& services, QWidget* parent)
    : app::AreaWindow(parent),
      store_(services.store),
      boxes_(services.boxes),
      navigator_(services.navigator) {
    setObjectName(QStringLiteral("Anagrafe"));
    setWindowTitle(QStringLiteral("Gestione  Clienti"));
    createControls();
    arrangeControls();
    connectControls();
    applyInputRules();
    new app::ClockLine(Label1, Timer1, services.clock, app::kClockSeparatorNarrow);
    new app::DatePicking(Check4, MonthView1, Text18, &services.clock);
}

void Anagrafe::setPrinterWindow(app::OpenPrinterWindow open) {
    openPrinterWindow_ = std::move(open);
    XPButton5->setEnabled(bool(openPrinterWindow_));
}

void Anagrafe::createControls() {
    Label1 = app::makeLabel(QStringLiteral("Label1"), QString());
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));

    XPButton8 = button("XPButton8", QStringLiteral("Chiudi"),
                       QStringLiteral("Ritorna alla Gestione Cliente"));
    XPButton4 = button("XPButton4", QStringLiteral("Inserisci"));
    XPButton1 = button("XPButton1", QStringLiteral("Modifica"));
    XPButton2 = button("XPButton2", QStringLiteral("Pulisci"));
    XPButton3 = button("XPButton3", QStringLiteral("Elimina"));
    XPButton7 = button("XPButton7", QStringLiteral("Visualizza"),
                       QStringLiteral("Visualizza i Clienti registrati "));
    XPButton5 =
        button("XPButton5", QStringLiteral("Stampa"), QStringLiteral("Stampa Elenco Clienti"));
    // Enabled once the program hands the way to the printer window.
    XPButton5->setEnabled(false);

    Combo4 = new QComboBox;
    Combo4->setObjectName(QStringLiteral("Combo4"));
    Combo4->setEditable(true);
    // Typing into the list searches it; it never adds a name of its own.
    Combo4->setInsertPolicy(QComboBox::NoInsert);
    Combo4->setMaxVisibleItems(20);
    Combo4->lineEdit()->setPlaceholderText(QStringLiteral("Seleziona"));

    Check4 = new QCheckBox;
    Check4->setObjectName(QStringLiteral("Check4"));
    Check4->setAccessibleName(QStringLiteral("Calendario"));
    Text18 = lineEdit("Text18", 10);
    MonthView1 = new QCalendarWidget;
    MonthView1->setObjectName(QStringLiteral("MonthView1"));
    MonthView1->setGridVisible(true);
    MonthView1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    MonthView1->setAutoFillBackground(true);
    MonthView1->hide();

    Check7 = new QCheckBox(QStringLiteral("Cambia IDProgressivo"));
    Check7->setObjectName(QStringLiteral("Check7"));
    Check6 = new QCheckBox(QStringLiteral("Azzera Contatore "));
    Check6->setObjectName(QStringLiteral("Check6"));

    Text26 = lineEdit("Text26", 60);
    Text10 = lineEdit("Text10");
    Text10->setReadOnly(true);
    Text25 = lineEdit("Text25", 70);
    Text24 = lineEdit("Text24", 5);
    Text23 = lineEdit("Text23", 50);
    Text22 = lineEdit("Text22", 2);
    Text21 = lineEdit("Text21");
    Text20 = lineEdit("Text20");
    Text15 = lineEdit("Text15");
    Text16 = lineEdit("Text16", 50);
    Text19 = lineEdit("Text19", 16);
    Text19->setToolTip(QStringLiteral("Il codice fiscale si compone di 16 caratteri alfanumerici"));
    Text2 = lineEdit("Text2", 11);
    Text3 = lineEdit("Text3", 50);
    Text1 = lineEdit("Text1", registers::kIbanMaxLength);
    Text1->setToolTip(
        QStringLiteral("IBAN: lettere e cifre (27 per un conto italiano); "
                       "gli spazi della forma stampata sono tolti"));
    Text12 = new QPlainTextEdit;
    Text12->setObjectName(QStringLiteral("Text12"));
    Text12->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text12->setTabChangesFocus(true);

    ListView3 = new QTreeWidget;
    ListView3->setObjectName(QStringLiteral("ListView3"));
    ListView3->setAccessibleName(QStringLiteral("Elenco Clienti"));
    app::prepareReportList(ListView3);
}

void Anagrafe::arrangeControls() {
    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(8, 0, 8, 8);

    auto* menu = new QMenuBar;
    Mesci = menu->addAction(QStringLiteral("&Esci"));
    Mesci->setObjectName(QStringLiteral("Mesci"));
    window->setMenuBar(menu);

    auto* top = new QHBoxLayout;
    top->addWidget(XPButton8);
    top->addStretch();
    top->addWidget(Label1);
    window->addLayout(top);

    frame_ = new QGroupBox;
    pages_ = new QStackedLayout(frame_);
    fieldsPage_ = new QWidget;
    pages_->addWidget(fieldsPage_);
    pages_->addWidget(ListView3);
    window->addWidget(frame_, 1);

    auto* fields = new QVBoxLayout(fieldsPage_);
    fields->setSpacing(8);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(24);
    for (auto* b : {XPButton4, XPButton1, XPButton2, XPButton3})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(XPButton7);
    buttons->addWidget(XPButton5);
    fields->addLayout(buttons);
    fields->addSpacing(6);

    auto* dateBox = new QWidget;
    auto* dateLine = new QHBoxLayout(dateBox);
    dateLine->setContentsMargins(0, 0, 0, 0);
    dateLine->addWidget(Check4);
    dateLine->addWidget(Text18, 1);
    auto* counterBox = new QWidget;
    auto* counterChecks = new QVBoxLayout(counterBox);
    counterChecks->setContentsMargins(0, 0, 0, 0);
    counterChecks->setSpacing(2);
    counterChecks->addWidget(Check7);
    counterChecks->addWidget(Check6);
    auto* dateCaptioned = captioned(QStringLiteral("Data"), dateBox);
    // The caption stands over the box of the check box and the field, so it
    // cannot name the field for screen readers.
    Text18->setAccessibleName(QStringLiteral("Data"));
    fields->addLayout(fieldLine({{captioned(QStringLiteral("Seleziona Cliente"), Combo4), 56},
                                 {dateCaptioned, 20},
                                 {counterBox, 26}}));
    fields->addLayout(fieldLine(
        {{captioned(QStringLiteral("INSERISCI-Ragione Sociale/Cognome-Nome"), Text26), 76},
         {captioned(QStringLiteral("ID Progressivo"), Text10), 26}}));
    fields->addLayout(fieldLine({{captioned(QStringLiteral("Indirizzo"), Text25), 48},
                                 {captioned(QStringLiteral("C.A.P."), Text24), 12},
                                 {captioned(QStringLiteral("Località"), Text23), 36},
                                 {captioned(QStringLiteral("(PR)"), Text22), 8}}));
    fields->addLayout(fieldLine({{captioned(QStringLiteral("Telefono"), Text21), 25},
                                 {captioned(QStringLiteral("Fax"), Text20), 22},
                                 {captioned(QStringLiteral("Cellullare"), Text15), 22},
                                 {captioned(QStringLiteral("E-Mail"), Text16), 38}}));
    fields->addLayout(
        fieldLine({{captioned(QStringLiteral("Codice Fiscale"), Text19), 25},
                   {captioned(QStringLiteral("Partita IVA"), Text2), 25},
                   {captioned(QStringLiteral("Referente/Legale Rappresentante"), Text3), 57}}));
    auto* ibanLine = new QHBoxLayout;
    auto* ibanLabel = new QLabel(QStringLiteral("IBAN"));
    ibanLabel->setBuddy(Text1);
    ibanLine->addWidget(ibanLabel);
    ibanLine->addWidget(Text1, 55);
    ibanLine->addStretch(45);
    fields->addLayout(ibanLine);
    fields->addWidget(captioned(QStringLiteral("Annotazioni"), Text12), 1);

    // The calendar opens over the fields below the date, outside the layout.
    MonthView1->setParent(fieldsPage_);

    setMinimumSize(800, 540);
    resize(820, 560);
}

void Anagrafe::connectControls() {
    connect(Mesci, &QAction::triggered, this, &Anagrafe::leave);
    connect(XPButton4, &QAbstractButton::clicked, this, &Anagrafe::insertClient);
    connect(XPButton1, &QAbstractButton::clicked, this, &Anagrafe::modifyClient);
    connect(XPButton2, &QAbstractButton::clicked, this, &Anagrafe::clearAndReload);
    connect(XPButton3, &QAbstractButton::clicked, this, &Anagrafe::deleteClient);
    connect(XPButton7, &QAbstractButton::clicked, this, &Anagrafe::showClientList);
    connect(XPButton5, &QAbstractButton::clicked, this, [this] {
        if (openPrinterWindow_)
            openPrinterWindow_(this, app::Printout::ClientList);
    });
    connect(XPButton8, &QAbstractButton::clicked, this, &Anagrafe::hideClientList);
    connect(Combo4, &QComboBox::activated, this, &Anagrafe::choose);
    connect(Check6, &QCheckBox::toggled, this, &Anagrafe::resetCounter);
    connect(Check7, &QCheckBox::toggled, this, &Anagrafe::unlockCounter);
    connect(Check4, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            placeCalendar();
    });
    Text10->installEventFilter(this);
}

Anagrafe::~Anagrafe() {
    Combo4->disconnect(this);
}

void Anagrafe::applyInputRules() {
    for (QLineEdit* edit : {Text26, Text25, Text23, Text22, Text19, Text3})
        app::installUpperCase(edit);
    app::installIbanFilter(Text1);
    app::installUpperCase(Text12);
    for (QLineEdit* edit : {Text24, Text21, Text20, Text15, Text2})
        app::installDigitFilter(edit);
    // The counter is a whole number: a text typed there would leave the next
    // client without an identifier.
    Text10->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), Text10));
}

std::optional<ClientSheet> Anagrafe::sheet() const {
    if (const auto found = app::reachSheet(registers::clientSheet(store_.workbook()), boxes_))
        return ClientSheet(*found);
    return std::nullopt;
}

std::optional<Anagrafe::NumberHolders> Anagrafe::numberHolders() const {
    auto clients = sheet();
    if (!clients)
        return std::nullopt;
    const auto invoices = app::reachSheet(registers::invoiceSheet(store_.workbook()), boxes_);
    if (!invoices)
        return std::nullopt;
    NumberHolders holders{*clients, registers::InvoiceRegister(*invoices), std::nullopt};
    if (const auto codes = store_.workbook().sheet(registers::kEinvoiceCodesSheet))
        holders.codes.emplace(*codes);
    return holders;
}

std::optional<double> Anagrafe::freeNumberForNewClient(NumberHolders& holders) {
    const registers::EinvoiceCodes* codes = holders.codes ? &*holders.codes : nullptr;
    const double counter = holders.clients.ensureCounter();
    const registers::IdentifierUse use = registers::identifierUse(
        registers::identifierText(counter), holders.clients, holders.invoices, codes);
    if (!use.any())
        return counter;
    // The counter was reset or changed by hand onto a number in use: the new client
    // would inherit that number's invoices, position and delivery address.
    const double free =
        registers::firstFreeIdentifier(counter, holders.clients, holders.invoices, codes);
    const bool agreed = boxes_.askYesNo(
        QStringLiteral("Il numero %1 del contatore è ancora usato da:\n%2\n\nDato a un nuovo "
                       "cliente, gli passerebbero fatture, situazione e indirizzo della fattura "
                       "elettronica di quel numero.\n\nDare al nuovo cliente il primo numero "
                       "libero, %3? (No: il cliente non viene inserito)")
            .arg(registers::identifierText(counter), use.described(),
                 registers::identifierText(free)),
        app::title::kGestione, Icon::Warning);
    if (!agreed)
        return std::nullopt;
    holders.clients.setCounter(free);
    return free;
}

bool Anagrafe::confirmDeletion(const NumberHolders& holders, const QString& identifier,
                               const QString& storedName) {
    const registers::IdentifierUse use = registers::identifierUse(
        identifier, holders.clients, holders.invoices, holders.codes ? &*holders.codes : nullptr);
    if (use.invoices == 0) {
        QString question = QStringLiteral("Si vuole Eliminare il Soggetto  Selezionato ?");
        if (Text26->text().trimmed() != storedName.trimmed())
            question += QStringLiteral(
                            "\n\nSarà eliminato il cliente %1 come è in archivio: il "
                            "nome scritto nei campi (%2) non è stato salvato.")
                            .arg(storedName.trimmed(), Text26->text().trimmed());
        return boxes_.askYesNo(question, app::title::kGestioneBlankAfter);
    }
    return boxes_.askYesNo(
        QStringLiteral("Al cliente %1 sono intestate:\n%2\n\nLe fatture restano registrate, ma "
                       "i dati del cliente (indirizzo, codice fiscale, partita IVA) non saranno "
                       "più in archivio%3.\n\nSi vuole eliminare il cliente?")
            .arg(storedName.trimmed(), use.invoicesDescribed(),
                 use.uncollected > 0 ? QStringLiteral(", anche per le fatture ancora da incassare")
                                     : QString()),
        app::title::kGestioneBlankAfter, Icon::Warning);
}

std::optional<ClientRecord> Anagrafe::namesake(const ClientSheet& clients, const QString& name) {
    for (const ClientRecord& client : clients.rows()) {
        if (client[Name].trimmed() == name)
            return client;
    }
    return std::nullopt;
}

ClientRecord Anagrafe::fields() const {
    ClientRecord client;
    client[Id] = Text10->text();
    // Blanks around a name would sort it first and hide it from a search.
    client[Name] = Text26->text().trimmed();
    client[Date] = Text18->text();
    client[Address] = Text25->text();
    client[PostalCode] = Text24->text();
    client[Town] = Text23->text();
    client[Province] = Text22->text();
    client[Phone] = Text21->text();
    client[Fax] = Text20->text();
    client[Mobile] = Text15->text();
    client[Email] = Text16->text();
    client[TaxCode] = Text19->text();
    client[VatNumber] = Text2->text();
    client[Iban] = Text1->text();
    client[Contact] = Text3->text();
    client[Notes] = Text12->toPlainText();
    return client;
}

bool Anagrafe::enteredValuesFit() {
    return app::datesAreCalendarDates(boxes_, {Text18}) &&
           app::textsFitCells(
               boxes_, {Text26, Text18, Text25, Text24, Text23, Text22, Text21, Text20, Text15,
                        Text16, Text19, Text2, Text1, Text3, Text12}) &&
           fitsTheEinvoice();
}

bool Anagrafe::fitsTheEinvoice() {
    const QString owner = QStringLiteral("del cliente ") + Text26->text().trimmed();
    // The address and the town are checked for their characters alone: a long one
    // stored before stays as it was, and the export tells its length.
    constexpr int kAnyLength = std::numeric_limits<int>::max();
    if (!app::textsFitEinvoice(boxes_,
                               {{Text26, fatturapa::kNameWhat + owner, fatturapa::kNameLimit},
                                {Text25, QStringLiteral("l'indirizzo ") + owner, kAnyLength},
                                {Text23, QStringLiteral("la località ") + owner, kAnyLength}}))
        return false;
    // A client abroad is named in the electronic invoice by the identifier its own
    // country gave it, checked in the codes window; the Italian ones do not apply.
    const auto codes = store_.workbook().sheet(registers::kEinvoiceCodesSheet);
    const bool abroad =
        choice_.hasChosen() && codes &&
        registers::EinvoiceCodes(*codes).addressing(choice_.chosenIdentifier().trimmed()).country !=
            registers::kItaly;
    return abroad || app::taxIdentifiersValid(boxes_, Text2, Text19, owner);
}

bool Anagrafe::ibanIsValid() {
    // A stored IBAN of an earlier version may still carry the blanks of its printed form.
    Text1->setText(registers::ibanCharacters(Text1->text()));
    if (Text1->text().isEmpty() || registers::isValidIban(Text1->text()))
        return true;
    boxes_.tell(QStringLiteral("Il campo IBAN non è valido: il codice %1 non ha la forma di un "
                               "IBAN o le sue cifre di controllo non corrispondono al resto del "
                               "codice.\nControllare il codice (o lasciarlo vuoto). Nulla è "
                               "stato registrato.")
                    .arg(Text1->text()),
                app::title::kGestione, Icon::Warning);
    Text1->setFocus();
    return false;
}

void Anagrafe::showFields(const ClientRecord& client) {
    Text26->setText(client[Name]);
    Text18->setText(client[Date]);
    Text25->setText(client[Address]);
    Text24->setText(client[PostalCode]);
    Text23->setText(client[Town]);
    Text22->setText(client[Province]);
    Text21->setText(client[Phone]);
    Text20->setText(client[Fax]);
    Text15->setText(client[Mobile]);
    Text16->setText(client[Email]);
    Text19->setText(client[TaxCode]);
    Text2->setText(client[VatNumber]);
    Text1->setText(client[Iban]);
    Text3->setText(client[Contact]);
    Text12->setPlainText(client[Notes]);
    Text10->setText(client[Id]);
}

void Anagrafe::showCounter() {
    const auto clients = sheet();
    const std::optional<double> next = clients ? clients->counter() : std::nullopt;
    Text10->setText(next ? registers::identifierText(*next) : QString());
}

std::optional<int> Anagrafe::chosenRow() const {
    const auto clients = sheet();
    if (!clients)
        return std::nullopt;
    return choice_.chosenRow(*clients);
}

void Anagrafe::placeCalendar() {
    MonthView1->adjustSize();
    const QPoint below = Text18->mapTo(fieldsPage_, QPoint(0, Text18->height() + 2));
    const int x = std::min(below.x(), fieldsPage_->width() - MonthView1->width());
    MonthView1->move(std::max(0, x), below.y());
    MonthView1->raise();
}

void Anagrafe::activate() {
    pages_->setCurrentWidget(fieldsPage_);
    XPButton8->hide();
    if (auto clients = sheet())
        clients->ensureCounter();
    showCounter();
    Text26->setFocus();
    Check4->setChecked(false);
    // The selection list starts again from its placeholder: no client is chosen.
    choice_.forget();
    loadClients();
}

void Anagrafe::loadClients() {
    const auto clients = sheet();
    if (!clients)
        return;
    Combo4->clear();
    Combo4->addItems(choice_.load(*clients));
    Combo4->setCurrentIndex(-1);
    Combo4->setEditText(QString());
}

void Anagrafe::choose(int position) {
    if (Combo4->currentText().isEmpty() || position < 0)
        return;
    const auto found = sheet();
    if (!found)
        return;
    const ClientSheet& clients = *found;
    // The list stands for the rows as they were loaded; when they have moved
    // since, its positions no longer name the same clients.
    if (!choice_.inPlace(clients, position)) {
        boxes_.tell(QStringLiteral("L'elenco dei clienti era cambiato ed è stato ricaricato: "
                                   "scegliere di nuovo il cliente."),
                    app::title::kGestione, Icon::Information);
        choice_.forget();
        loadClients();
        return;
    }
    showFields(clients.row(registers::client::kFirstRow + position));
    choice_.choose(position);
}

void Anagrafe::insertClient() {
    if (Text26->text().trimmed().isEmpty()) {
        boxes_.tell(
            QStringLiteral(" ERRORE- Il Campo RAGIONE SOCIALE/COGNOME deve essere compilato"),
            app::title::kGestione);
        Text26->setFocus();
        return;
    }
    if (!enteredValuesFit() || !ibanIsValid())
        return;
    auto holders = numberHolders();
    if (!holders)
        return;
    const ClientRecord client = fields();
    if (const std::optional<ClientRecord> twin = namesake(holders->clients, client[Name])) {
        // A second client of the same name is legitimate (two people, one name) but
        // mostly a slip: the user says which.
        if (!boxes_.askYesNo(
                QStringLiteral("Un cliente di nome %1 è già registrato (ID Progressivo %2).\n"
                               "Inserire comunque un secondo cliente con lo stesso nome?")
                    .arg(client[Name], (*twin)[Id]),
                app::title::kGestioneBlankBefore, Icon::Warning))
            return;
    } else if (!boxes_.askYesNo(QStringLiteral(" Vuoi Inserire questo Cliente ?"),
                                app::title::kGestioneBlankBefore)) {
        clearFields();
        return;
    }
    const std::optional<double> number = freeNumberForNewClient(*holders);
    if (!number) {
        showCounter();
        return;
    }
    Text10->setText(registers::identifierText(*number));
    if (const registers::RowChange added = holders->clients.add(client); !added) {
        boxes_.tell(added.error().message, app::title::kGestione, Icon::Warning);
        return;
    }
    app::saveThenTell(store_, boxes_, QStringLiteral(" Ciente Aggiunto"), app::title::kGestione,
                      Icon::Information);
    clearFields();
    loadClients();
}

void Anagrafe::modifyClient() {
    if (Text26->text().trimmed().isEmpty()) {
        boxes_.tell(QStringLiteral(" Il campo :  COGNOME/RAGIONE SOCIALE    deve essere compilato"),
                    app::title::kGestioneBlankAfter, Icon::Information);
        Combo4->setFocus();
        return;
    }
    if (!enteredValuesFit() || !ibanIsValid())
        return;
    if (!choice_.hasChosen()) {
        boxes_.tell(
            QStringLiteral("Nessun cliente scelto: scegliere nell'elenco \"Seleziona Cliente\" "
                           "il cliente da modificare. Nulla è stato modificato."),
            app::title::kGestioneBlankAfter, Icon::Information);
        Combo4->setFocus();
        return;
    }
    const std::optional<int> row = chosenRow();
    if (!row) {
        boxes_.tell(QStringLiteral("Il cliente scelto non è più nell'archivio: "
                                   "nulla è stato modificato."),
                    app::title::kGestioneBlankAfter, Icon::Warning);
        choice_.forget();
        loadClients();
        return;
    }
    ClientRecord client = fields();
    // A client keeps its identifier for as long as invoices refer to it, whatever
    // the counter field shows.
    client[Id] = choice_.chosenIdentifier();
    if (auto clients = sheet())
        clients->update(*row, client);
    app::saveThenTell(store_, boxes_, QStringLiteral("Cliente Modificato"),
                      app::title::kGestioneTwoBlanksBefore);
    clearFields();
    loadClients();
}

void Anagrafe::deleteClient() {
    if (Text26->text().isEmpty()) {
        boxes_.tell(QStringLiteral("Bisogna Selezionare il Cliente................ ......."),
                    app::title::kGestioneBlankAfter, Icon::Information);
        return;
    }
    auto holders = numberHolders();
    if (!holders)
        return;
    const QString identifier = choice_.hasChosen() ? choice_.chosenIdentifier() : Text10->text();
    // Only the client the fields show goes: the chosen one, or else the one that
    // carries both the identifier and the name in the fields.
    registers::ClientSheet& clients = holders->clients;
    const std::optional<int> row =
        choice_.hasChosen() ? chosenRow() : clients.findClient(Text10->text(), Text26->text());
    if (!row) {
        boxes_.tell(QStringLiteral("Il cliente dei campi non è nell'archivio: nessun cliente è "
                                   "stato eliminato."),
                    app::title::kGestioneBlanksAround, Icon::Warning);
        clearFields();
        loadClients();
        return;
    }
    // The question names the client as stored, whatever the fields now show.
    const QString name = clients.row(*row)[Name];
    if (!confirmDeletion(*holders, identifier, name))
        return;
    clients.removeRow(*row);
    // The delivery address goes with the client, unless another client row still
    // carries the same number.
    if (holders->codes &&
        registers::identifierUse(identifier, clients, holders->invoices, &*holders->codes)
            .clientName.isEmpty()) {
        const registers::ClientAddressing none{registers::kNoRecipientCode, {}};
        if (holders->codes->addressing(identifier.trimmed()) != none)
            holders->codes->setAddressing(identifier.trimmed(), name, none);
    }
    app::saveThenTell(store_, boxes_, QStringLiteral("Cliente Eliminato"),
                      app::title::kGestioneBlanksAround, Icon::Information);
    clearFields();
    loadClients();
}

void Anagrafe::clearAndReload() {
    clearFields();
    loadClients();
}

void Anagrafe::clearFields() {
    for (QLineEdit* edit : {Text26, Text18, Text25, Text24, Text23, Text22, Text21, Text20, Text15,
                            Text16, Text19, Text2, Text1, Text3, Text10})
        edit->clear();
    Text12->clear();
    Combo4->setCurrentIndex(-1);
    Combo4->setEditText(QString());
    Check6->setChecked(false);
    Check7->setChecked(false);
    Check4->setChecked(false);
    choice_.forget();
    showCounter();
}

void Anagrafe::showClientList() {
    pages_->setCurrentWidget(ListView3);
    XPButton8->show();
    fillClientList();
}

void Anagrafe::fillClientList() {
    auto found = sheet();
    if (!found)
        return;
    ClientSheet& clients = *found;
    clients.sortByName();
    // The sort moved the rows: the selection list is loaded again so that its
    // positions name the right clients, and the chosen client stays chosen.
    loadClients();
    if (const std::optional<int> row = chosenRow())
        Combo4->setCurrentIndex(*row - registers::client::kFirstRow);
    else
        choice_.forget();
    setClientListHeaders(ListView3, clients.headers());
    if (clients.worksheet().value(2, Id).isEmpty()) {
        boxes_.tell(QStringLiteral("Non ci sono Clienti registrati"),
                    app::title::kGestioneBlankBefore);
        return;
    }
    addClientItems(ListView3, clients.rows());
}

void Anagrafe::hideClientList() {
    pages_->setCurrentWidget(fieldsPage_);
    XPButton8->hide();
}

void Anagrafe::resetCounter(bool ticked) {
    if (!ticked)
        return;
    if (auto clients = sheet())
        clients->setCounter(1);
    showCounter();
    Check6->setChecked(false);
}

void Anagrafe::unlockCounter(bool ticked) {
    if (!ticked)
        return;
    Text10->setReadOnly(false);
    boxes_.tell(
        QStringLiteral("Ora puoi Cambiare il Progressivo compilando il campo ID PROGRESSIVO"),
        QStringLiteral(" Talvese"), Icon::Information);
    Text10->clear();
    Text10->setFocus();
    Check7->setChecked(false);
}

bool Anagrafe::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Text10 && event->type() == QEvent::FocusOut) {
        // Leaving the window for a moment (another program, a menu) is not leaving the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            counterFieldLeft();
    }
    return app::AreaWindow::eventFilter(watched, event);
}

void Anagrafe::counterFieldLeft() {
    // Only a field the user unlocked sets the counter: a locked one shows the
    // counter or a chosen client's identifier, which must not become the counter.
    if (Text10->isReadOnly())
        return;
    if (const auto typed = store::readRegionalNumber(Text10->text())) {
        if (auto clients = sheet())
            clients->setCounter(*typed);
    }
    Text10->setReadOnly(true);
    if (Text10->text().isEmpty())
        showCounter();
}

void Anagrafe::leave() {
    counterFieldLeft();
    app::saveStoreTelling(store_, boxes_);
    navigator_.backToMainMenu(this);
}

}  // namespace clients
