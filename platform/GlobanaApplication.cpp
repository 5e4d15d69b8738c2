// Catches what event handlers throw, so that no exception crosses the Qt event loop.
#include "platform/GlobanaApplication.h"

#include "platform/MessageBox.h"
#include "platform/Win1252.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdio>
#include <csignal>
#include <exception>

#include <fcntl.h>
#include <unistd.h>

std::function<void(const QString& message)> GlobanaApplication::errorBox;

namespace {

void Report(const QString& message)
{
    // Also on standard error: a box the player clicked away leaves a trace in the output.
    std::fprintf(stderr, "globana: unhandled error: %s\n", message.toLocal8Bit().constData());
    try {
        if (GlobanaApplication::errorBox)
            GlobanaApplication::errorBox(message);
        else
            ShowError(message);
    } catch (...) {
        // The box itself failed (out of memory, a throwing hook): nothing more can be shown.
    }
}

// The self-pipe: a signal handler may do next to nothing, so it writes the signal's number
// here and the event loop reads it.
int signalPipe[2] = {-1, -1};

void OnTerminationSignal(int signal)
{
    const int savedErrno = errno;
    const char number = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &number, 1);
    errno = savedErrno;
}

} // namespace

GlobanaApplication::GlobanaApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void GlobanaApplication::WatchTerminationSignals()
{
    if (signalPipe[0] >= 0)
        return;
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        signalPipe[0] = signalPipe[1] = -1;
        return;
    }
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char number = 0;
        while (::read(signalPipe[0], &number, 1) == 1)
            emit terminationRequested(number);
    });
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

bool GlobanaApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        // The game's messages are Windows-1252 bytes like the rest of its text.
        Report(FromWin1252(e.what()));
    } catch (...) {
        Report(QStringLiteral("Unknown error."));
    }
    return false;
}
