#pragma once

// The settings frame of the main menu ("Impostazioni"): five rows, each a list of
// Utilità shown in a combo box and a text box for a new or changed item, with the
// buttons that insert, modify, remove an unused item, reset and leave. The main menu
// embeds it, shows it and calls load() on "Impostazioni/Causali"; "&Esci" saves the store and hides
// the frame.

#include <QGroupBox>

#include <array>

#include "app/printer_window.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace app {
class MessageBoxes;
}
namespace app {
struct Services;
}
namespace controls {
class XPButton;
}
namespace store {
class WorkbookStore;
}

namespace settings {

class SettingsFrame : public QGroupBox {
    Q_OBJECT
  public:
    explicit SettingsFrame(const app::Services& services, QWidget* parent = nullptr);

    // Empties the five lists and fills them again from the store.
    void load();
    // Enables "&Stampa", which opens the printer window with code 1.
    void setPrinterWindow(app::OpenPrinterWindow open);
    // Empties every text, restores the colours, enables the lists and reloads them
    // (PulisciImpostazioni).
    void clearSettings();

    QLabel* Label54;  // "Seleziona "
    QLabel* Label53;  // "Inserisci/Modifica"
    QLabel* Label28;
    QLabel* Label38;
    QLabel* Label39;
    QLabel* Label40;
    QLabel* Label1;
    QComboBox* Combo1;  // VAT rates, column B
    QComboBox* Combo2;  // INPS/Cassa rates, column A
    QComboBox* Combo3;  // VAT exemption reasons, column E
    QComboBox* Combo4;  // withholding rates, column C
    QComboBox* Combo5;  // payment types, column D
    QLineEdit* Text1;
    QLineEdit* Text2;
    QLineEdit* Text3;
    QLineEdit* Text4;
    QLineEdit* Text5;
    controls::XPButton* Command1;   // "Inserisci"
    controls::XPButton* Command9;   // "Modifica"
    controls::XPButton* Command4;   // "Elimina"
    controls::XPButton* Command3;   // "&Pulisci"
    controls::XPButton* Command13;  // "&Stampa"
    controls::XPButton* Command2;   // "&Esci"

  private:
    struct Row {
        QComboBox* combo;
        QLineEdit* text;
        int column;  // of Utilità
    };

    void buildLayout();
    void connectControls();
    void chosen(const Row& row);
    void insertClicked();
    void modifyClicked();
    void removeClicked();
    // Colours and lists as after "&Pulisci", the texts kept.
    void resetFrame();
    void exitClicked();

    store::WorkbookStore& store_;
    app::MessageBoxes& boxes_;
    app::OpenPrinterWindow openPrinterWindow_;
    // In the order rows are processed: Combo1/Text1 first.
    std::array<Row, 5> rows_;
};

}  // namespace settings
