// Chooses the sea points of an area file by drawing every exercise view of that file with the
// game's own map (outlines, waters, frame) and putting one point deep inside each sea region, so
// that the sea fill reaches every region the game draws and no point can flood land in any view.
// On the same pictures it checks the areas' seeds and moves second seeds where a part of an
// area would stay unfilled.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SeaView {
    // As the exercise gives it: top = bottom = 0 asks for the view fitted to the selectors' areas.
    float Top = 0, Bottom = 0, Centre = 0;
    int Border = 1;
    std::vector<std::string> Selectors; // included areas: their seeds are checked
    std::vector<int> Numbers;           // exercises that show this view
};

struct SeedChange {
    int Item = 0;                   // 1-based record of the area file
    std::int32_t Lat = 0, Lon = 0; // the new second seed, degrees × 10000
};

struct SeaPointResult {
    std::vector<std::pair<std::int32_t, std::int32_t>> Points; // degrees × 10000, as stored
    // Second seeds moved into a part of their area that the first seed cannot reach on some
    // picture (a peninsula cut off where two outlines touch): the area file must be rewritten.
    std::vector<SeedChange> Seeds;
    std::vector<std::string> Report; // one line per view, then problems
    int Problems = 0; // sea regions left unfilled, seeds that start no fill or fill another region
};

class CKarta;

// Sets the map's view as a resolved view gives it (top, bottom, centre) and its scale.
void SetView(CKarta& map, const SeaView& v);

// A sea region smaller than this many pixels (a sliver between two outlines) is left as it is.
constexpr int MinSeaRegion = 6;

// The views as the map shows them: fitted views computed from the area file, equal views merged
// (their exercises and selectors joined), the widest first.
std::vector<SeaView> ResolveViews(const std::string& areaFile, std::vector<SeaView> views,
                                  int width = 1916, int height = 1000);

struct WaterSeedResult {
    std::vector<SeedChange> Seed1, Seed2; // new seeds of the water file's records (every record)
    std::vector<std::string> Report;
};

// Waters are filled from their two seeds up to their own shore; a narrow arm, or the part of a
// water that a picture's edge cuts off, is a region of its own. Chooses for every water the two
// points that fill the most of it over all the views, never a point that would start the fill
// outside the water on any picture.
WaterSeedResult ChooseWaterSeeds(const std::string& waterFile, const std::vector<SeaView>& views,
                                 int width = 1916, int height = 1000);

// Views with the same drawing are merged; the widest are served first, so that their points
// serve the closer views too. At most `limit` points.
SeaPointResult ChooseSeaPoints(const std::string& areaFile, const std::string& waterFile,
                               std::vector<SeaView> views, int width = 1916, int height = 1000,
                               int limit = 100);
