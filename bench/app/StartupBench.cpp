// Start-up to the main menu, offscreen at 1920 x 1080: the three windows the program creates,
// then the first showing of the main window, which asks for the language (answered with OK at
// once here) and loads the catalogue, the language table and both lists. The time ends when
// the menu is visible with its lists filled.
// GLOBANA_BENCH_CONTENT names another content folder than the shipped one.
#include "app/About.h"
#include "app/Hmeny.h"
#include "app/Lang.h"

#include <QApplication>
#include <QFont>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

std::string contentDir;

void BM_StartToMainMenu(benchmark::State& state)
{
    for (auto _ : state) {
        {
            TfrmHuvudmeny menu(contentDir);
            TfrmLang lang;
            TfrmAbout about;
            menu.SetLanguageDialog(&lang);
            menu.SetAboutBox(&about);
            // Fires inside the dialog's own event loop: the player's click on OK.
            QTimer::singleShot(0, &lang, [&lang] { lang.cmdOK->click(); });
            menu.show();
            if (menu.isHidden() || menu.lstParts->count() == 0 || menu.cboOvningar->count() == 0) {
                state.SkipWithError("the main menu did not come up with its lists filled");
                break;
            }
            benchmark::DoNotOptimize(menu.cboOvningar->count());
            state.PauseTiming();
        }
        QApplication::processEvents(); // deferred deletions of this round
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToMainMenu)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen")
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + BENCH_SCREEN_CONFIG);
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QApplication::setApplicationName(QStringLiteral("globana"));
    const QByteArray other = qgetenv("GLOBANA_BENCH_CONTENT");
    contentDir = other.isEmpty() ? std::string(GLOBANA_CONTENT_DIR) : other.toStdString();
    if (!std::filesystem::exists(contentDir + "/Ovning.crp")) {
        std::fprintf(stderr, "no catalogue in %s\n", contentDir.c_str());
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
