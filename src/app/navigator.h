#pragma once

// Moves the user between windows: shows one, hides the other, and runs the
// activation of the window brought forward. Activation runs only here, never on a
// mere change of focus, so closing a message box does not rerun it.

#include <QObject>
#include <QPointer>

#include <map>

class QWidget;

namespace app {

class AreaWindow;

class Navigator : public QObject {
    Q_OBJECT
  public:
    explicit Navigator(QObject* parent = nullptr);

    // The main menu, where every area window returns.
    void setMainMenu(AreaWindow* menu);

    // Hides `from` (when given), shows `to` and runs its activation.
    void go(QWidget* from, AreaWindow* to);

    // Hides `from` and brings back the main menu.
    void backToMainMenu(QWidget* from);

    // Shows `over` (the printer window) above `caller`, which stays shown. When
    // `over` is left, hidden or closed by the program or destroyed, the caller's
    // activation runs again.
    void openOver(AreaWindow* caller, QWidget* over);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void left(QObject* over);

    QPointer<AreaWindow> mainMenu_;
    std::map<QObject*, QPointer<AreaWindow>> callers_;  // window opened over -> its caller
};

}  // namespace app
