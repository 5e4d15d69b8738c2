// Time from starting a shipped place or area exercise to its first question on the map screen
// (map 1916 x 1000 offscreen): OpenExercise (files read, map drawn, first question shown) and a restart
// (the map drawn again and the first question shown). Every map exercise of the catalogue is
// measured; the largest maps (the world) are the ones that count.
// GLOBANA_BENCH_CONTENT names another content folder than the shipped one.
#include "data/Language.h"
#include "data/ovningar.h"
#include "exercises/ovning.h"
#include "map/UKarta.h"
#include "platform/GameState.h"
#include "platform/RecordingMediaPlayer.h"
#include "platform/Sound.h"
#include "scores/Tioitopp.h"
#include "screens/Unit1.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace {

COvningar catalogue;

void OpenToFirstQuestion(benchmark::State& state, COvning* exercise)
{
    for (auto _ : state) {
        TfrmOvningKarta screen;
        screen.OpenExercise(exercise);
        benchmark::DoNotOptimize(screen.lblFraga);
        state.PauseTiming();
        screen.tmrBlinka->stop();
        screen.close();
        state.ResumeTiming();
    }
}

void RestartToFirstQuestion(benchmark::State& state, COvning* exercise)
{
    TfrmOvningKarta screen;
    screen.OpenExercise(exercise);
    screen.tmrBlinka->stop();
    for (auto _ : state)
        screen.cmdStartaClick();
    state.counters["width"] = screen.Map()->Width();
    state.counters["height"] = screen.Map()->Height();
    state.counters["areas"] = screen.Map()->Areas->Count;
    state.counters["questions"] = exercise->Kind == "AREA" ? exercise->SelectorCount
                                                           : screen.Map()->Places->IncludedTotal;
}

} // namespace

int main(int argc, char** argv)
{
    // Offscreen unless another platform is asked for (xcb under xvfb-run measures real repaints).
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen")
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + MAPSCREEN_SCREEN_CONFIG);
    QApplication app(argc, argv);
    const QByteArray other = qgetenv("GLOBANA_BENCH_CONTENT");
    const std::string dir = other.isEmpty() ? std::string(GLOBANA_CONTENT_DIR) : other.toStdString();
    if (!std::filesystem::exists(dir + "/Ovning.crp")) {
        std::fprintf(stderr, "no catalogue in %s\n", dir.c_str());
        return 1;
    }
    QDir::setCurrent(QString::fromStdString(dir));
    CurrentLanguage = 2;
    LoadLanguageTableFrom("lang.crp");
    SetMediaPlayers(std::make_unique<RecordingMediaPlayer>(), std::make_unique<RecordingMediaPlayer>(),
                    std::make_unique<RecordingMediaPlayer>());
    catalogue.LoadFromFile("Ovning.crp");
    for (COvning* e = catalogue.First; e; e = e->Next) {
        if (e->Kind != "ORT" && e->Kind != "AREA")
            continue;
        const std::string name = e->Kind + "_" + std::to_string(e->Number);
        benchmark::RegisterBenchmark(("OpenToFirstQuestion/" + name).c_str(), OpenToFirstQuestion, e)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("RestartToFirstQuestion/" + name).c_str(), RestartToFirstQuestion, e)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
