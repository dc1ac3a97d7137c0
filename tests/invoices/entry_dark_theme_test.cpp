// The entry window on a dark desktop theme: every field's text reads on its
// background in each state the window colours a field (a computed VAT, a VAT
// waiting for its rate, the unlocked invoice number). With BRISVEL_SHOTS set, the
// states are saved as pictures.
#include "entry_window.h"

#include <QStyle>
#include <QStyleFactory>

#include <functional>
#include <string>

#include "controls/xpbutton_palette.h"
#include "support/dark_palette.h"
#include "support/shots.h"

namespace {

using namespace invoices_test;

struct DarkState {
    std::string name;
    std::function<void(EntryWindowTest&, EntryControlsByName&)> reach;
};

class EntryDarkTheme : public EntryWindowTest, public testing::WithParamInterface<DarkState> {
  protected:
    void SetUp() override {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(test_support::darkPalette());
        EntryWindowTest::SetUp();
    }
    void TearDown() override { QApplication::setPalette(QApplication::style()->standardPalette()); }
};

TEST_P(EntryDarkTheme, EveryFieldReads) {
    GetParam().reach(*this, *ui);
    window->resize(1000, 660);
    QApplication::processEvents();
    int fields = 0;
    for (QLineEdit* field : window->findChildren<QLineEdit*>()) {
        // A disabled field is dimmed on purpose.
        if (!field->isVisibleTo(window.get()) || !field->isEnabled())
            continue;
        const QPalette colours = field->palette();
        EXPECT_GE(
            controls::contrastRatio(colours.color(QPalette::Text), colours.color(QPalette::Base)),
            4.5)
            << field->objectName().toStdString();
        ++fields;
    }
    EXPECT_GT(fields, 10);
    test_support::saveWindowShot(
        *window, QStringLiteral("dark-entry-") + QString::fromStdString(GetParam().name));
}

INSTANTIATE_TEST_SUITE_P(
    Invoices, EntryDarkTheme,
    testing::Values(DarkState{"Opened", [](EntryWindowTest&, EntryControlsByName&) {}},
                    DarkState{
                        "AmountsComputed",
                        [](EntryWindowTest& t, EntryControlsByName&) { t.fillWorkedExample(); }},
                    DarkState{"VatWaitingForItsRate",
                              [](EntryWindowTest& t, EntryControlsByName& ui) {
                                  t.fillWorkedExample();
                                  t.choose(ui.Combo5, QStringLiteral("*"));
                                  ui.Text6->setText(QStringLiteral("0"));
                              }},
                    DarkState{"NumberUnlocked",
                              [](EntryWindowTest& t, EntryControlsByName& ui) {
                                  t.fillWorkedExample();
                                  ui.Check3->click();
                              }}),
    [](const testing::TestParamInfo<DarkState>& info) { return info.param.name; });

}  // namespace
