// The shipped maps as the game draws them: every exercise that shows a map, drawn by the offscreen
// renderer at the size of the exercise screen's map, with its own view, selectors and border; the
// sea and the seeds are checked again at every map size a player's screen may give.
#include "data/Areor.h"
#include "data/Orter.h"
#include "data/ovningar.h"
#include "exercises/ovning.h"
#include "map/Geometry.h"
#include "map/UKarta.h"
#include "platform/Canvas.h"
#include "tools/content/LandMask.h"
#include "tools/content/SeaPoints.h"
#include "tools/render/RenderMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <map>
#include <set>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::string Dir = GLOBANA_CONTENT_DIR;
constexpr int W = ReferenceSize.Width;
constexpr int H = ReferenceSize.Height;
// pixels on the reference map: smaller slivers between outlines may keep the land colour
constexpr int MinRegion = MustFillSeaRegion;

struct Drawn {
    const COvning* Exercise = nullptr;
    MapSize Size;
    QImage Image;
    // The map as the exercise sets it up (view, included areas, sea points), for the projection.
    std::unique_ptr<Canvas> Picture;
    std::unique_ptr<CKarta> Map;
    TColor Land = 0, Area = 0;
};

const COvningar& catalogue()
{
    static COvningar loaded;
    static const bool once = (loaded.LoadFromFile(Dir + "/Ovning.crp"), true);
    (void)once;
    return loaded;
}

// The renderer's options for an exercise's map as its screen draws it.
RenderOptions optionsFor(const COvning& e, const MapSize& size = ReferenceSize)
{
    const std::string n = std::to_string(e.AreaFileNo);
    RenderOptions o;
    o.AreasFile = Dir + "/AREA" + n + ".crp";
    o.WaterFile = Dir + "/Vatten.crp";
    o.SeaFile = Dir + "/Hav" + n + ".crp";
    o.Width = size.Width;
    o.Height = size.Height;
    o.PixelRatio = size.Ratio;
    o.MapKind = e.Kind == "AREA" ? RenderOptions::Kind::Area : RenderOptions::Kind::Place;
    o.Border = e.BorderWidth;
    for (int i = 1; i <= e.SelectorCount; ++i)
        o.IncludeKeys.push_back(e.Selectors[i]);
    if (e.NorthLat != 0 || e.SouthLat != 0)
        o.ViewSet = RenderOptions::View{static_cast<float>(e.NorthLat), static_cast<float>(e.SouthLat), static_cast<float>(e.CenterLon)};
    o.OutFile = "-";
    return o;
}

bool showsAMap(const COvning& e)
{
    return e.Kind == "AREA" || e.Kind == "ORT";
}

Drawn draw(const COvning* e, const MapSize& size)
{
    const RenderOptions o = optionsFor(*e, size);
    Drawn d;
    d.Exercise = e;
    d.Size = size;
    d.Image = RenderMap(o);
    d.Picture = std::make_unique<Canvas>(size.Width, size.Height);
    d.Map = std::make_unique<CKarta>();
    CKarta& map = *d.Map;
    map.Target = d.Picture.get();
    map.TargetPixelRatio = size.Ratio;
    map.ProcessMessages = nullptr;
    map.Areas = std::make_unique<CAreor>();
    map.Areas->LoadFromFile(o.AreasFile);
    map.Waters = std::make_unique<CAreor>();
    map.Waters->LoadFromFile(o.WaterFile);
    map.Places = std::make_unique<COrter>();
    map.LoadSeaPoints(o.SeaFile);
    for (const std::string& k : o.IncludeKeys)
        map.Areas->IncludeForKey(k);
    map.TopLatitude = static_cast<float>(e->NorthLat);
    map.BottomLatitude = static_cast<float>(e->SouthLat);
    map.CentreLongitude = static_cast<float>(e->CenterLon);
    map.SetUpView();
    // the place exercise draws land and its areas silver
    d.Land = e->Kind == "AREA" ? map.LandColor : 0xC0C0C0;
    d.Area = e->Kind == "AREA" ? map.AreaColor : 0xC0C0C0;
    return d;
}

std::vector<Drawn> drawAll()
{
    std::vector<Drawn> out;
    for (const COvning* e = catalogue().First; e; e = e->Next)
        if (showsAMap(*e))
            out.push_back(draw(e, ReferenceSize));
    return out;
}

const std::vector<Drawn>& drawn()
{
    static const std::vector<Drawn> all = drawAll();
    return all;
}

TColor colourAt(const Drawn& d, int x, int y)
{
    return FromQRgb(d.Image.pixel(x, y));
}

bool insideAny(const CAreor& list, float lat, float lon)
{
    for (int i = 1; i <= list.Count; ++i) {
        const CArea& a = list.Item(i);
        if (a.VertexCount > 0 && PointInPolygon(GeoPoint{lat, lon}, a.Vertices.data(), a.VertexCount))
            return true;
    }
    return false;
}

// Regions of pixels still in the land colour, each with the pixel farthest from its edge.
struct LandRegion {
    int Size = 0;
    int X = 0, Y = 0;
};

std::vector<LandRegion> landRegions(const Drawn& d)
{
    const int W = d.Size.Width, H = d.Size.Height;
    const QRgb land = ToQRgb(d.Land);
    std::vector<int> depth(static_cast<size_t>(W) * H);
    const int big = std::numeric_limits<int>::max() / 2;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            depth[static_cast<size_t>(y) * W + x] = (d.Image.pixel(x, y) | 0xFF000000u) == land ? big : 0;
    auto at = [&](int x, int y) { return x < 0 || y < 0 || x >= W || y >= H ? 0 : depth[static_cast<size_t>(y) * W + x]; };
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (int& v = depth[static_cast<size_t>(y) * W + x])
                v = std::min({v, at(x - 1, y) + 1, at(x, y - 1) + 1});
    for (int y = H - 1; y >= 0; --y)
        for (int x = W - 1; x >= 0; --x)
            if (int& v = depth[static_cast<size_t>(y) * W + x])
                v = std::min({v, at(x + 1, y) + 1, at(x, y + 1) + 1});

    std::vector<LandRegion> out;
    std::vector<char> seen(depth.size());
    std::vector<int> stack;
    for (int start = 0; start < W * H; ++start) {
        if (!depth[start] || seen[start])
            continue;
        LandRegion r;
        int best = -1;
        stack.push_back(start);
        seen[start] = 1;
        while (!stack.empty()) {
            const int i = stack.back();
            stack.pop_back();
            ++r.Size;
            if (best < 0 || depth[i] > depth[best])
                best = i;
            const int x = i % W;
            for (int j : {x > 0 ? i - 1 : -1, x < W - 1 ? i + 1 : -1, i - W, i + W})
                if (j >= 0 && j < W * H && depth[j] && !seen[j]) {
                    seen[j] = 1;
                    stack.push_back(j);
                }
        }
        r.X = best % W;
        r.Y = best / W;
        out.push_back(r);
    }
    return out;
}

// The area's box spans at least 6 × 6 pixels (of the reference map) and lies wholly on the picture.
bool showsWhole(const CKarta& map, const CArea& a)
{
    const int six = static_cast<int>(std::lround(6.0 * map.Height() / H));
    const auto n = static_cast<float>(a.North), s = static_cast<float>(a.South);
    const auto e = static_cast<float>(a.East), w = static_cast<float>(a.West);
    const int xw = std::min(map.ToX(n, w), map.ToX(s, w)), xe = std::max(map.ToX(n, e), map.ToX(s, e));
    const int yn = map.LatitudeToY(n), ys = map.LatitudeToY(s);
    return xe - xw >= six && ys - yn >= six && map.IsOnImage(xw, yn) && map.IsOnImage(xe, ys);
}

// A region of at least MinSeaRegion pixels that are not outline and that a click gives to this
// area: a thin island that is all outline here, or a few pixels in pockets, has nothing a seed
// could be expected to fill.
bool hasInterior(const Drawn& d, const CArea& a, int item)
{
    const CKarta& map = *d.Map;
    const auto n = static_cast<float>(a.North), s = static_cast<float>(a.South);
    const int x0 = std::max(1, std::min(map.ToX(n, static_cast<float>(a.West)), map.ToX(s, static_cast<float>(a.West))));
    const int x1 = std::min(map.Width() - 2, std::max(map.ToX(n, static_cast<float>(a.East)), map.ToX(s, static_cast<float>(a.East))));
    const int y0 = std::max(1, map.LatitudeToY(n)), y1 = std::min(map.Height() - 2, map.LatitudeToY(s));
    if (x1 < x0 || y1 < y0)
        return false;
    const int bw = x1 - x0 + 1, bh = y1 - y0 + 1;
    std::vector<char> mine(static_cast<size_t>(bw) * bh);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            if (colourAt(d, x, y) == 0)
                continue;
            const GeoPoint p{map.YToLatitude(y), map.ToLongitude(y, x)};
            if (!PointInPolygon(p, a.Vertices.data(), a.VertexCount))
                continue;
            bool smaller = false; // the click rule: an enclave before the area around it
            for (int j = 1; j <= map.Areas->Count && !smaller; ++j) {
                const CArea& o = map.Areas->Item(j);
                smaller = j != item && o.VertexCount > 0 && o.North < a.North && PointInPolygon(p, o.Vertices.data(), o.VertexCount);
            }
            mine[static_cast<size_t>(y - y0) * bw + (x - x0)] = !smaller;
        }
    std::vector<int> stack;
    for (int start = 0; start < bw * bh; ++start) {
        if (!mine[start])
            continue;
        int size = 0;
        stack.push_back(start);
        mine[start] = 0;
        while (!stack.empty()) {
            const int i = stack.back();
            stack.pop_back();
            ++size;
            const int x = i % bw, y = i / bw;
            for (auto [nx, ny] : {std::pair{x - 1, y}, std::pair{x + 1, y}, std::pair{x, y - 1}, std::pair{x, y + 1}})
                if (nx >= 0 && ny >= 0 && nx < bw && ny < bh && mine[static_cast<size_t>(ny) * bw + nx]) {
                    mine[static_cast<size_t>(ny) * bw + nx] = 0;
                    stack.push_back(ny * bw + nx);
                }
        }
        if (size >= ScaledRegion(MinSeaRegion, d.Size))
            return true;
    }
    return false;
}

std::string where(const Drawn& d)
{
    return "exercise " + std::to_string(d.Exercise->Number) + " " + d.Exercise->Kind + " at " +
           std::to_string(d.Size.Width) + "x" + std::to_string(d.Size.Height);
}

TEST(ContentMap, EveryExerciseThatShowsAMapIsDrawn)
{
    EXPECT_GE(drawn().size(), 20u);
}

void seaFillReachesEverySeaRegionAndNoSeaPointSitsOnLand(const Drawn& d)
{
    const CKarta& map = *d.Map;
    for (int k = 1; k <= map.SeaPointCount; ++k) {
        const int x = map.ToX(map.SeaPoints[k].Latitude, map.SeaPoints[k].Longitude);
        const int y = map.LatitudeToY(map.SeaPoints[k].Latitude);
        if (!map.IsOnImage(x, y))
            continue;
        const TColor c = colourAt(d, x, y);
        // on an outline it starts nothing; in land, or in sea that an area's seed filled, it is wrong
        EXPECT_TRUE(c == map.SeaColor || c == 0) << "sea point " << k << " at (" << x << ", " << y << ") has colour " << std::hex << c;
    }
    for (const LandRegion& r : landRegions(d)) {
        if (r.Size < ScaledRegion(MinRegion, d.Size))
            continue;
        const float lat = map.YToLatitude(r.Y), lon = map.ToLongitude(r.Y, r.X);
        EXPECT_TRUE(insideAny(*map.Areas, lat, lon) || insideAny(*map.Waters, lat, lon))
            << "sea left unfilled: " << r.Size << " px around (" << r.X << ", " << r.Y << ")";
    }
}

// Included areas are filled from their seeds; the others keep the land colour, so a sea point that
// flooded one would show here too.
void everyAreaShowsItsOwnColourAtASeed(const Drawn& d)
{
    if (d.Exercise->Kind != "AREA")
        return;
    const CKarta& map = *d.Map;
    for (int i = 1; i <= map.Areas->Count; ++i) {
        const CArea& a = map.Areas->Item(i);
        if (a.VertexCount == 0 || !map.IsAreaVisible(a) || !showsWhole(map, a))
            continue;
        const TColor want = a.Included ? d.Area : d.Land;
        bool shown = false;
        for (const GeoPoint& s : {a.Seed1, a.Seed2}) {
            const int x = map.ToX(s.Latitude, s.Longitude), y = map.LatitudeToY(s.Latitude);
            shown |= map.IsOnImage(x, y) && colourAt(d, x, y) == want;
        }
        EXPECT_TRUE(shown || !hasInterior(d, a, i)) << a.Keys[1] << " (record " << i << ")" << (a.Included ? " is not filled" : " lost the land colour");
    }
}

void noPartOfAnIncludedAreaStaysUnfilled(const Drawn& d)
{
    if (d.Exercise->Kind != "AREA")
        return;
    const CKarta& map = *d.Map;
    for (const LandRegion& r : landRegions(d)) {
        if (r.Size < ScaledRegion(MinRegion, d.Size))
            continue;
        const GeoPoint p{map.YToLatitude(r.Y), map.ToLongitude(r.Y, r.X)};
        if (insideAny(*map.Waters, p.Latitude, p.Longitude))
            continue;
        // the region's area, by the rule of a click: the containing area that reaches least far
        // north (an enclave before the country around it)
        const CArea* owner = nullptr;
        for (int i = 1; i <= map.Areas->Count; ++i) {
            const CArea& a = map.Areas->Item(i);
            if (a.VertexCount > 0 && PointInPolygon(p, a.Vertices.data(), a.VertexCount) && (!owner || a.North < owner->North))
                owner = &a;
        }
        if (owner && owner->Included)
            ADD_FAILURE() << owner->Keys[1] << ": " << r.Size << " px around (" << r.X << ", " << r.Y << ") left unfilled";
    }
}

void landAndSeaAgreeWithTheSource(const Drawn& d)
{
    const CKarta& map = *d.Map;
    const int W = d.Size.Width, H = d.Size.Height;
    // named by the view the exercise gives (or the fitted one), before the map widens it
    const COvning& e = *d.Exercise;
    const bool given = e.NorthLat != 0 || e.SouthLat != 0;
    const std::string name = given ? LandMaskName(e.AreaFileNo, float(e.NorthLat), float(e.SouthLat), float(e.CenterLon), W, H)
                                   : LandMaskName(e.AreaFileNo, map.TopLatitude, map.BottomLatitude, map.CentreLongitude, W, H);
    const QImage mask = QImage(QString::fromStdString(std::string(GLOBANA_MASK_DIR) + "/" + name)).convertToFormat(QImage::Format_Grayscale8);
    ASSERT_EQ(mask.size(), QSize(W, H)) << "no mask " << name;
    const QImage img = d.Image.convertToFormat(QImage::Format_RGB32);
    const QRgb sea = ToQRgb(map.SeaColor), water = ToQRgb(map.WaterColor), outline = ToQRgb(0);
    long compared = 0, agree = 0;
    for (int y = 0; y < H; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        const uchar* truth = mask.constScanLine(y);
        for (int x = 0; x < W; ++x) {
            const QRgb c = row[x] | 0xFF000000u;
            if (c == outline)
                continue;
            ++compared;
            agree += (c != sea && c != water) == (truth[x] > 127);
        }
    }
    const double share = compared ? static_cast<double>(agree) / static_cast<double>(compared) : 0.0;
    std::printf("exercise %d %s (%s): land and sea agree on %.2f %% of %ld pixels\n", d.Exercise->Number,
                d.Exercise->Kind.c_str(), name.c_str(), 100.0 * share, compared);
    EXPECT_GE(share, 0.98) << name;
}

void forEachDrawn(void (*check)(const Drawn&))
{
    for (const Drawn& d : drawn()) {
        SCOPED_TRACE(where(d));
        check(d);
    }
}

TEST(ContentMap, SeaFillReachesEverySeaRegionAndNoSeaPointSitsOnLand)
{
    forEachDrawn(seaFillReachesEverySeaRegionAndNoSeaPointSitsOnLand);
}

TEST(ContentMap, EveryAreaShowsItsOwnColourAtASeed)
{
    forEachDrawn(everyAreaShowsItsOwnColourAtASeed);
}

TEST(ContentMap, NoPartOfAnIncludedAreaStaysUnfilled)
{
    forEachDrawn(noPartOfAnIncludedAreaStaysUnfilled);
}

// Against the true land/sea mask of the unsimplified source (tests/content/masks, written by the
// content generator): sea and lakes where the mask has water, land or area colour where it has
// land. Black outline pixels are left out of the count: they stand on either side of the coast.
TEST(ContentMap, LandAndSeaAgreeWithTheSourceOnAtLeast98PercentOfThePicture)
{
    forEachDrawn(landAndSeaAgreeWithTheSource);
}

// The map is as large as the maximised window: a laptop's is smaller, a large or high-density
// screen's larger. Sea points and seeds that work on one picture can land on an outline or on
// land on another, so every map is drawn and checked again at each size, one at a time.
TEST(ContentMap, SeaAndSeedsHoldAtEveryMapSizeAPlayerGets)
{
    for (const MapSize& size : CheckedSizes) {
        if (size == ReferenceSize)
            continue;
        for (const COvning* e = catalogue().First; e; e = e->Next) {
            if (!showsAMap(*e))
                continue;
            const Drawn d = draw(e, size);
            SCOPED_TRACE(where(d));
            seaFillReachesEverySeaRegionAndNoSeaPointSitsOnLand(d);
            everyAreaShowsItsOwnColourAtASeed(d);
            noPartOfAnIncludedAreaStaysUnfilled(d);
            landAndSeaAgreeWithTheSource(d);
        }
    }
}

// On a high-density screen the map is drawn at twice the pixels, with pens, dots and margins
// twice as wide: the same map, only finer. Lines may move by a pixel, nothing else.
TEST(ContentMap, AMapDrawnAtPixelRatio2IsTheSameMapWithTwiceThePixels)
{
    const COvning* world = nullptr;
    const COvning* places = nullptr;
    for (const COvning* e = catalogue().First; e; e = e->Next) {
        if (e->Kind == "AREA" && e->WorldPart == "*" && !world)
            world = e;
        if (e->Kind == "ORT" && !places)
            places = e;
    }
    ASSERT_TRUE(world && places);
    for (const COvning* e : {world, places}) {
        RenderOptions one = optionsFor(*e);
        if (e->Kind == "ORT") {
            one.PlacesFile = Dir + "/Ort" + std::to_string(e->PlaceFileNo) + ".crp";
            one.Level = e->Level;
        }
        RenderOptions two = one;
        two.Width = 2 * W;
        two.Height = 2 * H;
        two.PixelRatio = 2.0;
        const QImage a = RenderMap(one);
        const QImage b = RenderMap(two);
        if (const QByteArray dir = qgetenv("GLOBANA_RATIO_SHOTS"); !dir.isEmpty()) {
            a.save(QString::fromUtf8(dir) + QStringLiteral("/ratio1-%1.png").arg(e->Number));
            b.save(QString::fromUtf8(dir) + QStringLiteral("/ratio2-%1.png").arg(e->Number));
        }
        ASSERT_EQ(b.size(), a.size() * 2);

        long same = 0, blackA = 0, blackB = 0;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                const QRgb c = a.pixel(x, y) | 0xFF000000u;
                if (c == (b.pixel(2 * x, 2 * y) | 0xFF000000u) || c == (b.pixel(2 * x + 1, 2 * y + 1) | 0xFF000000u))
                    ++same;
                blackA += c == 0xFF000000u;
            }
        }
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x)
                blackB += (b.pixel(x, y) | 0xFF000000u) == 0xFF000000u;
        const double agreement = double(same) / (double(a.width()) * a.height());
        EXPECT_GE(agreement, 0.98) << "exercise " << e->Number;
        // Lines twice as long and twice as wide: four times the black pixels.
        const double growth = double(blackB) / double(blackA);
        EXPECT_GT(growth, 3.4) << "exercise " << e->Number;
        EXPECT_LT(growth, 4.6) << "exercise " << e->Number;
        std::printf("exercise %d at ratio 2: %.2f %% of pixels agree, black pixels x%.2f\n", e->Number,
                    100.0 * agreement, growth);
    }
}

// A view shows the same longitudes on a narrower picture only because the map widens its
// latitudes there; a view fitted to its areas depends on the picture's shape. On every screen a
// player has, every area an exercise asks has a part wholly on the picture and every place it
// asks lies on it. (The generator's catalogue makes the same check on the same shapes.)
TEST(ContentMap, EveryQuestionLiesOnTheMapAtEveryScreenShape)
{
    std::map<int, std::unique_ptr<CAreor>> areas;
    std::map<int, std::unique_ptr<COrter>> places;
    for (const COvning* e = catalogue().First; e; e = e->Next) {
        if (!showsAMap(*e))
            continue;
        if (!areas[e->AreaFileNo]) {
            areas[e->AreaFileNo] = std::make_unique<CAreor>();
            areas[e->AreaFileNo]->LoadFromFile(Dir + "/AREA" + std::to_string(e->AreaFileNo) + ".crp");
        }
        if (e->Kind == "ORT" && !places[e->PlaceFileNo]) {
            places[e->PlaceFileNo] = std::make_unique<COrter>();
            places[e->PlaceFileNo]->LoadFromFile(Dir + "/Ort" + std::to_string(e->PlaceFileNo) + ".crp");
        }
    }
    for (const MapSize& size : ScreenShapes()) {
        Canvas picture(size.Width, size.Height);
        int off = 0;
        for (const COvning* e = catalogue().First; e; e = e->Next) {
            if (!showsAMap(*e))
                continue;
            CAreor& list = *areas[e->AreaFileNo];
            COrter* ort = e->Kind == "ORT" ? places[e->PlaceFileNo].get() : nullptr;
            list.ClearMarks();
            if (ort)
                ort->ClearMarks();
            for (int i = 1; i <= e->SelectorCount; ++i) {
                list.IncludeForKey(e->Selectors[i]);
                if (ort)
                    ort->IncludeForKey(e->Selectors[i], e->Level, e->NeedPlaceFlag1, e->NeedPlaceFlag2);
            }
            // the lists stay the test's: the map only borrows them for the projection and the fit
            CKarta map;
            map.Target = &picture;
            map.ProcessMessages = nullptr;
            map.Areas.reset(&list);
            map.TopLatitude = static_cast<float>(e->NorthLat);
            map.BottomLatitude = static_cast<float>(e->SouthLat);
            map.CentreLongitude = static_cast<float>(e->CenterLon);
            map.SetUpView();
            auto onImage = [&](const GeoPoint& g) { return map.IsOnImage(map.ToX(g.Latitude, g.Longitude), map.LatitudeToY(g.Latitude)); };
            const std::string at = "exercise " + std::to_string(e->Number) + " at " + std::to_string(size.Width) + "x" +
                                   std::to_string(size.Height) + ": ";
            if (ort) {
                for (const COrt* p = ort->First; p; p = p->Next)
                    if (p->Included && !onImage({static_cast<float>(p->Latitude), static_cast<float>(p->Longitude)})) {
                        ADD_FAILURE() << at << p->Names[2] << " lies off the map";
                        ++off;
                    }
            } else {
                for (int i = 1; i <= e->SelectorCount; ++i) {
                    bool shows = false;
                    for (int j = 1; j <= list.Count && !shows; ++j) {
                        const CArea& a = list.Item(j);
                        if (!a.HasKey(e->Selectors[i]) || a.VertexCount == 0)
                            continue;
                        shows = true;
                        for (int v = 0; v < a.VertexCount && shows; ++v)
                            shows = onImage(a.Vertices.data()[v]);
                    }
                    if (!shows) {
                        ADD_FAILURE() << at << e->Selectors[i] << " has no part wholly on the map";
                        ++off;
                    }
                }
            }
            (void)map.Areas.release();
        }
        std::printf("%dx%d: %d questions off the map\n", size.Width, size.Height, off);
    }
}

// Every country is a question of its part of the world's area exercise and of a world one; on
// each map that asks it (and each state on its country's map), it is a target of at least 6
// pixels (a marker disk at least 8 across), and filling it lime, as the hint after a third wrong
// answer does, lights at least 20 pixels.
TEST(ContentMap, EveryCountryIsAskedAndCanBeFoundOnEveryMapThatAsksIt)
{
    const std::map<std::string, std::string> partOfGroup{{"EUR", "EUR"}, {"NAC", "NOR"}, {"SYD", "SYD"},
                                                         {"ASI", "ASI"}, {"AFR", "AFR"}, {"OCE", "AUS"}};
    CAreor world;
    world.LoadFromFile(Dir + "/AREA1.crp");
    std::map<std::string, std::string> partOf;
    for (int i = 1; i <= world.Count; ++i)
        if (partOfGroup.count(world.Item(i).Keys[2]))
            partOf[world.Item(i).Keys[1]] = partOfGroup.at(world.Item(i).Keys[2]);
    EXPECT_GE(partOf.size(), 197u);

    std::map<std::string, std::set<std::string>> askedIn; // key -> world parts whose area exercises ask it
    for (const Drawn& d : drawn()) {
        const COvning& e = *d.Exercise;
        if (e.Kind != "AREA")
            continue;
        SCOPED_TRACE(where(d));
        const CKarta& map = *d.Map;
        std::vector<std::string> keys;
        for (int i = 1; i <= e.SelectorCount; ++i) {
            const std::string& key = e.Selectors[i];
            keys.push_back(key);
            if (e.AreaFileNo != 3)
                askedIn[key].insert(e.WorldPart);
            int target = 0;
            for (int j = 1; j <= map.Areas->Count; ++j) {
                const CArea& a = map.Areas->Item(j);
                if (a.Keys[1] != key || a.VertexCount == 0)
                    continue;
                int x0 = W, x1 = -1, y0 = H, y1 = -1;
                for (int v = 0; v < a.VertexCount; ++v) {
                    const GeoPoint& g = a.Vertices.data()[v];
                    const int x = map.ToX(g.Latitude, g.Longitude), y = map.LatitudeToY(g.Latitude);
                    x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
                }
                target = std::max(target, std::min(x1 - x0, y1 - y0));
                if (a.Reserved == 1) {
                    EXPECT_GE(std::min(x1 - x0, y1 - y0), 8) << key << "'s marker";
                }
            }
            EXPECT_GE(target, 6) << key << " is a target of " << target << " px";
        }
        const std::vector<int> lit = HintPixels(optionsFor(e), keys);
        for (size_t i = 0; i < keys.size(); ++i)
            EXPECT_GE(lit[i], 20) << "the hint for " << keys[i] << " lights " << lit[i] << " px";
    }
    for (const auto& [key, part] : partOf) {
        EXPECT_TRUE(askedIn[key].count(part)) << key << " is in no area exercise of " << part;
        EXPECT_TRUE(askedIn[key].count("*")) << key << " is in no world area exercise";
    }
}

} // namespace
