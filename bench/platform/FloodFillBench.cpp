// FloodFillAt against QImage::fill on a whole map-sized picture (1916 x 1000).
#include "platform/FloodFill.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <chrono>

namespace {

constexpr int Width = 1916;
constexpr int Height = 1000;

void BM_FloodFillWholeImage(benchmark::State& state)
{
    Canvas canvas(Width, Height);
    TColor colours[2] = {0x808080, 0x800000};
    canvas.fillAll(colours[0]);
    int i = 0;
    for (auto _ : state) {
        // Each round refills the region the previous round painted.
        canvas.setBrushColor(colours[(i + 1) % 2]);
        FloodFillAt(canvas, Width / 2, Height / 2, colours[i % 2], FillStyle::Surface);
        ++i;
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * Width * Height);
}

void BM_QImageFillWholeImage(benchmark::State& state)
{
    QImage image(Width, Height, QImage::Format_RGB32);
    QRgb colours[2] = {0xFF808080u, 0xFF000080u};
    int i = 0;
    for (auto _ : state) {
        image.fill(colours[i++ % 2]);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * Width * Height);
}

// Both in one run, alternating, with the ratio as a counter (target: at most 3).
void BM_FloodFillToFillRatio(benchmark::State& state)
{
    using Clock = std::chrono::steady_clock;
    Canvas canvas(Width, Height);
    QImage plain(Width, Height, QImage::Format_RGB32);
    TColor colours[2] = {0x808080, 0x800000};
    canvas.fillAll(colours[0]);
    std::chrono::duration<double> flood{}, fill{};
    int i = 0;
    for (auto _ : state) {
        auto t0 = Clock::now();
        canvas.setBrushColor(colours[(i + 1) % 2]);
        FloodFillAt(canvas, Width / 2, Height / 2, colours[i % 2], FillStyle::Surface);
        benchmark::DoNotOptimize(canvas.image().constBits());
        auto t1 = Clock::now();
        plain.fill(ToQRgb(colours[i % 2]));
        benchmark::DoNotOptimize(plain.constBits());
        auto t2 = Clock::now();
        flood += t1 - t0;
        fill += t2 - t1;
        ++i;
    }
    state.counters["flood_ms"] = 1000.0 * flood.count() / double(state.iterations());
    state.counters["fill_ms"] = 1000.0 * fill.count() / double(state.iterations());
    state.counters["ratio"] = flood.count() / fill.count();
}

// A map-like case: the sea fill around many one-pixel outlines.
void BM_FloodFillAroundOutlines(benchmark::State& state)
{
    Canvas canvas(Width, Height);
    for (auto _ : state) {
        state.PauseTiming();
        canvas.fillAll(0x808080);
        canvas.setPenColor(0x000000);
        for (int k = 0; k < 400; ++k) {
            const int cx = 40 + (k * 97) % (Width - 80), cy = 40 + (k * 61) % (Height - 80);
            canvas.moveTo(cx - 20, cy);
            canvas.lineTo(cx, cy - 15);
            canvas.lineTo(cx + 25, cy + 3);
            canvas.lineTo(cx - 3, cy + 18);
            canvas.lineTo(cx - 20, cy);
        }
        canvas.setBrushColor(0x800000);
        state.ResumeTiming();
        FloodFillAt(canvas, 0, 0, 0x808080, FillStyle::Surface);
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
}

} // namespace

BENCHMARK(BM_FloodFillWholeImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QImageFillWholeImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloodFillToFillRatio)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloodFillAroundOutlines)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
