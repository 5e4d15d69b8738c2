// The map's geometry helpers: interpolation, interval test, point in polygon.
#include "map/Geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

TEST(Interpolate, MapsLinearlyWithoutClamping)
{
    EXPECT_EQ(Interpolate(5, 0, 10, 100, 200), 150.0f);
    EXPECT_EQ(Interpolate(15, 0, 10, 100, 200), 250.0f);
    EXPECT_EQ(Interpolate(-5, 0, 10, 100, 200), 50.0f);
    EXPECT_EQ(Interpolate(10, 0, 10, 100, 200), 200.0f); // the 1e-8 vanishes in a wide range
    // A descending range, as the map's latitude-to-row transform uses it.
    EXPECT_EQ(Interpolate(50, 70, 30, 0, 400), 200.0f);
}

TEST(Interpolate, EmptyRangeAtZeroDividesByTheTinyOffset)
{
    EXPECT_EQ(Interpolate(0, 0, 0, 100, 200), 100.0f);
    const float r = Interpolate(5e-9f, 0, 0, 100, 200);
    EXPECT_TRUE(std::isfinite(r));
    EXPECT_NEAR(r, 150.0f, 0.01f);
}

TEST(Interpolate, PrecisionOfTheSteps)
{
    // In a narrow range the 1e-8 survives the rounding of h and the end maps short of toHigh.
    EXPECT_EQ(Interpolate(0.1f, 0, 0.1f, 0, 1000), 999.999939f);
    // The quotient is kept in double precision: all-single arithmetic would give 712.465271.
    EXPECT_EQ(Interpolate(30.03f, 70, 30, 0, 713), 712.46521f);
}

TEST(MaxOfMinOf, PickTheLargerAndTheSmaller)
{
    EXPECT_EQ(MaxOf(1, 2), 2.0f);
    EXPECT_EQ(MaxOf(2, 1), 2.0f);
    EXPECT_EQ(MinOf(1, 2), 1.0f);
    EXPECT_EQ(MinOf(2, 1), 1.0f);
    EXPECT_EQ(MaxOf(-89, -120.5f), -89.0f);
    EXPECT_EQ(MinOf(89, 75.25f), 75.25f);
}

struct BetweenCase {
    double a, b, v;
    bool expected;
};

TEST(IsBetween, HalfOpenFromTheSmallerEnd)
{
    const BetweenCase cases[] = {
        {1, 3, 1, true},  {3, 1, 1, true},  {1, 3, 3, false}, {3, 1, 3, false},
        {2, 2, 2, false}, {1, 3, 2, true},  {3, 1, 2.999, true}, {1, 3, 0.999, false},
        {-5, -1, -5, true}, {-1, -5, -1, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsBetween(c.a, c.b, c.v), c.expected) << c.a << ", " << c.b << ", " << c.v;
}

struct PolygonCase {
    const char* name;
    std::vector<GeoPoint> polygon;
    GeoPoint point;
    bool inside;
};

class PointInPolygonTest : public ::testing::TestWithParam<PolygonCase> {};

TEST_P(PointInPolygonTest, CountsCrossingsEastwards)
{
    const PolygonCase& c = GetParam();
    EXPECT_EQ(PointInPolygon(c.point, c.polygon.data(), static_cast<int>(c.polygon.size())), c.inside);
}

const std::vector<GeoPoint> Square = {{0, 0}, {0, 10}, {10, 10}, {10, 0}};
const std::vector<GeoPoint> Triangle = {{0, 0}, {10, 5}, {0, 10}};
// A polygon that passes through a vertex at the point's latitude and one that turns there.
const std::vector<GeoPoint> Diamond = {{0, 5}, {5, 10}, {10, 5}, {5, 0}};
const std::vector<GeoPoint> Notch = {{0, 0}, {0, 10}, {10, 10}, {5, 6}, {10, 0}};

const PolygonCase PolygonCases[] = {
    {"square_centre_inside", Square, {5, 5}, true},
    {"square_eastern_edge_outside", Square, {5, 10}, false},
    {"square_western_edge_inside", Square, {5, 0}, true},
    {"square_southern_edge_inside", Square, {0, 5}, true},
    {"square_northern_edge_outside", Square, {10, 5}, false},
    {"square_far_east_outside", Square, {5, 11}, false},
    {"triangle_due_west_of_northern_vertex_outside", Triangle, {10, 0}, false},
    {"triangle_on_southern_edge_line_west_of_it_outside", Triangle, {0, -5}, false},
    {"triangle_inside", Triangle, {5, 5}, true},
    {"diamond_passing_vertex_counts_once", Diamond, {5, 2}, true},
    {"diamond_west_of_passing_vertex_outside", Diamond, {5, -1}, false},
    {"notch_turning_vertex_counts_twice", Notch, {5, 3}, true},
    {"notch_inside_the_notch_outside", Notch, {7, 5}, false},
};

INSTANTIATE_TEST_SUITE_P(Polygons, PointInPolygonTest, ::testing::ValuesIn(PolygonCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PointInPolygon, EmptyPolygonContainsNothing)
{
    const GeoPoint point{0, 0};
    EXPECT_FALSE(PointInPolygon(point, Square.data(), 0));
    EXPECT_FALSE(PointInPolygon(point, nullptr, 0));
}

} // namespace
