// The multiple-choice exercise: both question kinds, distinct answers, the pause.
#include "ExerciseFixtures.h"

#include "data/Language.h"
#include "exercises/Ovmulti.h"
#include "platform/GameState.h"
#include "platform/Random.h"

#include <QTimer>
#include <gtest/gtest.h>
#include <set>

namespace {

class MultiExerciseTest : public ::testing::Test {
protected:
    void Prepare(int countries)
    {
        SetQuestionStrings();
        exercise.PlaySound = sounds.Player();
        std::vector<AreaRecord> areas;
        std::vector<PlaceRecord> places;
        exercise.SelectorCount = countries;
        for (int i = 1; i <= countries; ++i) {
            const std::string key = "K" + std::to_string(i);
            const std::string name = "Country " + std::to_string(i);
            areas.push_back(BoxArea({.north = i + 1.0, .south = 1.0 * i, .east = 1, .key = key, .name = name}));
            places.push_back(Place("Capital " + std::to_string(i), i + 0.5, 0.5, key));
            exercise.Selectors[i] = key;
        }
        map = MakeMap(dir, areas, places);
        exercise.Map = map.get();
        // The screen's one-second timer, faster here: it ends each pause.
        ticker.setInterval(5);
        QObject::connect(&ticker, &QTimer::timeout, [this] { exercise.Tick(); });
        ticker.start();
    }

    SoundRecorder sounds;
    TempFolder dir;
    std::unique_ptr<CKarta> map;
    FakeMultiScreen screen;
    COvningMulti exercise;
    QTimer ticker;
};

TEST_F(MultiExerciseTest, AnswersAreDistinctBothKindsOccurAndTheRightOneMovesAround)
{
    Prepare(6);
    std::set<int> rightSlots;
    bool placeQuestion = false;
    bool areaQuestion = false;
    for (int run = 0; run < 30; ++run) {
        exercise.Start(&screen);
        while (!screen.questions.back().empty()) {
            std::set<std::string> distinct(screen.texts.begin(), screen.texts.end());
            EXPECT_EQ(distinct.size(), 4u);
            rightSlots.insert(exercise.RightPosition);
            const std::string& right = screen.texts[static_cast<std::size_t>(exercise.RightPosition - 1)];
            if (right.rfind("Country", 0) == 0) {
                areaQuestion = true;
                EXPECT_EQ(screen.questions.back(), exercise.AskedPlace->Names[2] + " lies in:");
            } else {
                placeQuestion = true;
                EXPECT_EQ(right, exercise.AskedPlace->Names[2]);
            }
            TAnswer a;
            a.Index = exercise.RightPosition;
            ASSERT_TRUE(exercise.IsCorrect(a));
            exercise.CorrectAnswer();
            EXPECT_EQ(screen.colours[static_cast<std::size_t>(a.Index - 1)], 0x008000u);
            screen.VisaFraga(exercise.NextQuestion());
        }
        EXPECT_EQ(exercise.Percent, 100);
    }
    EXPECT_TRUE(placeQuestion);
    EXPECT_TRUE(areaQuestion);
    EXPECT_EQ(rightSlots, (std::set<int>{1, 2, 3, 4}));
}

TEST_F(MultiExerciseTest, TwoWrongAnswersGiveTriesThreeAndRepeatedRedLowersAgain)
{
    Prepare(5);
    exercise.Start(&screen);
    COrt* asked = exercise.AskedPlace;
    TAnswer wrong;
    wrong.Index = exercise.RightPosition == 1 ? 2 : 1;
    exercise.WrongAnswer(wrong);
    EXPECT_EQ(screen.colours[static_cast<std::size_t>(wrong.Index - 1)], WrongColor);
    EXPECT_EQ(exercise.Percent, 0);
    exercise.WrongAnswer(wrong); // the same red box again still counts
    EXPECT_EQ(exercise.WrongCount, 2);
    TAnswer right;
    right.Index = exercise.RightPosition;
    exercise.CorrectAnswer();
    EXPECT_EQ(asked->Tries, 3);
    EXPECT_EQ(exercise.Percent, 33);
}

TEST_F(MultiExerciseTest, EmptyFrameTextsStillBuildTheQuestion)
{
    Prepare(5);
    LanguageText(2, 13).clear();
    LanguageText(2, 14).clear();
    for (int run = 0; run < 40; ++run) {
        exercise.Start(&screen);
        const std::string& q = screen.questions.back();
        if (q.rfind(" Country", 0) == 0) {
            EXPECT_EQ(q.back(), ' ');
            return;
        }
    }
    FAIL() << "no place question came up in 40 starts";
}

TEST_F(MultiExerciseTest, TooFewDistinctAnswersAreRefused)
{
    Prepare(3);
    EXPECT_THROW(exercise.Start(&screen), std::runtime_error);
}

} // namespace
