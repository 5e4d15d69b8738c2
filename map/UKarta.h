// CKarta: the exercise map: its lists, colours and view, the projection between degrees and
// pixels, and the drawing of land, borders, waters, sea, areas, places and graticule.
#pragma once

#include "data/Areor.h"
#include "data/Orter.h"
#include "map/Projection.h"
#include "platform/Array1.h"
#include "platform/Canvas.h"
#include "platform/Types.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CKarta {
public:
    static constexpr int MaxSeaPoints = 100;
    // FitToIncludedAreas gives up widening after this many 1 % steps (a degenerate latitude
    // range never grows, so the loop would not end otherwise).
    static constexpr int MaxWideningSteps = 1000;

    CKarta();
    ~CKarta() = default;
    CKarta(const CKarta&) = delete;
    CKarta& operator=(const CKarta&) = delete;

    // ---- model and view ----
    void LoadSeaPoints(const std::string& name);
    // The view as a value, with the drawing canvas's size.
    Projection View() const;
    void UpdateScale();
    void FitToIncludedAreas();
    // The exercise's own view, widened on a picture narrower than it was made for
    // (Projection::KeepLongitudes); a view not given (0, 0) stays as it is.
    void KeepLongitudes();
    // The view the picture shows: the exercise's own, widened where the picture is narrower than
    // it was made for, or, when it gives none, one fitted to the included areas.
    void SetUpView();
    std::int32_t LatitudeToY(float latitude) const;
    std::int32_t ToX(float latitude, float longitude) const;
    float YToLatitude(std::int32_t y) const;
    float ToLongitude(std::int32_t y, std::int32_t x) const;
    float VisibleHalfSpan() const;
    std::int32_t ScreenDistance(const GeoPoint& point, const COrt& place) const;
    bool IsOnImage(std::int32_t x, std::int32_t y) const;

    // ---- drawing (on Target) ----
    bool IsAreaVisible(const CArea& area) const;
    void FillBackground();
    void DrawAreaBorders(int width);
    void DrawWater();
    void DrawFrame();
    void FillSea();
    void DrawGraticule(int step, TColor color, PenMode mode);
    void DrawIncludedPlaces();
    void DrawPlace(const COrt& place, TColor fill);
    // The radius of a place's dot in canvas pixels: it follows the map's width in screen
    // pixels, whatever the pixel ratio.
    int PlaceDotRadius() const;
    void FillArea(const CArea& area, TColor colour);
    void FillAreasWithKey(const std::string& key, TColor colour);
    void ColourAreas();

    // The whole-map drawing sequences of the place and the area exercise; ProcessMessages
    // runs after each step so that the picture builds up visibly.
    void DrawPlaceExerciseMap(int borderWidth);
    void DrawAreaExerciseMap(int borderWidth);

    // The canvas drawn on and measured: *Target.
    Canvas& DrawingCanvas() const;
    bool HasCanvas() const;
    // W and H: the drawing canvas's size (0 without a canvas).
    int Width() const;
    int Height() const;

    // Canvas pixels per screen pixel: TargetPixelRatio. Pen
    // widths, dot sizes, margins and fonts grow with it, so a map drawn at 2 shows the same
    // geography with twice the pixels.
    double PixelRatio() const;
    // A size given in screen pixels as canvas pixels (0 stays 0, anything else at least 1).
    int Scaled(int size) const;

    TColor WaterColor = 0x800000;
    TColor LandColor = 0x808080;
    TColor AreaColor = 0x008000;
    TColor SeaColor = 0x800000;
    float CentreLongitude = 0.0f;
    float TopLatitude = 0.0f;
    float BottomLatitude = 0.0f;
    std::int32_t Scale = 1;
    std::unique_ptr<CAreor> Areas;
    std::unique_ptr<CAreor> Waters;
    std::unique_ptr<COrter> Places;
    Array1<GeoPoint, MaxSeaPoints> SeaPoints;
    std::int32_t SeaPointCount = 0;
    bool ShowGrid = false;

    // Where the map draws: the screen's picture, or an offscreen canvas. Not owned.
    Canvas* Target = nullptr;
    double TargetPixelRatio = 1.0;

    // Lets the window system process pending messages between drawing steps.
    // Defaults to QCoreApplication::processEvents; offscreen rendering sets it to nothing.
    std::function<void()> ProcessMessages;

private:
    struct Pixel {
        std::int32_t x;
        std::int32_t y;
    };
    Pixel PixelOf(float latitude, float longitude) const;
    void Pending();
    void DrawLandWaterAndSea(int borderWidth);
    void DrawOutline(const CArea& area, TColor colour, int width, bool skipRepeats);
    void Changed();
};
