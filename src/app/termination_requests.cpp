#include "app/termination_requests.h"

#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <array>
#include <cassert>
#include <csignal>

#include <sys/socket.h>
#include <unistd.h>

namespace app {

namespace {

constexpr std::array kSignals{SIGTERM, SIGINT, SIGHUP};

// The handler may only do what is safe in a signal handler: it writes one byte to
// a socket that the window thread watches.
int wakeFds[2] = {-1, -1};

extern "C" void onSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeFds[0], &byte, 1);
    errno = saved;
}

// How often a request waiting for a dialog looks again.
constexpr int kRetryMilliseconds = 200;

}  // namespace

TerminationRequests::TerminationRequests(std::function<void()> endProgram, QObject* parent)
    : QObject(parent), endProgram_(std::move(endProgram)) {
    assert(wakeFds[0] < 0);
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, wakeFds) != 0)
        return;  // the default: the signal ends the process, the last save stays whole
    notifier_ = new QSocketNotifier(wakeFds[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationRequests::received);
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
}

TerminationRequests::~TerminationRequests() {
    if (wakeFds[0] < 0)
        return;
    for (const int signal : kSignals)
        ::signal(signal, SIG_DFL);
    delete notifier_;
    ::close(wakeFds[0]);
    ::close(wakeFds[1]);
    wakeFds[0] = wakeFds[1] = -1;
}

void TerminationRequests::received() {
    char bytes[16];
    while (::read(wakeFds[1], bytes, sizeof bytes) > 0) {
    }
    if (pending_)
        return;
    pending_ = true;
    endWhenIdle();
}

void TerminationRequests::endWhenIdle() {
    // The main loop is level 1; a dialog's loop runs inside it.
    if (QThread::currentThread()->loopLevel() > 1) {
        QTimer::singleShot(kRetryMilliseconds, this, &TerminationRequests::endWhenIdle);
        return;
    }
    pending_ = false;
    endProgram_();
}

}  // namespace app
