#pragma once

// "Ricevute SDI", from the codes window: the user picks receipt files, or a folder
// whose files named as receipts are all read. Every file is read before the store
// changes; the receipts new to the store are kept in its history and saved at once,
// and the window lists the outcome of each file: the invoice it is about, the state
// it gives, its errors, or why it was not kept.

#include <QDialog>

class QLabel;
class QTreeWidget;

namespace app {
class MessageBoxes;
}
namespace controls {
class XPButton;
}
namespace store {
class WorkbookStore;
}

namespace einvoice {

class RicevuteSdi : public QDialog {
    Q_OBJECT
  public:
    RicevuteSdi(store::WorkbookStore& store, app::MessageBoxes& boxes, QWidget* parent = nullptr);

    // Reads the receipt files and folders `paths`, keeps the new receipts, saves,
    // lists the outcome and tells it.
    void readReceipts(const QStringList& paths);

    QLabel* Label1;                 // what to pick
    QTreeWidget* Grid1;             // one line per file read
    controls::XPButton* XPButton1;  // Scegli file
    controls::XPButton* XPButton2;  // Scegli cartella
    controls::XPButton* XPButton3;  // Esci

  private:
    void chooseFiles();
    void chooseFolder();
    QString proposedFolder() const;

    store::WorkbookStore& store_;
    app::MessageBoxes& boxes_;
};

}  // namespace einvoice
