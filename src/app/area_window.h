#pragma once

// The common frame of the program's windows that the user enters from the main
// menu (and of the main menu itself): the close box is refused, and navigation
// runs the window's activation.

#include <QWidget>

namespace app {

class AreaWindow : public QWidget {
    Q_OBJECT
  public:
    explicit AreaWindow(QWidget* parent = nullptr);

    // Runs each time navigation brings the window to the user (Navigator): the
    // window rereads what it shows. A window with nothing to reread keeps this.
    virtual void activate() {}

    // Closes the window for good, as the program's shutdown does; the close box
    // cannot. QCoreApplication::quit() asks every window to close and gives up
    // when one refuses, so the shutdown closes these windows through here or ends
    // with QCoreApplication::exit().
    void closeForShutdown();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    bool shuttingDown_ = false;
};

}  // namespace app
