// The ".crp" writer: the exact inverse of the game's reader.
#include "tools/crp/CrpWriter.h"

#include <cmath>
#include <fstream>
#include <stdexcept>

void CrpWriter::Byte(std::uint8_t value) { bytes_.push_back(value); }

void CrpWriter::Int16(int value)
{
    if (value < 0 || value > 32767)
        throw std::out_of_range("int16 field out of 0..32767: " + std::to_string(value));
    bytes_.push_back(static_cast<std::uint8_t>(value & 0xFF));
    bytes_.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void CrpWriter::Int32(std::int32_t value)
{
    const auto u = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        bytes_.push_back(static_cast<std::uint8_t>((u >> shift) & 0xFF));
}

void CrpWriter::String(const std::string& text)
{
    if (text.size() > 255)
        throw std::length_error("string field longer than 255 bytes: " + text.substr(0, 40));
    bytes_.push_back(static_cast<std::uint8_t>(text.size()));
    for (unsigned char c : text)
        bytes_.push_back(static_cast<std::uint8_t>(c - 21)); // the reader adds 21 back, mod 256
}

std::int32_t ToStoredDegrees(double degrees)
{
    const double v = std::nearbyint(degrees * 10000.0);
    if (!(v >= -2147483648.0 && v <= 2147483647.0))
        throw std::out_of_range("degrees out of range");
    return static_cast<std::int32_t>(v);
}

void CrpWriter::Degrees(double degrees) { Int32(ToStoredDegrees(degrees)); }

void CrpWriter::SaveTo(const std::string& path) const
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        throw std::runtime_error("cannot write " + path);
    out.write(reinterpret_cast<const char*>(bytes_.data()), static_cast<std::streamsize>(bytes_.size()));
    if (!out.flush())
        throw std::runtime_error("cannot write " + path);
}

void WritePlace(CrpWriter& w, const PlaceRecord& r)
{
    w.String(r.Id);
    for (const auto& n : r.Names)
        w.String(n);
    w.Int16(r.Level);
    w.Byte(r.CategoryA);
    w.Byte(r.CategoryB);
    for (const auto& k : r.Keys)
        w.String(k);
    w.Degrees(r.Latitude);
    w.Degrees(r.Longitude);
}

void WriteArea(CrpWriter& w, const AreaRecord& r)
{
    for (const auto& k : r.Keys)
        w.String(k);
    for (const auto& n : r.Names)
        w.String(n);
    w.String(r.FlagFile);
    w.Int16(r.Reserved);
    w.Int16(static_cast<int>(r.Vertices.size()));
    w.Degrees(r.North);
    w.Degrees(r.South);
    w.Degrees(r.East);
    w.Degrees(r.West);
    w.Degrees(r.Seed1Lat);
    w.Degrees(r.Seed1Lon);
    w.Degrees(r.Seed2Lat);
    w.Degrees(r.Seed2Lon);
    for (const auto& [lat, lon] : r.Vertices) {
        w.Degrees(lat);
        w.Degrees(lon);
    }
}

void WriteCatalogueEntry(CrpWriter& w, const CatalogueRecord& r)
{
    w.String(r.Keyword);
    for (const auto& n : r.Names)
        w.String(n);
    w.Int16(r.Number);
    w.Byte(r.Level);
    w.Byte(r.BorderWidth);
    w.Byte(r.NeedPlaceFlag1);
    w.Byte(r.NeedPlaceFlag2);
    w.Byte(r.Unused);
    w.Int16(r.AreaFileNo);
    w.Int16(r.PlaceFileNo);
    w.String(r.WorldPart);
    w.Int32(static_cast<std::int32_t>(r.LandColor));
    w.Int32(static_cast<std::int32_t>(r.AreaColor));
    w.Int32(static_cast<std::int32_t>(r.SeaColor));
    w.Degrees(r.NorthLat);
    w.Degrees(r.SouthLat);
    w.Degrees(r.CenterLon);
    w.Int16(static_cast<int>(r.Selectors.size()));
    for (const auto& s : r.Selectors)
        w.String(s);
}

void WriteLanguageRecord(CrpWriter& w, const LanguageRecord& r)
{
    w.Int16(r.Number);
    for (const auto& t : r.Texts)
        w.String(t);
}

void WriteSeaPoint(CrpWriter& w, double latitude, double longitude)
{
    w.Degrees(latitude);
    w.Degrees(longitude);
}
