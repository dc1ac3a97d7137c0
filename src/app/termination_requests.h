#pragma once

// A request from the system to end the program (SIGTERM at logout or shutdown,
// SIGINT from a terminal, SIGHUP when its terminal goes away) ends it through its
// shutdown sequence, so the store is saved and its lock released, instead of the
// process vanishing with the changes since the last save point.

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace app {

class TerminationRequests : public QObject {
    Q_OBJECT
  public:
    // From now until this object goes, a request runs `endProgram` on the window
    // thread; only one object may exist at a time. A request that arrives while a
    // dialog waits for the user (a nested event loop) waits until it is answered,
    // so that no window's handler finds the store gone under it.
    explicit TerminationRequests(std::function<void()> endProgram, QObject* parent = nullptr);
    ~TerminationRequests() override;

  private:
    void received();
    void endWhenIdle();

    std::function<void()> endProgram_;
    QSocketNotifier* notifier_ = nullptr;
    bool pending_ = false;
};

}  // namespace app
