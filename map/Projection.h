// The view of a map: the part of the globe it shows on a picture of a given size, and the
// conversion between degrees and pixels. A plain value, computed from the view and the picture.
#pragma once

#include <cstdint>

// Pixel results round halves to even, never away from zero; outside 32 bits raises ERangeError.
std::int32_t ToPixel(double value);
// The latitude limited to -90 .. 90.
float ClampLatitude(float latitude);

// The shape of picture an exercise's own view is made for: the map of a maximised 1920 x 1080
// screen.
inline constexpr double ViewAspect = 1916.0 / 1000.0;

struct Projection {
    float CentreLongitude = 0.0f;
    float TopLatitude = 0.0f;
    float BottomLatitude = 0.0f;
    std::int32_t Scale = 1;
    int Width = 0;
    int Height = 0;

    // The scale of a view whose centre lies at this latitude: wider towards the poles.
    static std::int32_t ScaleFor(float topLatitude, float bottomLatitude);
    // The view that shows the box (degrees) on a width × height picture: the box's middle
    // longitude at the centre, 1/25 of its height added above and below, then widened in 1 %
    // steps (at most maxSteps) until the box's longitudes fit.
    static Projection Fit(double north, double south, double east, double west, int width, int height,
                          int maxSteps);
    // An exercise's own view on a picture narrower than ViewAspect: its latitudes widened about
    // their middle so that every row shows the longitudes it shows on a picture of that shape.
    // Kept as it is, a taller picture would show less of the world across and lose what lies at
    // the edges. The scale stays, since the middle does.
    void KeepLongitudes();

    std::int32_t LatitudeToY(float latitude) const;
    std::int32_t ToX(float latitude, float longitude) const;
    // The same before rounding to a whole pixel, to measure distances finer than one.
    double ExactY(float latitude) const;
    double ExactX(float latitude, float longitude) const;
    float YToLatitude(std::int32_t y) const;
    float ToLongitude(std::int32_t y, std::int32_t x) const;
    // Degrees of longitude either side of the centre that the picture shows at its narrowest.
    float VisibleHalfSpan() const;
};
