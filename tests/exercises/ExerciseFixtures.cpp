#include "ExerciseFixtures.h"

#include "data/Language.h"
#include "platform/GameState.h"

std::unique_ptr<CKarta> MakeMap(const TempFolder& folder, const std::vector<AreaRecord>& areas,
                                const std::vector<PlaceRecord>& places)
{
    auto map = std::make_unique<CKarta>();
    map->Areas = LoadAreas(folder, areas);
    map->Waters = std::make_unique<CAreor>();
    map->Places = LoadPlaces(folder, places);
    map->ProcessMessages = [] {};
    return map;
}

void FakeMapScreen::ShowName(const std::string& text, int x, int y, TColor fontColor,
                             TColor backColor, bool visible)
{
    names.push_back({text, x, y, fontColor, backColor, visible});
}

void FakeMultiScreen::DrawAnswer(int k, TColor colour, const std::string& text)
{
    colours[static_cast<std::size_t>(k - 1)] = colour;
    texts[static_cast<std::size_t>(k - 1)] = text;
}

void SetQuestionStrings()
{
    CurrentLanguage = 2;
    LanguageText(2, 9) = "Where is";
    LanguageText(2, 10) = "lies in:";
    LanguageText(2, 13) = "Which place lies in";
    LanguageText(2, 14) = "?";
}
