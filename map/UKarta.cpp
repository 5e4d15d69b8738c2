// CKarta: the map's view and projection, and its drawing by outlines and flood fills.
#include "map/UKarta.h"

#include "app/Generell.h"
#include "data/Fileread.h"
#include "platform/Errors.h"
#include "platform/PictureBox.h"
#include "platform/Win1252.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

namespace {

// Pixel results round halves to even (the default rounding mode), never away from zero.
std::int32_t ToPixel(double value)
{
    const double r = std::nearbyint(value);
    if (!(r >= std::numeric_limits<std::int32_t>::min() && r <= std::numeric_limits<std::int32_t>::max()))
        throw ERangeError();
    return static_cast<std::int32_t>(r);
}

float ClampLatitude(float latitude)
{
    if (latitude > 90.0f)
        return 90.0f;
    if (latitude < -90.0f)
        return -90.0f;
    return latitude;
}

// Colours are compared as the display shows them: the palette flag in the top byte is no colour.
constexpr TColor Rgb(TColor c) { return c & 0xFFFFFFu; }

constexpr TColor Black = 0x000000;
constexpr TColor White = 0xFFFFFF;

struct Box {
    std::int64_t left, top, right, bottom; // inclusive
};

// Visits the pixels of the line from (x0, y0) to (x1, y1) that lie inside the box, in order
// from the start; the end pixel only when includeEnd. The pixels are those of the midpoint
// (Bresenham) line: an 8-connected chain. The first visible step is computed in closed form,
// so a segment that runs far outside the picture costs only its visible part.
template <class Visit>
void ForEachLinePixel(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, bool includeEnd,
                      const Box& box, Visit visit)
{
    const std::int64_t dx = std::int64_t(x1) - x0;
    const std::int64_t dy = std::int64_t(y1) - y0;
    const std::int64_t adx = dx < 0 ? -dx : dx;
    const std::int64_t ady = dy < 0 ? -dy : dy;
    const bool xMajor = adx >= ady;
    const std::int64_t major = xMajor ? adx : ady;
    const std::int64_t minor = xMajor ? ady : adx;
    const std::int64_t majorStart = xMajor ? x0 : y0;
    const std::int64_t minorStart = xMajor ? y0 : x0;
    const int majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const std::int64_t majorLo = xMajor ? box.left : box.top;
    const std::int64_t majorHi = xMajor ? box.right : box.bottom;
    const std::int64_t minorLo = xMajor ? box.top : box.left;
    const std::int64_t minorHi = xMajor ? box.bottom : box.right;

    std::int64_t first = 0;
    std::int64_t last = includeEnd ? major : major - 1;
    if (majorStep > 0) {
        first = std::max(first, majorLo - majorStart);
        last = std::min(last, majorHi - majorStart);
    } else {
        first = std::max(first, majorStart - majorHi);
        last = std::min(last, majorStart - majorLo);
    }
    if (first > last)
        return;

    // Minor offset at step i: floor((2·i·minor + major) / (2·major)), i·minor/major rounded.
    const std::int64_t den = major > 0 ? 2 * major : 1;
    const __int128 num = __int128(2) * first * minor + major;
    std::int64_t q = static_cast<std::int64_t>(num / den);
    std::int64_t rem = static_cast<std::int64_t>(num % den);
    for (std::int64_t i = first; i <= last; ++i) {
        const std::int64_t mj = majorStart + majorStep * i;
        const std::int64_t mn = minorStart + minorStep * q;
        if (mn >= minorLo && mn <= minorHi) {
            if (xMajor)
                visit(static_cast<int>(mj), static_cast<int>(mn));
            else
                visit(static_cast<int>(mn), static_cast<int>(mj));
        } else if ((minorStep > 0 && mn > minorHi) || (minorStep < 0 && mn < minorLo)) {
            return; // past the box for good
        }
        rem += 2 * minor;
        if (rem >= den) {
            rem -= den;
            ++q;
        }
    }
}

// Writes straight into the RGB32 bitmap: outlines have tens of thousands of segments, far too
// many for a painter per line.
class PixelWriter {
public:
    explicit PixelWriter(QImage& image)
        : bits_(image.bits()), bytesPerLine_(image.bytesPerLine()), width_(image.width()),
          height_(image.height())
    {
    }
    int width() const { return width_; }
    int height() const { return height_; }
    QRgb* row(int y) const { return reinterpret_cast<QRgb*>(bits_ + qsizetype(y) * bytesPerLine_); }
    Box bounds(int margin = 0) const { return {-margin, -margin, width_ - 1 + margin, height_ - 1 + margin}; }

private:
    uchar* bits_;
    qsizetype bytesPerLine_;
    int width_;
    int height_;
};

// A round pen of `width` pixels as rows of spans around its centre pixel. The centre pixel is
// always part of it, so a thick outline contains the one-pixel chain and closes like it.
struct PenStamp {
    int top = 0;                          // row offset of spans[0]
    std::vector<std::pair<int, int>> spans; // column offsets, inclusive

    explicit PenStamp(int width)
    {
        const int lo = -(width / 2);
        const int hi = (width - 1) / 2;
        const double c = (width % 2 == 0) ? -0.5 : 0.0;
        const double r2 = (width / 2.0) * (width / 2.0);
        top = lo;
        for (int j = lo; j <= hi; ++j) {
            // The disc is symmetric, so each row is one span from its leftmost pixel on.
            int a = lo;
            while ((a - c) * (a - c) + (j - c) * (j - c) > r2)
                ++a;
            spans.emplace_back(a, static_cast<int>(std::lround(2 * c)) - a);
        }
    }
    int reach() const { return static_cast<int>(spans.size()); }
};

void Stamp(const PixelWriter& px, const PenStamp& pen, int x, int y, QRgb colour)
{
    for (int j = 0; j < static_cast<int>(pen.spans.size()); ++j) {
        const int yy = y + pen.top + j;
        if (yy < 0 || yy >= px.height())
            continue;
        const int a = std::max(0, x + pen.spans[j].first);
        const int b = std::min(px.width() - 1, x + pen.spans[j].second);
        if (a > b)
            continue;
        QRgb* r = px.row(yy);
        std::fill(r + a, r + b + 1, colour);
    }
}

// One segment in copy mode with a pen of the given width.
void CopyLine(const PixelWriter& px, const PenStamp* pen, std::int32_t x0, std::int32_t y0, std::int32_t x1,
              std::int32_t y1, bool includeEnd, QRgb colour)
{
    if (!pen) {
        ForEachLinePixel(x0, y0, x1, y1, includeEnd, px.bounds(),
                         [&](int x, int y) { px.row(y)[x] = colour; });
    } else {
        ForEachLinePixel(x0, y0, x1, y1, includeEnd, px.bounds(pen->reach()),
                         [&](int x, int y) { Stamp(px, *pen, x, y, colour); });
    }
}

} // namespace

CKarta::CKarta()
    : ProcessMessages([] { QCoreApplication::processEvents(); })
{
}

// ---- model and view ----

bool CKarta::HasCanvas() const
{
    return Image != nullptr || Target != nullptr;
}

Canvas& CKarta::DrawingCanvas() const
{
    if (Image)
        return Image->canvas();
    Q_ASSERT(Target);
    return *Target;
}

int CKarta::Width() const
{
    return HasCanvas() ? DrawingCanvas().width() : 0;
}

int CKarta::Height() const
{
    return HasCanvas() ? DrawingCanvas().height() : 0;
}

double CKarta::PixelRatio() const
{
    return Image ? Image->pixelRatio() : TargetPixelRatio;
}

int CKarta::Scaled(int size) const
{
    return ScaleSize(size, PixelRatio());
}

void CKarta::LoadSeaPoints(const std::string& name)
{
    TByteFile file(name);
    int k = 0;
    while (!file.AtEnd()) {
        ++k;
        if (k > MaxSeaPoints)
            throw ERangeError();
        GeoPoint& p = SeaPoints[k];
        p.Latitude = static_cast<float>(file.ReadInt32() / 10000.0);
        p.Longitude = static_cast<float>(file.ReadInt32() / 10000.0);
    }
    SeaPointCount = k;
}

void CKarta::UpdateScale()
{
    const double centre = std::fabs((double(TopLatitude) + double(BottomLatitude)) / 2.0);
    Scale = ToPixel(centre / 90.0 * 50.0) + 90;
}

void CKarta::FitToIncludedAreas()
{
    double n = -10000.0, s = 10000.0, e = -10000.0, w = 10000.0;
    if (Areas) {
        for (int i = 1; i <= Areas->Count; ++i) {
            const CArea& a = Areas->Item(i);
            if (!a.Included || a.VertexCount <= 0)
                continue;
            if (a.North > n)
                n = a.North;
            if (a.South < s)
                s = a.South;
            if (a.East > e)
                e = a.East;
            if (a.West < w)
                w = a.West;
        }
    }
    CentreLongitude = static_cast<float>((w + e) / 2.0);
    TopLatitude = static_cast<float>(n + (n - s) / 25.0);
    BottomLatitude = static_cast<float>(s - (n - s) / 25.0);
    UpdateScale();

    const double need = std::max(e - CentreLongitude, CentreLongitude - w);
    // Once the bottom edge passes the south pole the bottom row measures no width at all and
    // the loop could never end; a range that does not grow never ends it either.
    for (int step = 0; step < MaxWideningSteps && BottomLatitude >= -90.0f && VisibleHalfSpan() < need; ++step) {
        TopLatitude = static_cast<float>(double(TopLatitude) + (double(TopLatitude) - BottomLatitude) / 100.0);
        BottomLatitude = static_cast<float>(double(BottomLatitude) - (double(TopLatitude) - BottomLatitude) / 100.0);
        UpdateScale();
    }
}

std::int32_t CKarta::LatitudeToY(float latitude) const
{
    const float h = static_cast<float>(Height());
    const float t = Interpolate(ClampLatitude(latitude), BottomLatitude, TopLatitude, 0.0f, h);
    return ToPixel(double(h) - double(t));
}

std::int32_t CKarta::ToX(float latitude, float longitude) const
{
    const double w = Width();
    const float p = static_cast<float>(Height() / (double(TopLatitude) - double(BottomLatitude)));
    const float d = static_cast<float>(double(longitude) - double(CentreLongitude));
    if (latitude == 90.0f || latitude == -90.0f)
        return ToPixel(w / 2.0);
    return ToPixel(std::sqrt(8100.0 - double(latitude) * double(latitude)) * d / Scale * p + w / 2.0);
}

float CKarta::YToLatitude(std::int32_t y) const
{
    const float latitude =
        Interpolate(static_cast<float>(y), 0.0f, static_cast<float>(Height()), TopLatitude, BottomLatitude);
    return ClampLatitude(latitude);
}

float CKarta::ToLongitude(std::int32_t y, std::int32_t x) const
{
    const float latitude = YToLatitude(y);
    const float p = static_cast<float>(Height() / (double(TopLatitude) - double(BottomLatitude)));
    if (latitude == 90.0f || latitude == -90.0f)
        return CentreLongitude;
    const double dx = double(x) - double(Width() / 2);
    return static_cast<float>(double(CentreLongitude) +
                              dx / std::sqrt(8100.0 - double(latitude) * double(latitude)) * Scale / p);
}

float CKarta::VisibleHalfSpan() const
{
    const float middle = static_cast<float>(double(CentreLongitude) - ToLongitude(Height() / 2, 0));
    const float bottom = static_cast<float>(double(CentreLongitude) - ToLongitude(Height(), 0));
    return std::min({middle, bottom, 1000.0f});
}

std::int32_t CKarta::ScreenDistance(const GeoPoint& point, const COrt& place) const
{
    const float latitude = static_cast<float>(place.Latitude);
    const float longitude = static_cast<float>(place.Longitude);
    const double dy = double(LatitudeToY(point.Latitude)) - LatitudeToY(latitude);
    const double dx = double(ToX(point.Latitude, point.Longitude)) - ToX(latitude, longitude);
    return ToPixel(std::sqrt(dx * dx + dy * dy));
}

bool CKarta::IsOnImage(std::int32_t x, std::int32_t y) const
{
    return 0 < x && x < Width() && 0 < y && y < Height();
}

CKarta::Pixel CKarta::PixelOf(float latitude, float longitude) const
{
    return {ToX(latitude, longitude), LatitudeToY(latitude)};
}

// ---- drawing ----

// Tells the picture that its bitmap was written to directly (it repaints then).
void CKarta::Changed()
{
    if (HasCanvas())
        DrawingCanvas().changed();
}

bool CKarta::IsAreaVisible(const CArea& area) const
{
    const float north = static_cast<float>(area.North);
    const int margin = Scaled(100);
    return area.North >= BottomLatitude && area.South <= TopLatitude &&
           ToX(north, static_cast<float>(area.East)) >= -margin &&
           ToX(north, static_cast<float>(area.West)) <= Width() + margin;
}

void CKarta::FillBackground()
{
    Canvas& canvas = DrawingCanvas();
    canvas.setBrushColor(LandColor);
    canvas.fillAll(LandColor);
    Changed();
}

// Draws one closed outline. Area borders skip vertices on the pixel of the one before (no
// zero-length lines); waters draw every vertex, as a repeated pixel is simply painted again.
// Each segment includes both its end pixels, so the outline is an unbroken 8-connected chain,
// which a 4-connected flood fill cannot cross.
void CKarta::DrawOutline(const CArea& area, TColor colour, int width, bool skipRepeats)
{
    if (area.VertexCount <= 0)
        return;
    QImage& image = DrawingCanvas().image();
    if (image.isNull())
        return;
    const PixelWriter px(image);
    const QRgb rgb = ToQRgb(colour);
    std::unique_ptr<PenStamp> pen;
    if (width > 1)
        pen = std::make_unique<PenStamp>(width);

    const GeoPoint* v = &area.Vertices[1];
    const Pixel p1 = PixelOf(v[0].Latitude, v[0].Longitude);
    Pixel prev = p1;
    for (int k = 0; k < area.VertexCount; ++k) {
        const Pixel p = PixelOf(v[k].Latitude, v[k].Longitude);
        const bool same = p.x == prev.x && p.y == prev.y;
        if (!(skipRepeats && same))
            CopyLine(px, pen.get(), prev.x, prev.y, p.x, p.y, true, rgb);
        prev = p;
    }
    // Back to the first vertex, whose pixel is already drawn (a border made of one pixel only
    // draws nothing, as a zero-length line draws nothing). A water sets it again.
    CopyLine(px, pen.get(), prev.x, prev.y, p1.x, p1.y, !skipRepeats, rgb);
    DrawingCanvas().moveTo(p1.x, p1.y);
}

void CKarta::DrawAreaBorders(int width)
{
    Canvas& canvas = DrawingCanvas();
    const int w = Width(), h = Height();
    canvas.setPenColor(Black);
    canvas.setPenMode(PenMode::Copy);
    canvas.setBrushClear();
    canvas.rectangle(0, 0, w, h);
    canvas.setPenWidth(Scaled(width));
    if (Areas) {
        for (int i = 1; i <= Areas->Count; ++i) {
            const CArea& area = Areas->Item(i);
            if (area.VertexCount > 0 && IsAreaVisible(area))
                DrawOutline(area, Black, canvas.penWidth(), true);
        }
    }
    canvas.setPenMode(PenMode::Copy);
    canvas.rectangle(0, 0, w, h);
    Changed();
}

void CKarta::DrawWater()
{
    Canvas& canvas = DrawingCanvas();
    canvas.setPenColor(WaterColor);
    canvas.setPenWidth(Scaled(1));
    canvas.setBrushClear();
    canvas.rectangle(0, 0, Width(), Height());
    if (Waters) {
        for (int i = 1; i <= Waters->Count; ++i) {
            const CArea& water = Waters->Item(i);
            if (water.VertexCount <= 0)
                continue;
            DrawOutline(water, WaterColor, Scaled(1), false);
            canvas.setBrushColor(WaterColor);
            for (const GeoPoint* seed : {&water.Seed1, &water.Seed2}) {
                const Pixel p = PixelOf(seed->Latitude, seed->Longitude);
                if (IsOnImage(p.x, p.y))
                    FloodFillAt(canvas, p.x, p.y, Rgb(WaterColor), FillStyle::Border);
            }
        }
    }
    DrawFrame();
}

void CKarta::DrawFrame()
{
    Canvas& canvas = DrawingCanvas();
    canvas.setPenColor(Black);
    canvas.setPenWidth(Scaled(5));
    canvas.setPenMode(PenMode::Copy);
    canvas.setBrushClear();
    canvas.rectangle(0, 0, Width(), Height());
    canvas.setBrushSolid();
    Changed();
}

void CKarta::FillSea()
{
    Canvas& canvas = DrawingCanvas();
    canvas.setBrushColor(SeaColor);
    for (int k = 1; k <= SeaPointCount; ++k) {
        const Pixel p = PixelOf(SeaPoints[k].Latitude, SeaPoints[k].Longitude);
        if (Rgb(canvas.pixel(p.x, p.y)) != Rgb(SeaColor) && IsOnImage(p.x, p.y)) {
            FloodFillAt(canvas, p.x, p.y, Rgb(LandColor), FillStyle::Surface); // repaints what it filled
            if (ProcessMessages)
                ProcessMessages();
        }
    }
}

void CKarta::DrawGraticule(int step, TColor color, PenMode mode)
{
    Canvas& canvas = DrawingCanvas();
    const float lo = MaxOf(BottomLatitude, -89.0f);
    const float hi = MinOf(TopLatitude, 89.0f);
    canvas.setPenColor(color);
    canvas.setPenWidth(1);
    canvas.setPenMode(mode);

    QImage& image = canvas.image();
    if (step > 0 && !image.isNull()) {
        const PixelWriter px(image);
        const QRgb pen = ToQRgb(color);
        auto thinLine = [&](const Pixel& a, const Pixel& b) {
            switch (mode) {
            case PenMode::Copy:
                ForEachLinePixel(a.x, a.y, b.x, b.y, false, px.bounds(),
                                 [&](int x, int y) { px.row(y)[x] = pen; });
                break;
            case PenMode::NotXor:
                ForEachLinePixel(a.x, a.y, b.x, b.y, false, px.bounds(), [&](int x, int y) {
                    QRgb& d = px.row(y)[x];
                    d = 0xFF000000u | (~(pen ^ d) & 0x00FFFFFFu);
                });
                break;
            case PenMode::Mask:
                ForEachLinePixel(a.x, a.y, b.x, b.y, false, px.bounds(),
                                 [&](int x, int y) { QRgb& d = px.row(y)[x]; d = 0xFF000000u | (pen & d); });
                break;
            }
        };
        // A wider line is the thin one repeated side by side across its direction: each copy
        // has one pixel per row (or column), so no pixel is touched twice and not-xor stays
        // exact.
        const int thickness = Scaled(1);
        auto line = [&](const Pixel& a, const Pixel& b) {
            const bool steep = std::abs(b.y - a.y) >= std::abs(b.x - a.x);
            for (int k = 0; k < thickness; ++k) {
                const int shift = k - (thickness - 1) / 2;
                if (steep)
                    thinLine({a.x + shift, a.y}, {b.x + shift, b.y});
                else
                    thinLine({a.x, a.y + shift}, {b.x, b.y + shift});
            }
            canvas.moveTo(b.x, b.y);
        };
        const int loDeg = ToPixel(lo);
        const int hiDeg = ToPixel(hi);
        const int mFirst = ToPixel(double(CentreLongitude) - 180.0) / step;
        const int mLast = ToPixel(double(CentreLongitude) + 180.0) / step;
        // Meridians in quarter-step pieces of latitude, which follow their curve.
        for (int k = loDeg / step * 4 - 4; k <= hiDeg / step * 4 + 3; ++k) {
            const float phi1 = ClampLatitude(static_cast<float>(k * step / 4.0));
            const float phi2 = ClampLatitude(static_cast<float>(k * step / 4.0 + step / 4.0));
            for (int m = mFirst; m <= mLast; ++m) {
                const float lambda = static_cast<float>(m * step);
                line(PixelOf(phi1, lambda), PixelOf(phi2, lambda));
            }
        }
        for (int p = loDeg / step; p <= hiDeg / step; ++p) {
            const int v = p * step;
            if (std::abs(v) < 90) {
                const float phi = static_cast<float>(v);
                line(PixelOf(phi, static_cast<float>(double(CentreLongitude) - 180.0)),
                     PixelOf(phi, static_cast<float>(double(CentreLongitude) + 180.0)));
            }
        }
    }
    canvas.setPenMode(PenMode::Copy);
    DrawFrame();
}

void CKarta::DrawIncludedPlaces()
{
    if (Places) {
        for (const COrt* p = Places->First; p; p = p->Next)
            if (p->Included && !p->Answered)
                DrawPlace(*p, 0x008000);
    }
    Changed();
}

void CKarta::DrawPlace(const COrt& place, TColor fill)
{
    Canvas& canvas = DrawingCanvas();
    // The dot's size follows the map's width in screen pixels, whatever the pixel ratio.
    const int r = Scaled(static_cast<int>(Width() / PixelRatio()) / 250 + 2);
    const Pixel p = PixelOf(static_cast<float>(place.Latitude), static_cast<float>(place.Longitude));
    canvas.setPenWidth(Scaled(1));
    canvas.setPenColor(White);
    canvas.setBrushColor(fill);
    canvas.ellipse(p.x - r, p.y - r, p.x + r, p.y + r);
    if (place.Answered) {
        TColor c;
        switch (place.Tries) {
        case 1: c = 0xFFFFFF; break;
        case 2: c = 0xA0FFFF; break;
        case 3: c = 0x00FFFF; break;
        default: c = WrongColor; break;
        }
        canvas.setBrushColor(c);
        canvas.setPenColor(Black);
        canvas.setFontPixelHeight(QStringLiteral("Arial"), Scaled(PointsToPixels(8)));
        const QString text = FromWin1252(place.Names[CurrentLanguage]);
        const int tw = canvas.textWidth(text);
        const int th = canvas.textHeight(text);
        const int hw = tw / 2;
        const int margin = Scaled(4);
        canvas.rectangle(p.x - hw - margin, p.y - r, p.x + hw + margin, p.y - r + th);
        canvas.setBrushClear();
        canvas.textOut(p.x - hw, p.y - r, text);
    }
    Changed();
}

void CKarta::FillArea(const CArea& area, TColor colour)
{
    Canvas& canvas = DrawingCanvas();
    canvas.setBrushColor(colour);
    for (const GeoPoint* seed : {&area.Seed1, &area.Seed2}) {
        const Pixel p = PixelOf(seed->Latitude, seed->Longitude);
        const TColor c = Rgb(canvas.pixel(p.x, p.y));
        if (c != Black && c != Rgb(WaterColor) && c != Rgb(colour) && IsOnImage(p.x, p.y))
            FloodFillAt(canvas, p.x, p.y, c, FillStyle::Surface); // repaints what it filled
    }
}

void CKarta::FillAreasWithKey(const std::string& key, TColor colour)
{
    if (!Areas)
        return;
    for (int i = 1; i <= Areas->Count; ++i) {
        const CArea& area = Areas->Item(i);
        if (area.HasKey(key) && area.Included)
            FillArea(area, colour);
    }
}

void CKarta::ColourAreas()
{
    if (!Areas)
        return;
    for (int i = 1; i <= Areas->Count; ++i) {
        const CArea& area = Areas->Item(i);
        if (!area.Included)
            continue;
        if (!area.Answered) {
            FillArea(area, AreaColor);
            continue;
        }
        if (area.Tries <= 0)
            continue;
        switch (area.Tries) {
        case 1: FillArea(area, 0xFFFFFF); break;
        case 2: FillArea(area, 0x80FFFF); break;
        case 3: FillArea(area, 0x00FFFF); break;
        default: FillArea(area, 0x0000FF); break;
        }
    }
}

void CKarta::Pending()
{
    if (ProcessMessages)
        ProcessMessages();
}

void CKarta::DrawLandWaterAndSea(int borderWidth)
{
    FillBackground();
    Pending();
    DrawAreaBorders(borderWidth);
    Pending();
    DrawWater();
    Pending();
    FillSea();
    Pending();
}

void CKarta::DrawPlaceExerciseMap(int borderWidth)
{
    DrawLandWaterAndSea(borderWidth);
    if (ShowGrid)
        DrawGraticule(10, 0xC0C0C0, PenMode::NotXor);
    Pending();
    DrawIncludedPlaces();
    Pending();
}

void CKarta::DrawAreaExerciseMap(int borderWidth)
{
    DrawLandWaterAndSea(borderWidth);
    ColourAreas();
    Pending();
    if (ShowGrid)
        DrawGraticule(10, AreaColor, PenMode::Mask);
}
