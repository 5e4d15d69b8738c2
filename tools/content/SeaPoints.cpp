#include "tools/content/SeaPoints.h"

#include "data/Areor.h"
#include "data/Orter.h"
#include "map/Geometry.h"
#include "map/UKarta.h"
#include "platform/Canvas.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace {

// A connected region of land-coloured pixels left after outlines, waters and frame are drawn:
// either land (an area's interior) or sea that a sea point has to reach.
struct Region {
    int Size = 0;
    int Deepest = -1; // the pixel farthest from the region's edge (first in scan order on a tie)
    int Depth = 0;
    bool Sea = false;
    bool Covered = false; // a chosen sea point lies in it
    int Owner = 0;        // land: the area it belongs to, by the click rule (0: none, a water's pocket)
};

struct Raster {
    SeaView View;
    std::vector<int> Label; // region of each pixel, -1 for outline, water and frame pixels
    std::vector<std::uint16_t> Depth;
    std::vector<Region> Regions;
};

bool InsideAny(const CAreor& list, float lat, float lon)
{
    for (int i = 1; i <= list.Count; ++i) {
        const CArea& a = list.Item(i);
        if (a.VertexCount > 0 && lat <= a.North && lat >= a.South && lon <= a.East && lon >= a.West &&
            PointInPolygon(GeoPoint{lat, lon}, a.Vertices.data(), a.VertexCount))
            return true;
    }
    return false;
}

} // namespace

namespace {

// One canvas per map size, shared by every map drawn here: a view switches pictures by pointer
// instead of each function keeping canvases of every size.
Canvas& PictureOf(const MapSize& size)
{
    static std::map<std::pair<int, int>, std::unique_ptr<Canvas>> pictures;
    auto& c = pictures[{size.Width, size.Height}];
    if (!c)
        c = std::make_unique<Canvas>(size.Width, size.Height);
    return *c;
}

} // namespace

void SetView(CKarta& map, const SeaView& v)
{
    map.Target = &PictureOf(v.Size);
    map.TargetPixelRatio = v.Size.Ratio;
    map.TopLatitude = v.Top;
    map.BottomLatitude = v.Bottom;
    map.CentreLongitude = v.Centre;
    map.UpdateScale();
    map.KeepLongitudes();
}

int OwnerAt(const CAreor& list, float lat, float lon)
{
    int owner = 0;
    for (int i = 1; i <= list.Count; ++i) {
        const CArea& a = list.Item(i);
        if (a.VertexCount > 0 && lat <= a.North && lat >= a.South && lon <= a.East && lon >= a.West &&
            PointInPolygon(GeoPoint{lat, lon}, a.Vertices.data(), a.VertexCount) &&
            (owner == 0 || a.North < list.Item(owner).North))
            owner = i;
    }
    return owner;
}

namespace {

// The land-coloured pixels of the canvas, cut into 4-connected regions (as the flood fill
// spreads), each with its deepest pixel.
Raster Cut(CKarta& map, Canvas& canvas, const SeaView& view)
{
    Raster r;
    r.View = view;
    const int w = canvas.width(), h = canvas.height();
    const QRgb land = ToQRgb(map.LandColor);
    const QImage& img = canvas.image();
    std::vector<char> isLand(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < w; ++x)
            isLand[static_cast<size_t>(y) * w + x] = (row[x] | 0xFF000000u) == land;
    }

    // Chamfer (3-4) distance of every land pixel to the nearest other pixel or the picture edge.
    std::vector<int> d(isLand.size());
    const int big = std::numeric_limits<int>::max() / 2;
    for (size_t i = 0; i < d.size(); ++i)
        d[i] = isLand[i] ? big : 0;
    auto at = [&](int x, int y) { return (x < 0 || y < 0 || x >= w || y >= h) ? 0 : d[static_cast<size_t>(y) * w + x]; };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int& v = d[static_cast<size_t>(y) * w + x];
            if (v)
                v = std::min({v, at(x - 1, y) + 3, at(x, y - 1) + 3, at(x - 1, y - 1) + 4, at(x + 1, y - 1) + 4});
        }
    for (int y = h - 1; y >= 0; --y)
        for (int x = w - 1; x >= 0; --x) {
            int& v = d[static_cast<size_t>(y) * w + x];
            if (v)
                v = std::min({v, at(x + 1, y) + 3, at(x, y + 1) + 3, at(x + 1, y + 1) + 4, at(x - 1, y + 1) + 4});
        }
    r.Depth.resize(d.size());
    for (size_t i = 0; i < d.size(); ++i)
        r.Depth[i] = static_cast<std::uint16_t>(std::min(d[i], 65535));

    // 4-connected regions, as the flood fill spreads.
    r.Label.assign(isLand.size(), -1);
    std::vector<int> stack;
    for (int start = 0; start < w * h; ++start) {
        if (!isLand[start] || r.Label[start] >= 0)
            continue;
        const int id = static_cast<int>(r.Regions.size());
        Region reg;
        stack.push_back(start);
        r.Label[start] = id;
        while (!stack.empty()) {
            const int i = stack.back();
            stack.pop_back();
            ++reg.Size;
            if (r.Depth[i] > reg.Depth || (r.Depth[i] == reg.Depth && i < reg.Deepest)) {
                reg.Depth = r.Depth[i];
                reg.Deepest = i;
            }
            const int x = i % w;
            const int next[4] = {x > 0 ? i - 1 : -1, x < w - 1 ? i + 1 : -1, i >= w ? i - w : -1, i + w < w * h ? i + w : -1};
            for (int j : next)
                if (j >= 0 && isLand[j] && r.Label[j] < 0) {
                    r.Label[j] = id;
                    stack.push_back(j);
                }
        }
        r.Regions.push_back(reg);
    }
    return r;
}

// The picture as the game has it just before the sea fill, cut into regions of land and sea.
Raster Analyse(CKarta& map, const SeaView& view)
{
    SetView(map, view);
    Canvas& canvas = *map.Target;
    map.SeaPointCount = 0;
    map.FillBackground();
    map.DrawAreaBorders(view.Border);
    map.DrawWater();
    Raster r = Cut(map, canvas, view);
    const int w = canvas.width();
    for (Region& reg : r.Regions) {
        // Land or sea: the region's deepest pixel lies inside an area (or a water's pocket) or not.
        const int y = reg.Deepest / w, x = reg.Deepest % w;
        const float lat = map.YToLatitude(y), lon = map.ToLongitude(y, x);
        const bool water = InsideAny(*map.Waters, lat, lon);
        reg.Owner = water ? 0 : OwnerAt(*map.Areas, lat, lon);
        reg.Sea = reg.Owner == 0 && !water;
    }
    return r;
}

// The region a stored position falls in on a view's picture, or -1.
int RegionAt(CKarta& map, const Raster& r, float lat, float lon)
{
    SetView(map, r.View);
    const int x = map.ToX(lat, lon), y = map.LatitudeToY(lat);
    if (!map.IsOnImage(x, y))
        return -1;
    return r.Label[static_cast<size_t>(y) * map.Width() + x];
}

// Fitted views become the view the map computes; then equal drawings are merged, the widest
// first.
std::vector<SeaView> Resolve(CKarta& map, const std::vector<SeaView>& views)
{
    std::vector<SeaView> merged;
    for (const MapSize& size : CheckedSizes) {
        for (SeaView v : views) {
            v.Size = size;
            SetView(map, v);
            if (v.Top == 0 && v.Bottom == 0) {
                // a fitted view depends on the picture's shape
                map.Areas->ClearMarks();
                for (const std::string& s : v.Selectors)
                    map.Areas->IncludeForKey(s);
                map.UpdateScale();
                map.FitToIncludedAreas();
                v.Top = map.TopLatitude;
                v.Bottom = map.BottomLatitude;
                v.Centre = map.CentreLongitude;
            }
            auto same = std::find_if(merged.begin(), merged.end(), [&](const SeaView& m) {
                return m.Top == v.Top && m.Bottom == v.Bottom && m.Centre == v.Centre && m.Border == v.Border && m.Size == v.Size;
            });
            if (same == merged.end()) {
                merged.push_back(v);
            } else {
                same->Selectors.insert(same->Selectors.end(), v.Selectors.begin(), v.Selectors.end());
                same->Numbers.insert(same->Numbers.end(), v.Numbers.begin(), v.Numbers.end());
            }
        }
    }
    // Widest first; of one view, the reference size first.
    std::stable_sort(merged.begin(), merged.end(), [](const SeaView& a, const SeaView& b) { return a.Top - a.Bottom > b.Top - b.Bottom; });
    return merged;
}

float Stored(std::int32_t v) { return static_cast<float>(v / 10000.0); }

// Degrees as the files store them (× 10000, rounded).
std::int32_t ToStored(float degrees) { return static_cast<std::int32_t>(std::nearbyint(static_cast<double>(degrees) * 10000.0)); }

// An area's seed as the area file will hold it.
SeedChange SeedOf(int item, const GeoPoint& p) { return {item, ToStored(p.Latitude), ToStored(p.Longitude)}; }

// The position of a picture's pixel, rounded as a stored position is.
GeoPoint StoredPosition(CKarta& map, const Raster& r, int pixel)
{
    SetView(map, r.View);
    const int y = pixel / r.View.Size.Width, x = pixel % r.View.Size.Width;
    return {Stored(ToStored(map.YToLatitude(y))), Stored(ToStored(map.ToLongitude(y, x)))};
}

std::string Join(const std::vector<int>& v)
{
    std::string s;
    for (int n : v)
        s += (s.empty() ? "" : ",") + std::to_string(n);
    return s;
}

std::string Size(const MapSize& s)
{
    return std::to_string(s.Width) + "x" + std::to_string(s.Height) + (s.Ratio != 1.0 ? " at ratio " + std::to_string(static_cast<int>(s.Ratio)) : "");
}

// The pictures of every view of an area file as the game draws them just before the sea fill,
// and what a sea point or a seed at a position would fill on them.
struct Pictures {
    CKarta Map;
    std::vector<Raster> Rasters;

    Pictures(const std::string& areaFile, const std::string& waterFile, const std::vector<SeaView>& views)
    {
        Map.ProcessMessages = nullptr;
        Map.Areas = std::make_unique<CAreor>();
        Map.Waters = std::make_unique<CAreor>();
        Map.Places = std::make_unique<COrter>();
        Map.Areas->LoadFromFile(areaFile);
        Map.Waters->LoadFromFile(waterFile);
        for (const SeaView& v : views)
            Rasters.push_back(Analyse(Map, v));
    }

    CAreor& Areas() const { return *Map.Areas; }

    // A sea point is safe when on no picture it falls in a land region.
    bool Safe(float lat, float lon)
    {
        for (const Raster& r : Rasters) {
            const int id = RegionAt(Map, r, lat, lon);
            if (id >= 0 && !r.Regions[id].Sea)
                return false;
        }
        return true;
    }

    // Marks the sea regions a point at the position fills on every picture.
    void Cover(float lat, float lon)
    {
        for (Raster& r : Rasters) {
            const int id = RegionAt(Map, r, lat, lon);
            if (id >= 0)
                r.Regions[id].Covered = true;
        }
    }

    // Whether a seed of area i at p fills nothing but the area (or another part of its country)
    // on every picture; `filled` gets the pixels of the area's own regions it fills.
    bool FillsOnly(int i, const GeoPoint& p, long& filled)
    {
        filled = 0;
        for (const Raster& r : Rasters) {
            const int id = RegionAt(Map, r, p.Latitude, p.Longitude);
            if (id < 0)
                continue;
            const int owner = r.Regions[id].Owner;
            if (owner == i)
                filled += r.Regions[id].Size;
            else if (r.Regions[id].Sea || owner <= 0 || !Areas().Item(owner).HasKey(Areas().Item(i).Keys[1]))
                return false;
        }
        return true;
    }
};

// Whether the view's exercises ask the area.
bool Included(const Raster& r, const CArea& a)
{
    return std::any_of(r.View.Selectors.begin(), r.View.Selectors.end(), [&](const std::string& k) { return a.HasKey(k); });
}

// A sea region waiting for a point: its picture, its id there, its size as on the reference map.
struct Pending {
    size_t Raster;
    int Id;
    double Weight;
};

// Sea regions of every picture in one queue, the largest (as it would be on the reference map)
// first, so that when the limit is reached only the smallest are left.
std::vector<Pending> SeaRegionsBySize(const std::vector<Raster>& rasters)
{
    std::vector<Pending> queue;
    for (size_t ri = 0; ri < rasters.size(); ++ri) {
        const Raster& r = rasters[ri];
        const double scale = static_cast<double>(ScaledRegion(1000000, r.View.Size)) / 1000000.0;
        for (int id = 0; id < static_cast<int>(r.Regions.size()); ++id)
            if (r.Regions[id].Sea && r.Regions[id].Size >= ScaledRegion(MinSeaRegion, r.View.Size))
                queue.push_back({ri, id, r.Regions[id].Size / scale});
    }
    std::stable_sort(queue.begin(), queue.end(), [](const Pending& a, const Pending& b) { return a.Weight > b.Weight; });
    return queue;
}

// Puts a sea point in region `id` of picture r: of its 200 deepest pixels, the first whose stored
// position falls back in the region and is safe on every picture. Whether one was found.
bool PlaceSeaPoint(Pictures& pictures, Raster& r, int id, SeaPointResult& result)
{
    std::vector<int> pix;
    for (int i = 0; i < static_cast<int>(r.Label.size()); ++i)
        if (r.Label[i] == id)
            pix.push_back(i);
    std::stable_sort(pix.begin(), pix.end(), [&](int a, int b) { return r.Depth[a] > r.Depth[b]; });
    for (size_t k = 0; k < pix.size() && k < 200; ++k) {
        const GeoPoint p = StoredPosition(pictures.Map, r, pix[k]);
        if (RegionAt(pictures.Map, r, p.Latitude, p.Longitude) != id || !pictures.Safe(p.Latitude, p.Longitude))
            continue;
        result.Points.emplace_back(ToStored(p.Latitude), ToStored(p.Longitude));
        pictures.Cover(p.Latitude, p.Longitude);
        return true;
    }
    return false;
}

// Step 2: one sea point deep inside each sea region, the largest first, at most `limit`; a
// region that must be filled and gets none is a problem.
void PlaceSeaPoints(Pictures& pictures, int limit, SeaPointResult& result, std::vector<std::string>& problems)
{
    int leftSmall = 0;
    for (const Pending& next : SeaRegionsBySize(pictures.Rasters)) {
        Raster& r = pictures.Rasters[next.Raster];
        const int id = next.Id;
        if (r.Regions[id].Covered)
            continue;
        const bool must = r.Regions[id].Size >= ScaledRegion(MustFillSeaRegion, r.View.Size);
        if (static_cast<int>(result.Points.size()) < limit && PlaceSeaPoint(pictures, r, id, result))
            continue;
        if (!must) {
            ++leftSmall;
            continue;
        }
        const int y = r.Regions[id].Deepest / r.View.Size.Width, x = r.Regions[id].Deepest % r.View.Size.Width;
        problems.push_back("exercises " + Join(r.View.Numbers) + " at " + Size(r.View.Size) +
                           (static_cast<int>(result.Points.size()) < limit ? ": no safe sea point" : ": no sea point left (" + std::to_string(limit) + " used)") +
                           " for the region of " + std::to_string(r.Regions[id].Size) + " px at (" + std::to_string(x) + ", " + std::to_string(y) + ")");
    }
    if (leftSmall > 0)
        result.Report.push_back("small sea regions left without a point: " + std::to_string(leftSmall));
}

// A first seed for area i that fills nothing but the area on every picture: the deepest pixel of
// one of its regions that fills the most; failing that, a point just inside a vertex, where every
// picture draws the outline, so that it starts no fill. Whether one was found.
bool SafeFirstSeed(Pictures& pictures, int i, GeoPoint& best)
{
    const CArea& a = pictures.Areas().Item(i);
    long filled = 0, bestFilled = -1;
    for (const Raster& r : pictures.Rasters)
        for (const Region& reg : r.Regions) {
            if (reg.Owner != i)
                continue;
            const GeoPoint p = StoredPosition(pictures.Map, r, reg.Deepest);
            if (pictures.FillsOnly(i, p, filled) && filled > bestFilled) {
                best = p;
                bestFilled = filled;
            }
        }
    // None safe: an island only an outline wide on some picture.
    for (int k = 1; k <= a.VertexCount && bestFilled < 0; ++k)
        for (int dy = -1; dy <= 1 && bestFilled < 0; ++dy)
            for (int dx = -1; dx <= 1 && bestFilled < 0; ++dx) {
                const GeoPoint p{Stored(ToStored(a.Vertices[k].Latitude) + dy), Stored(ToStored(a.Vertices[k].Longitude) + dx)};
                if (PointInPolygon(p, a.Vertices.data(), a.VertexCount) && pictures.FillsOnly(i, p, filled)) {
                    best = p;
                    bestFilled = filled;
                }
            }
    return bestFilled >= 0;
}

// Step 3: a first seed that would start a fill outside its area on some picture (a smaller picture
// may draw a small island's outline a pixel past it) moves into the area.
void MoveFirstSeeds(Pictures& pictures, SeaPointResult& result, std::vector<std::string>& problems)
{
    CAreor& areas = pictures.Areas();
    for (int i = 1; i <= areas.Count; ++i) {
        CArea& a = areas.Item(i);
        long filled = 0;
        if (a.VertexCount == 0 || pictures.FillsOnly(i, a.Seed1, filled))
            continue;
        GeoPoint best = a.Seed1;
        if (!SafeFirstSeed(pictures, i, best)) {
            problems.push_back(a.Keys[1] + " #" + std::to_string(i) + ": no first seed fills only its area on every picture");
            continue;
        }
        a.Seed1 = best;
        result.Seed1.push_back(SeedOf(i, best));
    }
}

// The seeds that fall in each region of each picture, and what another seed would add.
struct SeedCounts {
    // What filling a region is worth: its size as on the reference map, and far more when a
    // player would see it left unfilled.
    static constexpr long MustFill = 1000000;

    Pictures& P;
    std::vector<std::vector<int>> Count; // per picture and region

    explicit SeedCounts(Pictures& pictures) : P(pictures), Count(pictures.Rasters.size())
    {
        for (size_t v = 0; v < P.Rasters.size(); ++v)
            Count[v].assign(P.Rasters[v].Regions.size(), 0);
        for (int i = 1; i <= P.Areas().Count; ++i)
            if (P.Areas().Item(i).VertexCount > 0) {
                Add(P.Areas().Item(i), P.Areas().Item(i).Seed1, 1);
                Add(P.Areas().Item(i), P.Areas().Item(i).Seed2, 1);
            }
    }

    void Add(const CArea& a, const GeoPoint& p, int delta)
    {
        for (size_t v = 0; v < P.Rasters.size(); ++v) {
            SetView(P.Map, P.Rasters[v].View);
            if (P.Map.IsAreaVisible(a))
                if (const int id = RegionAt(P.Map, P.Rasters[v], p.Latitude, p.Longitude); id >= 0)
                    Count[v][id] += delta;
        }
    }

    // The pictures that ask area i.
    std::vector<size_t> AskedOf(int i)
    {
        std::vector<size_t> asked;
        for (size_t v = 0; v < P.Rasters.size(); ++v) {
            SetView(P.Map, P.Rasters[v].View);
            if (Included(P.Rasters[v], P.Areas().Item(i)) && P.Map.IsAreaVisible(P.Areas().Item(i)))
                asked.push_back(v);
        }
        return asked;
    }

    long Worth(size_t v, int id) const
    {
        const Raster& r = P.Rasters[v];
        const long size = r.Regions[id].Size;
        const long reference = size * 1000000L / ScaledRegion(1000000, r.View.Size);
        return (size >= ScaledRegion(MustFillSeaRegion, r.View.Size) ? MustFill : 0L) + reference;
    }

    // What a seed of area i at p would fill of the area's unseeded regions on the pictures that
    // ask it; -1 if it would fill another region anywhere.
    long Gain(int i, const std::vector<size_t>& asked, const GeoPoint& p)
    {
        long g = 0;
        for (size_t v = 0; v < P.Rasters.size(); ++v) {
            const int id = RegionAt(P.Map, P.Rasters[v], p.Latitude, p.Longitude);
            if (id < 0)
                continue;
            const int owner = P.Rasters[v].Regions[id].Owner;
            if (owner != i) {
                // another part of the same country on a coarser picture does no harm
                if (P.Rasters[v].Regions[id].Sea || owner <= 0 || !P.Areas().Item(owner).HasKey(P.Areas().Item(i).Keys[1]))
                    return -1L;
                continue;
            }
            if (!Count[v][id] && std::find(asked.begin(), asked.end(), v) != asked.end())
                g += Worth(v, id);
        }
        return g;
    }

    // Of p and the deepest pixels of the area's unseeded regions, the point that fills the most.
    std::pair<GeoPoint, long> BestSeed(int i, const std::vector<size_t>& asked, GeoPoint p)
    {
        long best = Gain(i, asked, p);
        for (size_t v : asked) {
            const Raster& r = P.Rasters[v];
            for (int id = 0; id < static_cast<int>(r.Regions.size()); ++id) {
                const Region& reg = r.Regions[id];
                if (reg.Owner != i || Count[v][id] || reg.Size < ScaledRegion(MinSeaRegion, r.View.Size))
                    continue;
                const GeoPoint q = StoredPosition(P.Map, r, reg.Deepest);
                if (const long g = Gain(i, asked, q); g > best) {
                    p = q;
                    best = g;
                }
            }
        }
        return std::pair{p, best};
    }

    // Per picture and region: whether a seed fills it.
    std::vector<std::vector<char>> Seeded() const
    {
        std::vector<std::vector<char>> seeded(Count.size());
        for (size_t v = 0; v < Count.size(); ++v)
            for (int c : Count[v])
                seeded[v].push_back(c > 0);
        return seeded;
    }
};

// Step 4, second seeds. An area whose outline touches itself or a neighbour's on a picture (a
// narrow isthmus) falls into several regions there; the first seed fills one. The second goes
// where it fills the most pixels of the area's other regions over all pictures that ask the area,
// among the points that fill nothing but the area on every picture.
void MoveSecondSeeds(SeedCounts& seeds, SeaPointResult& result)
{
    CAreor& areas = seeds.P.Areas();
    for (int i = 1; i <= areas.Count; ++i) {
        CArea& a = areas.Item(i);
        if (a.VertexCount == 0)
            continue;
        seeds.Add(a, a.Seed2, -1); // what the other seeds fill, without this one
        auto [best, bestGain] = seeds.BestSeed(i, seeds.AskedOf(i), a.Seed2);
        if (bestGain < 0)
            best = a.Seed1; // no safe point of its own: it doubles the first
        if (!(best == a.Seed2)) {
            a.Seed2 = best;
            result.Seed2.push_back(SeedOf(i, best));
        }
        seeds.Add(a, a.Seed2, 1);
    }
}

// Step 4, twins. An area that some picture cuts into more pieces a player would see than its two
// seeds fill (a narrow neck and a bay's head both closed) gets a twin record: the same outline,
// drawn on the same pixels, whose seeds fill the pieces left.
void AddTwins(SeedCounts& seeds, SeaPointResult& result)
{
    const CAreor& areas = seeds.P.Areas();
    for (int i = 1; i <= areas.Count; ++i) {
        const CArea& a = areas.Item(i);
        if (a.VertexCount == 0)
            continue;
        const std::vector<size_t> asked = seeds.AskedOf(i);
        const auto [first, firstGain] = seeds.BestSeed(i, asked, a.Seed1);
        if (firstGain < SeedCounts::MustFill)
            continue;
        seeds.Add(a, first, 1);
        auto [second, secondGain] = seeds.BestSeed(i, asked, first);
        if (secondGain < SeedCounts::MustFill)
            second = first;
        seeds.Add(a, second, 1);
        result.Twins.emplace_back(SeedOf(i, first), SeedOf(i, second));
        std::printf("twin record for %s: a picture cuts it into more pieces than two seeds fill\n", a.Keys[1].c_str());
    }
}

// Included areas of picture r (whose view is set), whole on the picture and at least 6 × 6
// pixels, whose seeds fill no region of their own (or fill sea).
std::vector<std::string> UnfilledAreas(Pictures& pictures, const Raster& r)
{
    CKarta& map = pictures.Map;
    const CAreor& areas = pictures.Areas();
    const int minRegion = ScaledRegion(MinSeaRegion, r.View.Size);
    std::vector<std::string> bad;
    for (int i = 1; i <= areas.Count; ++i) {
        const CArea& a = areas.Item(i);
        if (a.VertexCount == 0 || !map.IsAreaVisible(a) || !Included(r, a))
            continue;
        const int xw = std::min(map.ToX(static_cast<float>(a.North), static_cast<float>(a.West)), map.ToX(static_cast<float>(a.South), static_cast<float>(a.West)));
        const int xe = std::max(map.ToX(static_cast<float>(a.North), static_cast<float>(a.East)), map.ToX(static_cast<float>(a.South), static_cast<float>(a.East)));
        const int yn = map.LatitudeToY(static_cast<float>(a.North)), ys = map.LatitudeToY(static_cast<float>(a.South));
        bool fills = false, leaks = false;
        for (const GeoPoint& p : {a.Seed1, a.Seed2}) {
            const int id = RegionAt(map, r, p.Latitude, p.Longitude);
            if (id < 0)
                continue;
            if (r.Regions[id].Owner == i)
                fills = true;
            else if (r.Regions[id].Sea || !areas.Item(r.Regions[id].Owner > 0 ? r.Regions[id].Owner : i).HasKey(a.Keys[1]))
                leaks = true;
        }
        // A thin island that is all outline but a pixel or two has nothing to fill here.
        bool hasRegion = false;
        for (const Region& reg : r.Regions)
            hasRegion |= reg.Owner == i && reg.Size >= minRegion;
        const int six = static_cast<int>(std::lround(6.0 * r.View.Size.Height / ReferenceSize.Height));
        const bool big = hasRegion && xe - xw >= six && ys - yn >= six && map.IsOnImage(xw, yn) && map.IsOnImage(xe, ys);
        if (leaks || (big && !fills))
            bad.push_back(a.Keys[1] + " #" + std::to_string(i) + (leaks ? " (fills another region)" : ""));
    }
    return bad;
}

// Land regions of picture r that no seed reaches keep the land colour: pockets in waters (narrow
// arms cut off from the water's seeds) and slivers between outlines. The report's part on them.
std::string UnseededPockets(const Pictures& pictures, const Raster& r, const std::vector<char>& seeded)
{
    const int width = r.View.Size.Width;
    const int minRegion = ScaledRegion(MinSeaRegion, r.View.Size);
    int waterPockets = 0, waterPx = 0;
    std::string waterBig;
    std::vector<std::string> pockets;
    for (size_t id = 0; id < r.Regions.size(); ++id) {
        const Region& reg = r.Regions[id];
        if (reg.Sea || seeded[id] || reg.Size < minRegion)
            continue;
        if (reg.Owner == 0) {
            ++waterPockets;
            waterPx += reg.Size;
            if (reg.Size >= ScaledRegion(100, r.View.Size))
                waterBig += " " + std::to_string(reg.Size) + " px at (" + std::to_string(reg.Deepest % width) + ", " + std::to_string(reg.Deepest / width) + ")";
        } else if (Included(r, pictures.Areas().Item(reg.Owner))) {
            pockets.push_back(pictures.Areas().Item(reg.Owner).Keys[1] + " " + std::to_string(reg.Size) + " px at (" +
                              std::to_string(reg.Deepest % width) + ", " + std::to_string(reg.Deepest / width) + ")");
        }
    }
    std::string out = "; water pockets left land-coloured: " + std::to_string(waterPockets) + " (" + std::to_string(waterPx) + " px)" + waterBig;
    if (!pockets.empty()) {
        out += "; unfilled pockets of included areas:";
        for (const std::string& p : pockets)
            out += " " + p;
    }
    return out;
}

// Step 5: what the finished picture of each view shows, a line each; areas whose seeds do not
// fill them are problems.
void ReportViews(Pictures& pictures, const std::vector<std::vector<char>>& seeded, SeaPointResult& result,
                 std::vector<std::string>& problems)
{
    for (size_t v = 0; v < pictures.Rasters.size(); ++v) {
        const Raster& r = pictures.Rasters[v];
        SetView(pictures.Map, r.View);
        int seaRegions = 0, small = 0, smallPx = 0;
        for (const Region& reg : r.Regions) {
            if (!reg.Sea)
                continue;
            ++seaRegions;
            if (!reg.Covered) {
                ++small;
                smallPx += reg.Size;
            }
        }
        const std::string pockets = UnseededPockets(pictures, r, seeded[v]);
        const std::vector<std::string> bad = UnfilledAreas(pictures, r);
        std::ostringstream line;
        line << "exercises " << Join(r.View.Numbers) << " (view " << r.View.Top << ", " << r.View.Bottom << ", "
             << r.View.Centre << ", border " << r.View.Border << ", " << Size(r.View.Size) << "): " << seaRegions << " sea regions, " << small
             << " left unfilled (" << smallPx << " px)" << pockets;
        if (!bad.empty()) {
            line << "; included areas whose seeds do not fill them:";
            for (const std::string& k : bad)
                line << " " << k;
            problems.push_back("exercises " + Join(r.View.Numbers) + " at " + Size(r.View.Size) + ": seeds of " + std::to_string(bad.size()) + " areas do not fill them");
        }
        result.Report.push_back(line.str());
    }
}

} // namespace

SeaPointResult ChooseSeaPoints(const std::string& areaFile, const std::string& waterFile,
                               const std::vector<SeaView>& views, int limit)
{
    SeaPointResult result;
    std::vector<std::string> problems;
    Pictures pictures(areaFile, waterFile, views); // step 1: every view drawn and cut into regions
    PlaceSeaPoints(pictures, limit, result, problems);
    MoveFirstSeeds(pictures, result, problems);
    SeedCounts seeds(pictures);
    MoveSecondSeeds(seeds, result);
    AddTwins(seeds, result);
    ReportViews(pictures, seeds.Seeded(), result, problems);
    result.Problems = static_cast<int>(problems.size());
    for (const std::string& p : problems)
        result.Report.push_back("problem: " + p);
    return result;
}

std::vector<SeaView> ResolveViews(const std::string& areaFile, const std::vector<SeaView>& views)
{
    CKarta map;
    map.ProcessMessages = nullptr;
    map.Areas = std::make_unique<CAreor>();
    map.Areas->LoadFromFile(areaFile);
    return Resolve(map, views);
}

namespace {

// The waters drawn on every view without a fill, cut into regions, and the water each region
// lies in (0 for none), per view and region.
struct WaterPictures {
    std::vector<Raster> Rasters;
    std::vector<std::vector<int>> Owner;
};

WaterPictures DrawWaters(CKarta& map, const std::vector<SeaView>& views)
{
    WaterPictures out;
    for (const SeaView& v : views) {
        if (v.Top >= 90.0f)
            throw std::runtime_error("a view reaching the pole");
        SetView(map, v);
        map.FillBackground();
        map.DrawWater();
        out.Rasters.push_back(Cut(map, *map.Target, v));
        out.Rasters.back().Depth.clear();
        std::vector<int> own;
        for (const Region& reg : out.Rasters.back().Regions) {
            const int y = reg.Deepest / v.Size.Width, x = reg.Deepest % v.Size.Width;
            own.push_back(OwnerAt(*map.Waters, map.YToLatitude(y), map.ToLongitude(y, x)));
        }
        out.Owner.push_back(std::move(own));
    }
    return out;
}

using StoredPoint = std::pair<std::int32_t, std::int32_t>;

// Candidate seeds of water i: its present seeds, then the deepest pixel of each of its regions.
std::vector<StoredPoint> WaterCandidates(CKarta& map, const WaterPictures& w, int i, const std::pair<GeoPoint, GeoPoint>& present)
{
    std::vector<StoredPoint> cands{{ToStored(present.first.Latitude), ToStored(present.first.Longitude)},
                                   {ToStored(present.second.Latitude), ToStored(present.second.Longitude)}};
    for (size_t v = 0; v < w.Rasters.size(); ++v) {
        const Raster& r = w.Rasters[v];
        for (size_t id = 0; id < r.Regions.size(); ++id)
            if (w.Owner[v][id] == i && r.Regions[id].Size >= ScaledRegion(MinSeaRegion, r.View.Size)) {
                SetView(map, r.View);
                const int y = r.Regions[id].Deepest / r.View.Size.Width, x = r.Regions[id].Deepest % r.View.Size.Width;
                cands.emplace_back(ToStored(map.YToLatitude(y)), ToStored(map.ToLongitude(y, x)));
            }
    }
    return cands;
}

// Of the candidates of water i, the two that fill the most of it over all views, never one that
// would start a fill outside the water; the regions they fill are marked in `filled`.
void ChooseWaterSeed(CKarta& map, const WaterPictures& w, int i, const std::vector<StoredPoint>& cands,
                     std::vector<std::vector<char>>& filled, WaterSeedResult& result)
{
    // What each candidate fills: regions of this water only, else it is no candidate.
    std::vector<std::vector<std::pair<int, int>>> fills(cands.size());
    std::vector<char> valid(cands.size(), 1);
    for (size_t c = 0; c < cands.size(); ++c)
        for (size_t v = 0; v < w.Rasters.size(); ++v) {
            const int id = RegionAt(map, w.Rasters[v], Stored(cands[c].first), Stored(cands[c].second));
            if (id < 0)
                continue;
            if (w.Owner[v][id] != i)
                valid[c] = 0;
            else if (w.Rasters[v].Regions[id].Size >= ScaledRegion(MinSeaRegion, w.Rasters[v].View.Size))
                fills[c].emplace_back(static_cast<int>(v), id);
        }
    auto gain = [&](size_t c, const std::vector<std::pair<int, int>>& taken) {
        long g = 0;
        for (const auto& f : fills[c])
            if (std::find(taken.begin(), taken.end(), f) == taken.end())
                g += w.Rasters[f.first].Regions[f.second].Size;
        return g;
    };
    auto best = [&](const std::vector<std::pair<int, int>>& taken) {
        size_t b = cands.size();
        long bg = -1;
        for (size_t c = 0; c < cands.size(); ++c)
            if (valid[c] && gain(c, taken) > bg) {
                b = c;
                bg = gain(c, taken);
            }
        return std::pair{b, bg};
    };
    const auto [b1, g1] = best({});
    if (b1 == cands.size())
        throw std::runtime_error("no seed for the water " + map.Waters->Item(i).Keys[1]);
    auto [b2, g2] = best(fills[b1]);
    if (g2 <= 0)
        b2 = valid[1] ? 1 : b1; // nothing more to fill: keep the second seed
    result.Seed1.push_back({i, cands[b1].first, cands[b1].second});
    result.Seed2.push_back({i, cands[b2].first, cands[b2].second});
    for (size_t c : {b1, b2})
        for (const auto& f : fills[c])
            filled[f.first][f.second] = 1;
}

} // namespace

WaterSeedResult ChooseWaterSeeds(const std::string& waterFile, const std::vector<SeaView>& views)
{
    WaterSeedResult result;
    CKarta map;
    map.ProcessMessages = nullptr;
    map.Areas = std::make_unique<CAreor>();
    map.Waters = std::make_unique<CAreor>();
    map.Places = std::make_unique<COrter>();
    map.Waters->LoadFromFile(waterFile);
    CAreor& waters = *map.Waters;

    // Outlines only: with every seed at the pole, which lies above every picture, nothing is filled.
    std::vector<std::pair<GeoPoint, GeoPoint>> original;
    for (int i = 1; i <= waters.Count; ++i) {
        original.emplace_back(waters.Item(i).Seed1, waters.Item(i).Seed2);
        waters.Item(i).Seed1 = waters.Item(i).Seed2 = GeoPoint{90.0f, 0.0f};
    }
    const WaterPictures w = DrawWaters(map, views);
    std::vector<std::vector<char>> filled(w.Rasters.size());
    for (size_t v = 0; v < w.Rasters.size(); ++v)
        filled[v].assign(w.Rasters[v].Regions.size(), 0);
    for (int i = 1; i <= waters.Count; ++i)
        ChooseWaterSeed(map, w, i, WaterCandidates(map, w, i, original[i - 1]), filled, result);

    for (size_t v = 0; v < w.Rasters.size(); ++v) {
        int left = 0, leftPx = 0;
        for (size_t id = 0; id < w.Rasters[v].Regions.size(); ++id)
            if (w.Owner[v][id] > 0 && !filled[v][id] && w.Rasters[v].Regions[id].Size >= ScaledRegion(MinSeaRegion, w.Rasters[v].View.Size)) {
                ++left;
                leftPx += w.Rasters[v].Regions[id].Size;
            }
        result.Report.push_back("exercises " + Join(w.Rasters[v].View.Numbers) + " at " + Size(w.Rasters[v].View.Size) + ": water regions left unfilled: " +
                                std::to_string(left) + " (" + std::to_string(leftPx) + " px)");
    }
    return result;
}
