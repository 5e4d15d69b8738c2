// COvningFlagga: up to 16 shuffled selectors on a grid, asked in random order.
#include "exercises/OvFlagga.h"

#include "data/Areor.h"
#include "data/Language.h"
#include "exercises/ExerciseScreen.h"
#include "exercises/ExerciseSupport.h"
#include "map/UKarta.h"
#include "platform/GameState.h"
#include "platform/Random.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

void COvningFlagga::CheckSelectorsHaveAreas() const
{
    for (int i = 1; i <= SelectorCount; ++i)
        if (!Map || !Map->Areas || !Map->Areas->FindByKey(Selectors[i]))
            throw std::runtime_error("The flag exercise asks for \"" + Selectors[i] +
                                     "\", which is not in its area file.");
}

void COvningFlagga::Start(TOvningsformular* screen)
{
    BeginRound();
    CheckSelectorsHaveAreas();
    Randomize();
    const int n = SelectorCount;
    for (int i = 1; i <= n; ++i) {
        Answered[i] = false;
        const int j = RandomInt(n) + 1; // over the whole range, not only i..n
        std::swap(Selectors[i], Selectors[j]);
    }
    FlagCount = n <= MaxFlags ? n : MaxFlags;
    // A practice round puts only its flags in play, still in shuffled order, at the front.
    if (Practising()) {
        auto inPractice = [this](const std::string& s) { return InPractice(s); };
        std::string* first = Selectors.data();
        FlagCount = static_cast<std::int32_t>(
            std::stable_partition(first, first + n, inPractice) - first);
        FlagCount = std::min(FlagCount, static_cast<std::int32_t>(MaxFlags));
    }
    for (int p = 1; p <= MaxFlags; ++p)
        FlagTries[p] = 0;
    AskedPosition = 0;
    COvning::Start(screen);
    const std::string text = NextQuestion();
    Screen->VisaFraga(text);
}

std::string COvningFlagga::NextQuestion()
{
    if (AskedCount == FlagCount)
        return {};
    Tries = 0;
    ++AskedCount;
    int p = 0;
    do {
        p = RandomInt(FlagCount) + 1;
        AskedPosition = p;
    } while (Answered[p]);
    return LanguageString(9) + " " + FlagName(p);
}

bool COvningFlagga::IsCorrect(const TAnswer& answer)
{
    if (AskedPosition >= 1 && answer.Index == AskedPosition) {
        Answered[AskedPosition] = true;
        FlagTries[AskedPosition] = Tries + 1;
        return true;
    }
    return false;
}

std::vector<std::string> COvningFlagga::Missed() const
{
    std::vector<std::string> missed;
    for (int p = 1; p <= FlagCount; ++p)
        if (Answered[p] && FlagTries[p] > 1)
            missed.push_back(Selectors[p]);
    return missed;
}

std::string COvningFlagga::FlagName(int position) const
{
    if (position < 1 || position > FlagCount)
        return {};
    const CArea* a = Map->Areas->FindByKey(Selectors[position]);
    return a ? a->Names[CurrentLanguage] : std::string();
}
