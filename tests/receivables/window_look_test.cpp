// The window as the user sees it in both modes with a list: every column of the
// list in view without scrolling sideways, the totals line under it. With
// BRISVEL_SHOTS set to a folder (and a real display, e.g. Xvfb with
// QT_QPA_PLATFORM=xcb) each state is also taken as a screenshot of the screen.
#include "incassi_window.h"
#include "support/shots.h"

#include <QScrollBar>

namespace {

using namespace receivables_test;

class WindowLook : public IncassiTest {
  protected:
    WindowLook() {
        clients({{7, "STUDIO ASSOCIATO ROSSI E BIANCHI"}, {9, "VERDI COSTRUZIONI SRL"}});
        invoices({
            {1, "STUDIO ASSOCIATO ROSSI E BIANCHI", "7", "1", "05/01/2024", "1.268,80", "1.015,04",
             "*"},
            {2, "VERDI COSTRUZIONI SRL", "9", "2", "12/01/2024", "3.660,00", "2.928,00",
             "20/02/2024"},
            {3, "STUDIO ASSOCIATO ROSSI E BIANCHI", "7", "3", "02/02/2024", "12.444,00", "9.955,20",
             "15/03/2024"},
            {4, "STUDIO ASSOCIATO ROSSI E BIANCHI", "7", "4", "28/02/2024", "2.537,60", "2.030,08",
             "*"},
            {5, "VERDI COSTRUZIONI SRL", "9", "5", "04/03/2024", "1.830,00", "1.464,00", "*"},
        });
    }

    // The whole list in view, the totals under it inside the window.
    void expectWholeListInView() {
        QApplication::processEvents();
        EXPECT_FALSE(window.ListView3->horizontalScrollBar()->isVisible());
        const QRect totals(window.Totali->mapTo(&window, QPoint(0, 0)), window.Totali->size());
        EXPECT_TRUE(window.rect().contains(totals));
        EXPECT_GT(totals.top(),
                  window.ListView3->mapTo(&window, QPoint(0, window.ListView3->height())).y() - 1);
    }

    // The choice frame at the top, the buttons at the foot of the window.
    void expectChoiceLaidOut() {
        QApplication::processEvents();
        EXPECT_LT(window.Frame1->mapTo(&window, QPoint(0, 0)).y(), 40);
        const int buttonsFoot =
            window.XPButton1->mapTo(&window, QPoint(0, 0)).y() + window.XPButton1->height();
        EXPECT_GT(buttonsFoot, window.height() - 40);
    }

    void shoot(const char* name) {
        if (test_support::shotsFolder().isEmpty())
            return;
        test_support::settle(window);
        test_support::saveScreenShot(QString::fromLatin1(name));
    }
};

TEST_F(WindowLook, TheClientPositionWithItsTotals) {
    openClientPosition();
    expectChoiceLaidOut();
    shoot("receivables-position-choice");
    choose(1);
    QTest::mouseClick(window.XPButton3, Qt::LeftButton);
    ASSERT_EQ(lines(), 3);
    EXPECT_EQ(window.Totali->text(),
              QStringLiteral("3 fatture     TOTALE FT: 16.250,40     NETTO FT: 13.000,32"));
    expectWholeListInView();
    shoot("receivables-position-list");
}

TEST_F(WindowLook, TheCollectionsWithItsTotals) {
    openCollections();
    expectChoiceLaidOut();
    shoot("receivables-collections-choice");
    QTest::mouseClick(window.Check1, Qt::LeftButton);
    ASSERT_EQ(lines(), 3);
    expectWholeListInView();
    shoot("receivables-collections-list");
}

}  // namespace
