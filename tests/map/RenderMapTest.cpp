// The offscreen renderer: argument parsing and a whole map drawn from files.
#include "MapFixture.h"

#include "tools/render/RenderMap.h"

#include <gtest/gtest.h>

namespace {

QColor Rgb(TColor c)
{
    return QColor::fromRgb(ToQRgb(c));
}

struct Render : ::testing::Test {
    TempFolder folder;
    RenderOptions options;

    Render()
    {
        options.AreasFile = folder.Write("AREA.crp", Areas());
        CrpWriter sea;
        WriteSeaPoint(sea, 8, -15);
        options.SeaFile = folder.Write("Hav.crp", sea);
        CrpWriter places;
        PlaceRecord p;
        p.Keys[0] = "A";
        p.Latitude = 1, p.Longitude = -3;
        WritePlace(places, p);
        options.PlacesFile = folder.Write("Ort.crp", places);
        options.Width = 400;
        options.Height = 200;
        options.ViewSet = RenderOptions::View{10, -10, 0};
        options.IncludeKeys = {"A"};
    }
    static CrpWriter Areas()
    {
        CrpWriter w;
        WriteArea(w, BoxArea({.north = 5, .south = -5, .east = 5, .west = -5, .key = "A"}));
        WriteArea(w, BoxArea({.north = 5, .south = -5, .east = 15, .west = 8, .key = "B"}));
        return w;
    }
    // The pixel of a position in the rendered view (10 .. -10, centre 0, 400 x 200).
    static QColor At(const QImage& image, float latitude, float longitude)
    {
        Canvas c(400, 200);
        CKarta map;
        map.Target = &c;
        map.TopLatitude = 10, map.BottomLatitude = -10;
        map.UpdateScale();
        return image.pixelColor(map.ToX(latitude, longitude), map.LatitudeToY(latitude));
    }
};

TEST_F(Render, AreaMapShowsSeaIncludedAndOtherLand)
{
    const QImage image = RenderMap(options);
    ASSERT_EQ(image.size(), QSize(400, 200));
    EXPECT_EQ(At(image, 8, -15), Rgb(0x800000));
    EXPECT_EQ(At(image, 0, 0), Rgb(0x008000));
    EXPECT_EQ(At(image, 0, 11), Rgb(0x808080));
}

TEST_F(Render, PlaceMapIsSilverWithDotsForIncludedPlaces)
{
    options.MapKind = RenderOptions::Kind::Place;
    const QImage image = RenderMap(options);
    EXPECT_EQ(At(image, 1, -3), Rgb(0x008000));
    EXPECT_EQ(At(image, -3, 3), Rgb(0xC0C0C0));
}

TEST(RenderArguments, FullCommandLine)
{
    RenderOptions o;
    const std::string error = ParseRenderArguments(
        {"--areas", "a.crp", "--water", "w.crp", "--sea", "s.crp", "--places", "p.crp", "--view", "70,30,10",
         "--size", "800x600", "--include", "SE,NO", "--kind", "place", "--border", "2", "--grid", "--level",
         "3", "--out", "x.png"},
        o);
    EXPECT_EQ(error, "");
    EXPECT_EQ(o.AreasFile + " " + o.WaterFile + " " + o.SeaFile + " " + o.PlacesFile, "a.crp w.crp s.crp p.crp");
    ASSERT_TRUE(o.ViewSet.has_value());
    EXPECT_FLOAT_EQ(o.ViewSet->Bottom, 30);
    EXPECT_EQ(QSize(o.Width, o.Height), QSize(800, 600));
    EXPECT_EQ(o.IncludeKeys, (std::vector<std::string>{"SE", "NO"}));
    EXPECT_EQ(o.MapKind, RenderOptions::Kind::Place);
    EXPECT_TRUE(o.Grid && o.Border == 2 && o.Level == 3);
    EXPECT_EQ(o.OutFile, "x.png");
}

TEST(RenderArguments, MistakesAreReported)
{
    const QStringList rows[] = {
        {"--out"},
        {"--areas", "a.crp"},
        {"--size", "800", "--out", "x.png"},
        {"--size", "0x10", "--out", "x.png"},
        {"--view", "50,50,0", "--out", "x.png"},
        {"--view", "50,north,0", "--out", "x.png"},
        {"--kind", "flag", "--out", "x.png"},
        {"--border", "256", "--out", "x.png"},
        {"--colour", "red", "--out", "x.png"},
    };
    for (const QStringList& row : rows) {
        RenderOptions o;
        EXPECT_NE(ParseRenderArguments(row, o), "") << row.join(' ').toStdString();
    }
}

} // namespace
