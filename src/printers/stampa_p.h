#pragma once

// The printer selection window "Seleziona Stampante": the installed printers and
// "File PDF…" and the default printer's name. "Stampa" runs the printout the calling
// window asked for; the window knows nothing of what is printed. Its close box
// forgets the printout and unloads it.

#include <QWidget>

#include <functional>
#include <map>
#include <optional>

#include "app/printer_window.h"

class QComboBox;
class QLabel;

namespace controls {
class XPButton;
}
namespace printing {
class PrinterCatalogue;
}

namespace printers {

class StampaP;

// How each printout runs.
using Printouts = std::map<app::Printout, std::function<void(StampaP& window)>>;

class StampaP : public QWidget {
    Q_OBJECT
  public:
    StampaP(const printing::PrinterCatalogue& catalogue, Printouts printouts,
            QWidget* parent = nullptr);

    // The list's last item: the printout goes to a PDF file the user names.
    static QString pdfItem();
    // What the list shows until the user picks a printer.
    static QString noChoice();

    // The printout "Stampa" runs, as the calling window asks for it.
    void setPrintout(app::Printout printout);
    // The list's text: a printer's name, pdfItem(), or noChoice() when none was picked.
    QString chosenPrinter() const;

    QComboBox* Combo1;
    controls::XPButton* XPButton2;  // "Stampa"
    QLabel* Label1;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // Lists the printers with the default one chosen.
    void load(const printing::PrinterCatalogue& catalogue);
    void printClicked();

    Printouts printouts_;
    std::optional<app::Printout> printout_;
};

}  // namespace printers
