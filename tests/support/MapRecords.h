// Area and place records for test maps, and the lists loaded from them through the game's own
// readers (the records written to files of a TempFolder first).
#pragma once

#include "data/Areor.h"
#include "data/Orter.h"
#include "support/TempFolder.h"
#include "tools/crp/CrpWriter.h"

#include <memory>
#include <string>
#include <vector>

// A rectangle, named by its sides so that a swapped north and south shows at the call:
// BoxArea({.north = 60, .south = 40, .east = 30, .west = 10, .key = "X"}).
struct Box {
    double north = 0, south = 0, east = 0, west = 0;
    std::string key{}, name{}, group{}; // name: the key when empty; group: the second key
};

// An area whose outline is its box, both seeds in the middle, its flag file named after its key.
inline AreaRecord BoxArea(const Box& box)
{
    AreaRecord r;
    r.Keys[0] = box.key;
    r.Keys[1] = box.group;
    r.Names[0] = box.name.empty() ? box.key : box.name;
    r.FlagFile = box.key + ".bmp";
    r.North = box.north;
    r.South = box.south;
    r.East = box.east;
    r.West = box.west;
    r.Seed1Lat = r.Seed2Lat = (box.north + box.south) / 2;
    r.Seed1Lon = r.Seed2Lon = (box.east + box.west) / 2;
    r.Vertices = {{box.north, box.west}, {box.north, box.east}, {box.south, box.east}, {box.south, box.west}};
    return r;
}

inline PlaceRecord Place(const std::string& name, double lat, double lon, const std::string& key, int level = 0)
{
    PlaceRecord r;
    r.Id = name;
    r.Names[0] = name;
    r.Keys[0] = key;
    r.Level = level;
    r.Latitude = lat;
    r.Longitude = lon;
    return r;
}

inline std::unique_ptr<CAreor> LoadAreas(const TempFolder& folder, const std::vector<AreaRecord>& records,
                                         const std::string& name = "areas.crp")
{
    CrpWriter w;
    for (const AreaRecord& r : records)
        WriteArea(w, r);
    auto areas = std::make_unique<CAreor>();
    areas->LoadFromFile(folder.Write(name, w));
    return areas;
}

inline std::unique_ptr<COrter> LoadPlaces(const TempFolder& folder, const std::vector<PlaceRecord>& records)
{
    CrpWriter w;
    for (const PlaceRecord& r : records)
        WritePlace(w, r);
    auto places = std::make_unique<COrter>();
    places->LoadFromFile(folder.Write("places.crp", w));
    return places;
}
