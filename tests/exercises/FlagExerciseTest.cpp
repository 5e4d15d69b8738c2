// The flag exercise: which flags are in play, the order of questions, judging.
#include "ExerciseFixtures.h"

#include "exercises/OvFlagga.h"
#include "platform/Random.h"

#include <gtest/gtest.h>
#include <set>

namespace {

class FlagExerciseTest : public ::testing::Test {
protected:
    void Prepare(int selectors)
    {
        SetQuestionStrings();
        exercise.PlaySound = sounds.Player();
        SetRandomSeed(3);
        std::vector<AreaRecord> areas;
        exercise.SelectorCount = selectors;
        for (int i = 1; i <= selectors; ++i) {
            const std::string key = "K" + std::to_string(i);
            const std::string name = "Country " + std::to_string(i);
            areas.push_back(BoxArea({.north = i + 1.0, .south = 1.0 * i, .east = 1, .key = key, .name = name}));
            exercise.Selectors[i] = key;
        }
        map = MakeMap(dir, areas, {});
        exercise.Map = map.get();
    }

    SoundRecorder sounds;
    TempFolder dir;
    std::unique_ptr<CKarta> map;
    RecordingScreen screen;
    COvningFlagga exercise;
};

TEST_F(FlagExerciseTest, TwentySelectorsPutSixteenInPlay)
{
    Prepare(20);
    exercise.Start(&screen);
    EXPECT_EQ(exercise.FlagCount, 16);
    std::set<std::string> inPlay;
    int questions = 0;
    while (!screen.questions.back().empty()) {
        ASSERT_GE(exercise.AskedPosition, 1);
        ASSERT_LE(exercise.AskedPosition, 16);
        inPlay.insert(exercise.Selectors[exercise.AskedPosition]);
        TAnswer a;
        a.Index = exercise.AskedPosition;
        ASSERT_TRUE(exercise.IsCorrect(a));
        exercise.CorrectAnswer();
        screen.VisaFraga(exercise.NextQuestion());
        ++questions;
    }
    EXPECT_EQ(questions, 16);
    EXPECT_EQ(inPlay.size(), 16u);
    EXPECT_EQ(exercise.FlagName(17), "");
    EXPECT_EQ(exercise.Percent, 100);
}

TEST_F(FlagExerciseTest, FiveSelectorsEndAfterFiveAndWrongAnswersKeepTheQuestion)
{
    Prepare(5);
    exercise.Start(&screen);
    EXPECT_EQ(exercise.FlagCount, 5);
    EXPECT_EQ(exercise.FlagName(6), "");
    for (int q = 1; q <= 5; ++q) {
        const int asked = exercise.AskedPosition;
        EXPECT_EQ(screen.questions.back(), "Where is " + exercise.FlagName(asked));
        TAnswer wrong;
        wrong.Index = asked == 1 ? 2 : 1;
        if (q < 5) {
            EXPECT_FALSE(exercise.IsCorrect(wrong));
            exercise.WrongAnswer(wrong);
            EXPECT_EQ(exercise.AskedPosition, asked);
            EXPECT_FALSE(exercise.Answered[asked]);
        }
        TAnswer right;
        right.Index = asked;
        ASSERT_TRUE(exercise.IsCorrect(right));
        EXPECT_TRUE(exercise.Answered[asked]); // marked before CorrectAnswer runs
        exercise.CorrectAnswer();
        screen.VisaFraga(exercise.NextQuestion());
    }
    EXPECT_EQ(screen.questions.back(), "");
    EXPECT_EQ(exercise.Percent, 56); // 5 right of 9 answers
}

TEST_F(FlagExerciseTest, SelectorWithoutAreaIsRefusedAtStart)
{
    Prepare(3);
    exercise.Selectors[2] = "MISSING";
    EXPECT_THROW(exercise.Start(&screen), std::runtime_error);
}

} // namespace
