// COrter: loading, including and clearing the places of an exercise.
#include "data/Orter.h"

#include "data/Fileread.h"

bool COrt::HasKey(const std::string& key) const
{
    return Keys[1] == key || Keys[2] == key || Keys[3] == key;
}

COrter::~COrter()
{
    // Iterative, so a long chain cannot exhaust the stack.
    COrt* p = First;
    while (p) {
        COrt* next = p->Next;
        delete p;
        p = next;
    }
    First = nullptr;
}

void COrter::LoadFromFile(const std::string& name)
{
    TByteFile file(name);
    while (!file.AtEnd()) {
        auto place = std::make_unique<COrt>();
        place->Id = file.ReadString();
        for (int i = 1; i <= 5; ++i)
            place->Names[i] = file.ReadString();
        place->Level = file.ReadInt16();
        place->CategoryA = file.ReadByte() != 0;
        place->CategoryB = file.ReadByte() != 0;
        for (int i = 1; i <= 3; ++i)
            place->Keys[i] = file.ReadString();
        place->Latitude = file.ReadInt32() / 10000.0;
        place->Longitude = file.ReadInt32() / 10000.0;
        for (int i = 2; i <= 5; ++i)
            if (place->Names[i].empty())
                place->Names[i] = place->Names[1];
        COrt* raw = place.release();
        if (last_)
            last_->Next = raw;
        else
            First = raw;
        last_ = raw;
    }
}

void COrter::IncludeForKey(const std::string& key, std::int32_t level, bool onlyA, bool onlyB)
{
    for (COrt* p = First; p; p = p->Next) {
        if (level < p->Level)
            continue;
        if (!p->HasKey(key))
            continue;
        if (onlyA && !p->CategoryA)
            continue;
        if (onlyB && !p->CategoryB)
            continue;
        if (!p->Included)
            ++Remaining;
        p->Included = true;
        p->Answered = false;
    }
    IncludedTotal = Remaining;
}

void COrter::ClearMarks()
{
    for (COrt* p = First; p; p = p->Next) {
        p->Included = false;
        p->Answered = false;
    }
    Remaining = 0;
}
