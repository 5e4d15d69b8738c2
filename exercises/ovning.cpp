// COvning: the exercise base: start, inclusion of areas and places, booking of answers.
#include "exercises/ovning.h"

#include "exercises/ExerciseScreen.h"
#include "map/UKarta.h"
#include "platform/Errors.h"
#include "platform/Random.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <utility>

COvning::COvning()
    : ProcessMessages([] { QCoreApplication::processEvents(); }),
      WaitForMessages([] { QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents); })
{
}

std::string COvning::NextQuestion() { throw EAbstractError(); }
bool COvning::IsCorrect(const TAnswer&) { throw EAbstractError(); }
void COvning::Tick() { throw EAbstractError(); }

void COvning::Start(TOvningsformular* screen)
{
    Finished = false;
    Randomize();
    Screen = screen;
    AnswerCount = 0;
    WrongCount = 0;
    AskedCount = 0;
    Tries = 0;
    if (Map) {
        if (Map->Areas)
            Map->Areas->ClearMarks();
        if (Map->Places)
            Map->Places->ClearMarks();
        Map->CentreLongitude = static_cast<float>(CenterLon);
        Map->TopLatitude = static_cast<float>(NorthLat);
        Map->BottomLatitude = static_cast<float>(SouthLat);
        if (AreaColor != 0)
            Map->AreaColor = AreaColor;
        if (SeaColor != 0)
            Map->SeaColor = SeaColor;
        if (LandColor != 0)
            Map->LandColor = LandColor;
        IncludeItems();
    }
    BlinkState = 0;
}

void COvning::IncludeItems()
{
    if (!Map)
        return;
    if (Map->Areas)
        for (int i = 1; i <= SelectorCount; ++i)
            Map->Areas->IncludeForKey(Selectors[i]);
    if (Map->Places)
        for (int i = 1; i <= SelectorCount; ++i)
            Map->Places->IncludeForKey(Selectors[i], Level, NeedPlaceFlag1, NeedPlaceFlag2);
}

void COvning::ComputePercent()
{
    // Quotient first, then x 100, in extended precision; halves go to the even neighbour.
    const long double quotient =
        static_cast<long double>(AnswerCount - WrongCount) / static_cast<long double>(AnswerCount);
    Percent = static_cast<std::int32_t>(std::nearbyint(quotient * 100.0L));
}

void COvning::WrongAnswer(const TAnswer&)
{
    if (!Finished) {
        ++WrongCount;
        ++AnswerCount;
        ++Tries;
        ComputePercent();
        if (Screen)
            Screen->VisaProcent(Percent);
    }
    if (PlaySound)
        PlaySound("Rassel11.WAV", 2);
}

void COvning::CorrectAnswer()
{
    if (!Finished) {
        ++AnswerCount;
        ComputePercent();
        if (Screen)
            Screen->VisaProcent(Percent);
    }
    if (PlaySound)
        PlaySound("Plopp4.WAV", 1);
}

void COvning::StartPractice(TOvningsformular* screen)
{
    nextPractice_ = Missed();
    Start(screen);
}

void COvning::BeginRound()
{
    Practice = std::exchange(nextPractice_, {});
}

bool COvning::InPractice(const std::string& question) const
{
    return std::find(Practice.begin(), Practice.end(), question) != Practice.end();
}
