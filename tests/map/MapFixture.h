// Map fixtures: areas of any outline, and a map that draws on a canvas of its own.
#pragma once

#include "map/UKarta.h"
#include "platform/Canvas.h"
#include "support/MapRecords.h"

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// An area with the given outline (latitude, longitude), its box computed from it.
inline AreaRecord OutlineArea(const std::string& key, std::vector<std::pair<double, double>> vertices,
                              std::pair<double, double> seed)
{
    AreaRecord r;
    r.Keys[0] = key;
    r.Names[0] = key;
    r.North = r.East = -1000;
    r.South = r.West = 1000;
    for (const auto& [lat, lon] : vertices) {
        r.North = std::max(r.North, lat);
        r.South = std::min(r.South, lat);
        r.East = std::max(r.East, lon);
        r.West = std::min(r.West, lon);
    }
    r.Seed1Lat = r.Seed2Lat = seed.first;
    r.Seed1Lon = r.Seed2Lon = seed.second;
    r.Vertices = std::move(vertices);
    return r;
}

// A map on its own canvas, with empty lists, the given view and the scale of that view.
struct TestMap {
    Canvas canvas;
    CKarta map;

    TestMap(int width, int height, float top, float bottom, float centre) : canvas(width, height)
    {
        map.Target = &canvas;
        map.ProcessMessages = nullptr;
        map.Areas = std::make_unique<CAreor>();
        map.Waters = std::make_unique<CAreor>();
        map.Places = std::make_unique<COrter>();
        map.TopLatitude = top;
        map.BottomLatitude = bottom;
        map.CentreLongitude = centre;
        map.UpdateScale();
    }
    TColor At(float latitude, float longitude) const
    {
        return canvas.pixel(map.ToX(latitude, longitude), map.LatitudeToY(latitude)) & 0xFFFFFF;
    }
};
