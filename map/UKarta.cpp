// CKarta: the map's view and projection, and its drawing by outlines and flood fills.
#include "map/UKarta.h"

#include "data/Fileread.h"
#include "map/Geometry.h"
#include "map/Projection.h"
#include "platform/Errors.h"
#include "platform/FloodFill.h"
#include "platform/GameState.h"
#include "platform/Raster.h"
#include "platform/Win1252.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

namespace {

// Colours are compared as the display shows them: the palette flag in the top byte is no colour.
constexpr TColor Rgb(TColor c) { return c & 0xFFFFFFu; }

constexpr TColor Black = 0x000000;
constexpr TColor White = 0xFFFFFF;

} // namespace

CKarta::CKarta()
    : ProcessMessages([] { QCoreApplication::processEvents(); })
{
}

// ---- model and view ----

bool CKarta::HasCanvas() const
{
    return Target != nullptr;
}

Canvas& CKarta::DrawingCanvas() const
{
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
    return TargetPixelRatio;
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

Projection CKarta::View() const
{
    return {CentreLongitude, TopLatitude, BottomLatitude, Scale, Width(), Height()};
}

void CKarta::UpdateScale()
{
    Scale = Projection::ScaleFor(TopLatitude, BottomLatitude);
}

void CKarta::FitToIncludedAreas()
{
    double n = -10000.0, s = 10000.0, e = -10000.0, w = 10000.0;
    if (Areas) {
        for (int i = 1; i <= Areas->Count; ++i) {
            const CArea& a = Areas->Item(i);
            if (!a.Included || a.VertexCount <= 0)
                continue;
            n = std::max(n, a.North);
            s = std::min(s, a.South);
            e = std::max(e, a.East);
            w = std::min(w, a.West);
        }
    }
    const Projection fitted = Projection::Fit(n, s, e, w, Width(), Height(), MaxWideningSteps);
    CentreLongitude = fitted.CentreLongitude;
    TopLatitude = fitted.TopLatitude;
    BottomLatitude = fitted.BottomLatitude;
    Scale = fitted.Scale;
}

void CKarta::KeepLongitudes()
{
    Projection v = View();
    v.KeepLongitudes();
    TopLatitude = v.TopLatitude;
    BottomLatitude = v.BottomLatitude;
}

void CKarta::SetUpView()
{
    UpdateScale();
    if (TopLatitude == 0.0f && BottomLatitude == 0.0f)
        FitToIncludedAreas();
    else
        KeepLongitudes();
}

std::int32_t CKarta::LatitudeToY(float latitude) const
{
    return View().LatitudeToY(latitude);
}

std::int32_t CKarta::ToX(float latitude, float longitude) const
{
    return View().ToX(latitude, longitude);
}

float CKarta::YToLatitude(std::int32_t y) const
{
    return View().YToLatitude(y);
}

float CKarta::ToLongitude(std::int32_t y, std::int32_t x) const
{
    return View().ToLongitude(y, x);
}

float CKarta::VisibleHalfSpan() const
{
    return View().VisibleHalfSpan();
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
    const Projection view = View();
    return {view.ToX(latitude, longitude), view.LatitudeToY(latitude)};
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
            ThinLine(px, mode, pen, a.x, a.y, b.x, b.y, false);
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

int CKarta::PlaceDotRadius() const
{
    return Scaled(static_cast<int>(Width() / PixelRatio()) / 250 + 2);
}

void CKarta::DrawPlace(const COrt& place, TColor fill)
{
    Canvas& canvas = DrawingCanvas();
    const int r = PlaceDotRadius();
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
