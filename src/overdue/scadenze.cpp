#include "overdue/scadenze.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QScopedValueRollback>
#include <QTreeView>
#include <QVBoxLayout>

#include <set>

#include "app/clock.h"
#include "app/controls_factory.h"
#include "app/date_picking.h"
#include "app/date_text.h"
#include "app/dialog_titles.h"
#include "app/entry_checks.h"
#include "app/list_print.h"
#include "app/message_boxes.h"
#include "app/navigator.h"
#include "app/reach_sheet.h"
#include "app/store_saving.h"
#include "app/tab_order.h"
#include "controls/xpbutton.h"
#include "overdue/overdue_model.h"
#include "printing/letter_printing.h"
#include "registers/client_sheet.h"
#include "registers/collection_cell.h"
#include "registers/entered_values.h"
#include "registers/invoice_register.h"
#include "registers/user_data.h"
#include "store/typed_entry.h"
#include "store/workbook_store.h"

namespace overdue {

namespace {

using registers::overdue::Line;
using registers::overdue::List;

QString invoicesText(int count) {
    return count == 1 ? QStringLiteral("1 fattura") : QStringLiteral("%1 fatture").arg(count);
}

// How many rows were left out and why, under the totals; empty when none was.
QString leftOutText(const List& list) {
    QStringList reasons;
    if (list.unreadableDates > 0)
        reasons << QStringLiteral("%1 con la data non leggibile")
                       .arg(invoicesText(list.unreadableDates));
    if (list.unreadableAmounts > 0)
        reasons << QStringLiteral("%1 con un importo non leggibile")
                       .arg(invoicesText(list.unreadableAmounts));
    if (!list.unreadableCollections.isEmpty())
        reasons << registers::unreadableCollectionsText(list.unreadableCollections);
    if (reasons.isEmpty())
        return {};
    return QStringLiteral("Escluse dall'elenco e dai totali: ") +
           reasons.join(QStringLiteral(", ")) +
           QStringLiteral(". Correggerle nel registro delle fatture.");
}

controls::XPButton* button(const char* name, const QString& caption, const QString& tip) {
    auto* b = app::makeButton(QString::fromLatin1(name), caption, tip);
    b->setAccessibleName(caption);
    b->setMinimumSize(150, 32);
    return b;
}

// "fattura n. 3 del 05/03/2024".
QString documentText(const Line& line) {
    return QStringLiteral("%1 n. %2 del %3")
        .arg(line.creditNote ? QStringLiteral("nota di credito") : QStringLiteral("fattura"),
             line.number, app::dateText(line.date));
}

// "fattura n. 3 del 05/03/2024, CLIENTE SRL: 1.020,00" for the confirmation.
QString lineText(const Line& line) {
    return QStringLiteral("%1, %2: %3").arg(documentText(line), line.client, line.net.text());
}

}  // namespace

Scadenze::Scadenze(const app::Services& services, QWidget* parent)
    : app::AreaWindow(parent),
      services_(services),
      openUrl_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    setObjectName(QStringLiteral("Scadenze"));
    setWindowTitle(QStringLiteral("Scadenze"));
    createControls();
    arrangeControls();
    connectControls();
}

void Scadenze::createControls() {
    heading_ = app::makeLabel(QStringLiteral("Elenco"),
                              QStringLiteral("Fatture da incassare, dalla scadenza più recente"));
    QFont larger = heading_->font();
    larger.setPointSizeF(larger.pointSizeF() + 2);
    larger.setBold(true);
    heading_->setFont(larger);
    heading_->setAccessibleName(heading_->text());

    model_ = new OverdueModel(this);
    list_ = new QTreeView;
    list_->setObjectName(QStringLiteral("ListaScadenze"));
    list_->setAccessibleName(QStringLiteral("Fatture da incassare"));
    list_->setModel(model_);
    app::prepareReportList(list_);
    // Several invoices are collected at once.
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (int c = 0; c < OverdueModel::ColumnCount; ++c)
        list_->header()->resizeSection(c, OverdueModel::width(OverdueModel::Column(c)));

    totals_ = app::makeLabel(QStringLiteral("Totali"), QString());
    totals_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = totals_->font();
    bold.setBold(true);
    totals_->setFont(bold);
    leftOut_ = app::makeLabel(QStringLiteral("Escluse"), QString());
    leftOut_->setStyleSheet(QStringLiteral("color: rgb(190, 0, 0);"));
    leftOut_->setWordWrap(true);

    dateLabel_ = app::makeLabel(QStringLiteral("LabelDataIncasso"), QStringLiteral("Data incasso"));
    dateField_ = app::makeLineEdit(QStringLiteral("DataIncasso"), 10);
    dateField_->setFixedWidth(100);
    dateField_->setAlignment(Qt::AlignCenter);
    dateLabel_->setBuddy(dateField_);
    dateField_->setAccessibleName(dateLabel_->text());
    calendarBox_ = new QCheckBox(QStringLiteral("Calendario"));
    calendarBox_->setObjectName(QStringLiteral("CalendarioIncasso"));
    calendarBox_->setAccessibleName(QStringLiteral("Calendario Data incasso"));
    calendar_ = new QCalendarWidget(this);
    calendar_->setObjectName(QStringLiteral("Calendario"));
    calendar_->setAccessibleName(QStringLiteral("Calendario Data incasso"));
    calendar_->setGridVisible(true);
    calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendar_->setAutoFillBackground(true);

    collectButton_ =
        button("SegnaIncassate", QStringLiteral("Segna incassate"),
               QStringLiteral("Registra l'incasso delle fatture scelte nella data indicata"));
    printButton_ = button("StampaSollecito", QStringLiteral("Stampa sollecito"),
                          QStringLiteral("Stampa la lettera di sollecito al cliente della fattura "
                                         "scelta"));
    pdfButton_ = button("SollecitoPdf", QStringLiteral("Sollecito in PDF"),
                        QStringLiteral("Salva in un file PDF la lettera di sollecito al cliente "
                                       "della fattura scelta"));
    mailButton_ = button("SollecitoEmail", QStringLiteral("Sollecito per e-mail"),
                         QStringLiteral("Apre nel programma di posta il sollecito al cliente della "
                                        "fattura scelta"));
    leaveButton_ = button("Esci", QStringLiteral("Esci"), QStringLiteral("Torna al menu"));
}

void Scadenze::arrangeControls() {
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(dateLabel_);
    dateRow->addWidget(dateField_);
    dateRow->addWidget(calendarBox_);
    dateRow->addStretch();
    auto* collection = new QGroupBox(QStringLiteral("Incasso delle fatture scelte"));
    collection->setObjectName(QStringLiteral("Incasso"));
    auto* collectionLayout = new QVBoxLayout(collection);
    collectionLayout->addLayout(dateRow);
    collectionLayout->addWidget(collectButton_, 0, Qt::AlignLeft);

    auto* reminders = new QGroupBox(QStringLiteral("Sollecito al cliente della fattura scelta"));
    reminders->setObjectName(QStringLiteral("Sollecito"));
    auto* reminderLayout = new QHBoxLayout(reminders);
    for (auto* b : {printButton_, pdfButton_, mailButton_})
        reminderLayout->addWidget(b);

    auto* actions = new QHBoxLayout;
    actions->setSpacing(16);
    actions->addWidget(collection);
    actions->addWidget(reminders);
    actions->addStretch();
    actions->addWidget(leaveButton_, 0, Qt::AlignBottom);

    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(12, 12, 12, 12);
    window->setSpacing(8);
    window->addWidget(heading_);
    window->addWidget(list_, 1);
    window->addWidget(totals_);
    window->addWidget(leftOut_);
    window->addSpacing(6);
    window->addLayout(actions);

    app::orderTabs({list_, dateField_, calendarBox_, calendar_, collectButton_, printButton_,
                    pdfButton_, mailButton_, leaveButton_});

    int listWidth = 0;
    for (int c = 0; c < OverdueModel::ColumnCount; ++c)
        listWidth += OverdueModel::width(OverdueModel::Column(c));
    setMinimumSize(listWidth + 60, 560);
    resize(listWidth + 80, 640);
}

void Scadenze::connectControls() {
    new app::DatePicking(calendarBox_, calendar_, dateField_, &services_.clock);
    connect(calendarBox_, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            placeCalendar();
    });
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &Scadenze::chooseWholeGroups);
    connect(collectButton_, &QAbstractButton::clicked, this, &Scadenze::markCollected);
    connect(printButton_, &QAbstractButton::clicked, this, &Scadenze::printReminder);
    connect(pdfButton_, &QAbstractButton::clicked, this, &Scadenze::saveReminderAsPdf);
    connect(mailButton_, &QAbstractButton::clicked, this, &Scadenze::mailReminder);
    connect(leaveButton_, &QAbstractButton::clicked, this,
            [this] { services_.navigator.backToMainMenu(this); });
}

void Scadenze::activate() {
    calendarBox_->setChecked(false);
    dateField_->setText(app::dateText(services_.clock.today()));
    reload();
}

void Scadenze::placeCalendar() {
    // Over the list, its foot on the date field: the field sits at the window's foot.
    calendar_->adjustSize();
    const QPoint field = dateField_->mapTo(this, QPoint(0, 0));
    calendar_->move(std::max(0, field.x()), std::max(0, field.y() - calendar_->height() - 2));
    calendar_->raise();
}

void Scadenze::reload() {
    const auto sheet =
        app::reachSheet(registers::invoiceSheet(services_.store.workbook()), services_.boxes);
    if (!sheet) {
        model_->show({});
        showTotals();
        return;
    }
    auto list =
        registers::overdue::overdueList(services_.store.workbook(), services_.clock.today());
    if (!list) {
        services_.boxes.tell(list.error().message, app::title::kGestione, app::Icon::Critical);
        model_->show({});
    } else {
        model_->show(std::move(*list));
    }
    showTotals();
}

void Scadenze::showTotals() {
    const List& list = model_->list();
    QString totals;
    if (list.lines.empty()) {
        totals = QStringLiteral("Nessuna fattura da incassare.");
    } else {
        totals = QStringLiteral("Scaduto: %1 (%2)     Non ancora scaduto: %3 (%4)")
                     .arg(list.overdue.text(), invoicesText(list.overdueInvoices),
                          list.notYetDue.text(), invoicesText(list.notYetDueInvoices));
    }
    totals_->setText(totals);
    totals_->setAccessibleName(totals);
    const QString leftOut = leftOutText(list);
    leftOut_->setText(leftOut);
    leftOut_->setAccessibleName(leftOut);
    leftOut_->setVisible(!leftOut.isEmpty());
}

void Scadenze::chooseWholeGroups() {
    // Choosing the rest of a group changes the selection again.
    if (choosingGroups_)
        return;
    const QScopedValueRollback<bool> choosing(choosingGroups_, true);
    QItemSelectionModel* chosen = list_->selectionModel();
    QItemSelection more;
    for (const std::size_t line : chosenLines()) {
        const QModelIndex first = model_->index(int(line), 0);
        if (!chosen->isRowSelected(first.row(), {}))
            more.select(first, model_->index(int(line), OverdueModel::ColumnCount - 1));
    }
    if (!more.isEmpty())
        chosen->select(more, QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

std::vector<std::size_t> Scadenze::chosenLines() const {
    std::set<std::size_t> chosen;
    for (const QModelIndex& row : list_->selectionModel()->selectedRows())
        for (const std::size_t member :
             registers::overdue::groupOf(model_->list(), std::size_t(row.row())))
            chosen.insert(member);
    return {chosen.begin(), chosen.end()};
}

void Scadenze::markCollected() {
    app::MessageBoxes& boxes = services_.boxes;
    const std::vector<std::size_t> chosen = chosenLines();
    if (chosen.empty()) {
        boxes.tell(QStringLiteral("Scegliere nell'elenco le fatture incassate."),
                   app::title::kGestione, app::Icon::Warning);
        list_->setFocus();
        return;
    }
    const QString dateText = dateField_->text().trimmed();
    if (dateText.isEmpty()) {
        boxes.tell(QStringLiteral("Scrivere la data dell'incasso."), app::title::kGestione,
                   app::Icon::Warning);
        dateField_->setFocus();
        return;
    }
    if (!app::datesAreCalendarDates(boxes, {dateField_}) ||
        !app::collectionDateConfirmed(boxes, dateField_, services_.clock.today()))
        return;
    const QDate date = *store::readItalianDate(dateText);
    const std::vector<Line>& lines = model_->list().lines;
    QStringList described;
    for (const std::size_t i : chosen) {
        const Line& line = lines[i];
        if (const std::optional<QString> refusal =
                registers::collectionBeforeDocument(date, line.date, documentText(line))) {
            boxes.tell(*refusal, app::title::kGestione, app::Icon::Warning);
            dateField_->setFocus();
            return;
        }
        described << lineText(line);
    }
    constexpr qsizetype kListedInQuestion = 12;
    if (described.size() > kListedInQuestion) {
        const qsizetype more = described.size() - kListedInQuestion;
        described = described.first(kListedInQuestion);
        described << QStringLiteral("... e altri %1 documenti").arg(more);
    }
    if (!boxes.askYesNo(
            QStringLiteral("Registrare l'incasso del %1 per:\n\n").arg(app::dateText(date)) +
                described.join(u'\n') + u'?',
            app::title::kGestione, app::Icon::Question))
        return;

    const auto sheet = app::reachSheet(registers::invoiceSheet(services_.store.workbook()), boxes);
    if (!sheet)
        return;
    registers::InvoiceRegister book(*sheet);
    int written = 0;
    for (const std::size_t i : chosen) {
        const registers::RowChange done = book.setCollection(lines[i].id, app::dateText(date));
        if (!done) {
            boxes.tell(done.error().message, app::title::kGestione, app::Icon::Warning);
            break;
        }
        ++written;
    }
    if (written > 0)
        app::saveThenTell(services_.store, boxes,
                          QStringLiteral("Incasso del %1 registrato: %2.")
                              .arg(app::dateText(date),
                                   written == 1 ? QStringLiteral("1 documento")
                                                : QStringLiteral("%1 documenti").arg(written)),
                          app::title::kGestione, app::Icon::Information);
    reload();
}

std::optional<Scadenze::Reminder> Scadenze::reminder() {
    app::MessageBoxes& boxes = services_.boxes;
    const QModelIndex current = list_->currentIndex();
    const List& list = model_->list();
    if (!current.isValid() || std::size_t(current.row()) >= list.lines.size()) {
        boxes.tell(QStringLiteral("Scegliere nell'elenco una fattura del cliente da sollecitare."),
                   app::title::kGestione, app::Icon::Warning);
        list_->setFocus();
        return std::nullopt;
    }
    const Line& chosen =
        list.lines[registers::overdue::groupOf(list, std::size_t(current.row())).front()];
    const std::vector<Line> late = registers::overdue::lateLinesOf(list, chosen.clientId);
    registers::Amount owed;
    for (const Line& line : late)
        owed = owed + line.net;
    // Credit notes may leave nothing to ask for.
    if (late.empty() || owed <= registers::Amount()) {
        boxes.tell(QStringLiteral("%1 non ha fatture scadute da sollecitare.").arg(chosen.client),
                   app::title::kGestione, app::Icon::Information);
        return std::nullopt;
    }
    store::Workbook& book = services_.store.workbook();
    registers::ClientRecord client;
    client[registers::client::Name] = chosen.client;
    if (const auto sheet = registers::clientSheet(book)) {
        for (const registers::ClientRecord& row : registers::ClientSheet(*sheet).rows()) {
            if (row[registers::client::Id].trimmed() == chosen.clientId.trimmed()) {
                client = row;
                break;
            }
        }
    }
    registers::UserData user;
    if (const auto sheet = registers::userSheet(book))
        user = registers::readUserData(*sheet);
    return Reminder{
        registers::reminderLetter(user, client, late, services_.clock.today()),
        client[registers::client::Name],
        client[registers::client::Email].trimmed(),
    };
}

void Scadenze::printReminder() {
    const std::optional<Reminder> found = reminder();
    if (!found)
        return;
    std::unique_ptr<QPrinter> printer = app::defaultPrinterOrPdf(services_);
    if (!printer)
        return;
    const auto printed = printing::printReminderLetter(found->letter, *printer);
    if (!printed)
        services_.boxes.tell(printed.error().message, app::title::kProgram, app::Icon::Critical);
}

void Scadenze::saveReminderAsPdf() {
    const std::optional<Reminder> found = reminder();
    if (!found)
        return;
    std::unique_ptr<QPrinter> printer =
        app::pdfFileChosen(services_, QStringLiteral("Salva il sollecito in PDF"));
    if (!printer)
        return;
    const auto printed = printing::printReminderLetter(found->letter, *printer);
    if (!printed) {
        services_.boxes.tell(printed.error().message, app::title::kProgram, app::Icon::Critical);
        return;
    }
    services_.boxes.tell(QStringLiteral("Il sollecito è stato salvato in %1.")
                             .arg(QDir::toNativeSeparators(printer->outputFileName())),
                         app::title::kProgram, app::Icon::Information);
}

void Scadenze::mailReminder() {
    const std::optional<Reminder> found = reminder();
    if (!found)
        return;
    if (found->address.isEmpty()) {
        services_.boxes.tell(QStringLiteral("%1 non ha un indirizzo e-mail in anagrafe: il "
                                            "sollecito non può essere inviato per e-mail.\n"
                                            "Scriverlo in Gestione Clienti, oppure stampare il "
                                            "sollecito.")
                                 .arg(found->clientName),
                             app::title::kGestione, app::Icon::Warning);
        return;
    }
    if (!openUrl_(registers::reminderMailUrl(found->address, found->letter)))
        services_.boxes.tell(QStringLiteral("Nessun programma di posta ha aperto il sollecito: "
                                            "controllare il programma di posta predefinito del "
                                            "sistema."),
                             app::title::kProgram, app::Icon::Critical);
}

}  // namespace overdue
