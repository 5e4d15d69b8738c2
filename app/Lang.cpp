// The language table and TranslateCaptions.
#include "app/Lang.h"

#include "app/Generell.h"
#include "data/Fileread.h"
#include "platform/Array1.h"
#include "platform/Win1252.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace {
Array1<Array1<std::string, 34>, 5> languageTable;

int TagOf(const QObject* object)
{
    const QVariant tag = object->property("Tag");
    return tag.isValid() ? tag.toInt() : 0;
}
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

void TranslateCaptions(QWidget* window)
{
    // Component order: the window's descendants in creation order.
    const auto children = window->findChildren<QWidget*>();
    for (QWidget* child : children) {
        const int tag = TagOf(child);
        if (tag == 0)
            continue;
        if (auto* button = qobject_cast<QPushButton*>(child))
            button->setText(FromWin1252(LanguageText(CurrentLanguage, tag)));
        else if (auto* label = qobject_cast<QLabel*>(child))
            label->setText(FromWin1252(LanguageText(CurrentLanguage, tag)));
    }
    const int own = TagOf(window);
    if (own != 0)
        window->setWindowTitle(FromWin1252(LanguageText(CurrentLanguage, own)));
}
