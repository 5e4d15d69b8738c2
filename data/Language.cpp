// The language table of interface strings ("lang.crp").
#include "data/Language.h"

#include "data/Fileread.h"
#include "platform/Array1.h"
#include "platform/GameState.h"
#include "platform/Paths.h"
#include "platform/Win1252.h"

namespace {
Array1<Array1<std::string, 34>, 5> languageTable;
} // namespace

std::string& LanguageText(int language, int number)
{
    return languageTable[language][number];
}

const std::string& LanguageString(int number)
{
    return languageTable[CurrentLanguage][number];
}

QString LanguageCaption(int number)
{
    return FromWin1252(LanguageString(number));
}

void ClearLanguageTable()
{
    for (int l = 1; l <= 5; ++l)
        for (int n = 1; n <= 34; ++n)
            languageTable[l][n].clear();
}

void LoadLanguageTableFrom(const std::string& path)
{
    TByteFile file(path);
    while (!file.AtEnd()) {
        const int n = file.ReadInt16();
        for (int language = 1; language <= 5; ++language) {
            std::string text = file.ReadString();
            LanguageText(language, n) = std::move(text); // a number outside 1..34 fails here
        }
    }
}

void LoadLanguageTable()
{
    LoadLanguageTableFrom(ExePath("lang.crp"));
}
