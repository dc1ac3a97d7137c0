#pragma once

// The printer selection window "Seleziona Stampante": the installed printers and
// "File PDF…", the default printer's name, and the print code that the calling
// window sets. "Stampa" runs the printout the code selects; the window knows
// nothing of what is printed. Its close box empties the code and unloads it.

#include <QWidget>

#include <functional>
#include <map>

class QComboBox;
class QLabel;
class QLineEdit;

namespace controls {
class XPButton;
}
namespace printing {
class PrinterCatalogue;
}

namespace printers {

class StampaP;

// A printout by print code.
using Printouts = std::map<int, std::function<void(StampaP& window)>>;

class StampaP : public QWidget {
    Q_OBJECT
  public:
    StampaP(const printing::PrinterCatalogue& catalogue, Printouts printouts,
            QWidget* parent = nullptr);

    // The list's last item: the printout goes to a PDF file the user names.
    static QString pdfItem();
    // What the list shows until the user picks a printer.
    static QString noChoice();

    // The print code, as the calling window sets it.
    void setCode(const QString& code);
    // The list's text: a printer's name, pdfItem(), or noChoice() when none was picked.
    QString chosenPrinter() const;

    QComboBox* Combo1;
    controls::XPButton* XPButton2;  // "Stampa"
    QLabel* Label1;
    QLineEdit* Text1;  // the print code

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // The original's Form_Load.
    void load(const printing::PrinterCatalogue& catalogue);
    void printClicked();

    Printouts printouts_;
};

}  // namespace printers
