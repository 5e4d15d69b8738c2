// COvningar: reading the catalogue and finding exercises by name.
#include "data/ovningar.h"

#include "data/Fileread.h"
#include "exercises/OvFlagga.h"
#include "exercises/OvLand.h"
#include "exercises/OvOrt.h"
#include "exercises/Ovmulti.h"
#include "platform/Errors.h"
#include "platform/GameState.h"

COvningar::~COvningar()
{
    COvning* p = First;
    while (p) {
        COvning* next = p->Next;
        delete p;
        p = next;
    }
    First = nullptr;
}

std::unique_ptr<COvning> COvningar::CreateForKeyword(const std::string& keyword)
{
    if (keyword == "AREA")
        return std::make_unique<COvningLandArea>();
    if (keyword == "ORT")
        return std::make_unique<COvningOrt>();
    if (keyword == "FLAGG")
        return std::make_unique<COvningFlagga>();
    return std::make_unique<COvningMulti>();
}

void COvningar::LoadFromFile(const std::string& fileName)
{
    TByteFile file(fileName);
    // The first keyword is read before any end test: an empty file fails here.
    std::string keyword = file.ReadString();
    COvning* current = CreateForKeyword(keyword).release();
    First = current;
    while (!file.AtEnd()) {
        current->Kind = keyword;
        for (int i = 1; i <= 5; ++i)
            current->Names[i] = file.ReadString();
        current->Number = file.ReadInt16();
        current->Level = file.ReadByte();
        current->BorderWidth = file.ReadByte();
        current->NeedPlaceFlag1 = file.ReadByte() != 0;
        current->NeedPlaceFlag2 = file.ReadByte() != 0;
        file.ReadByte(); // not used
        current->AreaFileNo = file.ReadInt16();
        current->PlaceFileNo = file.ReadInt16();
        current->WorldPart = file.ReadString();
        current->LandColor = static_cast<TColor>(file.ReadInt32());
        current->AreaColor = static_cast<TColor>(file.ReadInt32());
        current->SeaColor = static_cast<TColor>(file.ReadInt32());
        current->NorthLat = file.ReadInt32() / 10000.0;
        current->SouthLat = file.ReadInt32() / 10000.0;
        current->CenterLon = file.ReadInt32() / 10000.0;
        const int n = file.ReadInt16();
        // The 101st selector fails with a range error once it has been read.
        for (int i = 1; i <= n; ++i) {
            std::string key = file.ReadString();
            current->Selectors[i] = std::move(key);
        }
        current->SelectorCount = n;
        if (file.AtEnd()) {
            current->Next = nullptr;
            break;
        }
        keyword = file.ReadString();
        COvning* next = CreateForKeyword(keyword).release();
        current->Next = next;
        current = next;
    }
}

COvning* COvningar::FindByName(const std::string& text) const
{
    for (COvning* p = First; p; p = p->Next)
        if (p->Names[CurrentLanguage] == text)
            return p;
    return nullptr;
}
