// The true land/sea mask of an exercise view: the unsimplified source land (lakes cut out)
// projected vertex by vertex with the map's own projection, for the content test to compare the
// drawn maps against.
#pragma once

#include <QImage>
#include <QString>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

class CKarta;

// Rings of longitude/latitude pairs: a polygon is its outer ring, then its holes.
using LandRing = std::vector<std::pair<double, double>>;

struct LandSource {
    std::vector<std::vector<LandRing>> Land;
    std::vector<LandRing> Lakes;
};

// Reads work/land.json as the generator's areas step writes it.
LandSource ReadLandSource(const QString& path);

// White land, black sea and lakes, one bit a pixel, on the map's picture as its view is set.
QImage RasteriseLand(const LandSource& source, const CKarta& map, int width, int height);

// The mask's file name for an area file's view (as the map holds it after fitting) at a picture
// size in device pixels.
inline std::string LandMaskName(int areaFile, float top, float bottom, float centre, int width, int height)
{
    char name[160];
    std::snprintf(name, sizeof name, "AREA%d_%.4f_%.4f_%.4f_%dx%d.png", areaFile, static_cast<double>(top),
                  static_cast<double>(bottom), static_cast<double>(centre), width, height);
    return name;
}
