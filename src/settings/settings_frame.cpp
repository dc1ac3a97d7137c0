#include "settings/settings_frame.h"

#include "app/area_window.h"
#include "app/controls_factory.h"
#include "app/dialog_titles.h"
#include "app/entry_checks.h"
#include "app/message_boxes.h"
#include "app/services.h"
#include "app/store_saving.h"
#include "app/tab_order.h"
#include "controls/xpbutton.h"
#include "registers/item_use.h"
#include "registers/settings_lists.h"
#include "store/workbook_store.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace settings {

namespace {

const QColor kChosenBackground(255, 255, 0);

QComboBox* listBox(const QString& name, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    // Items enter the lists only through "Inserisci".
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumWidth(230);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(18);
    return combo;
}

QLineEdit* itemBox(const QString& name, const QString& accessibleName, QWidget* parent) {
    auto* edit = app::makeLineEdit(name, 0, parent);
    edit->setAccessibleName(accessibleName);
    edit->setMinimumWidth(230);
    return edit;
}

using app::makeLabel;

controls::XPButton* button(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = app::makeButton(name, caption, {}, parent);
    b->setMinimumSize(90, 27);
    return b;
}

// A list position that the user actually chose: the combo's text is that item's.
bool hasChosenItem(const QComboBox* combo) {
    const int position = combo->currentIndex();
    return position >= 0 && combo->currentText() == combo->itemText(position);
}

}  // namespace

SettingsFrame::SettingsFrame(const app::Services& services, QWidget* parent)
    : QGroupBox(QStringLiteral("Impostazioni"), parent),
      store_(services.store),
      boxes_(services.boxes) {
    setObjectName(QStringLiteral("Frame4"));
    Label54 = makeLabel(QStringLiteral("Label54"), QStringLiteral("Seleziona "), this);
    Label53 = makeLabel(QStringLiteral("Label53"), QStringLiteral("Inserisci/Modifica"), this);
    Label28 = makeLabel(QStringLiteral("Label28"), QStringLiteral("Aliquota IVA"), this);
    Label38 = makeLabel(QStringLiteral("Label38"), QStringLiteral("Aliquota INPS/Cassa"), this);
    Label39 = makeLabel(QStringLiteral("Label39"), QStringLiteral("Esenzione IVA"), this);
    Label40 = makeLabel(QStringLiteral("Label40"), QStringLiteral("Ritenuta %"), this);
    Label1 = makeLabel(QStringLiteral("Label1"), QStringLiteral("Tipo Pagamento"), this);
    Combo1 = listBox(QStringLiteral("Combo1"), this);
    Combo2 = listBox(QStringLiteral("Combo2"), this);
    Combo3 = listBox(QStringLiteral("Combo3"), this);
    Combo4 = listBox(QStringLiteral("Combo4"), this);
    Combo5 = listBox(QStringLiteral("Combo5"), this);
    Text1 = itemBox(QStringLiteral("Text1"), QStringLiteral("Nuova Aliquota IVA"), this);
    Text2 = itemBox(QStringLiteral("Text2"), QStringLiteral("Nuova Aliquota INPS/Cassa"), this);
    Text3 = itemBox(QStringLiteral("Text3"), QStringLiteral("Nuova Esenzione IVA"), this);
    Text4 = itemBox(QStringLiteral("Text4"), QStringLiteral("Nuova Ritenuta %"), this);
    Text5 = itemBox(QStringLiteral("Text5"), QStringLiteral("Nuovo Tipo Pagamento"), this);
    Command1 = button(QStringLiteral("Command1"), QStringLiteral("Inserisci"), this);
    Command9 = button(QStringLiteral("Command9"), QStringLiteral("Modifica"), this);
    Command4 = button(QStringLiteral("Command4"), QStringLiteral("Elimina"), this);
    Command4->setToolTip(
        QStringLiteral("Toglie dall'elenco la voce scelta, se nessuna fattura la usa"));
    Command3 = button(QStringLiteral("Command3"), QStringLiteral("&Pulisci"), this);
    Command13 = button(QStringLiteral("Command13"), QStringLiteral("&Stampa"), this);
    Command2 = button(QStringLiteral("Command2"), QStringLiteral("&Esci"), this);
    // Enabled once the program hands the way to the printer window.
    Command13->setEnabled(false);

    rows_ = {Row{Combo1, Text1, registers::kVatColumn}, Row{Combo2, Text2, registers::kInpsColumn},
             Row{Combo3, Text3, registers::kExemptionColumn},
             Row{Combo4, Text4, registers::kWithholdingColumn},
             Row{Combo5, Text5, registers::kPaymentColumn}};
    buildLayout();
    connectControls();
}

void SettingsFrame::buildLayout() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->addWidget(Label54, 0, 1);
    grid->addWidget(Label53, 0, 2);
    const std::array<QLabel*, 5> captions = {Label28, Label38, Label39, Label40, Label1};
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const int line = static_cast<int>(i) + 1;
        captions[i]->setBuddy(rows_[i].combo);
        grid->addWidget(captions[i], line, 0);
        grid->addWidget(rows_[i].combo, line, 1);
        grid->addWidget(rows_[i].text, line, 2);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (controls::XPButton* b : {Command1, Command9, Command4, Command3, Command13, Command2})
        buttons->addWidget(b);

    // Line by line: each list, then the box beside it, then the buttons below.
    app::orderTabs({Combo1, Text1, Combo2, Text2, Combo3, Text3, Combo4, Text4, Combo5, Text5,
                    Command1, Command9, Command4, Command3, Command13, Command2});

    auto* frame = new QVBoxLayout(this);
    frame->addLayout(grid);
    frame->addSpacing(8);
    frame->addLayout(buttons);
}

void SettingsFrame::connectControls() {
    for (const Row& row : rows_) {
        connect(row.combo, &QComboBox::activated, this, [this, row] { chosen(row); });
    }
    connect(Command1, &QAbstractButton::clicked, this, &SettingsFrame::insertClicked);
    connect(Command9, &QAbstractButton::clicked, this, &SettingsFrame::modifyClicked);
    connect(Command4, &QAbstractButton::clicked, this, &SettingsFrame::removeClicked);
    connect(Command3, &QAbstractButton::clicked, this, &SettingsFrame::clearSettings);
    connect(Command2, &QAbstractButton::clicked, this, &SettingsFrame::exitClicked);
    connect(Command13, &QAbstractButton::clicked, this, [this] {
        if (openPrinterWindow_)
            openPrinterWindow_(qobject_cast<app::AreaWindow*>(window()),
                               app::Printout::SettingsLists);
    });
}

void SettingsFrame::setPrinterWindow(app::OpenPrinterWindow open) {
    openPrinterWindow_ = std::move(open);
    Command13->setEnabled(bool(openPrinterWindow_));
}

void SettingsFrame::load() {
    auto sheet = registers::settingsSheet(store_.workbook());
    for (const Row& row : rows_)
        row.combo->clear();
    if (!sheet) {
        boxes_.tell(sheet.error().message, app::title::kGestione, app::Icon::Warning);
        return;
    }
    // The lists are read in the order B, A, D, E, C.
    for (const std::size_t i : {0u, 1u, 4u, 2u, 3u}) {
        const Row& row = rows_[i];
        row.combo->addItems(registers::loadList(*sheet, row.column));
        // Nothing is chosen until the user picks an item.
        row.combo->setCurrentIndex(-1);
    }
}

void SettingsFrame::clearSettings() {
    for (const Row& row : rows_)
        row.text->clear();
    resetFrame();
}

void SettingsFrame::resetFrame() {
    for (const Row& row : rows_) {
        row.text->setPalette(QPalette());
        row.combo->setEnabled(true);
    }
    load();
}

void SettingsFrame::chosen(const Row& row) {
    if (row.combo->currentText().isEmpty())
        return;
    for (const Row& other : rows_)
        other.combo->setEnabled(other.combo == row.combo);
    row.text->setEnabled(true);
    row.text->setFocus();
    QPalette yellow = row.text->palette();
    yellow.setColor(QPalette::Base, kChosenBackground);
    row.text->setPalette(yellow);
    row.text->setText(row.combo->currentText());
}

void SettingsFrame::insertClicked() {
    // Every row typed into is inserted in turn; a text the list refuses stays in its
    // box, told, and the rows after it go on.
    bool inserted = false;
    for (const Row& row : rows_) {
        if (row.text->text().isEmpty())
            continue;
        if (!app::textsFitCells(boxes_, {row.text}))
            continue;
        if (!boxes_.askYesNo(QStringLiteral(" Vuoi effettuare l'inserimento ?"),
                             app::title::kGestione)) {
            row.text->clear();
            row.text->setFocus();
            break;
        }
        auto sheet = registers::settingsSheet(store_.workbook());
        const auto written = sheet ? registers::insertItem(*sheet, row.column, row.text->text())
                                   : store::Result<int>(sheet.error());
        if (!written) {
            boxes_.tell(written.error().message, app::title::kGestione, app::Icon::Warning);
            continue;
        }
        row.text->clear();
        inserted = true;
    }
    if (!inserted)
        return;
    app::saveThenTell(store_, boxes_, QStringLiteral("Operazione eseguita !"),
                      app::title::kGestioneBlanksAround, app::Icon::Information);
    resetFrame();
}

void SettingsFrame::removeClicked() {
    const auto chosen = std::find_if(rows_.begin(), rows_.end(),
                                     [](const Row& row) { return hasChosenItem(row.combo); });
    if (chosen == rows_.end()) {
        boxes_.tell(QStringLiteral("Per eliminare una voce occorre sceglierla dall'elenco."),
                    app::title::kGestione, app::Icon::Warning);
        return;
    }
    const QString item = chosen->combo->currentText();
    if (!boxes_.askYesNo(QStringLiteral("Vuoi eliminare la voce «%1» dall'elenco ?").arg(item),
                         app::title::kGestione))
        return;
    const auto removed = registers::removeUnusedItem(store_.workbook(), chosen->column,
                                                     chosen->combo->currentIndex());
    if (!removed) {
        boxes_.tell(removed.error().message, app::title::kGestione, app::Icon::Warning);
        return;
    }
    app::saveThenTell(store_, boxes_, QStringLiteral("Operazione eseguita !"),
                      app::title::kGestioneBlanksAround, app::Icon::Information);
    clearSettings();
}

void SettingsFrame::modifyClicked() {
    for (const Row& row : rows_) {
        if (row.combo->currentText().isEmpty() || row.text->text().isEmpty())
            continue;
        if (!hasChosenItem(row.combo)) {
            boxes_.tell(QStringLiteral("Per modificare una voce occorre sceglierla dall'elenco."),
                        app::title::kGestione, app::Icon::Warning);
            return;
        }
        if (!app::textsFitCells(boxes_, {row.text}))
            return;
        if (!boxes_.askYesNo(QStringLiteral("Vuoi modificare il campo ? "), app::title::kGestione))
            return;
        auto sheet = registers::settingsSheet(store_.workbook());
        const auto written =
            sheet ? registers::replaceItem(*sheet, row.column, row.combo->currentIndex(),
                                           row.text->text())
                  : store::Result<int>(sheet.error());
        if (!written) {
            boxes_.tell(written.error().message, app::title::kGestione, app::Icon::Warning);
            return;
        }
        app::saveThenTell(store_, boxes_, QStringLiteral("Operazione eseguita !"),
                          QStringLiteral("Ombrast"), app::Icon::Information);
        clearSettings();
    }
}

void SettingsFrame::exitClicked() {
    app::saveStoreTelling(store_, boxes_);
    clearSettings();
    hide();
}

}  // namespace settings
