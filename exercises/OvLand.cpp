// COvningLandArea: one question per selector; point-in-polygon decides, the innermost
// (least far north) area wins.
#include "exercises/OvLand.h"

#include "data/Language.h"
#include "exercises/ExerciseScreen.h"
#include "exercises/ExerciseSupport.h"
#include "map/Geometry.h"
#include "map/UKarta.h"
#include "platform/GameState.h"
#include "platform/Random.h"

TMapExerciseScreen* COvningLandArea::MapScreen() const
{
    return RequireMapScreen(Screen);
}

void COvningLandArea::Start(TOvningsformular* screen)
{
    BeginRound();
    RequireMap(Map);
    for (int i = 1; i <= SelectorCount; ++i)
        Answered[i] = false;
    CurrentSelector.clear();
    CurrentIndex = 0;
    COvning::Start(screen);
    // A practice round asks only its selectors; the others count as found at the first try,
    // so that their areas are coloured as found and a click on them is still a wrong answer.
    if (Practising())
        for (int i = 1; i <= SelectorCount; ++i)
            if (!InPractice(Selectors[i])) {
                Answered[i] = true;
                ++AskedCount;
                Map->Areas->MarkAnswered(Selectors[i], 1);
            }
    PrepareMapView(*Map, *MapScreen());
    DrawMap();
    const std::string text = NextQuestion();
    Screen->VisaFraga(text);
}

void COvningLandArea::DrawMap()
{
    Map->DrawAreaExerciseMap(BorderWidth);
}

std::string COvningLandArea::NextQuestion()
{
    if (AskedCount == SelectorCount) {
        Map->ColourAreas();
        return {};
    }
    Tries = 0;
    ++AskedCount;
    int pos = 0;
    do {
        pos = RandomInt(SelectorCount) + 1;
        CurrentIndex = pos;
        CurrentSelector = Selectors[pos];
    } while (Answered[pos]);
    Map->ColourAreas();
    return LanguageString(9) + " " + SelectorName(*Map->Areas, CurrentSelector);
}

std::vector<std::string> COvningLandArea::Missed() const
{
    std::vector<std::string> missed;
    if (!Map || !Map->Areas)
        return missed;
    const CAreor& areas = *Map->Areas;
    for (int i = 1; i <= SelectorCount; ++i) {
        if (!Answered[i])
            continue;
        // Every area of the selector was marked with the same tries.
        for (int k = 1; k <= areas.Count; ++k) {
            const CArea& a = areas.Item(k);
            if (a.Answered && a.HasKey(Selectors[i])) {
                if (a.Tries > 1)
                    missed.push_back(Selectors[i]);
                break;
            }
        }
    }
    return missed;
}

CArea* COvningLandArea::AreaAt(const TAnswer& answer) const
{
    return InnermostIncludedArea(*Map->Areas, GeoPoint{answer.Latitude, answer.Longitude});
}

CArea* InnermostIncludedArea(const CAreor& areas, const GeoPoint& point)
{
    CArea* best = nullptr;
    for (int i = 1; i <= areas.Count; ++i) {
        CArea& a = areas.Item(i);
        if (!a.Included)
            continue;
        if (!PointInPolygon(point, a.Vertices.data(), a.VertexCount))
            continue;
        if (!best || a.North < best->North)
            best = &a;
    }
    return best;
}

std::string COvningLandArea::SelectorAt(const TAnswer& answer) const
{
    const CArea* a = AreaAt(answer);
    if (!a)
        return {};
    for (int i = 1; i <= SelectorCount; ++i)
        if (a->HasKey(Selectors[i]))
            return Selectors[i];
    return {};
}

bool COvningLandArea::IsCorrect(const TAnswer& answer)
{
    if (CurrentSelector.empty())
        return false;
    const CArea* a = AreaAt(answer);
    return a && a->HasKey(CurrentSelector);
}

void COvningLandArea::CorrectAnswer()
{
    if (CurrentIndex < 1)
        return;
    COvning::CorrectAnswer();
    ++AnswerCount;
    Map->FillAreasWithKey(CurrentSelector, BlinkColor);
    MapScreen()->ShowName("", 0, 0, 0, 0, false);
    Map->Areas->MarkAnswered(CurrentSelector, Tries + 1);
    Answered[CurrentIndex] = true;
}

void COvningLandArea::WrongAnswer(const TAnswer& answer)
{
    const std::string s = SelectorAt(answer);
    const CArea* a = s.empty() ? nullptr : Map->Areas->FindByKey(s);
    if (a) {
        const std::string name = a->Names[CurrentLanguage];
        COvning::WrongAnswer(answer);
        const int x = Map->ToX(answer.Latitude, answer.Longitude);
        const int y = Map->LatitudeToY(answer.Latitude);
        MapScreen()->ShowName(name, x, y, 0xFFFFFF, Map->AreaColor, true);
    }
    if (Tries == 3)
        BlinkState = 1;
}

void COvningLandArea::Tick()
{
    if (CurrentSelector.empty())
        return;
    if (BlinkState == 1) {
        Map->FillAreasWithKey(CurrentSelector, BlinkColor);
        BlinkState = 2;
    } else if (BlinkState == 2 && Tries > 3) {
        Map->FillAreasWithKey(CurrentSelector, 0x008000);
        BlinkState = 1;
    }
}
