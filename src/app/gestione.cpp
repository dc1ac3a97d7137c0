#include "app/gestione.h"

#include "app/artwork.h"
#include "app/clock_line.h"
#include "app/controls_factory.h"
#include "app/navigator.h"
#include "app/services.h"
#include "app/tab_order.h"
#include "controls/xpbutton.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace app {

namespace {

constexpr int kAreaButtonWidth = 240;
constexpr int kButtonHeight = 36;

controls::XPButton* menuButton(QWidget* parent, const char* name, const QString& caption,
                               const QString& tip) {
    auto* button = makeButton(QString::fromLatin1(name), caption, tip, parent);
    button->setAccessibleName(caption.isEmpty() ? tip : caption);
    if (!caption.isEmpty() && caption != tip)
        button->setAccessibleDescription(tip);
    return button;
}

// A printer drawn on a captionless print button, greyed as the button never works.
void markAsPrint(controls::XPButton* button) {
    auto* glyph = new QLabel(button);
    const int side = kButtonHeight - 14;
    const QIcon printer(printerPicture(side, button->devicePixelRatioF()));
    glyph->setPixmap(printer.pixmap(QSize(side, side), QIcon::Disabled));
    glyph->setGeometry(7, 7, side, side);
    glyph->setAttribute(Qt::WA_TransparentForMouseEvents);
    glyph->setAccessibleName(button->toolTip());
}

QLabel* makeText(QWidget* parent, const QString& text, int pointSizeDelta, bool bold) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() + pointSizeDelta);
    font.setBold(bold);
    label->setFont(font);
    return label;
}

// The panel that fills the menu's work area while the settings frame is hidden.
QWidget* makeWelcome(QWidget* parent) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QStringLiteral("Benvenuto"));
    auto* logo = new QLabel(panel);
    logo->setPixmap(logoPicture(96, parent->devicePixelRatioF()));
    logo->setAlignment(Qt::AlignCenter);
    logo->setAccessibleName(QStringLiteral("Logo del programma"));
    auto* title = makeText(panel, QStringLiteral("Benvenuto in Brisvel"), 4, true);
    title->setAlignment(Qt::AlignCenter);
    auto* hint =
        makeText(panel, QStringLiteral("Scegli con i pulsanti a sinistra l'area su cui lavorare."),
                 0, false);
    hint->setAlignment(Qt::AlignCenter);
    hint->setWordWrap(true);
    auto* layout = new QVBoxLayout(panel);
    layout->addStretch();
    layout->addWidget(logo);
    layout->addSpacing(12);
    layout->addWidget(title);
    layout->addWidget(hint);
    layout->addStretch();
    return panel;
}

}  // namespace

Gestione::Gestione(const Services& services, std::function<bool()> endProgram, QWidget* parent)
    : AreaWindow(parent), navigator_(services.navigator), endProgram_(std::move(endProgram)) {
    setObjectName(QStringLiteral("Gestione"));
    setWindowTitle(QStringLiteral("Brisvel"));

    XPButton2 = menuButton(this, "XPButton2", QStringLiteral("Brisvel"),
                           QStringLiteral("Inserisci/Modifica/Elimina/Stampa Fatture"));
    XPButton4 = menuButton(this, "XPButton4", QStringLiteral("Gestione Clienti"),
                           QStringLiteral("Inserisci/Modifica/Elimina/Stampa Clienti"));
    XPButton6 = menuButton(this, "XPButton6", QStringLiteral("Posizione Cliente"),
                           QStringLiteral("Inserisci nuove Voci"));
    XPButton8 = menuButton(this, "XPButton8", QStringLiteral("Gestione Incassi"),
                           QStringLiteral("Gestione Incassi"));
    XPButton12 =
        menuButton(this, "XPButton12", QStringLiteral("Scadenze"),
                   QStringLiteral("Fatture da incassare per scadenza, incassi e solleciti"));
    XPButton1 = menuButton(this, "XPButton1", QStringLiteral("Impostazioni/Causali"),
                           QStringLiteral("Impostazioni/Causali"));
    XPButton5 = menuButton(this, "XPButton5", QStringLiteral("Dati Anagrafici Utente"),
                           QStringLiteral("Dati Anagrafici Utente"));
    XPButton9 = menuButton(this, "XPButton9", QStringLiteral("Manutenzione"),
                           QStringLiteral("Manutenzione"));
    XPButton11 = menuButton(this, "XPButton11", QStringLiteral("Fattura Elettronica"),
                            QStringLiteral("Codici della fattura elettronica"));
    XPButton13 = menuButton(this, "XPButton13", QStringLiteral("Andamento"),
                            QStringLiteral("Andamento dell'anno e fatture per il commercialista"));
    XPButton3 = menuButton(this, "XPButton3", QStringLiteral("Chiudi"), QStringLiteral("Chiudi"));
    XPButton7 = menuButton(this, "XPButton7", QString(), QStringLiteral("Invia alla stampante"));
    XPButton10 = menuButton(this, "XPButton10", QString(), QStringLiteral("Invia alla stampante"));

    // Enabled once the program hands in what they open.
    for (auto* button : {XPButton1, XPButton2, XPButton4, XPButton5, XPButton6, XPButton8,
                         XPButton9, XPButton11, XPButton12, XPButton13}) {
        button->setEnabled(false);
        button->setFixedSize(kAreaButtonWidth, kButtonHeight);
    }
    for (MenuArea area : {MenuArea::Invoices, MenuArea::Clients, MenuArea::UserData,
                          MenuArea::ClientPosition, MenuArea::Collections, MenuArea::Maintenance,
                          MenuArea::ElectronicInvoice, MenuArea::Overdue, MenuArea::YearOverview})
        connect(areaButton(area), &QAbstractButton::clicked, this,
                [this, area] { openArea(area); });
    connect(XPButton1, &QAbstractButton::clicked, this, &Gestione::showSettings);
    connect(XPButton3, &QAbstractButton::clicked, this, [this] { endProgram_(); });
    XPButton3->setFixedSize(120, kButtonHeight);
    for (auto* button : {XPButton7, XPButton10}) {
        button->setFixedSize(kButtonHeight, kButtonHeight);
        markAsPrint(button);
    }

    Label15 = makeLabel(QStringLiteral("Label15"), QString(), this);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    new ClockLine(Label15, Timer2, services.clock, kClockSeparatorWide);

    auto* logo = new QLabel(this);
    logo->setPixmap(logoPicture(44, devicePixelRatioF()));
    logo->setAccessibleName(QStringLiteral("Logo del programma"));
    auto* title = makeText(this, QStringLiteral("Brisvel"), 6, true);
    auto* subtitle = makeText(
        this, QStringLiteral("Fatture, clienti e incassi del lavoratore autonomo"), 0, false);
    auto* heading = new QVBoxLayout;
    heading->setSpacing(0);
    heading->addWidget(title);
    heading->addWidget(subtitle);
    auto* header = new QHBoxLayout;
    header->setSpacing(12);
    header->addWidget(logo);
    header->addLayout(heading);
    header->addStretch();

    auto* areas = new QVBoxLayout;
    areas->setSpacing(8);
    for (auto* button : {XPButton2, XPButton4, XPButton6, XPButton8, XPButton12, XPButton13,
                         XPButton5, XPButton1, XPButton11, XPButton9})
        areas->addWidget(button);
    areas->addStretch();

    welcome_ = makeWelcome(this);
    welcome_->setMinimumSize(460, 360);
    workArea_ = new QGridLayout;
    workArea_->addWidget(welcome_, 0, 0);

    auto* body = new QHBoxLayout;
    body->setSpacing(20);
    body->addLayout(areas);
    body->addLayout(workArea_, 1);

    auto* footer = new QHBoxLayout;
    footer->setSpacing(8);
    footer->addWidget(XPButton7);
    footer->addWidget(XPButton10);
    footer->addSpacing(12);
    footer->addWidget(Label15);
    footer->addStretch();
    footer->addWidget(XPButton3);

    // Tab goes down the area column (and through the settings frame beside it),
    // then along the footer.
    orderTabs({XPButton2, XPButton4, XPButton6, XPButton8, XPButton12, XPButton13, XPButton5,
               XPButton1, XPButton11, XPButton9, XPButton7, XPButton10, XPButton3});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(16);
    layout->addLayout(header);
    layout->addLayout(body, 1);
    layout->addLayout(footer);
}

void Gestione::setAreaWindow(MenuArea area, AreaWindow* window, std::function<void()> entered) {
    areas_[area] = Area{window, std::move(entered)};
    areaButton(area)->setEnabled(window != nullptr);
}

void Gestione::setSettingsFrame(QWidget* frame, std::function<void()> load) {
    Frame4 = frame;
    loadSettings_ = std::move(load);
    frame->setObjectName(QStringLiteral("Frame4"));
    // The work area keeps the frame's size, so the window does not jump when it shows.
    welcome_->setMinimumSize(welcome_->minimumSize().expandedTo(frame->sizeHint()));
    workArea_->addWidget(frame, 0, 0, Qt::AlignTop);
    frame->hide();
    frame->installEventFilter(this);
    // The frame stands right of the area column: its controls come after that column
    // and before the footer.
    QWidget::setTabOrder(XPButton9, frame);
    XPButton1->setEnabled(true);
}

void Gestione::setWelcomePanel(QWidget* panel, std::function<void()> activated) {
    welcomeActivated_ = std::move(activated);
    auto* layout = static_cast<QVBoxLayout*>(welcome_->layout());
    // Under the welcome text, above the closing stretch.
    layout->insertSpacing(layout->count() - 1, 16);
    layout->insertWidget(layout->count() - 1, panel);
    // The panel stands right of the area column, before the settings frame: its
    // controls come right after that column, one by one, since a panel made apart
    // joins the window's chain at its end, after "Chiudi".
    QWidget* previous = XPButton9;
    for (QWidget* control : panel->findChildren<QWidget*>()) {
        if (control->focusPolicy() & Qt::TabFocus) {
            QWidget::setTabOrder(previous, control);
            previous = control;
        }
    }
}

void Gestione::activate() {
    XPButton7->setEnabled(false);
    XPButton10->setEnabled(false);
    if (Frame4)
        Frame4->hide();
    if (welcomeActivated_)
        welcomeActivated_();
}

bool Gestione::eventFilter(QObject* watched, QEvent* event) {
    // The welcome panel takes the work area whenever the frame leaves it, also
    // when the frame hides itself.
    if (watched == Frame4 && event->type() == QEvent::ShowToParent)
        welcome_->hide();
    else if (watched == Frame4 && event->type() == QEvent::HideToParent)
        welcome_->show();
    return AreaWindow::eventFilter(watched, event);
}

controls::XPButton* Gestione::areaButton(MenuArea area) const {
    switch (area) {
        case MenuArea::Invoices:
            return XPButton2;
        case MenuArea::Clients:
            return XPButton4;
        case MenuArea::UserData:
            return XPButton5;
        case MenuArea::ClientPosition:
            return XPButton6;
        case MenuArea::Collections:
            return XPButton8;
        case MenuArea::Maintenance:
            return XPButton9;
        case MenuArea::ElectronicInvoice:
            return XPButton11;
        case MenuArea::Overdue:
            return XPButton12;
        case MenuArea::YearOverview:
            return XPButton13;
    }
    Q_UNREACHABLE();
}

void Gestione::openArea(MenuArea area) {
    const auto found = areas_.find(area);
    if (found == areas_.end() || !found->second.window)
        return;
    navigator_.go(this, found->second.window);
    if (found->second.entered)
        found->second.entered();
}

void Gestione::showSettings() {
    Frame4->show();
    loadSettings_();
}

}  // namespace app
