#pragma once

// The start window: shown once the start is done, it leads to the main menu.
// Closing it ends the program through the shutdown sequence.

#include <QUrl>
#include <QWidget>

#include <functional>

class QLabel;

namespace controls {
class XPButton;
}

namespace app {

class Navigator;

// The program's web page, opened from the logo.
inline const QUrl kProgramSite(QStringLiteral("https://www.brisvel.it/"));

class Avvio : public QWidget {
    Q_OBJECT
  public:
    // `endProgram` runs the shutdown sequence; it answers false when the user
    // chose to stay in the program.
    Avvio(Navigator& navigator, std::function<bool()> endProgram, QWidget* parent = nullptr);

    QLabel* Picture1;
    QLabel* Image1;
    QLabel* Label1;
    controls::XPButton* XPButton2;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void openSite();

    Navigator& navigator_;
    std::function<bool()> endProgram_;
};

}  // namespace app
