// The main menu and the client window on a dark desktop theme: every button caption
// reads well. With BRISVEL_SHOTS naming a folder, the windows are also saved there as
// pictures (run under a real display to see them as a user does).
#include "client_window.h"
#include "support/shots.h"

#include "app/gestione.h"
#include "support/dark_palette.h"

#include <QStyle>
#include <QStyleFactory>

namespace {

using namespace clients_test;

// The strongest contrast between the caption band of `button` and its face beside it.
double captionContrast(controls::XPButton* button) {
    const QImage img = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int h = img.height(), w = img.width();
    const QColor ground(img.pixel(6, h / 2));
    double best = 1.0;
    for (int y = 6; y < h - 6; ++y) {
        for (int x = 8; x < w - 8; ++x)
            best = std::max(best, controls::contrastRatio(QColor(img.pixel(x, y)), ground));
    }
    return best;
}

void saveShot(QWidget* window, const QString& name) {
    test_support::saveWindowShot(*window, name);
    // The whole screen as well, when there is one to take.
    test_support::saveScreenShot(name + QStringLiteral("-screen"));
}

class DarkTheme : public ClientWindowTest {
  protected:
    void SetUp() override {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(test_support::darkPalette());
        ClientWindowTest::SetUp();
    }
    void TearDown() override { QApplication::setPalette(QApplication::style()->standardPalette()); }

    void expectLegible(QWidget* window) {
        int buttons = 0;
        for (controls::XPButton* button : window->findChildren<controls::XPButton*>()) {
            if (!button->isVisible() || !button->isEnabled() || button->caption().isEmpty())
                continue;
            EXPECT_GE(captionContrast(button), 4.5) << button->objectName().toStdString();
            ++buttons;
        }
        EXPECT_GT(buttons, 0);
    }
};

TEST_F(DarkTheme, TheClientWindowReadsWell) {
    insert(QStringLiteral("studio rossi"));
    choose(0);
    window->resize(900, 600);
    test_support::settle(*window);
    expectLegible(window.get());
    saveShot(window.get(), QStringLiteral("dark-client-window"));
}

TEST_F(DarkTheme, TheMainMenuReadsWell) {
    app::Gestione gestione(app::Services{data.store(), boxes, clock, navigator, printers},
                           [] { return true; });
    gestione.setAreaWindow(app::MenuArea::Clients, window.get());
    navigator.setMainMenu(&gestione);
    navigator.backToMainMenu(window.get());
    test_support::settle(gestione);
    expectLegible(&gestione);
    saveShot(&gestione, QStringLiteral("dark-main-menu"));
}

}  // namespace
