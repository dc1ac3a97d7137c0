// "Primi passi": what a store still lacks for a valid electronic invoice, step by
// step, and the offer of the usual lists while the settings lists are empty.
#include "settings/first_steps_panel.h"

#include "app/clock.h"
#include "app/gestione.h"
#include "app/navigator.h"
#include "app/services.h"
#include "controls/xpbutton.h"
#include "fatturapa/first_steps.h"
#include "registers/client_sheet.h"
#include "registers/einvoice_codes.h"
#include "registers/settings_lists.h"
#include "registers/user_data.h"
#include "support/fake_printers.h"
#include "support/invoice_rows.h"
#include "support/prepared_store.h"
#include "support/scripted_message_boxes.h"
#include "support/shots.h"

#include <QLabel>

#include <functional>

#include <gtest/gtest.h>

namespace {

using registers::CodedList;

// The rows prepare the store through these.
class FirstSteps : public testing::Test {
  public:
    FirstSteps() { registers::prepareEinvoiceCodesSheet(temp.store()); }

    store::Workbook& book() { return temp.store().workbook(); }
    registers::EinvoiceCodes codes() {
        return registers::EinvoiceCodes(temp.sheet(registers::kEinvoiceCodesSheet));
    }
    void writeUser(const QString& vatNumber) {
        registers::UserData user;
        user[registers::UserName] = QStringLiteral("ROSSI MARIO");
        user[registers::UserDomicile] = QStringLiteral("VIA ROMA 1");
        user[registers::UserTown] = QStringLiteral("ROMA");
        user[registers::UserProvince] = QStringLiteral("RM");
        user[registers::UserPostalCode] = QStringLiteral("00185");
        user[registers::UserVatNumber] = vatNumber;
        registers::writeUserData(temp.sheet(store::kUserSheet), user);
    }
    void addSurcharge() {
        ASSERT_TRUE(registers::insertItem(temp.sheet(store::kSettingsSheet), registers::kInpsColumn,
                                          QStringLiteral("4"))
                        .ok());
    }
    void addClient() {
        registers::ClientRecord client;
        client[registers::client::Name] = QStringLiteral("STUDIO BIANCHI SRL");
        ASSERT_TRUE(registers::ClientSheet(temp.sheet(store::kClientsSheet)).add(client).ok());
    }

    test_support::PreparedStore temp;
};

struct StoreState {
    const char* what;
    std::function<void(FirstSteps&)> prepare;
    std::vector<QStringList> missing;  // per step
};

class FirstStepRows : public FirstSteps, public testing::WithParamInterface<StoreState> {};

TEST_P(FirstStepRows, SayWhatIsStillMissing) {
    GetParam().prepare(*this);
    const fatturapa::FirstSteps state = fatturapa::firstSteps(book());
    ASSERT_EQ(state.steps.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(state.steps[i].missing, GetParam().missing[i]) << GetParam().what << " " << i;
    EXPECT_FALSE(state.invoiceRegistered);
}

const QStringList kNoUser{
    "da scrivere: ragione sociale, domicilio fiscale, città, provincia, "
    "CAP, partita IVA"};
const QStringList kNoRegime{"scegliere il regime fiscale e premere \"Salva\""};
const QString kNoFund = QStringLiteral(
    "indicare la cassa della rivalsa in \"INPS/Cassa\" (TC22 per la gestione separata INPS)");
const QStringList kNoClient{"nessun cliente in anagrafe"};
const QStringList kNoInvoice{"nessuna fattura registrata"};

INSTANTIATE_TEST_SUITE_P(
    FromAnEmptyStore, FirstStepRows,
    testing::Values(
        StoreState{
            "an empty store", [](FirstSteps&) {}, {kNoUser, kNoRegime, kNoClient, kNoInvoice}},
        StoreState{"the user's data with a wrong check digit",
                   [](FirstSteps& t) { t.writeUser(QStringLiteral("12345678901")); },
                   {{"la partita IVA dell'utente non è valida (\"12345678901\": undici cifre, "
                     "l'ultima di controllo)"},
                    kNoRegime,
                    kNoClient,
                    kNoInvoice}},
        StoreState{"the user's data, the regime saved, no surcharge item",
                   [](FirstSteps& t) {
                       t.writeUser(QStringLiteral("12345678903"));
                       t.codes().setTaxRegime(QStringLiteral("RF19"));
                   },
                   {{}, {}, kNoClient, kNoInvoice}},
        StoreState{"a surcharge item whose fund is not said",
                   [](FirstSteps& t) {
                       t.addSurcharge();
                       t.codes().setTaxRegime(QStringLiteral("RF01"));
                   },
                   {kNoUser, {kNoFund}, kNoClient, kNoInvoice}},
        StoreState{"the surcharge coded as INPS, a client",
                   [](FirstSteps& t) {
                       t.addSurcharge();
                       t.codes().setCodes(CodedList::Cassa, QStringLiteral("4"),
                                          {QStringLiteral("TC22"), {}});
                       t.addClient();
                   },
                   {kNoUser, kNoRegime, {}, kNoInvoice}}));

// The panel in the main menu, driven through its widgets; the menu's activation
// reads the store again.
class Panel : public FirstSteps {
  protected:
    Panel() {
        menu.setWelcomePanel(panel, [this] { panel->refresh(); });
        navigator.setMainMenu(&menu);
        navigator.go(nullptr, &menu);
        test_support::settle(menu);
    }
    // The step's title, and what it lacks when it is shown.
    QString stepText(std::size_t i) const {
        return panel->steps_[i]->text() +
               (panel->missing_[i]->isVisible() ? u'\n' + panel->missing_[i]->text() : QString());
    }
    void reactivate() {
        menu.activate();
        test_support::settle(menu);
    }

    test_support::ScriptedMessageBoxes boxes;
    app::FixedClock clock{QDateTime(QDate(2024, 3, 5), QTime(9, 7, 30))};
    app::Navigator navigator;
    test_support::FakePrinters printers{{}, {}, {}};
    app::Services services{temp.store(), boxes, clock, navigator, printers};
    app::Gestione menu{services, [] { return true; }};
    settings::FirstStepsPanel* panel = new settings::FirstStepsPanel(services);
};

TEST_F(Panel, OffersTheListsOnceAndStepsAsideAfterTheFirstInvoice) {
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(panel->XPButton1->isVisible());
    EXPECT_EQ(panel->XPButton1->accessibleName(), "Inserisci gli elenchi consueti");
    EXPECT_EQ(stepText(0), "○  I tuoi dati (Dati Anagrafici Utente)\n– " + kNoUser.first());
    test_support::saveWindowShot(menu, QStringLiteral("first-steps-empty"));
    // Tab reaches the offer after the area column, and "Chiudi" still ends the chain,
    // so Shift+Tab from the first area button lands on it.
    const auto reachedBefore = [](QWidget* from, QWidget* sought, QWidget* other) {
        for (QWidget* w = from->nextInFocusChain(); w != from; w = w->nextInFocusChain())
            if (w == sought || w == other)
                return w == sought;
        return false;
    };
    EXPECT_TRUE(reachedBefore(menu.XPButton9, panel->XPButton1, menu.XPButton3));
    EXPECT_TRUE(reachedBefore(menu.XPButton3, menu.XPButton2, panel->XPButton1));

    panel->XPButton1->click();
    EXPECT_EQ(boxes.failures(), 0);
    EXPECT_FALSE(panel->XPButton1->isVisible());
    EXPECT_FALSE(panel->Label1->isVisible());
    EXPECT_EQ(temp.reopened(store::kSettingsSheet).text(3, registers::kVatColumn), "22")
        << "saved at once";
    EXPECT_EQ(stepText(1),
              "○  Regime fiscale e cassa della rivalsa (Fattura Elettronica)\n"
              "– " +
                  kNoRegime.first() + "\n– " + kNoFund);

    writeUser(QStringLiteral("12345678903"));
    reactivate();
    EXPECT_EQ(stepText(0), "✓  I tuoi dati (Dati Anagrafici Utente)");
    EXPECT_FALSE(panel->steps_[0]->isEnabled());
    test_support::saveWindowShot(menu, QStringLiteral("first-steps-lists"));

    test_support::writeInvoice(
        temp.sheet(store::kInvoicesSheet), 2,
        {1, "STUDIO BIANCHI SRL", "1", "1", "05/03/2024", "100,00", "100,00", "*"});
    reactivate();
    EXPECT_FALSE(panel->isVisible());
}

}  // namespace
