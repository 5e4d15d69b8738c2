// The map's view: projection both ways, scale, fit, distances and the sea point file.
#include "MapFixture.h"

#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// W 800, H 600, latitudes 70 .. 30, centre 10: the worked example of the projection, as the
// plain value that the map computes from its view and its picture.
struct Example : ::testing::Test {
    const Projection map{10.0f, 70.0f, 30.0f, Projection::ScaleFor(70.0f, 30.0f), 800, 600};
};

TEST_F(Example, ScaleIsRoundedCentreLatitude)
{
    EXPECT_EQ(map.Scale, 118); // 50 / 90 * 50 = 27.8
}

TEST_F(Example, ProjectsToKnownPixels)
{
    EXPECT_EQ(map.LatitudeToY(70), 0);
    EXPECT_EQ(map.LatitudeToY(30), 600);
    EXPECT_EQ(map.LatitudeToY(50), 300);
    EXPECT_EQ(map.ToX(50, 10), 400);
    EXPECT_EQ(map.ToX(50, 20), 495); // sqrt(5600) * 10 / 118 * 15 + 400 = 495.13
    EXPECT_EQ(map.ToX(90, 123), 400);
    EXPECT_EQ(map.ToX(-90, -45), 400);
}

TEST_F(Example, InvertsKnownPixels)
{
    EXPECT_FLOAT_EQ(map.YToLatitude(300), 50.0f);
    EXPECT_NEAR(map.ToLongitude(300, 495), 19.99, 0.005);
}

TEST_F(Example, LatitudesAreClampedToThePoles)
{
    EXPECT_EQ(map.LatitudeToY(95), map.LatitudeToY(90));
    EXPECT_EQ(map.LatitudeToY(-1000), map.LatitudeToY(-90));
    for (int y = -100000; y <= 100000; y += 997) {
        const float latitude = map.YToLatitude(y);
        EXPECT_LE(latitude, 90.0f);
        EXPECT_GE(latitude, -90.0f);
    }
    // Above the north pole every row is the pole, which lies on the middle column.
    EXPECT_FLOAT_EQ(map.ToLongitude(-100000, 5), 10.0f);
}

TEST_F(Example, PixelToDegreesToPixelRoundTrips)
{
    for (int y = 0; y <= 600; y += 7) {
        EXPECT_EQ(map.LatitudeToY(map.YToLatitude(y)), y);
        for (int x = 0; x < 800; x += 13)
            EXPECT_NEAR(map.ToX(map.YToLatitude(y), map.ToLongitude(y, x)), x, 1) << x << "," << y;
    }
}

TEST(KartaView, MiddleColumnIsTheCentreLongitudeOnEveryRow)
{
    TestMap t(801, 333, 10, -60, -73.5f);
    for (int y = -10; y <= 343; ++y)
        EXPECT_FLOAT_EQ(t.map.ToLongitude(y, 801 / 2), -73.5f) << y;
}

TEST(KartaView, HalfPixelsRoundToEven)
{
    // W / 2 = 2.5 goes to 2 (std::round would give 3); H - t = 0.5 goes to 0, 1.5 to 2.
    TestMap narrow(5, 1, 1, -1, 0);
    EXPECT_EQ(narrow.map.ToX(90, 0), 2);
    EXPECT_EQ(narrow.map.LatitudeToY(0), 0);
    TestMap three(5, 3, 1, -1, 0);
    EXPECT_EQ(three.map.LatitudeToY(0), 2);
}

TEST(KartaView, PixelOutsideInt32IsARangeError)
{
    TestMap t(800, 600, 50, 50, 0); // no latitude range: infinitely many pixels per degree
    EXPECT_THROW(t.map.ToX(50, 20), ERangeError);
    EXPECT_THROW(t.map.LatitudeToY(40), ERangeError);
}

TEST(KartaView, ScaleGrowsWithTheCentreLatitude)
{
    const struct {
        float top, bottom;
        int scale;
    } rows[] = {{10, -10, 90}, {50, 40, 115}, {-40, -50, 115}, {90, 90, 140}, {-89, -91, 140}, {70, 30, 118}};
    for (const auto& r : rows) {
        TestMap t(100, 100, r.top, r.bottom, 0);
        EXPECT_EQ(t.map.Scale, r.scale) << r.top << " .. " << r.bottom;
    }
}

TEST(KartaView, IsOnImageExcludesTheLeftColumnAndTopRow)
{
    TestMap t(800, 600, 70, 30, 10);
    const struct {
        int x, y;
        bool on;
    } rows[] = {{0, 10, false}, {10, 0, false}, {1, 1, true},   {799, 599, true},
                {800, 5, false}, {5, 600, false}, {-1, 5, false}, {400, 300, true}};
    for (const auto& r : rows)
        EXPECT_EQ(t.map.IsOnImage(r.x, r.y), r.on) << r.x << "," << r.y;
}

TEST(KartaView, ScreenDistanceIsTheRoundedPixelDistance)
{
    TestMap t(800, 600, 70, 30, 10);
    COrt east, west, below;
    east.Latitude = 50, east.Longitude = 20;
    west.Latitude = 50, west.Longitude = 0;
    below.Latitude = 46, below.Longitude = 10; // 60 pixels straight down
    const GeoPoint click{50, 10};
    EXPECT_EQ(t.map.ScreenDistance(click, east), 95);
    // Mirror images of each other: equal distances, which the place exercise breaks by order.
    EXPECT_EQ(t.map.ScreenDistance(click, west), t.map.ScreenDistance(click, east));
    EXPECT_EQ(t.map.ScreenDistance(click, below), 60);
    EXPECT_EQ(t.map.ScreenDistance(GeoPoint{50, 20}, east), 0);
}

struct Fit : ::testing::Test {
    TempFolder folder;
    TestMap t{800, 600, 0, 0, 0};

    void FitTo(const std::vector<AreaRecord>& records, const std::vector<std::string>& keys)
    {
        t.map.Areas = LoadAreas(folder, records);
        for (const std::string& k : keys)
            t.map.Areas->IncludeForKey(k);
        t.map.UpdateScale();
        t.map.FitToIncludedAreas();
    }
};

TEST_F(Fit, AddsFourPercentMarginsWithoutWidening)
{
    FitTo({BoxArea({.north = 60, .south = 40, .east = 30, .west = 10, .key = "A"}),
           BoxArea({.north = 80, .south = -80, .east = 170, .west = -170, .key = "OUT"})},
          {"A"});
    EXPECT_FLOAT_EQ(t.map.CentreLongitude, 20.0f);
    EXPECT_FLOAT_EQ(t.map.TopLatitude, 60.8f);
    EXPECT_FLOAT_EQ(t.map.BottomLatitude, 39.2f);
    EXPECT_EQ(t.map.Scale, 118);
}

TEST_F(Fit, WidensUntilTheLongitudesFit)
{
    FitTo({BoxArea({.north = 60, .south = 40, .east = 60, .west = -20, .key = "A"})}, {"A"});
    EXPECT_FLOAT_EQ(t.map.CentreLongitude, 20.0f);
    EXPECT_NEAR(t.map.TopLatitude, 72, 0.6);
    EXPECT_NEAR(t.map.BottomLatitude, 28, 0.6);
    EXPECT_GE(t.map.VisibleHalfSpan(), 40.0f);
    // It stops at the first 1 % step that fits: the range is less than 2 % too wide.
    const float range = t.map.TopLatitude - t.map.BottomLatitude;
    t.map.TopLatitude -= range * 0.0101f;
    t.map.BottomLatitude += range * 0.0101f;
    t.map.UpdateScale();
    EXPECT_LT(t.map.VisibleHalfSpan(), 40.0f);
}

TEST_F(Fit, WideningStopsWhenTheBottomPassesTheSouthPole)
{
    // The bottom row of a view reaching below -90 is the pole: no width, the longitudes
    // would never fit and the widening would go on forever.
    FitTo({BoxArea({.north = 80, .south = -80, .east = 180, .west = -180, .key = "W"})}, {"W"});
    EXPECT_LT(t.map.BottomLatitude, -90.0f);
    EXPECT_GT(t.map.BottomLatitude, -95.0f);
}

TEST_F(Fit, WideningOfAnEmptyLatitudeRangeIsBounded)
{
    // North = south: every 1 % step adds nothing; this used to loop forever.
    FitTo({BoxArea({.north = 50, .south = 50, .east = 30, .west = 10, .key = "L"})}, {"L"});
    EXPECT_FLOAT_EQ(t.map.TopLatitude, 50.0f);
    EXPECT_FLOAT_EQ(t.map.BottomLatitude, 50.0f);
}

struct SeaPoints : ::testing::Test {
    TempFolder folder;
    CKarta map;

    std::string Write(int pairs)
    {
        CrpWriter w;
        for (int k = 1; k <= pairs; ++k)
            WriteSeaPoint(w, k * 0.5, -k * 1.25);
        return folder.Write("Hav.crp", w);
    }
};

TEST_F(SeaPoints, HundredPairsLoad)
{
    map.LoadSeaPoints(Write(100));
    EXPECT_EQ(map.SeaPointCount, 100);
    EXPECT_FLOAT_EQ(map.SeaPoints[1].Latitude, 0.5f);
    EXPECT_FLOAT_EQ(map.SeaPoints[100].Longitude, -125.0f);
}

TEST_F(SeaPoints, HundredAndFirstPairIsARangeError)
{
    EXPECT_THROW(map.LoadSeaPoints(Write(101)), ERangeError);
}

TEST_F(SeaPoints, EmptyFileGivesNone)
{
    map.SeaPointCount = 7;
    map.LoadSeaPoints(Write(0));
    EXPECT_EQ(map.SeaPointCount, 0);
}

TEST_F(SeaPoints, PairCutShortIsAReadError)
{
    CrpWriter w;
    WriteSeaPoint(w, 1, 2);
    w.Int32(5);
    EXPECT_THROW(map.LoadSeaPoints(folder.Write("Hav.crp", w)), EInOutError);
}

} // namespace
