// The place exercise: questions, nearest-place judging, names, blink, Tries.
#include "ExerciseFixtures.h"

#include "exercises/OvOrt.h"
#include "platform/GameState.h"
#include "platform/Random.h"

#include <gtest/gtest.h>
#include <set>

namespace {

TAnswer At(const COrt* place)
{
    TAnswer a;
    a.Latitude = static_cast<float>(place->Latitude);
    a.Longitude = static_cast<float>(place->Longitude);
    return a;
}

class PlaceExerciseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        exercise.PlaySound = sounds.Player();
        SetQuestionStrings();
        SetRandomSeed(7);
        map = MakeMap(dir, {BoxArea({.north = 20, .south = -20, .east = 20, .west = -20, .key = "LND"})},
                      {Place("West", 0, -5, "LND"), Place("East", 0, 5, "LND"), Place("North", 5, 0, "LND"),
                       Place("Elsewhere", 5, 5, "OTHER")});
        exercise.Map = map.get();
        exercise.NorthLat = 20;
        exercise.SouthLat = -20;
        exercise.CenterLon = 0;
        exercise.SelectorCount = 1;
        exercise.Selectors[1] = "LND";
        exercise.BorderWidth = 1;
    }

    // What the map screen does with a click.
    void Click(const TAnswer& a)
    {
        if (exercise.IsCorrect(a)) {
            exercise.BlinkState = 0;
            exercise.CorrectAnswer();
            const std::string text = exercise.NextQuestion();
            screen.VisaFraga(text);
        } else {
            exercise.WrongAnswer(a);
        }
    }

    TAnswer WrongClickFor(const COrt* asked)
    {
        for (COrt* p = map->Places->First; p; p = p->Next)
            if (p->Included && p != asked)
                return At(p);
        return {};
    }

    SoundRecorder sounds;
    TempFolder dir;
    std::unique_ptr<CKarta> map;
    FakeMapScreen screen;
    COvningOrt exercise;
};

TEST_F(PlaceExerciseTest, AsksEveryIncludedPlaceOnceThenEnds)
{
    exercise.Start(&screen);
    std::set<std::string> asked;
    while (!screen.questions.back().empty()) {
        ASSERT_NE(exercise.CurrentPlace, nullptr);
        EXPECT_EQ(screen.questions.back(), "Where is " + exercise.CurrentPlace->Names[2]);
        asked.insert(exercise.CurrentPlace->Names[1]);
        Click(At(exercise.CurrentPlace));
    }
    EXPECT_EQ(asked, (std::set<std::string>{"West", "East", "North"}));
    EXPECT_EQ(exercise.Percent, 100);
    EXPECT_EQ(map->Places->Remaining, 0);
}

TEST_F(PlaceExerciseTest, CorrectWrongCorrectGives100Then50Then67)
{
    exercise.Start(&screen);
    Click(At(exercise.CurrentPlace));
    Click(WrongClickFor(exercise.CurrentPlace));
    Click(At(exercise.CurrentPlace));
    EXPECT_EQ(screen.percents, (std::vector<int>{100, 50, 67}));
}

TEST_F(PlaceExerciseTest, EqualDistanceChoosesTheEarlierPlace)
{
    exercise.Start(&screen);
    TAnswer midway;
    midway.Latitude = 0;
    midway.Longitude = 0; // as far from West as from East
    ASSERT_NE(exercise.PlaceAt(midway), nullptr);
    EXPECT_EQ(exercise.PlaceAt(midway)->Names[1], "West");
}

TEST_F(PlaceExerciseTest, WrongClickNamesTheNearestPlaceInBlackOnAreaColour)
{
    exercise.Start(&screen);
    COrt* asked = exercise.CurrentPlace;
    const TAnswer wrong = WrongClickFor(asked);
    Click(wrong);
    ASSERT_FALSE(screen.names.empty());
    const auto& shown = screen.names.back();
    EXPECT_TRUE(shown.visible);
    EXPECT_EQ(shown.text, exercise.PlaceAt(wrong)->Names[2]);
    EXPECT_EQ(shown.font, 0x000000u);
    EXPECT_EQ(shown.back, map->AreaColor);
    EXPECT_EQ(shown.y, map->LatitudeToY(wrong.Latitude) + 12);
    EXPECT_EQ(exercise.CurrentPlace, asked); // the question stays
}

TEST_F(PlaceExerciseTest, ThirdWrongClickHighlightsFourthBlinksAndTriesAreStored)
{
    exercise.Start(&screen);
    COrt* asked = exercise.CurrentPlace;
    const int x = map->ToX(static_cast<float>(asked->Latitude), static_cast<float>(asked->Longitude));
    const int y = map->LatitudeToY(static_cast<float>(asked->Latitude));
    Canvas& canvas = screen.picture;

    for (int i = 0; i < 3; ++i)
        Click(WrongClickFor(asked));
    EXPECT_EQ(exercise.BlinkState, 1);
    exercise.Tick();
    EXPECT_EQ(canvas.pixel(x, y), BlinkColor);
    exercise.Tick(); // only three wrong: the highlight stays
    EXPECT_EQ(canvas.pixel(x, y), BlinkColor);

    Click(WrongClickFor(asked));
    exercise.Tick();
    EXPECT_EQ(canvas.pixel(x, y), 0x000000u);
    exercise.Tick();
    EXPECT_EQ(canvas.pixel(x, y), BlinkColor);

    Click(At(asked));
    EXPECT_EQ(exercise.BlinkState, 0);
    EXPECT_TRUE(asked->Answered);
    EXPECT_EQ(asked->Tries, 5);

    COrt* next = exercise.CurrentPlace;
    Click(At(next));
    EXPECT_EQ(next->Tries, 1);
}

TEST_F(PlaceExerciseTest, WithoutColoursLandAndAreasAreSilver)
{
    exercise.Start(&screen);
    EXPECT_EQ(map->LandColor, 0xC0C0C0u);
    EXPECT_EQ(map->AreaColor, 0xC0C0C0u);
}

TEST_F(PlaceExerciseTest, NoIncludedPlaceGivesEmptyQuestionAndIgnoresClicks)
{
    exercise.Selectors[1] = "NOTHING";
    exercise.Start(&screen);
    EXPECT_EQ(screen.questions.back(), "");
    TAnswer anywhere;
    EXPECT_FALSE(exercise.IsCorrect(anywhere));
    exercise.WrongAnswer(anywhere);
    exercise.Tick();
    EXPECT_EQ(exercise.AnswerCount, 0);
    EXPECT_EQ(sounds.Plays(2), 0);
}

} // namespace
