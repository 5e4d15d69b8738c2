// CKarta's drawing steps: borders, waters, sea, area and place colours, graticule, sequences.
#include "MapFixture.h"

#include "platform/GameState.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

constexpr TColor Black = 0x000000;

// 400 x 200 pixels, latitudes 10 .. -10 around longitude 0: about 10 pixels per degree.
struct Draw : ::testing::Test {
    TempFolder folder;
    TestMap t{400, 200, 10, -10, 0};
    CKarta& map = t.map;

    void SetSeaPoints(std::initializer_list<GeoPoint> points)
    {
        map.SeaPointCount = 0;
        for (const GeoPoint& p : points)
            map.SeaPoints[++map.SeaPointCount] = p;
    }
    void IncludeAll()
    {
        for (int i = 1; i <= map.Areas->Count; ++i)
            map.Areas->Item(i).Included = true;
    }
    void Land()
    {
        map.FillBackground();
        map.DrawAreaBorders(1);
        map.DrawWater();
    }
};

TEST_F(Draw, SeaFillStopsAtOutlinesAndWaters)
{
    map.Areas = LoadAreas(folder, {BoxArea({.north = 5, .south = -5, .east = 5, .west = -5, .key = "A"}),
                                   BoxArea({.north = 1, .south = -1, .east = 13, .west = 11, .key = "I"})});
    map.Waters =
        LoadAreas(folder, {BoxArea({.north = 3, .south = -3, .east = 14, .west = 10, .key = "W"})}, "water.crp");
    SetSeaPoints({{8, -15}, {-8, 18}});
    Land();
    map.FillSea();
    EXPECT_EQ(t.At(8, -15), map.SeaColor);
    EXPECT_EQ(t.At(-8, 18), map.SeaColor);
    EXPECT_EQ(t.At(0, 0), map.LandColor);
    EXPECT_EQ(t.At(5, 0), Black); // A's northern edge
    // The water covers the country outline inside it.
    EXPECT_EQ(t.At(2, 12), map.WaterColor);
    EXPECT_EQ(t.At(1, 12), map.WaterColor);
}

TEST_F(Draw, SeaPointInsideACountryFloodsIt)
{
    map.Areas = LoadAreas(folder, {BoxArea({.north = 5, .south = -5, .east = 5, .west = -5, .key = "A"})});
    SetSeaPoints({{0, 0}});
    Land();
    map.FillSea();
    EXPECT_EQ(t.At(0, 0), map.SeaColor);
    EXPECT_EQ(t.At(8, -15), map.LandColor);
}

TEST_F(Draw, SeaPointOnAnOutlineStartsNoFill)
{
    map.Areas = LoadAreas(folder, {BoxArea({.north = 5, .south = -5, .east = 5, .west = -5, .key = "A"})});
    SetSeaPoints({{5, 0}});
    Land();
    map.FillSea();
    EXPECT_EQ(t.At(8, -15), map.LandColor);
    EXPECT_EQ(t.At(0, 0), map.LandColor);
}

TEST_F(Draw, WaterSeededOutsideThePictureIsOutlinedOnly)
{
    AreaRecord water = BoxArea({.north = 3, .south = -3, .east = 14, .west = 10, .key = "W"});
    water.Seed1Lon = water.Seed2Lon = 30; // 100 pixels right of the picture
    map.Waters = LoadAreas(folder, {water}, "water.crp");
    Land();
    EXPECT_EQ(t.At(3, 12), map.WaterColor);
    EXPECT_EQ(t.At(0, 12), map.LandColor);
}

TEST_F(Draw, AreasOutsideTheViewAreCulled)
{
    map.Areas = LoadAreas(folder, {BoxArea({.north = 5, .south = -5, .east = 5, .west = -5, .key = "IN"}),
                                   BoxArea({.north = 5, .south = -5, .east = -35, .west = -40, .key = "LEFT150"}),
                                   BoxArea({.north = 5, .south = -5, .east = -25, .west = -30, .key = "LEFT50"}),
                                   BoxArea({.north = 5, .south = -5, .east = 40, .west = 35, .key = "RIGHT150"}),
                                   BoxArea({.north = 15, .south = 12, .east = 5, .west = -5, .key = "ABOVE"}),
                                   BoxArea({.north = -12, .south = -15, .east = 5, .west = -5, .key = "BELOW"}),
                                   BoxArea({.north = 12, .south = 10, .east = 5, .west = -5, .key = "EDGE"})});
    const bool visible[] = {true, false, true, false, false, false, true};
    for (int i = 1; i <= map.Areas->Count; ++i)
        EXPECT_EQ(map.IsAreaVisible(map.Areas->Item(i)), visible[i - 1]) << map.Areas->Item(i).Keys[1];

    // Filling the area left of the picture paints nothing: its seeds fail IsOnImage.
    Land();
    const QImage before = t.canvas.image().copy();
    map.FillArea(map.Areas->Item(2), 0x0000FF);
    EXPECT_EQ(t.canvas.image(), before);
}

TEST_F(Draw, AreasAreColouredByTheirState)
{
    const struct {
        bool included, answered;
        int tries;
        TColor colour; // 0: the map's land, 1: the map's area colour
    } rows[] = {{false, false, 0, 0},       {true, false, 0, 1},        {true, true, 1, 0xFFFFFF},
                {true, true, 2, 0x80FFFF}, {true, true, 3, 0x00FFFF}, {true, true, 5, 0x0000FF},
                {true, true, 0, 0}};
    std::vector<AreaRecord> records;
    for (int i = 0; i < 7; ++i)
        records.push_back(
            BoxArea({.north = 4, .south = -4, .east = 5.0 * i - 13, .west = 5.0 * i - 17, .key = "B" + std::to_string(i)}));
    map.Areas = LoadAreas(folder, records);
    for (int i = 0; i < 7; ++i) {
        CArea& a = map.Areas->Item(i + 1);
        a.Included = rows[i].included;
        a.Answered = rows[i].answered;
        a.Tries = rows[i].tries;
    }
    Land();
    map.ColourAreas();
    for (int i = 0; i < 7; ++i) {
        const TColor expected = rows[i].colour == 0 ? map.LandColor
                                : rows[i].colour == 1 ? map.AreaColor
                                                      : rows[i].colour;
        EXPECT_EQ(t.At(0, -15 + 5 * i), expected) << "row " << i;
    }
}

TEST_F(Draw, FillAreasWithKeyFillsIncludedMatchesOnly)
{
    AreaRecord second = BoxArea({.north = 4, .south = -4, .east = 3, .west = -3, .key = "Z"});
    second.Keys[2] = "K";
    map.Areas = LoadAreas(folder, {BoxArea({.north = 4, .south = -4, .east = -7, .west = -13, .key = "K"}), second,
                                   BoxArea({.north = 4, .south = -4, .east = 13, .west = 7, .key = "K"})});
    map.Areas->Item(1).Included = true;
    map.Areas->Item(2).Included = true; // matches by its third key
    Land();
    map.FillAreasWithKey("K", 0x00FF00);
    EXPECT_EQ(t.At(0, -10), 0x00FF00u);
    EXPECT_EQ(t.At(0, 0), 0x00FF00u);
    EXPECT_EQ(t.At(0, 10), map.LandColor); // not included
}

TEST(DrawPlace, DotRadiusFollowsThePictureWidth)
{
    const struct {
        int width, radius;
    } rows[] = {{1000, 6}, {499, 3}, {250, 3}, {249, 2}};
    for (const auto& r : rows) {
        TestMap t(r.width, 100, 10, -10, 0);
        COrt place;
        t.map.FillBackground();
        t.map.DrawPlace(place, 0x008000);
        const int x = t.map.ToX(0, 0), y = t.map.LatitudeToY(0);
        int left = x, right = x, top = y, bottom = y;
        for (int yy = 0; yy < 100; ++yy)
            for (int xx = 0; xx < r.width; ++xx)
                if ((t.canvas.pixel(xx, yy) & 0xFFFFFF) != t.map.LandColor) {
                    left = std::min(left, xx), right = std::max(right, xx);
                    top = std::min(top, yy), bottom = std::max(bottom, yy);
                }
        EXPECT_EQ(left, x - r.radius) << r.width;
        EXPECT_EQ(right, x + r.radius - 1) << r.width;
        EXPECT_EQ(top, y - r.radius) << r.width;
        EXPECT_EQ(bottom, y + r.radius - 1) << r.width;
        EXPECT_EQ(t.canvas.pixel(x, y), 0x008000u);
    }
}

TEST(DrawPlace, AnsweredPlaceGetsALabelColouredByTries)
{
    const struct {
        int tries;
        TColor colour;
    } rows[] = {{1, 0xFFFFFF}, {2, 0xA0FFFF}, {3, 0x00FFFF}, {4, WrongColor & 0xFFFFFF}, {0, WrongColor & 0xFFFFFF}};
    for (const auto& r : rows) {
        TestMap t(400, 200, 10, -10, 0);
        COrt place;
        place.Names[CurrentLanguage] = "Ko\x9a" "ice"; // Windows-1252 for "Košice"
        place.Answered = true;
        place.Tries = r.tries;
        t.map.FillBackground();
        t.map.DrawPlace(place, 0x008000);
        const int x = t.map.ToX(0, 0), y = t.map.LatitudeToY(0), radius = 3;
        const int hw = t.canvas.textWidth(QString::fromUtf8("Košice")) / 2;
        const int th = t.canvas.textHeight(QString::fromUtf8("Košice"));
        EXPECT_EQ(t.canvas.pixel(x - hw - 2, y - radius + 2), r.colour) << r.tries;
        EXPECT_EQ(t.canvas.pixel(x + hw + 3, y), Black) << "right edge of the box, tries " << r.tries;
        EXPECT_EQ(t.canvas.pixel(x + hw + 4, y), t.map.LandColor) << r.tries;
        EXPECT_EQ(t.canvas.pixel(x, y - radius + th - 1), Black) << "bottom edge, tries " << r.tries;
        int ink = 0;
        for (int xx = x - hw; xx < x + hw; ++xx)
            for (int yy = y - radius + 1; yy < y - radius + th - 1; ++yy)
                ink += t.canvas.pixel(xx, yy) == Black;
        EXPECT_GT(ink, 10) << "the name is written, tries " << r.tries;
    }
}

TEST_F(Draw, IncludedPlacesNotYetAnsweredGetDots)
{
    map.Places = LoadPlaces(folder, {Place("", 0, -10, "K"), Place("", 0, 0, "K"), Place("", 0, 10, "K")});
    map.Places->First->Included = true;
    map.Places->First->Next->Included = true;
    map.Places->First->Next->Answered = true;
    map.FillBackground();
    map.DrawIncludedPlaces();
    EXPECT_EQ(t.At(0, -10), 0x008000u);
    EXPECT_EQ(t.At(0, 0), map.LandColor);
    EXPECT_EQ(t.At(0, 10), map.LandColor);
}

struct Graticule : ::testing::Test {
    TestMap t{800, 600, 70, 30, 15};
    Graticule() { t.canvas.fillAll(0xFFFFFF); }
    TColor At(float latitude, float longitude) const { return t.At(latitude, longitude); }
};

TEST_F(Graticule, ParallelsEveryTenDegrees)
{
    t.map.DrawGraticule(10, 0xC0C0C0, PenMode::NotXor);
    for (float v : {40.0f, 50.0f, 60.0f})
        EXPECT_EQ(At(v, 15), 0xC0C0C0u) << v;
    for (float v : {35.0f, 45.0f, 55.0f, 65.0f})
        EXPECT_EQ(At(v, 15), 0xFFFFFFu) << v;
    EXPECT_EQ(t.canvas.pixel(2, 2), Black); // the frame
}

TEST_F(Graticule, MeridiansEveryTenDegreesDrawnOnceAtEveryJoint)
{
    t.map.DrawGraticule(10, 0xC0C0C0, PenMode::NotXor);
    // Quarter-step pieces meet at 42.5, 45, 47.5 ...; a joint drawn twice would be white again.
    for (float phi : {42.5f, 45.0f, 47.5f, 52.5f, 65.0f})
        for (float lambda : {-10.0f, 0.0f, 10.0f, 20.0f, 30.0f, 40.0f})
            EXPECT_EQ(At(phi, lambda), 0xC0C0C0u) << phi << " " << lambda;
    EXPECT_EQ(At(45, 5), 0xFFFFFFu);
}

TEST_F(Graticule, MaskModeKeepsOnlyThePenBits)
{
    t.map.DrawGraticule(10, 0x008000, PenMode::Mask);
    EXPECT_EQ(At(50, 15), 0x008000u);
    EXPECT_EQ(At(45, 20), 0x008000u);
    EXPECT_EQ(At(45, 15), 0xFFFFFFu);
}

TEST(GraticuleViews, PolarAndWholeWorldViewsStopAtThePoles)
{
    for (auto [top, bottom] : {std::pair{89.5f, 60.0f}, {90.0f, -90.0f}, {-60.0f, -89.9f}}) {
        TestMap t(500, 300, top, bottom, 100);
        EXPECT_NO_THROW(t.map.DrawGraticule(10, 0xC0C0C0, PenMode::NotXor)) << top << " " << bottom;
    }
}

TEST_F(Draw, SequencesLetMessagesRunAfterEveryStep)
{
    map.Areas = LoadAreas(folder, {BoxArea({.north = 5, .south = -5, .east = 5, .west = -5, .key = "A"})});
    SetSeaPoints({{8, -15}, {-8, 18}, {0, 0}});
    IncludeAll();
    int calls = 0;
    map.ProcessMessages = [&] { ++calls; };
    map.DrawAreaExerciseMap(1);
    EXPECT_EQ(calls, 5 + 2); // five steps, and two sea fills (the second point is sea already)
    EXPECT_EQ(t.At(0, 0), map.SeaColor); // a sea point inside A floods it

    calls = 0;
    map.ShowGrid = true;
    map.DrawPlaceExerciseMap(1);
    EXPECT_EQ(calls, 6 + 2); // the graticule step counts also when drawn
}

} // namespace
