// Interpolation and the point-in-polygon test of the map.
#pragma once

#include "platform/Types.h"

float Interpolate(float value, float fromLow, float fromHigh, float toLow, float toHigh);
float MaxOf(float a, float b);
float MinOf(float a, float b);
bool IsBetween(double a, double b, double v);
// vertices[0 .. count-1]
bool PointInPolygon(const GeoPoint& point, const GeoPoint* vertices, int count);
