#include "app/avvio.h"

#include "app/artwork.h"
#include "app/controls_factory.h"
#include "app/navigator.h"
#include "controls/xpbutton.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace app {

namespace {

constexpr int kBannerWidth = 560;
constexpr int kBannerHeight = 150;
constexpr int kLogoSide = 84;
constexpr int kLogoMargin = 28;

}  // namespace

Avvio::Avvio(Navigator& navigator, std::function<bool()> endProgram, QWidget* parent)
    : QWidget(parent), navigator_(navigator), endProgram_(std::move(endProgram)) {
    setObjectName(QStringLiteral("Avvio"));
    setWindowTitle(QStringLiteral("Brisvel Lavoratore  Autonomo"));
    const qreal ratio = devicePixelRatioF();

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAccessibleName(QStringLiteral("Immagine del programma"));
    Picture1->setPixmap(
        bannerPicture(QSize(kBannerWidth, kBannerHeight), kLogoMargin * 2 + kLogoSide, ratio));
    Picture1->setFixedSize(kBannerWidth, kBannerHeight);

    // The logo sits on the banner's left.
    Image1 = new QLabel(Picture1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("Logo, apre il sito del programma"));
    Image1->setToolTip(QStringLiteral("Vai al il mio sito !"));
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(logoPicture(kLogoSide, ratio));
    // The border drawn after a press is white, to show on the blue banner.
    QPalette logoPalette = Image1->palette();
    logoPalette.setColor(QPalette::WindowText, Qt::white);
    Image1->setPalette(logoPalette);
    Image1->setGeometry(kLogoMargin - 3, (kBannerHeight - kLogoSide) / 2 - 3, kLogoSide + 6,
                        kLogoSide + 6);
    Image1->installEventFilter(this);

    Label1 = makeLabel(QStringLiteral("Label1"), QStringLiteral("agg.12-10-2009"), this);
    QPalette quiet = Label1->palette();
    quiet.setColor(QPalette::WindowText, QColor(0x60, 0x60, 0x60));
    Label1->setPalette(quiet);

    XPButton2 = makeButton(QStringLiteral("XPButton2"), QStringLiteral("Continua"), {}, this);
    XPButton2->setMinimumSize(120, 34);
    connect(XPButton2, &QAbstractButton::clicked, this,
            [this] { navigator_.backToMainMenu(this); });

    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(20, 16, 20, 18);
    bottom->addWidget(Label1);
    bottom->addStretch();
    bottom->addWidget(XPButton2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Picture1);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    XPButton2->setFocus();
}

void Avvio::closeEvent(QCloseEvent* event) {
    if (endProgram_())
        event->accept();
    else
        event->ignore();
}

bool Avvio::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1 && event->type() == QEvent::MouseButtonPress)
        openSite();
    return QWidget::eventFilter(watched, event);
}

void Avvio::openSite() {
    Image1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Image1->setLineWidth(1);
    // The browser starts on its own; a failure to start one is not the program's concern.
    QDesktopServices::openUrl(kProgramSite);
}

}  // namespace app
