// The entry window as a user sees it in its three states: nothing cut off. With
// BRISVEL_SHOTS set, each state is also saved as a picture in that folder.
#include "entry_window.h"
#include "support/shots.h"

#include <QHeaderView>

namespace {

using namespace invoices_test;

class EntryLooks : public EntryWindowTest {
  protected:
    // Every shown label and button is as wide as its text needs.
    void expectNothingCutOff(const char* state) {
        QApplication::processEvents();
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (!label->isVisibleTo(window.get()) || label->wordWrap() || label->text().isEmpty())
                continue;
            EXPECT_GE(label->width(), label->sizeHint().width())
                << state << ": " << label->text().toStdString();
        }
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(window.get()))
                continue;
            EXPECT_GE(w->width(), w->minimumSizeHint().width())
                << state << ": " << w->objectName().toStdString();
            const QRect inWindow(w->mapTo(window.get(), QPoint(0, 0)), w->size());
            EXPECT_TRUE(window->rect().contains(inWindow))
                << state << ": " << w->objectName().toStdString();
        }
    }

    void shoot(const char* name) {
        if (test_support::shotsFolder().isEmpty())
            return;
        window->raise();
        test_support::settle(*window);
        test_support::saveWindowShot(*window, QString::fromLatin1(name));
        // The whole screen as well, when there is a tool to take it.
        test_support::saveScreenShot(QString::fromLatin1(name) + QStringLiteral("-screen"));
    }
};

TEST_F(EntryLooks, TheThreeStatesShowWhole) {
    window->move(0, 0);
    // The day of the collection the window shows.
    clock.set(QDateTime(QDate(2024, 4, 15), QTime(9, 0)));
    fillWorkedExample();
    choose(ui->Combo3, QStringLiteral("Art. 15 DPR 633/72"));
    type(ui->Text7, QStringLiteral("16"));
    choose(ui->Combo6, QStringLiteral("22"));
    choose(ui->Combo7, QStringLiteral("20"));
    ui->Text13->setText(QStringLiteral("15/04/2024"));
    expectNothingCutOff("new invoice");
    shoot("entry-new-invoice");

    registerAnsweringYes();
    for (int i = 0; i < 3; ++i) {
        fillWorkedExample();
        registerAnsweringYes();
    }
    ui->XPButton3->click();
    expectNothingCutOff("register list");
    shoot("entry-register-list");

    const QModelIndex second = ui->ListView3->model()->index(1, 0);
    ui->ListView3->setCurrentIndex(second);
    emit ui->ListView3->clicked(second);
    expectNothingCutOff("modification");
    shoot("entry-modification");
}

}  // namespace
