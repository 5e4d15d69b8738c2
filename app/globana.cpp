// Program entry: creates the windows that live for the whole run and runs the event loop.
#include "app/About.h"
#include "app/Hmeny.h"
#include "app/Lang.h"
#include "platform/GlobanaApplication.h"
#include "platform/Hourglass.h"

#include <QFont>

#include <memory>

int main(int argc, char** argv)
{
    GlobanaApplication app(argc, argv);
    // The windows' texts are laid out for this font; Liberation Sans has its metrics.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));

    auto wait = std::make_unique<Hourglass>();
    // The name gives the user's data folder (~/.local/share/globana). No display name: Qt
    // would add it to every window's own caption ("Welcome — Globana").
    QApplication::setApplicationName(QStringLiteral("globana"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.globana.Globana"));

    // In this order; all three live until the program ends.
    TfrmHuvudmeny frmHuvudmeny;
    TfrmLang frmLang;
    TfrmAbout frmAbout;
    frmHuvudmeny.SetLanguageDialog(&frmLang);
    frmHuvudmeny.SetAboutBox(&frmAbout);
    // The program ends with its main window, whatever other windows are still open. (exit,
    // not quit: quit first asks every window to close, and this one is busy closing.)
    QObject::connect(&frmHuvudmeny, &TfrmHuvudmeny::Closed, &app, [] { QCoreApplication::exit(0); });
    // Logging out or kill: the game ends as when its main window closes (before the menu is
    // up, the language dialog is cancelled, which ends it too).
    app.WatchTerminationSignals();
    QObject::connect(&app, &GlobanaApplication::terminationRequested, &frmHuvudmeny, [&] {
        if (frmLang.isVisible())
            frmLang.reject();
        else
            frmHuvudmeny.close();
    });

    wait.reset();
    // The first showing asks for the language and loads the menu; it may end the program.
    frmHuvudmeny.show();
    if (frmHuvudmeny.isHidden())
        return 0;
    return app.exec();
}
