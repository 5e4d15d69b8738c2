// The application object: an exception that leaves an event handler is shown in the general
// error box (titled "Globana", one OK button) and the program goes on.
#pragma once

#include <QApplication>

#include <functional>

class GlobanaApplication : public QApplication {
    Q_OBJECT
public:
    GlobanaApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // From now on SIGTERM and SIGINT arrive as terminationRequested on the event loop instead
    // of ending the process on the spot, so that the game can end as when its window closes.
    void WatchTerminationSignals();

    // Shows the general error box; tests replace it to record the message. When empty, the
    // message goes to ShowError.
    static std::function<void(const QString& message)> errorBox;

signals:
    void terminationRequested(int signal);
};
