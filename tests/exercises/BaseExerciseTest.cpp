// The exercise base: booking, percentages, Finished, start and inclusion.
#include "ExerciseFixtures.h"

#include "exercises/OvFlagga.h"
#include "exercises/OvLand.h"
#include "exercises/OvOrt.h"
#include "exercises/Ovmulti.h"
#include "exercises/ovning.h"
#include "platform/Random.h"

#include <gtest/gtest.h>
#include <set>

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
    exercise.PlaySound = sounds.Player();
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
    exercise.PlaySound = sounds.Player();
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
    EXPECT_THROW(exercise.NextQuestion(), EAbstractError);
    EXPECT_THROW(exercise.IsCorrect(TAnswer{}), EAbstractError);
    EXPECT_THROW(exercise.Tick(), EAbstractError);
}

TEST(ExerciseBase, StartCopiesViewAndNonZeroColoursAndIncludesAfresh)
{
    SoundRecorder sounds;
    TempFolder dir;
    auto map = MakeMap(dir,
                       {BoxArea({.north = 10, .south = 0, .east = 10, .west = 0, .key = "AAA", .group = "GRP"}),
                        BoxArea({.north = 10, .south = 0, .east = 30, .west = 20, .key = "BBB", .group = "GRP"}),
                        BoxArea({.north = 30, .south = 20, .east = 10, .west = 0, .key = "CCC"})},
                       {Place("a1", 5, 5, "AAA", 0), Place("a2", 6, 6, "AAA", 3), Place("b1", 5, 25, "BBB", 0),
                        Place("grp", 1, 1, "GRP", 0)});
    RecordingScreen screen;
    COvning exercise;
    exercise.PlaySound = sounds.Player();
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

// Practice rounds, the same for every kind: six countries K1..K6 (boxes one degree high,
// each with its capital in the middle), three of them missed once in the round.
enum class Kind { Place, Area, Flag, Multi };

struct PracticeRow {
    const char* name;
    Kind kind;
};

class PracticeTest : public ::testing::TestWithParam<PracticeRow> {
protected:
    void SetUp() override
    {
        SetQuestionStrings();
        SetRandomSeed(5);
        std::vector<AreaRecord> areas;
        std::vector<PlaceRecord> places;
        switch (GetParam().kind) {
        case Kind::Place: exercise = std::make_unique<COvningOrt>(); break;
        case Kind::Area: exercise = std::make_unique<COvningLandArea>(); break;
        case Kind::Flag: exercise = std::make_unique<COvningFlagga>(); break;
        case Kind::Multi: exercise = std::make_unique<COvningMulti>(); break;
        }
        exercise->SelectorCount = 6;
        for (int i = 1; i <= 6; ++i) {
            const std::string key = "K" + std::to_string(i);
            areas.push_back(BoxArea({.north = 2.0 * i + 1, .south = 2.0 * i, .east = 1, .key = key}));
            places.push_back(Place("Capital " + key, 2 * i + 0.5, 0.5, key));
            exercise->Selectors[i] = key;
        }
        map = MakeMap(dir, areas, places);
        exercise->Map = map.get();
        exercise->NorthLat = 14;
        exercise->SouthLat = 1;
        exercise->CenterLon = 0.5;
        exercise->PlaySound = sounds.Player();
        exercise->WaitForMessages = [this] { exercise->Tick(); }; // the pause's tick at once
        exercise->ProcessMessages = [] {};
    }

    TOvningsformular* Screen()
    {
        if (GetParam().kind == Kind::Flag)
            return &recording;
        if (GetParam().kind == Kind::Multi)
            return &multiScreen;
        return &mapScreen;
    }
    // The key of the question asked now, as Missed() names it; empty once the round is over.
    std::string Asked() const
    {
        switch (GetParam().kind) {
        case Kind::Place: {
            const auto& e = static_cast<const COvningOrt&>(*exercise);
            return e.CurrentPlace && !e.CurrentPlace->Answered ? e.CurrentPlace->Id : "";
        }
        case Kind::Area: {
            const auto& e = static_cast<const COvningLandArea&>(*exercise);
            return e.CurrentIndex >= 1 && !e.Answered[e.CurrentIndex] ? e.CurrentSelector : "";
        }
        case Kind::Flag: {
            const auto& e = static_cast<const COvningFlagga&>(*exercise);
            return e.AskedPosition >= 1 && !e.Answered[e.AskedPosition] ? e.Selectors[e.AskedPosition] : "";
        }
        case Kind::Multi: {
            const auto& e = static_cast<const COvningMulti&>(*exercise);
            return e.AskedPlace && !e.AskedPlace->Answered ? e.AskedPlace->Id : "";
        }
        }
        return {};
    }
    // The country a question is about, 1..6 (place ids are "Capital K<n>").
    static int CountryOf(const std::string& key) { return key.back() - '0'; }
    TAnswer AnswerFor(int country) const
    {
        TAnswer a;
        a.Latitude = static_cast<float>(2 * country + 0.5);
        a.Longitude = 0.5f;
        if (GetParam().kind == Kind::Flag) {
            const auto& e = static_cast<const COvningFlagga&>(*exercise);
            for (int p = 1; p <= e.FlagCount; ++p)
                if (CountryOf(e.Selectors[p]) == country)
                    a.Index = p;
        }
        return a;
    }
    TAnswer Right() const
    {
        if (GetParam().kind == Kind::Multi) {
            TAnswer a;
            a.Index = static_cast<const COvningMulti&>(*exercise).RightPosition;
            return a;
        }
        return AnswerFor(CountryOf(Asked()));
    }
    TAnswer Wrong() const
    {
        TAnswer a = Right();
        if (GetParam().kind == Kind::Multi)
            a.Index = a.Index % 4 + 1;
        else if (GetParam().kind == Kind::Flag)
            a.Index = a.Index == 1 ? 2 : 1; // a flag of the full grid
        else
            a = AnswerFor(CountryOf(Asked()) % 6 + 1);
        return a;
    }
    // Plays the round as a screen does, missing once the questions numbered in `misses` (from
    // 1, in the order asked); returns the keys of the questions asked.
    std::vector<std::string> Play(const std::set<int>& misses)
    {
        std::vector<std::string> asked;
        for (std::string key = Asked(); !key.empty(); key = Asked()) {
            asked.push_back(key);
            if (misses.count(static_cast<int>(asked.size()))) {
                EXPECT_FALSE(exercise->IsCorrect(Wrong()));
                exercise->WrongAnswer(Wrong());
            }
            EXPECT_TRUE(exercise->IsCorrect(Right()));
            exercise->CorrectAnswer();
            exercise->NextQuestion();
        }
        return asked;
    }

    SoundRecorder sounds;
    TempFolder dir;
    std::unique_ptr<CKarta> map;
    std::unique_ptr<COvning> exercise;
    FakeMapScreen mapScreen;
    FakeMultiScreen multiScreen;
    RecordingScreen recording;
};

TEST_P(PracticeTest, BringsBackTheMissedQuestionsOnlyAndNoneAfterACleanRound)
{
    exercise->Start(Screen());
    const std::vector<std::string> round = Play({1, 3, 4});
    ASSERT_EQ(round.size(), 6u);
    const std::set<std::string> missed{round[0], round[2], round[3]};
    const std::vector<std::string> named = exercise->Missed();
    EXPECT_EQ(std::set<std::string>(named.begin(), named.end()), missed);

    exercise->StartPractice(Screen());
    EXPECT_TRUE(exercise->Practising());
    const std::vector<std::string> practice = Play({});
    EXPECT_EQ(practice.size(), 3u);
    EXPECT_EQ(std::set<std::string>(practice.begin(), practice.end()), missed);
    EXPECT_EQ(exercise->Percent, 100);
    EXPECT_TRUE(exercise->Missed().empty());

    exercise->Start(Screen()); // a restart plays the whole exercise again
    EXPECT_FALSE(exercise->Practising());
    EXPECT_EQ(Play({}).size(), 6u);
}

INSTANTIATE_TEST_SUITE_P(Kinds, PracticeTest,
    ::testing::Values(PracticeRow{"place", Kind::Place}, PracticeRow{"area", Kind::Area},
                      PracticeRow{"flag", Kind::Flag}, PracticeRow{"multiple_choice", Kind::Multi}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
