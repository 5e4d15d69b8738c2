// Every flag exercise of the shipped catalogue, opened on the shipped data and played to its end
// by clicking the asked flag; every flag picture it names must load.
#include "FlagScreenSupport.h"

#include "data/Areor.h"
#include "data/Language.h"
#include "data/ovningar.h"
#include "exercises/OvFlagga.h"
#include "map/UKarta.h"
#include "platform/GameState.h"
#include "platform/PictureBox.h"
#include "platform/Win1252.h"
#include "screens/Unit3.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QLabel>
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <memory>

namespace {

class FlagPlaythroughTest : public ShippedFlagContent {
protected:
    // Opens the exercise, checks its pictures and clicks the asked flag until the end.
    void PlayToTheEnd(COvningFlagga& exercise)
    {
        recorder.errors.clear();
        recorder.topTens.clear();
        auto screen = std::make_unique<TfrmOvningFlagga>();
        recorder.HandTopTen(*screen);
        ASSERT_NO_THROW(screen->OpenExercise(&exercise));
        EXPECT_TRUE(recorder.errors.empty()) << recorder.errors.front().toStdString();
        ASSERT_GE(exercise.SelectorCount, 1);
        for (int i = 1; i <= exercise.SelectorCount; ++i) {
            const CArea* area = screen->Map()->Areas->FindByKey(exercise.Selectors[i]);
            ASSERT_NE(area, nullptr) << exercise.Selectors[i];
            EXPECT_FALSE(area->FlagFile.empty()) << exercise.Selectors[i];
            const QImage* picture = screen->FlagPicture(i);
            ASSERT_NE(picture, nullptr) << area->FlagFile;
            // The flag and the name under it stay inside a grid cell.
            EXPECT_LE(picture->width(), screen->CellWidth() - 4) << area->FlagFile;
            EXPECT_LE(8 + picture->height() + 14, screen->CellHeight()) << area->FlagFile;
        }

        EXPECT_EQ(exercise.FlagCount, std::min(exercise.SelectorCount, 16));
        for (int q = 1; q <= exercise.FlagCount; ++q) {
            const int asked = exercise.AskedPosition;
            ASSERT_EQ(screen->lblFraga->text(),
                      LanguageCaption(9) + QLatin1Char(' ') + FromWin1252(exercise.FlagName(asked)));
            ClickCell(*screen, asked);
            ASSERT_TRUE(exercise.Answered[asked]) << "question " << q;
        }
        EXPECT_EQ(screen->lblFraga->text(), "");
        EXPECT_EQ(screen->lblProcent->text(), "100 %");
        ASSERT_EQ(recorder.topTens.size(), 1u);
        EXPECT_EQ(recorder.topTens[0].number, exercise.Number);
        EXPECT_EQ(recorder.topTens[0].score, 100);
    }

};

TEST_F(FlagPlaythroughTest, EveryFlagExercisePlaysToTheEndInEveryLanguage)
{
    int played = 0;
    for (COvning* e = catalogue.First; e; e = e->Next) {
        if (e->Kind != "FLAGG")
            continue;
        auto* exercise = dynamic_cast<COvningFlagga*>(e);
        ASSERT_NE(exercise, nullptr);
        for (int language = 1; language <= 5; ++language) {
            SCOPED_TRACE("exercise " + std::to_string(exercise->Number) + ", language "
                         + std::to_string(language));
            CurrentLanguage = language;
            PlayToTheEnd(*exercise);
        }
        ++played;
    }
    EXPECT_GE(played, 1);
    std::cout << "[ played   ] " << played << " flag exercises in 5 languages\n";
}

} // namespace
