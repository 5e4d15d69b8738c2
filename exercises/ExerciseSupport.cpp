// Shared helpers of the exercise kinds.
#include "exercises/ExerciseSupport.h"

#include "data/Areor.h"
#include "data/Language.h"
#include "data/Orter.h"
#include "exercises/ExerciseScreen.h"
#include "map/UKarta.h"
#include "platform/GameState.h"

#include <algorithm>
#include <stdexcept>

CKarta* RequireMap(CKarta* map)
{
    if (!map || !map->Areas || !map->Places)
        throw std::logic_error("The exercise was started without a map.");
    return map;
}

TMapExerciseScreen* RequireMapScreen(TOvningsformular* screen)
{
    auto* s = dynamic_cast<TMapExerciseScreen*>(screen);
    if (!s)
        throw std::logic_error("Invalid class typecast: the exercise needs the map screen.");
    return s;
}

TMultiExerciseScreen* RequireMultiScreen(TOvningsformular* screen)
{
    auto* s = dynamic_cast<TMultiExerciseScreen*>(screen);
    if (!s)
        throw std::logic_error("Invalid class typecast: the exercise needs the multiple-choice screen.");
    return s;
}

std::string SelectorName(const CAreor& areas, const std::string& selector)
{
    if (const CArea* a = areas.FindByKey(selector))
        return a->Names[CurrentLanguage];
    for (int i = 1; i <= areas.Count; ++i)
        if (areas.Item(i).HasKey(selector))
            return areas.Item(i).Names[CurrentLanguage];
    return selector;
}

void PrepareMapView(CKarta& map, TMapExerciseScreen& screen)
{
    const MapImage image = screen.GetMapImage();
    map.Target = image.canvas;
    map.TargetPixelRatio = image.pixelRatio;
    map.SetUpView();
}

COrt* NthOpenPlace(const COrter& places, int n)
{
    int seen = 0;
    for (COrt* p = places.First; p; p = p->Next) {
        if (p->Included && !p->Answered) {
            if (seen == n)
                return p;
            ++seen;
        }
    }
    return nullptr;
}

std::vector<std::string> MissedPlaces(const COrter& places)
{
    std::vector<std::string> missed;
    for (const COrt* p = places.First; p; p = p->Next)
        if (p->Included && p->Answered && p->Tries > 1)
            missed.push_back(p->Id);
    return missed;
}

void SetAsidePlaces(COrter& places, const std::vector<std::string>& practice)
{
    for (COrt* p = places.First; p; p = p->Next) {
        if (!p->Included || p->Answered
            || std::find(practice.begin(), practice.end(), p->Id) != practice.end())
            continue;
        p->Answered = true;
        p->Tries = 1;
        places.Remaining -= 1;
    }
}

std::string PracticeOfferText(int n)
{
    std::string text = LanguageString(4);
    const std::string::size_type at = text.find("%1");
    if (at != std::string::npos)
        text.replace(at, 2, std::to_string(n));
    return text;
}
