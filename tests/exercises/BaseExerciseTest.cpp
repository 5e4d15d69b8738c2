// The exercise base: booking, percentages, Finished, start and inclusion.
#include "ExerciseFixtures.h"

#include "exercises/ovning.h"

#include <gtest/gtest.h>

namespace {

struct PercentRow {
    const char* name;
    int correct;
    int wrong;
    int expected;
};

class PercentTest : public ::testing::TestWithParam<PercentRow> {};

TEST_P(PercentTest, HalvesGoToTheEvenNeighbour)
{
    SoundRecorder sounds;
    RecordingScreen screen;
    COvning exercise;
    exercise.PlaySound = RecordSound;
    exercise.Start(&screen);
    const TAnswer answer;
    for (int i = 0; i < GetParam().wrong; ++i)
        exercise.WrongAnswer(answer);
    for (int i = 0; i < GetParam().correct; ++i)
        exercise.CorrectAnswer();
    EXPECT_EQ(exercise.Percent, GetParam().expected);
    EXPECT_EQ(screen.percents.back(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, PercentTest,
    ::testing::Values(PercentRow{"first_wrong", 0, 1, 0}, PercentRow{"first_right", 1, 0, 100},
                      PercentRow{"one_of_eight_12_5_to_12", 1, 7, 12},
                      PercentRow{"three_of_eight_37_5_to_38", 3, 5, 38},
                      PercentRow{"five_of_eight_62_5_to_62", 5, 3, 62},
                      PercentRow{"seven_of_eight_87_5_to_88", 7, 1, 88},
                      PercentRow{"one_of_three", 1, 2, 33}, PercentRow{"two_of_three", 2, 1, 67}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExerciseBase, FinishedBooksNothingButStillSounds)
{
    SoundRecorder sounds;
    RecordingScreen screen;
    COvning exercise;
    exercise.PlaySound = RecordSound;
    exercise.Start(&screen);
    exercise.CorrectAnswer();
    exercise.Finished = true;
    exercise.WrongAnswer(TAnswer{});
    exercise.CorrectAnswer();
    EXPECT_EQ(exercise.AnswerCount, 1);
    EXPECT_EQ(exercise.WrongCount, 0);
    EXPECT_EQ(exercise.Tries, 0);
    EXPECT_EQ(exercise.Percent, 100);
    EXPECT_EQ(screen.percents.size(), 1u);
    EXPECT_EQ(sounds.Plays(2, "Rassel11.WAV"), 1); // the wrong-answer rattle
    EXPECT_EQ(sounds.Plays(1, "Plopp4.WAV"), 2);   // both right-answer sounds
}

TEST(ExerciseBase, AbstractOperationsRaise)
{
    COvning exercise;
    exercise.PlaySound = RecordSound;
    EXPECT_THROW(exercise.NextQuestion(), EAbstractError);
    EXPECT_THROW(exercise.IsCorrect(TAnswer{}), EAbstractError);
    EXPECT_THROW(exercise.Tick(), EAbstractError);
}

TEST(ExerciseBase, StartCopiesViewAndNonZeroColoursAndIncludesAfresh)
{
    SoundRecorder sounds;
    QTemporaryDir dir;
    auto map = MakeMap(dir,
                       {BoxArea("AAA", "A", 0, 10, 0, 10, "GRP"), BoxArea("BBB", "B", 0, 10, 20, 30, "GRP"),
                        BoxArea("CCC", "C", 20, 30, 0, 10)},
                       {Place("a1", 5, 5, "AAA", 0), Place("a2", 6, 6, "AAA", 3), Place("b1", 5, 25, "BBB", 0),
                        Place("grp", 1, 1, "GRP", 0)});
    RecordingScreen screen;
    COvning exercise;
    exercise.PlaySound = RecordSound;
    exercise.Map = map.get();
    exercise.NorthLat = 40;
    exercise.SouthLat = -5;
    exercise.CenterLon = 15;
    exercise.AreaColor = 0x123456;
    exercise.SeaColor = 0; // keeps the map's own
    exercise.Level = 2;
    exercise.SelectorCount = 2;
    exercise.Selectors[1] = "GRP";
    exercise.Selectors[2] = "AAA";
    exercise.Start(&screen);

    EXPECT_FLOAT_EQ(map->TopLatitude, 40.0f);
    EXPECT_FLOAT_EQ(map->BottomLatitude, -5.0f);
    EXPECT_FLOAT_EQ(map->CentreLongitude, 15.0f);
    EXPECT_EQ(map->AreaColor, 0x123456u);
    EXPECT_EQ(map->SeaColor, 0x800000u);
    // The group key includes both grouped areas, the own key its area; C stays out.
    EXPECT_TRUE(map->Areas->Item(1).Included);
    EXPECT_TRUE(map->Areas->Item(2).Included);
    EXPECT_FALSE(map->Areas->Item(3).Included);
    // Places: a1 (AAA, level 0) and grp (GRP); a2 is above the level; b1's key is not selected.
    EXPECT_EQ(map->Places->Remaining, 2);
    EXPECT_EQ(map->Places->IncludedTotal, 2);

    // A restart after a finished play clears counters, marks and BlinkState.
    map->Places->First->Answered = true;
    exercise.AnswerCount = 5;
    exercise.BlinkState = 2;
    exercise.Finished = true;
    exercise.Start(&screen);
    EXPECT_FALSE(exercise.Finished);
    EXPECT_EQ(exercise.AnswerCount, 0);
    EXPECT_EQ(exercise.BlinkState, 0);
    EXPECT_FALSE(map->Places->First->Answered);
    EXPECT_EQ(map->Places->Remaining, 2);
}

} // namespace
