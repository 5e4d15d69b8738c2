// Area outlines must hold a 4-connected flood fill at every pen width: a fill started on one
// side of an outline never reaches a pixel well on the other side.
#include "MapFixture.h"

#include "platform/FloodFill.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

namespace {

using Vertices = std::vector<std::pair<double, double>>; // (latitude, longitude)

struct OutlineCase {
    const char* name;
    Vertices vertices;
};

void PrintTo(const OutlineCase& c, std::ostream* os)
{
    *os << c.name;
}

std::vector<OutlineCase> Cases()
{
    std::vector<OutlineCase> cases;
    cases.push_back({"DiamondOfDiagonalSteps", {{4, 0}, {0, 4}, {-4, 0}, {0, -4}}});

    // Each edge one pixel right and one up or down (0.02 degree is one pixel here).
    Vertices saw;
    for (int i = 0; i <= 60; ++i)
        saw.push_back({-2 + (i % 2) * 0.02, -1 + i * 0.02});
    saw.push_back({2, 0.2});
    cases.push_back({"SawtoothOfSinglePixelSteps", saw});

    cases.push_back({"RepeatedVerticesOnOnePixel",
                     {{3, -3}, {3, -3}, {3.001, -3.001}, {3, 3}, {3, 3}, {2.999, 3.002}, {-3, 3}, {-3, 3},
                      {-3, -3}, {-3.001, -3}, {-3, -3}}});
    cases.push_back({"SteepAndShallowEdges", {{3, -4}, {3.5, 3}, {-3, 4}, {-3.5, -3}}});

    Vertices star;
    for (int i = 0; i < 24; ++i) {
        const double a = i * std::numbers::pi / 12, r = i % 2 ? 0.3 : 4;
        star.push_back({r * std::sin(a), r * std::cos(a)});
    }
    cases.push_back({"StarWithThinSpikes", star});

    cases.push_back({"BowTieCrossingItself", {{3, -3}, {-3, 3}, {3, 3}, {-3, -3}}});
    cases.push_back({"LeavingThePictureOnTheLeft", {{3, -15}, {3, 2}, {-3, 2}, {-3, -15}}});

    std::mt19937 random(7);
    std::uniform_real_distribution<double> coordinate(-4, 4);
    Vertices tangle;
    for (int i = 0; i < 25; ++i)
        tangle.push_back({coordinate(random), coordinate(random)});
    cases.push_back({"RandomTangle", tangle});
    return cases;
}

// The outline as drawn, in pixels; a pixel is "deep" on a side when its centre lies at least a
// pixel away from every edge, so no rounding of the drawn chain can put it on the other side.
struct PixelPolygon {
    std::vector<std::pair<double, double>> p;

    bool Odd(double x, double y) const
    {
        bool inside = false;
        for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
            const auto [xi, yi] = p[i];
            const auto [xj, yj] = p[j];
            if ((yi > y) != (yj > y) && x < xi + (y - yi) * (xj - xi) / (yj - yi))
                inside = !inside;
        }
        return inside;
    }
    bool Deep(double x, double y) const
    {
        for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
            const auto [x0, y0] = p[j];
            const auto [x1, y1] = p[i];
            const double dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
            const double s = len2 > 0 ? std::clamp(((x - x0) * dx + (y - y0) * dy) / len2, 0.0, 1.0) : 0.0;
            if (std::hypot(x - x0 - s * dx, y - y0 - s * dy) < 1.0)
                return false;
        }
        return true;
    }
};

class NoLeak : public ::testing::TestWithParam<OutlineCase> {};

TEST_P(NoLeak, FillStaysOnItsSideAtEveryPenWidth)
{
    TempFolder folder;
    for (int width : {1, 2, 3, 4, 5, 8, 17, 64, 255}) {
        SCOPED_TRACE("pen width " + std::to_string(width));
        TestMap t(1000, 1000, 10, -10, 0); // 50 pixels per degree
        t.map.Areas = LoadAreas(folder, {OutlineArea("X", GetParam().vertices, {0, 0})});
        const CArea& area = t.map.Areas->Item(1);
        ASSERT_TRUE(t.map.IsAreaVisible(area));
        t.map.FillBackground();
        t.map.DrawAreaBorders(width);

        PixelPolygon poly;
        for (int k = 1; k <= area.VertexCount; ++k)
            poly.p.push_back({double(t.map.ToX(area.Vertices[k].Latitude, area.Vertices[k].Longitude)),
                              double(t.map.LatitudeToY(area.Vertices[k].Latitude))});

        int left = 999, right = 0, top = 999, bottom = 0; // outside this box every pixel is outside
        for (const auto& [x, y] : poly.p) {
            left = std::clamp(int(x) - 2, 0, left), right = std::clamp(int(x) + 2, right, 999);
            top = std::clamp(int(y) - 2, 0, top), bottom = std::clamp(int(y) + 2, bottom, 999);
        }
        auto inBox = [&](int x, int y) { return x >= left && x <= right && y >= top && y <= bottom; };

        const TColor land = t.map.LandColor;
        auto colour = [&](int x, int y) {
            return FromQRgb(reinterpret_cast<const QRgb*>(t.canvas.image().constScanLine(y))[x]);
        };
        for (bool fromInside : {false, true}) {
            const TColor paint = fromInside ? 0x00FF00 : 0x0000FF;
            int sx = -1, sy = -1;
            for (int y = 1; y < 999 && sx < 0; ++y)
                for (int x = 1; x < 999; ++x)
                    if (colour(x, y) == land && (!fromInside || inBox(x, y)) &&
                        poly.Odd(x, y) == fromInside && poly.Deep(x, y)) {
                        sx = x, sy = y;
                        break;
                    }
            if (sx < 0)
                continue; // the pen covers that whole side
            t.canvas.setBrushColor(paint);
            FloodFillAt(t.canvas, sx, sy, land, FillStyle::Surface);
            int leaks = 0;
            for (int y = 0; y < 1000; ++y)
                for (int x = 0; x < 1000; ++x)
                    if (colour(x, y) == paint && (fromInside || inBox(x, y)) &&
                        poly.Odd(x, y) != fromInside &&
                        poly.Deep(x, y) && leaks++ == 0)
                        ADD_FAILURE() << "fill from (" << sx << "," << sy << ") reached (" << x << "," << y << ")";
            EXPECT_EQ(leaks, 0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Outlines, NoLeak, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
