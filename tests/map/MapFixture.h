// Map fixtures: area, place and sea-point files written with CrpWriter into a private folder
// and read back with the game's loaders, and a map that draws on a canvas of its own.
#pragma once

#include "data/Areor.h"
#include "data/Orter.h"
#include "map/UKarta.h"
#include "platform/Canvas.h"
#include "tools/crp/CrpWriter.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "globana-map-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        dir_ = pattern;
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Save(const std::string& name, const CrpWriter& writer) const
    {
        const std::string path = (dir_ / name).string();
        writer.SaveTo(path);
        return path;
    }

private:
    std::filesystem::path dir_;
};

// An area whose outline is its bounding box, seeded in the middle.
inline AreaRecord BoxArea(const std::string& key, double north, double south, double east, double west)
{
    AreaRecord r;
    r.Keys[0] = key;
    r.Names[0] = key;
    r.North = north;
    r.South = south;
    r.East = east;
    r.West = west;
    r.Seed1Lat = r.Seed2Lat = (north + south) / 2;
    r.Seed1Lon = r.Seed2Lon = (east + west) / 2;
    r.Vertices = {{north, west}, {north, east}, {south, east}, {south, west}};
    return r;
}

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

inline std::unique_ptr<CAreor> LoadAreas(const TempFolder& folder, const std::vector<AreaRecord>& records,
                                         const std::string& name = "areas.crp")
{
    CrpWriter w;
    for (const AreaRecord& r : records)
        WriteArea(w, r);
    auto areas = std::make_unique<CAreor>();
    areas->LoadFromFile(folder.Save(name, w));
    return areas;
}

inline std::unique_ptr<COrter> LoadPlaces(const TempFolder& folder, const std::vector<PlaceRecord>& records)
{
    CrpWriter w;
    for (const PlaceRecord& r : records)
        WritePlace(w, r);
    auto places = std::make_unique<COrter>();
    places->LoadFromFile(folder.Save("places.crp", w));
    return places;
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
