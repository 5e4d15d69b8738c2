#include "tools/content/ProjectionTable.h"

#include "map/Geometry.h"
#include "map/UKarta.h"
#include "tools/content/SeaPoints.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace {

// The map's answer to one line of the table, in the table's words ("F lat lon x y on", "I y x
// lat lon", "P lat lon in"); V and R lines set the view and the ring of the lines after them.
std::string Answer(CKarta& map, std::vector<GeoPoint>& ring, std::istringstream& line, char kind)
{
    std::ostringstream out;
    out.precision(17);
    double a = 0, b = 0;
    line >> a >> b;
    if (kind == 'F') {
        // stored positions are read as double and taken in single precision, as here
        const auto lat = static_cast<float>(a), lon = static_cast<float>(b);
        const std::int32_t x = map.ToX(lat, lon), y = map.LatitudeToY(lat);
        out << "F " << a << " " << b << " " << x << " " << y << " " << (map.IsOnImage(x, y) ? 1 : 0);
    } else if (kind == 'I') {
        const auto y = static_cast<std::int32_t>(a), x = static_cast<std::int32_t>(b);
        // (+ 0.0: a zero is written without sign, as the scripts write it)
        out << "I " << y << " " << x << " " << double(map.YToLatitude(y)) + 0.0 << " " << double(map.ToLongitude(y, x)) + 0.0;
    } else if (kind == 'P') {
        const GeoPoint p{static_cast<float>(a), static_cast<float>(b)};
        out << "P " << a << " " << b << " " << (PointInPolygon(p, ring.data(), static_cast<int>(ring.size())) ? 1 : 0);
    } else if (kind == 'V') {
        SeaView v;
        v.Top = static_cast<float>(a);
        v.Bottom = static_cast<float>(b);
        line >> a >> v.Size.Width >> v.Size.Height;
        v.Centre = static_cast<float>(a);
        SetView(map, v);
    } else if (kind == 'R') {
        ring.clear();
        for (bool more = bool(line); more; more = bool(line >> a >> b))
            ring.push_back({static_cast<float>(a), static_cast<float>(b)});
    } else {
        throw std::runtime_error(std::string("a line of kind '") + kind + "'");
    }
    return out.str();
}

// A line of the table as its numbers, written as the map's answers are.
std::string Normal(std::istringstream line, char kind)
{
    std::ostringstream out;
    out.precision(17);
    out << kind;
    for (double v = 0; line >> v;)
        out << " " << v + 0.0;
    return out.str();
}

} // namespace

long CheckProjectionTable(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read " + path + " (written by scripts/catalogue.mjs)");
    CKarta map;
    map.ProcessMessages = nullptr;
    std::vector<GeoPoint> ring;
    std::vector<std::string> differences;
    long compared = 0, number = 0;
    bool view = false;
    for (std::string text; std::getline(in, text);) {
        ++number;
        if (text.empty())
            continue;
        std::istringstream line(text);
        char kind = 0;
        line >> kind;
        if (kind == 'V')
            view = true;
        if ((kind == 'F' || kind == 'I') && !view)
            throw std::runtime_error(path + ":" + std::to_string(number) + ": a conversion before any view");
        const std::string answer = Answer(map, ring, line, kind);
        if (answer.empty())
            continue;
        ++compared;
        if (const std::string asked = Normal(std::istringstream(text.substr(1)), kind); asked != answer)
            differences.push_back(path + ":" + std::to_string(number) + ": the scripts " + asked + ", the map " + answer);
    }
    if (compared == 0)
        throw std::runtime_error(path + ": no conversions to compare");
    if (!differences.empty()) {
        std::ofstream all(path + ".differences");
        for (const std::string& d : differences)
            all << d << "\n";
        std::string first;
        for (size_t i = 0; i < differences.size() && i < 5; ++i)
            first += "\n  " + differences[i];
        throw std::runtime_error(std::to_string(differences.size()) + " of " + std::to_string(compared) +
                                 " answers of the scripts' projection or point-in-ring differ from the map's (all in " + path +
                                 ".differences):" + first);
    }
    std::remove((path + ".differences").c_str()); // of an earlier run
    return compared;
}
