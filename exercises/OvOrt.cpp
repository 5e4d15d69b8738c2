// COvningOrt: places asked in random order; the nearest included place decides.
#include "exercises/OvOrt.h"

#include "data/Language.h"
#include "exercises/ExerciseScreen.h"
#include "exercises/ExerciseSupport.h"
#include "map/UKarta.h"
#include "platform/GameState.h"
#include "platform/Random.h"

TMapExerciseScreen* COvningOrt::MapScreen() const
{
    return RequireMapScreen(Screen);
}

void COvningOrt::HideName()
{
    MapScreen()->ShowName("", 0, 0, 0, 0, false);
}

void COvningOrt::Start(TOvningsformular* screen)
{
    BeginRound();
    RequireMap(Map);
    Map->AreaColor = 0xC0C0C0;
    Map->LandColor = 0xC0C0C0;
    CurrentPlace = nullptr;
    COvning::Start(screen);
    if (Practising())
        SetAsidePlaces(*Map->Places, Practice);
    PrepareMapView(*Map, *MapScreen());
    DrawMap();
    // The places set aside show as found, with their names, as they did at the round's end.
    if (Practising())
        for (COrt* p = Map->Places->First; p; p = p->Next)
            if (p->Included && p->Answered)
                Map->DrawPlace(*p, 0x00FFFF);
    const std::string text = NextQuestion();
    Screen->VisaFraga(text);
}

void COvningOrt::DrawMap()
{
    Map->DrawPlaceExerciseMap(BorderWidth);
    HideName();
}

std::string COvningOrt::NextQuestion()
{
    std::string text;
    COrter& places = *Map->Places;
    if (places.Remaining >= 1) {
        Tries = 0;
        CurrentPlace = NthOpenPlace(places, RandomInt(places.Remaining));
        text = LanguageString(9) + " " + CurrentPlace->Names[CurrentLanguage];
    }
    Map->DrawIncludedPlaces();
    return text;
}

std::vector<std::string> COvningOrt::Missed() const
{
    return Map && Map->Places ? MissedPlaces(*Map->Places) : std::vector<std::string>();
}

COrt* NearestIncludedPlace(const CKarta& map, const GeoPoint& point)
{
    COrt* best = nullptr;
    std::int32_t bestDistance = 10000;
    for (COrt* p = map.Places->First; p; p = p->Next) {
        if (!p->Included)
            continue;
        const std::int32_t d = map.ScreenDistance(point, *p);
        if (d < bestDistance) {
            bestDistance = d;
            best = p;
        }
    }
    return best;
}

COrt* COvningOrt::PlaceAt(const TAnswer& answer) const
{
    return NearestIncludedPlace(*Map, GeoPoint{answer.Latitude, answer.Longitude});
}

bool COvningOrt::IsCorrect(const TAnswer& answer)
{
    // Without a question (no included place) nothing can be right.
    return CurrentPlace != nullptr && PlaceAt(answer) == CurrentPlace;
}

void COvningOrt::CorrectAnswer()
{
    if (!CurrentPlace)
        return;
    HideName();
    COvning::CorrectAnswer();
    BlinkState = 0;
    Map->DrawPlace(*CurrentPlace, 0x008000);
    ProcessMessages();
    CurrentPlace->Answered = true;
    CurrentPlace->Tries = Tries + 1;
    Map->DrawPlace(*CurrentPlace, 0x00FFFF);
    Map->Places->Remaining -= 1;
}

void COvningOrt::WrongAnswer(const TAnswer& answer)
{
    // A click before any question exists (an exercise without places) is not judged.
    if (!CurrentPlace)
        return;
    COvning::WrongAnswer(answer);
    if (COrt* p = PlaceAt(answer)) {
        const auto lat = static_cast<float>(p->Latitude);
        const int x = Map->ToX(lat, static_cast<float>(p->Longitude));
        const int y = Map->LatitudeToY(lat);
        MapScreen()->ShowName(p->Names[CurrentLanguage], x, y + Map->Scaled(12), 0x000000,
                              Map->AreaColor, true);
        ProcessMessages();
    }
    if (Tries == 3)
        BlinkState = 1;
}

void COvningOrt::Tick()
{
    if (!CurrentPlace)
        return;
    if (BlinkState == 1) {
        Map->DrawPlace(*CurrentPlace, BlinkColor);
        BlinkState = 2;
    } else if (BlinkState == 2 && Tries > 3) {
        Map->DrawPlace(*CurrentPlace, 0x000000);
        BlinkState = 1;
    }
}
