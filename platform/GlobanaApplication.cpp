// Catches what event handlers throw, so that no exception crosses the Qt event loop.
#include "platform/GlobanaApplication.h"

#include "platform/MessageBox.h"
#include "platform/Win1252.h"

#include <exception>

std::function<void(const QString& message)> GlobanaApplication::errorBox;

namespace {

void Report(const QString& message)
{
    try {
        if (GlobanaApplication::errorBox)
            GlobanaApplication::errorBox(message);
        else
            ShowError(message);
    } catch (...) {
        // The box itself failed (out of memory, a throwing hook): nothing more can be shown.
    }
}

} // namespace

GlobanaApplication::GlobanaApplication(int& argc, char** argv) : QApplication(argc, argv) {}

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
