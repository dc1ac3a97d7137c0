// Each window's print button asks the printer window for its own printout.
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

#include "app/area_window.h"
#include "app/clock.h"
#include "app/navigator.h"
#include "app/printer_window.h"
#include "app/services.h"
#include "clients/anagrafe.h"
#include "controls/xpbutton.h"
#include "settings/settings_frame.h"
#include "support/fake_printers.h"
#include "support/prepared_store.h"
#include "support/scripted_message_boxes.h"

namespace {

// A window with a print button, and how it is told where to ask.
struct Asker {
    std::unique_ptr<QWidget> window;
    std::function<void(app::OpenPrinterWindow)> connect;
};

struct PrintRequestRow {
    const char* window;
    std::function<Asker(const app::Services&)> make;
    const char* button;
    app::Printout asked;
};

class PrintRequest : public testing::TestWithParam<PrintRequestRow> {
  protected:
    test_support::PreparedStore data;
    test_support::ScriptedMessageBoxes boxes;
    app::FixedClock clock{QDateTime(QDate(2024, 3, 5), QTime(9, 7, 30))};
    app::Navigator navigator;
    test_support::FakePrinters printers{{QStringLiteral("Laser")}, QStringLiteral("Laser"), {}};
    app::Services services{data.store(), boxes, clock, navigator, printers};
};

TEST_P(PrintRequest, TheButtonAsksForItsOwnPrintout) {
    const PrintRequestRow& row = GetParam();
    Asker asker = row.make(services);
    std::optional<app::Printout> asked;
    asker.connect([&asked](app::AreaWindow*, app::Printout printout) { asked = printout; });
    auto* button = asker.window->findChild<controls::XPButton*>(QString::fromLatin1(row.button));
    ASSERT_NE(button, nullptr) << row.window;
    ASSERT_TRUE(button->isEnabled()) << row.window;
    button->click();
    ASSERT_TRUE(asked.has_value()) << row.window;
    EXPECT_EQ(*asked, row.asked) << row.window;
}

INSTANTIATE_TEST_SUITE_P(
    Windows, PrintRequest,
    testing::Values(PrintRequestRow{"Anagrafe",
                                    [](const app::Services& services) {
                                        auto window = std::make_unique<clients::Anagrafe>(services);
                                        auto* clients = window.get();
                                        return Asker{std::move(window),
                                                     [clients](app::OpenPrinterWindow open) {
                                                         clients->setPrinterWindow(std::move(open));
                                                     }};
                                    },
                                    "XPButton5", app::Printout::ClientList},
                    PrintRequestRow{"SettingsFrame",
                                    [](const app::Services& services) {
                                        auto window =
                                            std::make_unique<settings::SettingsFrame>(services);
                                        auto* frame = window.get();
                                        return Asker{std::move(window),
                                                     [frame](app::OpenPrinterWindow open) {
                                                         frame->setPrinterWindow(std::move(open));
                                                     }};
                                    },
                                    "Command13", app::Printout::SettingsLists}));

}  // namespace
