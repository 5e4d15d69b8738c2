// Chooses the sea points of an area file by drawing every exercise view of that file with the
// game's own map (outlines, waters, frame) and putting one point deep inside each sea region, so
// that the sea fill reaches every region the game draws and no point can flood land in any view.
// On the same pictures it checks the areas' seeds and moves second seeds where a part of an
// area would stay unfilled.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A map a player's screen gives: its size in device pixels and the device pixel ratio (pens and
// dots are that many pixels wide).
struct MapSize {
    int Width = 1916, Height = 1000;
    double Ratio = 1.0;
    bool operator==(const MapSize&) const = default;
};

// The map of a 1920 × 1080 screen: targets, hints and the spacing of dots are measured on it.
constexpr MapSize ReferenceSize{1916, 1000, 1.0};

// Sea points and seeds are chosen and checked on every size here: the reference, a 1366 × 768
// laptop, a 1440-line screen, the reference screen at pixel ratio 2, and a 16:10 screen, on
// which a view shows more latitude.
inline constexpr MapSize CheckedSizes[] = {{1916, 1000, 1.0}, {1362, 700, 1.0}, {2556, 1400, 1.0}, {3832, 2000, 2.0},
                                           {1916, 1164, 1.0}};

// The map picture the exercise screen gives when maximised on a screen of this many device pixels:
// the work area less a panel, the screen's 32-pixel top bar and a 2-pixel border, each in the
// window's own pixels (the screen's divided by the ratio).
constexpr MapSize MapOnScreen(int width, int height, int panelWidth = 0, int panelHeight = 0, int ratio = 1)
{
    return {ratio * (width / ratio - panelWidth - 4), ratio * (height / ratio - panelHeight - 36), double(ratio)};
}

// The screens a player has, maximised, with no panel, a 70-pixel panel below and one beside;
// 16:9 at pixel ratio 2 (a 4K screen, and 1920 x 1080 scaled by 2). Every question must lie on the
// picture at each. The generator's list (scripts/proj.mjs) is the same.
inline const std::vector<MapSize>& ScreenShapes()
{
    static const std::vector<MapSize> shapes = [] {
        std::vector<MapSize> out;
        for (auto [w, h] : {std::pair{1920, 1080}, {1920, 1200}, {1366, 768}, {1440, 900}, {1280, 800}, {1280, 1024},
                            {1024, 768}, {2560, 1080}})
            for (auto [pw, ph] : {std::pair{0, 0}, {0, 70}, {70, 0}})
                out.push_back(MapOnScreen(w, h, pw, ph));
        for (auto [pw, ph] : {std::pair{0, 0}, {0, 70}, {70, 0}})
            out.push_back(MapOnScreen(3840, 2160, pw, ph, 2));
        out.push_back(MapOnScreen(1920, 1080, 0, 0, 2));
        return out;
    }();
    return shapes;
}

// A region of `pixels` on the reference map covers this many on a map of the given size.
inline int ScaledRegion(int pixels, const MapSize& size)
{
    const double s = size.Height / static_cast<double>(ReferenceSize.Height);
    return std::max(1, static_cast<int>(std::ceil(pixels * s * s)));
}

struct SeaView {
    // As the exercise gives it: top = bottom = 0 asks for the view fitted to the selectors' areas.
    float Top = 0, Bottom = 0, Centre = 0;
    int Border = 1;
    std::vector<std::string> Selectors; // included areas: their seeds are checked
    std::vector<int> Numbers;           // exercises that show this view
    MapSize Size;                       // the picture it is drawn on
};

struct SeedChange {
    int Item = 0;                   // 1-based record of the area file
    std::int32_t Lat = 0, Lon = 0; // the new second seed, degrees × 10000
};

struct SeaPointResult {
    std::vector<std::pair<std::int32_t, std::int32_t>> Points; // degrees × 10000, as stored
    // First seeds that would fill outside their area on some picture, moved into it; second
    // seeds moved into a part of their area that the first seed cannot reach on some picture (a
    // peninsula cut off where two outlines touch). The area file must be rewritten.
    std::vector<SeedChange> Seed1, Seed2;
    // Copies of a record (its item) to append, with their own two seeds: for an area that a
    // picture cuts into more pieces than two seeds fill.
    std::vector<std::pair<SeedChange, SeedChange>> Twins;
    std::vector<std::string> Report; // one line per view, then problems
    int Problems = 0; // sea regions left unfilled, seeds that start no fill or fill another region
};

class CAreor;
class CKarta;

// Sets the map's view as a resolved view gives it (top, bottom, centre) and its scale.
void SetView(CKarta& map, const SeaView& v);

// The area a click at the position chooses: of the areas containing it, the one that reaches
// least far north (the first on a tie). Its item, or 0 when none.
int OwnerAt(const CAreor& list, float lat, float lon);

// A sea region smaller than this many pixels on the reference map (a sliver between two
// outlines) is left as it is.
constexpr int MinSeaRegion = 6;
// One this large (on the reference map) must get a sea point: a grey patch of it reads as land.
constexpr int MustFillSeaRegion = 30;

// The views as the map shows them at each checked size: fitted views computed from the area
// file, equal views merged (their exercises and selectors joined), the widest first.
std::vector<SeaView> ResolveViews(const std::string& areaFile, const std::vector<SeaView>& views);

struct WaterSeedResult {
    std::vector<SeedChange> Seed1, Seed2;
    // Copies of a record (its item) to append, with their own two seeds: for an area that a
    // picture cuts into more pieces than two seeds fill.
    std::vector<std::pair<SeedChange, SeedChange>> Twins; // new seeds of the water file's records (every record)
    std::vector<std::string> Report;
};

// Waters are filled from their two seeds up to their own shore; a narrow arm, or the part of a
// water that a picture's edge cuts off, is a region of its own. Chooses for every water the two
// points that fill the most of it over all the views, never a point that would start the fill
// outside the water on any picture.
WaterSeedResult ChooseWaterSeeds(const std::string& waterFile, const std::vector<SeaView>& views);

// Views as ResolveViews gives them; the widest are served first, so that their points serve the
// closer views too. At most `limit` points.
SeaPointResult ChooseSeaPoints(const std::string& areaFile, const std::string& waterFile,
                               const std::vector<SeaView>& views, int limit = 100);
