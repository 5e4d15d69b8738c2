// CAreor / CArea: the area list (countries, regions, inland waters) read from an area file.
#pragma once

#include "platform/Array1.h"
#include "platform/Types.h"

#include <cstdint>
#include <memory>
#include <string>

class CArea {
public:
    static constexpr int MaxVertices = 500;

    Array1<std::string, 3> Keys;
    Array1<std::string, 5> Names;
    std::string FlagFile;
    std::int32_t Reserved = 0;
    std::int32_t VertexCount = 0;
    double North = 0.0;
    double South = 0.0;
    double East = 0.0;
    double West = 0.0;
    GeoPoint Seed1;
    GeoPoint Seed2;
    bool Included = false;
    bool Answered = false;
    std::int32_t Tries = 0;
    Array1<GeoPoint, MaxVertices> Vertices;

    bool HasKey(const std::string& key) const;
};

class CAreor {
public:
    static constexpr int MaxAreas = 500;

    CAreor() = default;
    ~CAreor() = default;
    CAreor(const CAreor&) = delete;
    CAreor& operator=(const CAreor&) = delete;

    void LoadFromFile(const std::string& name);
    void ClearMarks();
    void IncludeForKey(const std::string& key);
    void MarkAnswered(const std::string& key, std::int32_t tries);
    CArea* FindByKey(const std::string& key) const;

    // Items[1 .. Count]
    CArea& Item(int i) const;
    std::int32_t Count = 0;

private:
    Array1<std::unique_ptr<CArea>, MaxAreas> items_;
};
