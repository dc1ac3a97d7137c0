#include "settings/first_steps_panel.h"

#include "app/controls_factory.h"
#include "app/dialog_titles.h"
#include "app/message_boxes.h"
#include "app/services.h"
#include "app/store_saving.h"
#include "controls/xpbutton.h"
#include "fatturapa/first_steps.h"
#include "registers/settings_lists.h"
#include "registers/starter_lists.h"
#include "store/workbook_store.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace settings {

namespace {

// What a step lacks, one line each.
QString missingText(const fatturapa::FirstStep& step) {
    QStringList lines;
    for (const QString& missing : step.missing)
        lines << QStringLiteral("– ") + missing;
    return lines.join(u'\n');
}

}  // namespace

FirstStepsPanel::FirstStepsPanel(const app::Services& services, QWidget* parent)
    : QGroupBox(QStringLiteral("Primi passi"), parent),
      store_(services.store),
      boxes_(services.boxes) {
    setObjectName(QStringLiteral("PrimiPassi"));
    Label1 = app::makeLabel(QStringLiteral("Label1"),
                            QStringLiteral("Gli elenchi delle impostazioni sono vuoti: ") +
                                registers::starterListsSummary() + u'.',
                            this);
    Label1->setWordWrap(true);
    XPButton1 = app::makeButton(QStringLiteral("XPButton1"),
                                QStringLiteral("Inserisci gli elenchi consueti"),
                                QStringLiteral("Ogni voce resta modificabile da "
                                               "Impostazioni/Causali e Fattura Elettronica"),
                                this);
    XPButton1->setAccessibleName(XPButton1->caption());
    XPButton1->setMinimumSize(240, 30);
    connect(XPButton1, &QAbstractButton::clicked, this, &FirstStepsPanel::addStarterLists);
    // Tab reaches the panel through its one control.
    setFocusProxy(XPButton1);
    Label2 = app::makeLabel(QStringLiteral("Label2"),
                            QStringLiteral("Per la prima fattura elettronica:"), this);
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);

    auto* offer = new QHBoxLayout;
    offer->addWidget(XPButton1);
    offer->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(6);
    layout->addWidget(Label1);
    layout->addLayout(offer);
    layout->addSpacing(4);
    layout->addWidget(Label2);
    for (std::size_t i = 0; i < steps_.size(); ++i) {
        steps_[i] = app::makeLabel(QStringLiteral("Label%1").arg(i + 3), QString(), this);
        missing_[i] = app::makeLabel(QStringLiteral("Label%1").arg(i + 7), QString(), this);
        missing_[i]->setWordWrap(true);
        // Under the step's title, so that a wrapped line stays with its step.
        missing_[i]->setContentsMargins(22, 0, 0, 0);
        layout->addWidget(steps_[i]);
        layout->addWidget(missing_[i]);
    }
}

void FirstStepsPanel::refresh() {
    store::Workbook& book = store_.workbook();
    const fatturapa::FirstSteps state = fatturapa::firstSteps(book);
    setVisible(!state.invoiceRegistered);
    if (state.invoiceRegistered)
        return;
    const auto settings = registers::settingsSheet(book);
    const bool offered = settings && registers::settingsListsEmpty(*settings);
    Label1->setVisible(offered);
    XPButton1->setVisible(offered);
    for (std::size_t i = 0; i < steps_.size(); ++i) {
        const fatturapa::FirstStep& step = state.steps[i];
        steps_[i]->setText((step.done() ? QStringLiteral("✓  ") : QStringLiteral("○  ")) +
                           step.title);
        // A done step steps back, so the eye goes to what is left.
        steps_[i]->setEnabled(!step.done());
        missing_[i]->setText(missingText(step));
        missing_[i]->setVisible(!step.done());
    }
    // Wrapped lines need the height their width gives them, which the window's own
    // minimum does not count.
    if (const int height = heightForWidth(width()); height > 0)
        setMinimumHeight(height);
}

void FirstStepsPanel::addStarterLists() {
    const auto added = registers::addStarterLists(store_.workbook());
    if (!added)
        boxes_.tell(added.error().message, app::title::kGestione, app::Icon::Warning);
    else
        app::saveStoreTelling(store_, boxes_);
    refresh();
}

}  // namespace settings
