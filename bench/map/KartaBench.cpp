// Map drawing speed on a synthetic world (250 areas, 60 000 vertices) at 1916 x 1000: the
// whole area-exercise map, ColourAreas alone, and, for scale, decoding a PNG of the same map.
#include "map/UKarta.h"
#include "tools/crp/CrpWriter.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr int Columns = 25, Rows = 10, VerticesPerArea = 240;
constexpr double CellLon = 360.0 / Columns, CellLat = 13.5, SouthEdge = -60.0;

// A wobbly blob in the middle of its grid cell: countries apart, sea between them.
AreaRecord Blob(const std::string& key, double lat, double lon, double radius, int vertices, int seed)
{
    AreaRecord r;
    r.Keys[0] = key;
    r.Names[0] = key;
    r.North = r.East = -1000;
    r.South = r.West = 1000;
    for (int k = 0; k < vertices; ++k) {
        const double a = 2 * std::numbers::pi * k / vertices;
        const double f = 1 + 0.15 * std::sin(5 * a + seed) + 0.05 * std::sin(17 * a + 2 * seed);
        const double vlat = lat + radius * CellLat * f * std::sin(a);
        const double vlon = lon + radius * CellLon * f * std::cos(a);
        r.Vertices.push_back({vlat, vlon});
        r.North = std::max(r.North, vlat), r.South = std::min(r.South, vlat);
        r.East = std::max(r.East, vlon), r.West = std::min(r.West, vlon);
    }
    r.Seed1Lat = r.Seed2Lat = lat;
    r.Seed1Lon = lon;
    r.Seed2Lon = lon + radius * CellLon * 0.5;
    return r;
}

class World {
public:
    // ratio: device pixels per screen pixel; the canvas has that many times 1916 x 1000.
    explicit World(int ratio = 1) : canvas_(1916 * ratio, 1000 * ratio)
    {
        const std::filesystem::path dir = std::filesystem::temp_directory_path() / "globana-bench-map";
        std::filesystem::create_directories(dir);
        CrpWriter areas, waters, sea;
        for (int row = 0; row < Rows; ++row)
            for (int col = 0; col < Columns; ++col) {
                const double lat = SouthEdge + (row + 0.5) * CellLat, lon = -180 + (col + 0.5) * CellLon;
                WriteArea(areas, Blob("A" + std::to_string(row * Columns + col), lat, lon, 0.4,
                                      VerticesPerArea, row * Columns + col));
                if ((row * Columns + col) % 50 == 7)
                    WriteArea(waters, Blob("L", lat + 2, lon, 0.08, 100, col));
            }
        for (int row = 0; row <= Rows; ++row)
            for (int col = 0; col < Columns; col += 6)
                WriteSeaPoint(sea, SouthEdge + row * CellLat, -180 + col * CellLon);
        areas.SaveTo((dir / "AREA.crp").string());
        waters.SaveTo((dir / "Vatten.crp").string());
        sea.SaveTo((dir / "Hav.crp").string());

        map.Target = &canvas_;
        map.TargetPixelRatio = ratio;
        map.ProcessMessages = nullptr;
        map.Areas = std::make_unique<CAreor>();
        map.Areas->LoadFromFile((dir / "AREA.crp").string());
        map.Waters = std::make_unique<CAreor>();
        map.Waters->LoadFromFile((dir / "Vatten.crp").string());
        map.Places = std::make_unique<COrter>();
        map.LoadSeaPoints((dir / "Hav.crp").string());
        std::filesystem::remove_all(dir);
        for (int i = 1; i <= map.Areas->Count; ++i)
            map.Areas->IncludeForKey(map.Areas->Item(i).Keys[1]);
        map.ShowGrid = true;
        map.TopLatitude = 85;
        map.BottomLatitude = -70;
        map.CentreLongitude = 0;
        map.UpdateScale();
    }
    int VertexCount() const
    {
        int n = 0;
        for (int i = 1; i <= map.Areas->Count; ++i)
            n += map.Areas->Item(i).VertexCount;
        return n;
    }
    Canvas& canvas() { return canvas_; }

    CKarta map;

private:
    Canvas canvas_;
};

World& TheWorld()
{
    static World world;
    return world;
}

void BM_AreaExerciseMap(benchmark::State& state)
{
    World& w = TheWorld();
    for (auto _ : state)
        w.map.DrawAreaExerciseMap(1);
    state.counters["areas"] = w.map.Areas->Count;
    state.counters["vertices"] = w.VertexCount();
}
BENCHMARK(BM_AreaExerciseMap)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);

// The same map on a screen of twice the pixel density: four times the pixels.
void BM_AreaExerciseMapAtRatio2(benchmark::State& state)
{
    static World w(2);
    for (auto _ : state)
        w.map.DrawAreaExerciseMap(1);
}
BENCHMARK(BM_AreaExerciseMapAtRatio2)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);

void BM_ColourAreas(benchmark::State& state)
{
    World& w = TheWorld();
    w.map.FillBackground();
    w.map.DrawAreaBorders(1);
    w.map.DrawWater();
    w.map.FillSea();
    const QImage before = w.canvas().image().copy();
    for (auto _ : state) {
        state.PauseTiming();
        w.canvas().setImage(before.copy());
        state.ResumeTiming();
        w.map.ColourAreas();
    }
}
BENCHMARK(BM_ColourAreas)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);

void BM_DecodePng(benchmark::State& state)
{
    World& w = TheWorld();
    w.map.DrawAreaExerciseMap(1);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    w.canvas().image().save(&buffer, "PNG");
    for (auto _ : state) {
        QImage decoded;
        decoded.loadFromData(png, "PNG");
        benchmark::DoNotOptimize(decoded.constBits());
    }
    state.counters["png_bytes"] = png.size();
}
BENCHMARK(BM_DecodePng)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);

// Keeps the medians so that the run can end with the draw/decode ratio.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[run.run_name.function_name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, std::pair<double, double>> medians; // real, CPU
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto draw = reporter.medians.find("BM_AreaExerciseMap");
    const auto decode = reporter.medians.find("BM_DecodePng");
    if (draw != reporter.medians.end() && decode != reporter.medians.end() && decode->second.first > 0)
        std::printf("median draw / PNG decode: %.2f real time, %.2f CPU time (target <= 1.0)\n",
                    draw->second.first / decode->second.first, draw->second.second / decode->second.second);
    benchmark::Shutdown();
    return 0;
}
