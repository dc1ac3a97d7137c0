// The start window: its controls, the logo's link, the way on to the main menu,
// and its close, which ends the program through the shutdown sequence.
#include "app/area_window.h"
#include "app/avvio.h"
#include "app/navigator.h"
#include "app/session.h"
#include "app/store_folder.h"
#include "controls/xpbutton.h"
#include "support/scripted_message_boxes.h"

#include <QDesktopServices>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class Menu : public app::AreaWindow {
  public:
    void activate() override { ++activations; }
    int activations = 0;
};

// Catches the web pages the program asks the system to open.
class UrlCatcher : public QObject {
    Q_OBJECT
  public:
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }
    QList<QUrl> opened;
  public slots:
    void open(const QUrl& url) { opened << url; }
};

class StartWindow : public testing::Test {
  protected:
    StartWindow() { navigator.setMainMenu(&menu); }
    app::Navigator navigator;
    Menu menu;
    int endRequests = 0;
    bool allowEnd = true;
    app::Avvio window{navigator, [this] {
                          ++endRequests;
                          return allowEnd;
                      }};
};

TEST_F(StartWindow, ShowsItsCaptionDateAndLogoTip) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Brisvel Lavoratore  Autonomo"));
    EXPECT_EQ(window.Label1->text(), QStringLiteral("agg.12-10-2009"));
    EXPECT_EQ(window.Image1->toolTip(), QStringLiteral("Vai al il mio sito !"));
    EXPECT_FALSE(window.Picture1->pixmap().isNull());
    EXPECT_FALSE(window.Image1->pixmap().isNull());
    EXPECT_FALSE(window.XPButton2->caption().isEmpty());
    for (const char* name : {"Picture1", "Image1", "Label1", "XPButton2"})
        EXPECT_NE(window.findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
}

TEST_F(StartWindow, ALogoPressFramesItAndOpensTheSiteWithoutWaiting) {
    UrlCatcher catcher;
    window.show();
    EXPECT_EQ(window.Image1->frameShape(), QFrame::NoFrame);
    QTest::mousePress(window.Image1, Qt::RightButton);
    EXPECT_EQ(window.Image1->frameShape(), QFrame::Box);
    EXPECT_EQ(window.Image1->lineWidth(), 1);
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened.first(), app::kProgramSite);
    EXPECT_EQ(endRequests, 0);
}

TEST_F(StartWindow, ContinueHidesItAndActivatesTheMainMenu) {
    window.show();
    QTest::mouseClick(window.XPButton2, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.activations, 1);
    EXPECT_EQ(endRequests, 0);
}

TEST_F(StartWindow, ClosingEndsTheProgramUnlessTheUserStays) {
    window.show();
    allowEnd = false;
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(endRequests, 1);

    allowEnd = true;
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(endRequests, 2);
}

TEST(StartWindowScenario, ClosingItBeforeContinuingSavesTheStore) {
    test_support::StoreFolder folder;
    folder.writeStore({QStringLiteral("Foglio1")});
    test_support::ScriptedMessageBoxes boxes;
    app::Session session(folder.path());
    ASSERT_EQ(session.start(boxes), app::StartOutcome::Ready);

    app::Navigator navigator;
    app::Avvio window(navigator, [&] { return session.shutDown(boxes); });
    window.show();
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(session.isRunning());
    EXPECT_FALSE(QFile::exists(folder.lockPath()));

    test_support::SavedStore saved(folder.storePath());
    ASSERT_TRUE(saved.ok());
    // Foglio1, the four core sheets, the codes, the invoices' data and the receipts.
    EXPECT_EQ(saved.book().sheetCount(), 8);
    EXPECT_EQ(saved.text(QStringLiteral("Utente"), 10, 1), QStringLiteral("Codice IBAN"));
    EXPECT_EQ(saved.text(QStringLiteral("Anagrafe"), 1, 16), QStringLiteral("Annotazioni"));
}

}  // namespace

#include "start_window_test.moc"
