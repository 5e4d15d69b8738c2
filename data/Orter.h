// COrter / COrt: the place list of an exercise, read from a place file "Ort<n>.crp".
#pragma once

#include "platform/Array1.h"

#include <cstdint>
#include <memory>
#include <string>

class COrt {
public:
    std::string Id;
    Array1<std::string, 5> Names;
    std::int32_t Level = 0;
    bool CategoryA = false;
    bool CategoryB = false;
    Array1<std::string, 3> Keys;
    double Latitude = 0.0;
    double Longitude = 0.0;
    COrt* Next = nullptr; // owned by the list
    bool Included = false;
    bool Answered = false;
    std::int32_t Tries = 0;

    bool HasKey(const std::string& key) const;
};

class COrter {
public:
    COrter() = default;
    ~COrter();
    COrter(const COrter&) = delete;
    COrter& operator=(const COrter&) = delete;

    void LoadFromFile(const std::string& name);
    void IncludeForKey(const std::string& key, std::int32_t level, bool onlyA, bool onlyB);
    void ClearMarks();

    COrt* First = nullptr;
    std::int32_t IncludedTotal = 0;
    std::int32_t Remaining = 0;

private:
    COrt* last_ = nullptr;
};
