// COvningMulti: each included place asked once, as "which area?" or "which place?".
#include "exercises/Ovmulti.h"

#include "data/Areor.h"
#include "data/Language.h"
#include "data/Orter.h"
#include "exercises/ExerciseScreen.h"
#include "exercises/ExerciseSupport.h"
#include "map/UKarta.h"
#include "platform/GameState.h"
#include "platform/Random.h"

#include <set>
#include <stdexcept>

TMultiExerciseScreen* COvningMulti::MultiScreen() const
{
    return RequireMultiScreen(Screen);
}

void COvningMulti::CheckPlayable() const
{
    RequireMap(Map);
    std::set<std::string> areaNames;
    for (int i = 1; i <= SelectorCount; ++i) {
        const CArea* a = Map->Areas->FindByKey(Selectors[i]);
        if (!a)
            throw std::runtime_error("The exercise asks for \"" + Selectors[i] +
                                     "\", which is not in its area file.");
        areaNames.insert(a->Names[CurrentLanguage]);
    }
    std::set<std::string> placeNames;
    for (const COrt* p = Map->Places->First; p; p = p->Next)
        if (p->Included)
            placeNames.insert(p->Names[CurrentLanguage]);
    if (placeNames.empty())
        return; // no question at all: nothing to draw
    if (areaNames.size() < 4 || placeNames.size() < 4)
        throw std::runtime_error("The exercise needs at least four different areas and four "
                                 "different places to offer four answers.");
}

void COvningMulti::Start(TOvningsformular* screen)
{
    BeginRound();
    COvning::Start(screen);
    CheckPlayable();
    if (Practising())
        SetAsidePlaces(*Map->Places, Practice);
    AskedPlace = nullptr;
    RightPosition = 0;
    const std::string text = NextQuestion();
    Screen->VisaFraga(text);
}

std::vector<std::string> COvningMulti::Missed() const
{
    return Map && Map->Places ? MissedPlaces(*Map->Places) : std::vector<std::string>();
}

std::string COvningMulti::AreaKeyOf(const COrt& place) const
{
    std::string key;
    for (int i = 1; i <= SelectorCount; ++i)
        if (place.HasKey(Selectors[i]))
            key = Selectors[i]; // the last matching selector counts
    return key;
}

std::string COvningMulti::NextQuestion()
{
    COrter& places = *Map->Places;
    if (places.Remaining <= 0)
        return {};
    Tries = 0;
    const int questionKind = RandomInt(2) + 1;
    AskedPlace = NthOpenPlace(places, RandomInt(places.Remaining));
    Randomize();
    RightPosition = RandomInt(4) + 1;
    for (int s = 1; s <= 4; ++s)
        Answers[s].clear();

    const CArea* area = Map->Areas->FindByKey(AreaKeyOf(*AskedPlace));
    const std::string areaName = area ? area->Names[CurrentLanguage] : std::string();
    std::string text;
    if (questionKind == 1) {
        Answers[RightPosition] = areaName;
        text = AskedPlace->Names[CurrentLanguage] + " " + LanguageString(10);
    } else {
        Answers[RightPosition] = AskedPlace->Names[CurrentLanguage];
        text = LanguageString(13) + " " + areaName + " " + LanguageString(14);
    }

    auto differsFromOthers = [this](int s) {
        for (int o = 1; o <= 4; ++o)
            if (o != s && Answers[o] == Answers[s])
                return false;
        return true;
    };
    for (int s = 1; s <= 4; ++s) {
        if (s == RightPosition)
            continue;
        do {
            if (questionKind == 1) {
                const int j = RandomInt(SelectorCount) + 1;
                const CArea* a = Map->Areas->FindByKey(Selectors[j]);
                Answers[s] = a ? a->Names[CurrentLanguage] : std::string();
            } else {
                const int m = RandomInt(places.IncludedTotal);
                int count = 0;
                for (const COrt* p = places.First; p; p = p->Next) {
                    if (p->Included) {
                        if (count == m) {
                            Answers[s] = p->Names[CurrentLanguage];
                            break;
                        }
                        ++count;
                    }
                }
            }
        } while (!differsFromOthers(s));
    }

    TMultiExerciseScreen* screen = MultiScreen();
    for (int s = 1; s <= 4; ++s)
        screen->DrawAnswer(s, 0xFFFFFF, Answers[s]);
    return text;
}

bool COvningMulti::IsCorrect(const TAnswer& answer)
{
    return AskedPlace != nullptr && answer.Index == RightPosition;
}

void COvningMulti::CorrectAnswer()
{
    if (!AskedPlace)
        return;
    COvning::CorrectAnswer();
    TMultiExerciseScreen* screen = MultiScreen();
    screen->DrawAnswer(RightPosition, 0x008000, Answers[RightPosition]);
    ProcessMessages();
    // The question being booked. The main menu may start this exercise afresh on a new
    // screen while we wait; that play's map and question must stay untouched.
    COrt* asked = AskedPlace;
    COrter* places = Map->Places.get();
    const std::int32_t tries = Tries;
    // Wait for one tick of the screen's timer, sleeping on events rather than spinning.
    pausing_ = true;
    TickSeen = false;
    while (!TickSeen)
        WaitForMessages();
    pausing_ = false;
    asked->Answered = true;
    asked->Tries = tries + 1;
    places->Remaining -= 1;
}

void COvningMulti::WrongAnswer(const TAnswer& answer)
{
    if (!AskedPlace || answer.Index < 1 || answer.Index > 4)
        return;
    COvning::WrongAnswer(answer);
    TMultiExerciseScreen* screen = MultiScreen();
    screen->DrawAnswer(answer.Index, WrongColor, Answers[answer.Index]);
}
