#include "receivables/incassi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QTreeView>
#include <QVBoxLayout>

#include <memory>

#include "app/clock.h"
#include "app/controls_factory.h"
#include "app/date_text.h"
#include "app/dialog_titles.h"
#include "app/list_print.h"
#include "app/message_boxes.h"
#include "app/navigator.h"
#include "app/reach_sheet.h"
#include "app/services.h"
#include "app/tab_order.h"
#include "controls/xpbutton.h"
#include "printing/list_printing.h"
#include "receivables/listed_invoices_model.h"
#include "registers/client_sheet.h"
#include "registers/collection_cell.h"
#include "registers/invoice_extras.h"
#include "registers/invoice_layout.h"
#include "store/sheet_idioms.h"
#include "store/workbook_store.h"

namespace receivables {

namespace {

using registers::receivables::Built;
using registers::receivables::ListKind;

// Client messages and list messages carry two titles that differ by a blank.

const QString kPositionCaption = QStringLiteral("Posizione Cliente");
const QString kCollectionsCaption = QStringLiteral("Visualizza");

// The list view's columns; the collections lists show the first six.
std::vector<ListColumn> listColumns(ListKind kind) {
    std::vector<ListColumn> columns = {
        {QStringLiteral("ID"), 900, Qt::AlignLeft},
        {QStringLiteral("CLIENTE"), 3000, Qt::AlignLeft},
        {QStringLiteral("N.FATT."), 1000, Qt::AlignLeft},
        {QStringLiteral("DATA"), 1500, Qt::AlignLeft},
        {QStringLiteral("TOTALE FT"), 1000, Qt::AlignRight},
        {QStringLiteral("NETTO FT"), 1000, Qt::AlignRight},
    };
    if (kind == ListKind::ClientPosition)
        columns.push_back({QStringLiteral("INCASSATO"), 1500, Qt::AlignRight});
    return columns;
}

QString invoicesText(int count) {
    return count == 1 ? QStringLiteral("1 fattura") : QStringLiteral("%1 fatture").arg(count);
}

// The line under the list: how many invoices and what they add up to.
QString totalsText(const registers::receivables::ListTotals& totals) {
    QString text = QStringLiteral("%1     TOTALE FT: %2     NETTO FT: %3")
                       .arg(invoicesText(totals.invoices), totals.total.text(), totals.net.text());
    if (totals.unreadable > 0)
        text += QStringLiteral("     (%1 importi non numerici esclusi dalle somme)")
                    .arg(totals.unreadable);
    return text;
}

// The invoices a collections list leaves out, said under its totals; empty when none.
QString leftOutText(const store::Worksheet& sheet, ListKind kind) {
    if (kind == ListKind::ClientPosition)
        return {};
    const QString unreadable =
        registers::unreadableCollectionsText(registers::unreadableCollections(sheet));
    if (unreadable.isEmpty())
        return {};
    return QStringLiteral("Escluse dall'elenco: ") + unreadable +
           QStringLiteral(". Correggerle nel registro delle fatture.");
}

controls::XPButton* button(const char* name, const QString& caption, const QString& tip) {
    auto* b = app::makeButton(QString::fromLatin1(name), caption, tip);
    b->setAccessibleName(caption);
    b->setMinimumSize(110, 32);
    return b;
}

}  // namespace

Incassi::Incassi(const app::Services& services, QWidget* parent)
    : app::AreaWindow(parent),
      services_(services),
      store_(services.store),
      boxes_(services.boxes),
      navigator_(services.navigator) {
    setObjectName(QStringLiteral("Incassi"));
    setWindowTitle(QStringLiteral("Gestione Incassi"));
    createControls();
    arrangeControls();
    connectControls();
    setMode(Mode::Collections);
    hideList();
}

void Incassi::createControls() {
    Frame1 = new QGroupBox;
    Frame1->setObjectName(QStringLiteral("Frame1"));

    Check1 = new QCheckBox(QStringLiteral("Da incassare"));
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setToolTip(QStringLiteral("Le fatture ancora da incassare"));
    Check2 = new QCheckBox(QStringLiteral("Incassato"));
    Check2->setObjectName(QStringLiteral("Check2"));
    Check2->setToolTip(QStringLiteral("Le fatture già incassate"));

    Label1 = app::makeLabel(QStringLiteral("Label1"), QStringLiteral("Seleziona il Cliente"));
    Combo1 = new QComboBox;
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    // Typing into the choice searches it; it never adds a name of its own.
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setMaxVisibleItems(20);
    Combo1->setMinimumContentsLength(30);
    Label1->setBuddy(Combo1);
    Combo1->setAccessibleName(Label1->text());

    clientIdLabel_ = app::makeLabel(QStringLiteral("LabelIdCliente"), QStringLiteral("ID Cliente"));
    Text1 = app::makeLineEdit(QStringLiteral("Text1"));
    Text1->setMaximumWidth(120);
    clientIdLabel_->setBuddy(Text1);
    Text1->setAccessibleName(clientIdLabel_->text());

    XPButton3 = button("XPButton3", QStringLiteral("Ricerca"),
                       QStringLiteral("Elenca le fatture del Cliente selezionato"));

    Elenco = app::makeLabel(QStringLiteral("Elenco"), QString());
    QFont larger = Elenco->font();
    larger.setPointSizeF(larger.pointSizeF() + 2);
    larger.setBold(true);
    Elenco->setFont(larger);

    model_ = new ListedInvoicesModel(this);
    ListView3 = new QTreeView;
    ListView3->setObjectName(QStringLiteral("ListView3"));
    ListView3->setAccessibleName(QStringLiteral("Elenco Fatture"));
    ListView3->setModel(model_);
    app::prepareReportList(ListView3);

    Totali = app::makeLabel(QStringLiteral("Totali"), QString());
    Totali->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // The invoices left out may be named at length under the totals.
    Totali->setWordWrap(true);
    QFont bold = Totali->font();
    bold.setBold(true);
    Totali->setFont(bold);

    XPButton2 = button("XPButton2", QStringLiteral("Stampa"), QStringLiteral("Stampa l'elenco"));
    XPButton1 = button("XPButton1", QStringLiteral("Esci"), QStringLiteral("Torna al menu"));
}

void Incassi::arrangeControls() {
    auto* checks = new QHBoxLayout;
    checks->setSpacing(40);
    checks->addWidget(Check1);
    checks->addWidget(Check2);
    checks->addStretch();

    auto* choice = new QGridLayout;
    choice->setHorizontalSpacing(12);
    choice->setVerticalSpacing(2);
    choice->addWidget(Label1, 0, 0);
    choice->addWidget(Combo1, 1, 0);
    choice->addWidget(clientIdLabel_, 0, 1);
    choice->addWidget(Text1, 1, 1);
    choice->addWidget(XPButton3, 1, 2);
    choice->setColumnStretch(0, 1);

    auto* frame = new QVBoxLayout(Frame1);
    frame->setContentsMargins(16, 16, 16, 16);
    frame->setSpacing(12);
    frame->addLayout(checks);
    frame->addLayout(choice);

    // The frame and the list take the same place: one of them shows at a time.
    // The frame or the list shows, never both. The list takes the height it is
    // given; while it is hidden the stretch below keeps the frame at the top.
    auto* body = new QVBoxLayout;
    body->setSpacing(6);
    body->addWidget(Frame1);
    body->addWidget(Elenco);
    body->addWidget(ListView3, 1);
    body->addWidget(Totali);
    body->addStretch(0);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(XPButton2);
    buttons->addStretch();
    buttons->addWidget(XPButton1);

    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(12, 12, 12, 12);
    window->setSpacing(10);
    window->addLayout(body, 1);
    window->addLayout(buttons);

    app::orderTabs({Check1, Check2, Combo1, Text1, XPButton3, ListView3, XPButton2, XPButton1});

    int listWidth = 0;
    for (const ListColumn& column : listColumns(ListKind::ClientPosition))
        listWidth += pixelsOfTwips(column.twips);
    setMinimumSize(listWidth + 60, 460);
    resize(listWidth + 80, 520);
}

void Incassi::connectControls() {
    connect(Combo1, &QComboBox::activated, this, &Incassi::chooseClient);
    connect(XPButton3, &QAbstractButton::clicked, this, &Incassi::search);
    connect(Check1, &QCheckBox::toggled, this, &Incassi::showToCollect);
    connect(Check2, &QCheckBox::toggled, this, &Incassi::showCollected);
    connect(XPButton2, &QAbstractButton::clicked, this, &Incassi::print);
    connect(XPButton1, &QAbstractButton::clicked, this, &Incassi::leave);
}

std::optional<store::Worksheet> Incassi::invoices() const {
    const auto sheet = app::reachSheet(registers::invoiceSheet(store_.workbook()), boxes_);
    if (sheet)
        sheet->select();
    return sheet;
}

void Incassi::setMode(Mode mode) {
    mode_ = mode;
    const bool position = mode == Mode::ClientPosition;
    Check1->setVisible(!position);
    Check2->setVisible(!position);
    for (QWidget* control :
         std::initializer_list<QWidget*>{Combo1, Label1, clientIdLabel_, Text1, XPButton3})
        control->setVisible(position);
    Frame1->setTitle(position ? kPositionCaption : kCollectionsCaption);
}

void Incassi::enterClientPosition() {
    setMode(Mode::ClientPosition);
    if (!loadClients())
        boxes_.tell(QStringLiteral("Non ci sono Clienti inseriti !"), app::title::kGestione);
}

void Incassi::enterCollections() {
    setMode(Mode::Collections);
}

void Incassi::activate() {
    hideList();
    Frame1->show();
    Check1->setChecked(false);
    Check2->setChecked(false);
    // The way in from the menu follows at once and tells when there is no client,
    // so the reload here is silent: one notice, and none in the collections.
    if (mode_ == Mode::ClientPosition)
        loadClients();
}

bool Incassi::loadClients() {
    Combo1->clear();
    // A fresh choice: no client is chosen, so no old identifier is searched for.
    Text1->clear();
    const auto found = app::reachSheet(registers::clientSheet(store_.workbook()), boxes_);
    if (!found)
        return false;
    const store::Worksheet& clients = *found;
    clients.select();
    const QStringList names = clients_.load(registers::ClientSheet(clients));
    if (names.isEmpty())
        return false;
    // The header is the first choice, and a blank name ends the list.
    Combo1->addItem(clients.text(1, registers::client::Name));
    Combo1->addItems(names);
    Combo1->setCurrentIndex(-1);
    Combo1->setEditText(QString());
    return true;
}

void Incassi::chooseClient(int position) {
    // The identifier loaded with the name: the choice names the client it showed.
    if (position == 0)
        Text1->clear();
    else if (position > 0)
        Text1->setText(clients_.identifier(position - 1));
}

void Incassi::search() {
    const QString typed = Combo1->currentText();
    if (typed == registers::clientLayout().headers[registers::client::Name - 1]) {
        boxes_.tell(QStringLiteral("Devi Selezionare un Cliente  !"), app::title::kGestione);
        return;
    }
    // A name in the choice must be one of its clients; with none, the identifier
    // field says whose invoices are wanted.
    if (!typed.isEmpty()) {
        const std::optional<int> position = clients_.positionOf(typed, Combo1->currentIndex() - 1);
        if (!position) {
            boxes_.tell(QStringLiteral("Nessun cliente si chiama \"%1\": scegliere il cliente "
                                       "nell'elenco.")
                            .arg(typed),
                        app::title::kGestione, app::Icon::Warning);
            return;
        }
        Combo1->setCurrentIndex(*position + 1);
        Text1->setText(clients_.identifier(*position));
    }
    const auto sheet = invoices();
    if (!sheet)
        return;
    switch (registers::receivables::buildClientPosition(*sheet, Text1->text())) {
        case Built::EmptyRegister:
            boxes_.tell(QStringLiteral("Nessuna Fattura  è   presente ..............! "),
                        app::title::kGestioneBlankAfter);
            return;
        case Built::NothingListed:
            boxes_.tell(QStringLiteral("Nessuna Fattura  è   presente per il Cliente "
                                       "Selezionato...............! "),
                        app::title::kGestioneBlankAfter);
            navigator_.backToMainMenu(this);
            return;
        case Built::Listed:
            Frame1->hide();
            showList(ListKind::ClientPosition);
            return;
    }
}

void Incassi::showToCollect(bool ticked) {
    if (!ticked)
        return;
    const auto sheet = invoices();
    if (!sheet)
        return;
    Check2->setChecked(false);
    Frame1->hide();
    ListView3->show();
    model_->clear();
    switch (registers::receivables::buildToCollect(*sheet)) {
        case Built::EmptyRegister:
            boxes_.tell(QStringLiteral("Nessuna Fattura da incassare è presente...............! "),
                        app::title::kGestioneBlankAfter);
            navigator_.backToMainMenu(this);
            return;
        case Built::NothingListed:
            boxes_.tell(QStringLiteral("Nessuna Fattura da Incassare è presente...............! "),
                        app::title::kGestioneBlankAfter);
            Frame1->show();
            Check1->setChecked(false);
            hideList();
            return;
        case Built::Listed:
            showList(ListKind::ToCollect);
            return;
    }
}

void Incassi::showCollected(bool ticked) {
    if (!ticked)
        return;
    const auto sheet = invoices();
    if (!sheet)
        return;
    Check1->setChecked(false);
    Frame1->hide();
    ListView3->show();
    model_->clear();
    switch (registers::receivables::buildCollected(*sheet)) {
        case Built::EmptyRegister:
            boxes_.tell(QStringLiteral("Nessuna Fattura Incassata è presente...............! "),
                        app::title::kGestioneBlankAfter);
            navigator_.backToMainMenu(this);
            return;
        case Built::NothingListed:
            boxes_.tell(QStringLiteral("Nessuna Fattura  è   presente...............! "),
                        app::title::kGestioneBlankAfter);
            Frame1->show();
            Check2->setChecked(false);
            hideList();
            return;
        case Built::Listed:
            showList(ListKind::Collected);
            return;
    }
}

void Incassi::showList(ListKind kind) {
    const auto found = invoices();
    if (!found)
        return;
    const store::Worksheet& sheet = *found;
    shownKind_ = kind;
    if (const auto extras = registers::invoiceExtrasSheet(store_.workbook()))
        registers::receivables::markCreditNotes(sheet, registers::InvoiceExtras(*extras));
    std::vector<ListColumn> columns = listColumns(kind);
    model_->show(sheet, registers::receivables::listedCount(sheet), columns);
    for (int i = 0; i < int(columns.size()); ++i)
        ListView3->header()->resizeSection(i, pixelsOfTwips(columns[std::size_t(i)].twips));
    QString totals = totalsText(registers::receivables::listTotals(sheet));
    if (const QString leftOut = leftOutText(sheet, kind); !leftOut.isEmpty())
        totals += u'\n' + leftOut;
    Totali->setText(totals);
    Totali->setAccessibleName(totals);
    QString caption;
    switch (kind) {
        case ListKind::ClientPosition:
            caption = kPositionCaption;
            if (!Combo1->currentText().isEmpty())
                caption += QStringLiteral(": ") + Combo1->currentText();
            else if (!Text1->text().isEmpty())
                caption += QStringLiteral(": ID Cliente ") + Text1->text();
            break;
        case ListKind::ToCollect:
            caption = QStringLiteral("Fatture da incassare");
            break;
        case ListKind::Collected:
            caption = QStringLiteral("Fatture incassate");
            break;
    }
    Elenco->setText(caption);
    Elenco->setAccessibleName(caption);
    for (QWidget* shown : std::initializer_list<QWidget*>{Elenco, ListView3, Totali})
        shown->show();
    XPButton2->setEnabled(true);
}

void Incassi::hideList() {
    for (QWidget* hidden : std::initializer_list<QWidget*>{Elenco, ListView3, Totali})
        hidden->hide();
    Totali->clear();
    model_->clear();
    // Printing needs a list on screen.
    XPButton2->setEnabled(false);
}

void Incassi::print() {
    const QDateTime now = services_.clock.now();
    printing::PrintedList list;
    list.title = QStringLiteral("Gestione Incassi ") + app::dateText(now.date()) + u' ' +
                 app::timeText(now.time());
    list.heading = QStringLiteral("Brisvel");
    list.fontName = QStringLiteral("Arial");
    list.fontSize = 10;
    for (int column = 0; column < model_->columnCount(); ++column) {
        list.columnHeadings << model_->columns()[std::size_t(column)].header;
        list.columnWidths.push_back(ListView3->columnWidth(column));
    }
    list.amountColumns = {registers::receivables::Total - registers::receivables::Id,
                          registers::receivables::Net - registers::receivables::Id};
    const auto found = invoices();
    if (!found)
        return;
    const store::Worksheet& sheet = *found;
    const int lastColumn = registers::receivables::lastListColumn(shownKind_);
    const int rows = model_->rowCount();
    list.rows.reserve(std::size_t(rows) + 2);
    for (int row = 0; row < rows; ++row)
        list.rows.push_back(registers::receivables::listedRow(
            sheet, registers::receivables::kFirstListRow + row, lastColumn));
    // The same totals as under the list on screen, in the amount columns.
    const auto totals = registers::receivables::listTotals(sheet);
    QStringList totalsRow(model_->columnCount());
    totalsRow[1] = QStringLiteral("TOTALE: ") + invoicesText(totals.invoices);
    totalsRow[registers::receivables::Total - registers::receivables::Id] = totals.total.text();
    totalsRow[registers::receivables::Net - registers::receivables::Id] = totals.net.text();
    list.rows.push_back(QStringList(model_->columnCount()));
    list.rows.push_back(totalsRow);
    if (const QString leftOut = leftOutText(sheet, shownKind_); !leftOut.isEmpty())
        list.rows.push_back({QString(), leftOut});

    // Printed or not (the user was told why), the window stays as it is.
    app::printListOnDefaultPrinter(services_, list, this);
}

void Incassi::leave() {
    if (mode_ == Mode::ClientPosition)
        setMode(Mode::Collections);
    navigator_.backToMainMenu(this);
}

}  // namespace receivables
