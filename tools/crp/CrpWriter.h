// Writer of the ".crp" field types and of whole records of every game file format.
// The tests build their fixtures with it and the content generator writes the shipped files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CrpWriter {
public:
    void Byte(std::uint8_t value);
    void Int16(int value);             // 0..32767, anything else is a programming error (throws)
    void Int32(std::int32_t value);
    void String(const std::string& text); // at most 255 bytes (throws otherwise)
    // Degrees as stored: degrees x 10000, rounded to the nearest integer.
    void Degrees(double degrees);

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    void SaveTo(const std::string& path) const; // throws std::runtime_error on failure

private:
    std::vector<std::uint8_t> bytes_;
};

std::int32_t ToStoredDegrees(double degrees);

struct PlaceRecord {
    std::string Id;
    std::string Names[5];
    int Level = 0;
    std::uint8_t CategoryA = 0;
    std::uint8_t CategoryB = 0;
    std::string Keys[3];
    double Latitude = 0;
    double Longitude = 0;
};

struct AreaRecord {
    std::string Keys[3];
    std::string Names[5];
    std::string FlagFile;
    int Reserved = 0;
    double North = 0, South = 0, East = 0, West = 0;
    double Seed1Lat = 0, Seed1Lon = 0, Seed2Lat = 0, Seed2Lon = 0;
    std::vector<std::pair<double, double>> Vertices; // (latitude, longitude)
};

struct CatalogueRecord {
    std::string Keyword;
    std::string Names[5];
    int Number = 0;
    std::uint8_t Level = 0;
    std::uint8_t BorderWidth = 1;
    std::uint8_t NeedPlaceFlag1 = 0;
    std::uint8_t NeedPlaceFlag2 = 0;
    std::uint8_t Unused = 0;
    int AreaFileNo = 1;
    int PlaceFileNo = 1;
    std::string WorldPart;
    std::uint32_t LandColor = 0, AreaColor = 0, SeaColor = 0;
    double NorthLat = 0, SouthLat = 0, CenterLon = 0;
    std::vector<std::string> Selectors;
};

struct LanguageRecord {
    int Number = 0;
    std::string Texts[5];
};

void WritePlace(CrpWriter& w, const PlaceRecord& r);
void WriteArea(CrpWriter& w, const AreaRecord& r);
void WriteCatalogueEntry(CrpWriter& w, const CatalogueRecord& r);
void WriteLanguageRecord(CrpWriter& w, const LanguageRecord& r);
void WriteSeaPoint(CrpWriter& w, double latitude, double longitude);
