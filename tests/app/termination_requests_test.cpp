// A termination request from the system ends the program through its shutdown
// sequence, on the window thread, and never under an open dialog.
#include "app/termination_requests.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

namespace {

// Handles the events the window thread has waiting. The signal handler has
// written its byte before raise() returns, so one pass sees it: no time need pass.
void handleWaitingEvents() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

class TerminationRequest : public testing::TestWithParam<int> {};

TEST_P(TerminationRequest, RunsTheShutdownOnce) {
    int ended = 0;
    app::TerminationRequests requests([&ended] { ++ended; });
    ASSERT_EQ(std::raise(GetParam()), 0);
    ASSERT_EQ(std::raise(GetParam()), 0);
    handleWaitingEvents();
    EXPECT_EQ(ended, 1);
    handleWaitingEvents();
    EXPECT_EQ(ended, 1) << "two requests before the shutdown ran make one shutdown";
}

INSTANTIATE_TEST_SUITE_P(Signals, TerminationRequest, testing::Values(SIGTERM, SIGINT, SIGHUP));

TEST(TerminationRequestUnderADialog, WaitsUntilTheDialogIsAnswered) {
    // The program's main loop, and inside it a dialog's loop, as a message box runs.
    QEventLoop mainLoop;
    QEventLoop dialog;
    bool endedWhileOpen = true;
    app::TerminationRequests requests([&mainLoop] { mainLoop.quit(); });
    // The dialog is answered two turns of its loop after the request came: the
    // request has been seen by then, and must wait.
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [&] {
            std::raise(SIGTERM);
            QTimer::singleShot(0, [&] {
                QTimer::singleShot(0, [&] {
                    endedWhileOpen = !mainLoop.isRunning();
                    dialog.quit();
                });
            });
        });
        dialog.exec();
    });
    QTimer::singleShot(5000, &mainLoop, [&mainLoop] { mainLoop.exit(1); });
    EXPECT_EQ(mainLoop.exec(), 0) << "the request ended the main loop once the dialog closed";
    EXPECT_FALSE(endedWhileOpen);
}

TEST(TerminationRequestAfterwards, ASecondObjectWorksOnceTheFirstIsGone) {
    {
        app::TerminationRequests first([] {});
    }
    int ended = 0;
    app::TerminationRequests second([&ended] { ++ended; });
    ASSERT_EQ(std::raise(SIGTERM), 0);
    handleWaitingEvents();
    EXPECT_EQ(ended, 1);
}

}  // namespace
