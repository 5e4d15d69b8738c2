// Interpolation and the point-in-polygon test of the map.
#include "map/Geometry.h"

float Interpolate(float value, float fromLow, float fromHigh, float toLow, float toHigh)
{
    // The 1e-8 keeps a 0 .. 0 range from dividing by zero; rounded to single precision it
    // vanishes for ranges wider than about 0.2. The arithmetic is extended, the quotient double.
    using Extended = long double;
    const float h = static_cast<float>(Extended(fromHigh) + Extended(1e-8));
    const double q = static_cast<double>((Extended(value) - fromLow) / (Extended(h) - fromLow));
    return static_cast<float>(Extended(toLow) + (Extended(toHigh) - toLow) * q);
}

float MaxOf(float a, float b)
{
    return b > a ? b : a;
}

float MinOf(float a, float b)
{
    return b >= a ? a : b;
}

bool IsBetween(double a, double b, double v)
{
    return (b <= v && v < a) || (a <= v && v < b);
}

bool PointInPolygon(const GeoPoint& point, const GeoPoint* vertices, int count)
{
    if (count <= 0 || vertices == nullptr)
        return false;
    const double lat = point.Latitude;
    const double lon = point.Longitude;
    bool inside = false;
    int j = count - 1;
    for (int i = 0; i < count; ++i) {
        const double latI = vertices[i].Latitude, lonI = vertices[i].Longitude;
        const double latJ = vertices[j].Latitude, lonJ = vertices[j].Longitude;
        // IsBetween is false for an edge of constant latitude, so the division is safe.
        if (IsBetween(latJ, latI, lat) && lonI + (lat - latI) * (lonJ - lonI) / (latJ - latI) > lon)
            inside = !inside;
        j = i;
    }
    return inside;
}
