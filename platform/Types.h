// Small value types shared by every subsystem.
#pragma once

#include <cstdint>

// A colour as the game's files and rules give it: 0x00BBGGRR, red in the lowest byte.
// A top byte of 0x02 asks for the nearest palette colour, which on a true-colour display is
// simply the low 24 bits (see ToQRgb).
using TColor = std::uint32_t;

// Position on the globe in degrees, north and east positive; single precision as stored.
struct GeoPoint {
    float Latitude = 0.0f;
    float Longitude = 0.0f;
};

inline bool operator==(const GeoPoint& a, const GeoPoint& b)
{
    return a.Latitude == b.Latitude && a.Longitude == b.Longitude;
}
