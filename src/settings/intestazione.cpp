#include "settings/intestazione.h"

#include "app/clock_line.h"
#include "app/controls_factory.h"
#include "app/dialog_titles.h"
#include "app/entry_checks.h"
#include "app/input_rules.h"
#include "app/message_boxes.h"
#include "app/navigator.h"
#include "app/services.h"
#include "app/store_saving.h"
#include "controls/xpbutton.h"
#include "fatturapa/einvoice_checks.h"
#include "registers/iban.h"
#include "registers/user_data.h"
#include "store/workbook_store.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <limits>

namespace settings {

namespace {

// How a field takes what is typed.
enum class Rule { UpperCase, Digits, Iban };

struct FieldSpec {
    const char* name;
    const char* caption;
    int typingLimit;  // 0: no limit beyond the line edit's own
    Rule rule;
    int width;  // in pixels, fitting the field's longest usual content
};

// Text1..Text10, in the order of B1..B10.
constexpr std::array<FieldSpec, registers::kUserFieldCount> kFields = {{
    {"Text1", "Ragione Sociale/Cognome/Nome", 0, Rule::UpperCase, 600},
    {"Text2", "Domicilio fiscale", 0, Rule::UpperCase, 600},
    {"Text3", "Città", 0, Rule::UpperCase, 450},
    {"Text4", "PR", 2, Rule::UpperCase, 50},
    {"Text5", "CAP", 5, Rule::Digits, 76},
    {"Text6", "Codice Fiscale", 16, Rule::UpperCase, 200},
    {"Text7", "Partita I.V.A.", 11, Rule::Digits, 150},
    {"Text8", "Iscrizione all'Albo/Nr./del", 0, Rule::UpperCase, 600},
    {"Text9", "Banca di appoggio", 0, Rule::UpperCase, 600},
    {"Text10", "Codice IBAN", registers::kIbanMaxLength, Rule::Iban, 330},
}};

// How the checks name the user's data, as the export does.
const QString kOwner = QStringLiteral("dell'utente (Dati Anagrafici Utente)");
// The domicile and the town are checked for their characters alone: a long one stored
// before stays as it was, and the export tells its length.
constexpr int kAnyLength = std::numeric_limits<int>::max();

// The fields of each line of the window, by their index in kFields.
const std::vector<std::vector<int>> kLines = {{0}, {1}, {2, 3, 4}, {5, 6}, {7}, {8}, {9}};

QLineEdit* makeField(const FieldSpec& spec, QWidget* parent) {
    auto* field = app::makeLineEdit(QString::fromLatin1(spec.name), spec.typingLimit, parent);
    field->setFixedWidth(spec.width);
    if (spec.rule == Rule::Digits)
        app::installDigitFilter(field);
    else if (spec.rule == Rule::Iban)
        app::installIbanFilter(field);
    else
        app::installUpperCase(field);
    return field;
}

}  // namespace

Intestazione::Intestazione(const app::Services& services, QWidget* parent)
    : app::AreaWindow(parent),
      store_(services.store),
      boxes_(services.boxes),
      navigator_(services.navigator) {
    setObjectName(QStringLiteral("Intestazione"));
    setWindowTitle(QStringLiteral("Utente"));
    for (int i = 0; i < registers::kUserFieldCount; ++i)
        fields_[i] = makeField(kFields[i], this);
    Text1 = fields_[0];
    Text2 = fields_[1];
    Text3 = fields_[2];
    Text4 = fields_[3];
    Text5 = fields_[4];
    Text6 = fields_[5];
    Text7 = fields_[6];
    Text8 = fields_[7];
    Text9 = fields_[8];
    Text10 = fields_[9];

    XPButton9 = app::makeButton(QStringLiteral("XPButton9"), QStringLiteral("Inserisci/Modifica"),
                                {}, this);
    XPButton9->setMinimumSize(130, 30);
    XPButton1 = app::makeButton(QStringLiteral("XPButton1"), QStringLiteral("Esci"), {}, this);
    XPButton1->setMinimumSize(100, 30);

    Label15 = app::makeLabel(QStringLiteral("Label15"), QString(), this);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    new app::ClockLine(Label15, Timer2, services.clock, app::kClockSeparatorWide);

    buildLayout();
    setLocked(true);
    connect(XPButton9, &QAbstractButton::clicked, this, &Intestazione::insertOrModifyClicked);
    connect(XPButton1, &QAbstractButton::clicked, this, &Intestazione::exitClicked);
}

void Intestazione::buildLayout() {
    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(16, 10, 16, 14);
    window->setSpacing(8);
    window->setSizeConstraint(QLayout::SetFixedSize);

    auto* top = new QHBoxLayout;
    top->addStretch();
    top->addWidget(Label15);
    window->addLayout(top);

    for (const std::vector<int>& line : kLines) {
        auto* row = new QHBoxLayout;
        row->setSpacing(12);
        for (int i : line)
            row->addWidget(app::captioned(QString::fromUtf8(kFields[i].caption), fields_[i]));
        row->addStretch();
        window->addLayout(row);
    }

    window->addSpacing(10);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(XPButton9);
    buttons->addSpacing(20);
    buttons->addWidget(XPButton1);
    window->addLayout(buttons);
}

bool Intestazione::editing() const {
    return !Text1->isReadOnly();
}

void Intestazione::setLocked(bool locked) {
    for (QLineEdit* field : fields_)
        field->setReadOnly(locked);
}

void Intestazione::activate() {
    auto sheet = registers::userSheet(store_.workbook());
    if (sheet) {
        const registers::UserData values = registers::readUserData(*sheet);
        for (int i = 0; i < registers::kUserFieldCount; ++i)
            fields_[i]->setText(values[i]);
    } else {
        for (QLineEdit* field : fields_)
            field->clear();
        boxes_.tell(sheet.error().message, app::title::kGestione, app::Icon::Warning);
    }
    setLocked(true);
}

void Intestazione::insertOrModifyClicked() {
    if (editing()) {
        if (!app::textsFitCells(
                boxes_, {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text10}) ||
            !app::textsFitEinvoice(
                boxes_, {{Text1, fatturapa::kNameWhat + kOwner, fatturapa::kNameLimit},
                         {Text2, QStringLiteral("l'indirizzo ") + kOwner, kAnyLength},
                         {Text3, QStringLiteral("la località ") + kOwner, kAnyLength}}) ||
            !app::taxIdentifiersValid(boxes_, Text7, Text6, kOwner))
            return;
        auto sheet = registers::userSheet(store_.workbook());
        if (!sheet) {
            boxes_.tell(sheet.error().message, app::title::kGestione, app::Icon::Warning);
            return;
        }
        // A stored IBAN of an earlier version may still carry the blanks of its printed form.
        Text10->setText(registers::ibanCharacters(Text10->text()));
        if (!Text10->text().isEmpty() && !registers::isValidIban(Text10->text())) {
            boxes_.tell(QStringLiteral("Il codice IBAN %1 non è valido: le cifre di controllo non "
                                       "corrispondono al resto del codice.\nControllare il codice "
                                       "(o lasciarlo vuoto). I dati Utente non sono stati salvati.")
                            .arg(Text10->text()),
                        app::title::kGestione, app::Icon::Warning);
            Text10->setFocus();
            return;
        }
        registers::UserData values;
        for (int i = 0; i < registers::kUserFieldCount; ++i)
            values[i] = fields_[i]->text();
        registers::writeUserData(*sheet, values);
        app::saveThenTell(store_, boxes_,
                          QStringLiteral("Inserimento dati Utente avvenuto con successo !"),
                          app::title::kGestione);
        setLocked(true);
        return;
    }
    if (boxes_.askYesNo(QStringLiteral("Vuoi inserire o Modificare i  dati Utente ?"),
                        app::title::kGestione)) {
        setLocked(false);
        boxes_.tell(QStringLiteral("Adesso si può procedere ad inserire i dati Utente "),
                    app::title::kGestione);
    } else {
        navigator_.backToMainMenu(this);
    }
}

void Intestazione::exitClicked() {
    app::saveStoreTelling(store_, boxes_);
    navigator_.backToMainMenu(this);
}

}  // namespace settings
