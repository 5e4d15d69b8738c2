// CAreor: loading and marking the areas of an exercise.
#include "data/Areor.h"

#include "data/Fileread.h"
#include "platform/Errors.h"

bool CArea::HasKey(const std::string& key) const
{
    return Keys[1] == key || Keys[2] == key || Keys[3] == key;
}

CArea& CAreor::Item(int i) const
{
    if (i < 1 || i > Count)
        throw ERangeError();
    return *items_[i];
}

void CAreor::LoadFromFile(const std::string& name)
{
    TByteFile file(name);
    int i = 0;
    while (!file.AtEnd()) {
        if (i == MaxAreas)
            throw ERangeError();
        auto area = std::make_unique<CArea>();
        for (int k = 1; k <= 3; ++k)
            area->Keys[k] = file.ReadString();
        for (int k = 1; k <= 5; ++k)
            area->Names[k] = file.ReadString();
        area->FlagFile = file.ReadString();
        area->Reserved = file.ReadInt16();
        const int n = file.ReadInt16();
        area->North = file.ReadInt32() / 10000.0;
        area->South = file.ReadInt32() / 10000.0;
        area->East = file.ReadInt32() / 10000.0;
        area->West = file.ReadInt32() / 10000.0;
        area->Seed1.Latitude = static_cast<float>(file.ReadInt32() / 10000.0);
        area->Seed1.Longitude = static_cast<float>(file.ReadInt32() / 10000.0);
        area->Seed2.Latitude = static_cast<float>(file.ReadInt32() / 10000.0);
        area->Seed2.Longitude = static_cast<float>(file.ReadInt32() / 10000.0);
        for (int k = 2; k <= 5; ++k)
            if (area->Names[k].empty())
                area->Names[k] = area->Names[1];
        // The 501st vertex is the error, as it is reached.
        for (int k = 1; k <= n; ++k) {
            GeoPoint& v = area->Vertices[k];
            v.Latitude = static_cast<float>(file.ReadInt32() / 10000.0);
            v.Longitude = static_cast<float>(file.ReadInt32() / 10000.0);
        }
        area->VertexCount = n;
        items_[++i] = std::move(area);
        Count = i;
    }
    Count = i;
}

void CAreor::ClearMarks()
{
    for (int i = 1; i <= Count; ++i) {
        items_[i]->Included = false;
        items_[i]->Answered = false;
    }
}

void CAreor::IncludeForKey(const std::string& key)
{
    for (int i = 1; i <= Count; ++i) {
        CArea& a = *items_[i];
        if (a.VertexCount > 0 && a.HasKey(key))
            a.Included = true;
    }
}

void CAreor::MarkAnswered(const std::string& key, std::int32_t tries)
{
    for (int i = 1; i <= Count; ++i) {
        CArea& a = *items_[i];
        if (a.HasKey(key)) {
            a.Answered = true;
            a.Tries = tries;
        }
    }
}

CArea* CAreor::FindByKey(const std::string& key) const
{
    CArea* found = nullptr;
    for (int i = 1; i <= Count; ++i)
        if (items_[i]->Keys[1] == key)
            found = items_[i].get();
    return found;
}
