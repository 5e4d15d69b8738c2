// The map's projection: latitudes evenly spaced down the picture, each parallel's longitudes
// shrunk with the circle sqrt(90² - latitude²) about the centre.
#include "map/Projection.h"

#include "map/Geometry.h"
#include "platform/Errors.h"

#include <algorithm>
#include <cmath>
#include <limits>

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

std::int32_t Projection::ScaleFor(float topLatitude, float bottomLatitude)
{
    const double centre = std::fabs((double(topLatitude) + double(bottomLatitude)) / 2.0);
    return ToPixel(centre / 90.0 * 50.0) + 90;
}

Projection Projection::Fit(double n, double s, double e, double w, int width, int height, int maxSteps)
{
    Projection v;
    v.Width = width;
    v.Height = height;
    v.CentreLongitude = static_cast<float>((w + e) / 2.0);
    v.TopLatitude = static_cast<float>(n + (n - s) / 25.0);
    v.BottomLatitude = static_cast<float>(s - (n - s) / 25.0);
    v.Scale = ScaleFor(v.TopLatitude, v.BottomLatitude);

    const double need = std::max(e - v.CentreLongitude, v.CentreLongitude - w);
    // Once the bottom edge passes the south pole the bottom row measures no width at all and
    // the loop could never end; a range that does not grow never ends it either.
    for (int step = 0; step < maxSteps && v.BottomLatitude >= -90.0f && v.VisibleHalfSpan() < need; ++step) {
        v.TopLatitude = static_cast<float>(double(v.TopLatitude) + (double(v.TopLatitude) - v.BottomLatitude) / 100.0);
        v.BottomLatitude = static_cast<float>(double(v.BottomLatitude) - (double(v.TopLatitude) - v.BottomLatitude) / 100.0);
        v.Scale = ScaleFor(v.TopLatitude, v.BottomLatitude);
    }
    return v;
}

void Projection::KeepLongitudes()
{
    const double aspect = double(Width) / Height;
    if (Width <= 0 || Height <= 0 || aspect >= ViewAspect)
        return;
    const double middle = (double(TopLatitude) + double(BottomLatitude)) / 2.0;
    const double half = (double(TopLatitude) - double(BottomLatitude)) / 2.0 * (ViewAspect / aspect);
    TopLatitude = static_cast<float>(middle + half);
    BottomLatitude = static_cast<float>(middle - half);
}

std::int32_t Projection::LatitudeToY(float latitude) const
{
    return ToPixel(ExactY(latitude));
}

double Projection::ExactY(float latitude) const
{
    const float h = static_cast<float>(Height);
    const float t = Interpolate(ClampLatitude(latitude), BottomLatitude, TopLatitude, 0.0f, h);
    return double(h) - double(t);
}

std::int32_t Projection::ToX(float latitude, float longitude) const
{
    return ToPixel(ExactX(latitude, longitude));
}

double Projection::ExactX(float latitude, float longitude) const
{
    const double w = Width;
    const float p = static_cast<float>(Height / (double(TopLatitude) - double(BottomLatitude)));
    const float d = static_cast<float>(double(longitude) - double(CentreLongitude));
    if (latitude == 90.0f || latitude == -90.0f)
        return w / 2.0;
    return std::sqrt(8100.0 - double(latitude) * double(latitude)) * d / Scale * p + w / 2.0;
}

float Projection::YToLatitude(std::int32_t y) const
{
    const float latitude =
        Interpolate(static_cast<float>(y), 0.0f, static_cast<float>(Height), TopLatitude, BottomLatitude);
    return ClampLatitude(latitude);
}

float Projection::ToLongitude(std::int32_t y, std::int32_t x) const
{
    const float latitude = YToLatitude(y);
    const float p = static_cast<float>(Height / (double(TopLatitude) - double(BottomLatitude)));
    if (latitude == 90.0f || latitude == -90.0f)
        return CentreLongitude;
    const double dx = double(x) - double(Width / 2);
    return static_cast<float>(double(CentreLongitude) +
                              dx / std::sqrt(8100.0 - double(latitude) * double(latitude)) * Scale / p);
}

float Projection::VisibleHalfSpan() const
{
    const float middle = static_cast<float>(double(CentreLongitude) - ToLongitude(Height / 2, 0));
    const float bottom = static_cast<float>(double(CentreLongitude) - ToLongitude(Height, 0));
    return std::min({middle, bottom, 1000.0f});
}
