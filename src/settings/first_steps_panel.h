#pragma once

// "Primi passi", shown in the main menu until the first invoice is registered: what
// the store still lacks for a valid electronic invoice, step by step, and, while the
// settings lists are empty, the offer of the lists a professional usually needs. It
// rereads the store each time the main menu is activated; once an invoice is
// registered it stays hidden, so a store in use never shows it.

#include <QGroupBox>

#include <array>

class QLabel;

namespace app {
class MessageBoxes;
struct Services;
}  // namespace app
namespace controls {
class XPButton;
}
namespace store {
class WorkbookStore;
}

namespace settings {

class FirstStepsPanel : public QGroupBox {
    Q_OBJECT
  public:
    explicit FirstStepsPanel(const app::Services& services, QWidget* parent = nullptr);

    // Reads the store again: the steps, the offer, whether the panel shows at all.
    void refresh();

    QLabel* Label1;                   // what the lists offer holds
    controls::XPButton* XPButton1;    // "Inserisci gli elenchi consueti"
    QLabel* Label2;                   // heading of the steps
    std::array<QLabel*, 4> steps_;    // Label3..Label6: a step's mark and title
    std::array<QLabel*, 4> missing_;  // Label7..Label10: what the step lacks

  private:
    void addStarterLists();

    store::WorkbookStore& store_;
    app::MessageBoxes& boxes_;
};

}  // namespace settings
