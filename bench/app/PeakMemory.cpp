// Peak resident memory of a full world exercise: opens the world area exercise with the most
// questions offscreen at 1920 x 1080 through the screen factory, as the main menu does, and
// prints the process's peak resident set (getrusage ru_maxrss) in KiB.
// Usage: bench_peakmemory [content folder]
#include "data/Language.h"
#include "data/ovningar.h"
#include "exercises/ovning.h"
#include "platform/GameState.h"
#include "platform/RecordingMediaPlayer.h"
#include "platform/Sound.h"
#include "screens/Ovform.h"
#include "screens/ScreenFactory.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QWidget>

#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace {
long PeakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss; // KiB on Linux
}
} // namespace

int main(int argc, char** argv)
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen")
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + BENCH_SCREEN_CONFIG);
    QApplication app(argc, argv);
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    const std::string dir = argc > 1 ? argv[1] : GLOBANA_CONTENT_DIR;
    if (!std::filesystem::exists(dir + "/Ovning.crp")) {
        std::fprintf(stderr, "no catalogue in %s\n", dir.c_str());
        return 1;
    }
    QDir::setCurrent(QString::fromStdString(dir));
    CurrentLanguage = 2;
    LoadLanguageTableFrom("lang.crp");
    SetMediaPlayers(std::make_unique<RecordingMediaPlayer>(), std::make_unique<RecordingMediaPlayer>(),
                    std::make_unique<RecordingMediaPlayer>());
    const long before = PeakKiB();

    COvningar catalogue;
    catalogue.LoadFromFile("Ovning.crp");
    COvning* largest = nullptr;
    for (COvning* e = catalogue.First; e; e = e->Next)
        if (e->Kind == "AREA" && e->WorldPart == "*" && (!largest || e->SelectorCount > largest->SelectorCount))
            largest = e;
    if (!largest) {
        std::fprintf(stderr, "no world area exercise in %s\n", dir.c_str());
        return 1;
    }
    QWidget owner;
    CreateMapScreen(&owner)->OpenExercise(largest);
    QApplication::processEvents();
    std::printf("exercise AREA_%d (%d questions)\n", int(largest->Number), int(largest->SelectorCount));
    std::printf("peak_rss_kib_before_open %ld\n", before);
    std::printf("peak_rss_kib %ld\n", PeakKiB());
    CloseMediaPlayers();
    return 0;
}
