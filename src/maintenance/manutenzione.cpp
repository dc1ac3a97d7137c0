#include "maintenance/manutenzione.h"

#include "app/clock.h"
#include "app/controls_factory.h"
#include "app/dialog_titles.h"
#include "app/message_boxes.h"
#include "app/navigator.h"
#include "app/services.h"
#include "app/store_saving.h"
#include "controls/xpbutton.h"
#include "registers/client_sheet.h"
#include "registers/einvoice_codes.h"
#include "registers/invoice_extras.h"
#include "registers/invoice_layout.h"
#include "registers/register_emptying.h"
#include "registers/sdi_history.h"
#include "registers/settings_lists.h"
#include "store/workbook_store.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace maintenance {

namespace {

const QString kButtonTip = QStringLiteral("Visualizza Fatture");

const QString kEmptyQuestion = QStringLiteral(
    "ATTENZIONE ,prima di procedere è stato fatto un salvataggio dei dati ?\r\n"
    "In caso contrario saranno CANCELLATI tutti i dati , vuoi procedere .........?");
const QString kEmptiedClosing =
    QStringLiteral("Adesso l'applicativo si  chiuderà......................!");
const QString kBackupQuestion =
    QStringLiteral("Vuoi fare una copia del database Gestione.xls......................?");
const QString kBackupDone =
    QStringLiteral("Salvataggio eseguito correttamente .....................!");
// The chosen copy may lie anywhere; the data it replaces are kept first.
const QString kRestoreNotice = QStringLiteral(
    "Per effettuare il ripristino seleziona la copia di Gestione.xls da ripristinare, "
    "in qualunque cartella si trovi: prenderà il posto dei dati attuali, che restano "
    "conservati in una copia datata nella cartella Salvataggio. Dopo il ripristino l'applicazione "
    "si chiuderà.");
const QString kRestoreDialogTitle = QStringLiteral("Seleziona il file da ripristinare");
const QString kRestoreFilter = QStringLiteral("Excel (*.xls)");
const QString kRestoredClosing =
    QStringLiteral("Ora, l'applicazione verrà chiusa .....................!");

QCheckBox* makeCheck(QWidget* parent, const char* name, const QString& caption) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

controls::XPButton* windowButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = app::makeButton(QString::fromLatin1(name), caption, kButtonTip, parent);
    button->setMinimumSize(110, 30);
    return button;
}

}  // namespace

Manutenzione::Manutenzione(const app::Services& services, std::function<bool()> endProgram,
                           QWidget* parent)
    : app::AreaWindow(parent),
      store_(services.store),
      boxes_(services.boxes),
      clock_(services.clock),
      navigator_(services.navigator),
      endProgram_(std::move(endProgram)) {
    setObjectName(QStringLiteral("Manutenzione"));
    setWindowTitle(QStringLiteral("Manutenzione"));

    Check1 = makeCheck(this, "Check1", QStringLiteral("Cancellazione Registro  Fatture "));
    Check2 = makeCheck(this, "Check2", QStringLiteral("Cancellazione Anagrafe Clienti"));
    Check3 = makeCheck(this, "Check3", QStringLiteral("Cancellazione Causali/Voci...."));
    Check4 = makeCheck(this, "Check4", QStringLiteral("Salvataggio dati"));
    Check5 = makeCheck(this, "Check5", QStringLiteral("Ripristino Salvataggio"));
    XPButton2 = windowButton(this, "XPButton2", QStringLiteral("Ripristina"));
    XPButton1 = windowButton(this, "XPButton1", QStringLiteral("Esci"));

    buildLayout();
    XPButton2->hide();

    connect(Check1, &QCheckBox::clicked, this, [this] {
        emptyClicked(Check1, registers::invoiceLayout(), [](store::WorkbookStore& store) {
            registers::keepIssuedNumbers(store);
            registers::forgetInvoiceExtras(store);
            registers::forgetSdiHistory(store);
        });
    });
    connect(Check2, &QCheckBox::clicked, this, [this] {
        emptyClicked(Check2, registers::clientLayout(), registers::forgetClientAddressing);
    });
    connect(Check3, &QCheckBox::clicked, this,
            [this] { emptyClicked(Check3, registers::settingsLayout()); });
    connect(Check4, &QCheckBox::clicked, this, &Manutenzione::backupClicked);
    // Toggled, not clicked: the restore button follows the box also when another
    // operation unticks it.
    connect(Check5, &QCheckBox::toggled, this, &Manutenzione::restoreToggled);
    connect(XPButton2, &QAbstractButton::clicked, this, &Manutenzione::restoreClicked);
    connect(XPButton1, &QAbstractButton::clicked, this,
            [this] { navigator_.backToMainMenu(this); });
}

void Manutenzione::buildLayout() {
    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(20, 16, 20, 16);
    window->setSpacing(14);
    window->setSizeConstraint(QLayout::SetFixedSize);

    auto* frame = new QGroupBox(this);
    auto* boxes = new QVBoxLayout(frame);
    boxes->setContentsMargins(18, 14, 18, 14);
    boxes->setSpacing(12);
    for (QCheckBox* box : {Check1, Check2, Check3, Check4})
        boxes->addWidget(box);
    // The restore button sits beside its box; its place stays when it is hidden,
    // so the window does not jump as Check5 is ticked.
    auto* restore = new QHBoxLayout;
    restore->addWidget(Check5);
    restore->addSpacing(24);
    restore->addWidget(XPButton2);
    restore->addStretch();
    QSizePolicy kept = XPButton2->sizePolicy();
    kept.setRetainSizeWhenHidden(true);
    XPButton2->setSizePolicy(kept);
    boxes->addLayout(restore);
    window->addWidget(frame);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(XPButton1);
    window->addLayout(buttons);
}

void Manutenzione::activate() {
    untick({Check1, Check2, Check3, Check4, Check5});
    XPButton2->hide();
}

void Manutenzione::untick(std::initializer_list<QCheckBox*> boxes) {
    for (QCheckBox* box : boxes)
        box->setChecked(false);
}

void Manutenzione::emptyClicked(QCheckBox* box, const registers::SheetLayout& layout,
                                void (*alsoEmpty)(store::WorkbookStore&)) {
    if (!box->isChecked())
        return;
    for (QCheckBox* other : {Check1, Check2, Check3, Check4, Check5}) {
        if (other != box)
            other->setChecked(false);
    }
    if (!boxes_.askYesNo(kEmptyQuestion, app::title::kGestione)) {
        // The box stays ticked until the window is next activated.
        navigator_.backToMainMenu(this);
        return;
    }
    if (alsoEmpty)
        alsoEmpty(store_);
    registers::emptyRegister(store_, layout);
    // The emptying is on disk before the user reads that the program ends; a failed
    // save is told here and met again by the end's own save.
    app::saveThenTell(store_, boxes_, kEmptiedClosing, app::title::kGestione);
    endProgram_();
}

void Manutenzione::backupClicked() {
    if (!Check4->isChecked())
        return;
    untick({Check1, Check2, Check3, Check5});
    if (boxes_.askYesNo(kBackupQuestion, app::title::kGestione)) {
        const auto written = store_.backUp();
        if (written) {
            boxes_.tell(kBackupDone, app::title::kGestione);
        } else {
            boxes_.tell(QStringLiteral("Copia del database Gestione.xls non riuscita.\n") +
                            written.error().message +
                            QStringLiteral("\n\nL'eventuale copia precedente in Salvataggio è "
                                           "rimasta intatta."),
                        app::title::kGestione, app::Icon::Critical);
        }
    }
    Check4->setChecked(false);
}

void Manutenzione::restoreToggled(bool ticked) {
    XPButton2->setVisible(ticked);
    if (ticked)
        untick({Check2, Check3, Check4});
}

// The program itself checks the chosen backup and puts it in place; nothing is left
// for the user to copy by hand, and a file that is not a store replaces nothing.
void Manutenzione::restoreClicked() {
    boxes_.tell(kRestoreNotice, app::title::kGestione);
    const auto chosen =
        boxes_.openFile({kRestoreDialogTitle, store_.backupFolder(), kRestoreFilter});
    if (!chosen)
        return;
    // What was already sent or issued stays so, whatever the backup holds.
    const auto kept = store_.restoreFrom(*chosen, clock_.now(),
                                         [](store::Workbook& current, store::Workbook& restored) {
                                             registers::keepLastProgressive(current, restored);
                                             registers::keepIssuedNumbers(current, restored);
                                         });
    if (!kept) {
        boxes_.tell(QStringLiteral("Ripristino non eseguito.\n") + kept.error().message +
                        QStringLiteral("\n\nIl database Gestione.xls non è stato sostituito."),
                    app::title::kGestione, app::Icon::Critical);
        return;
    }
    hide();
    boxes_.tell(QStringLiteral("Ripristino eseguito correttamente.\n"
                               "Il database precedente è stato conservato nel file %1.")
                    .arg(QDir::toNativeSeparators(*kept)),
                app::title::kGestione);
    boxes_.tell(kRestoredClosing, app::title::kGestione);
    endProgram_();
}

}  // namespace maintenance
