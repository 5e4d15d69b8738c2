// The area exercise: point-in-polygon judging, nested areas, group keys, blink.
#include "ExerciseFixtures.h"

#include "exercises/OvLand.h"
#include "platform/GameState.h"
#include "platform/Random.h"

#include <gtest/gtest.h>
#include <map>

namespace {

TAnswer Point(float lat, float lon)
{
    TAnswer a;
    a.Latitude = lat;
    a.Longitude = lon;
    return a;
}

class AreaExerciseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        exercise.PlaySound = sounds.Player();
        SetQuestionStrings();
        SetRandomSeed(11);
        map = MakeMap(dir,
                      {BoxArea({.north = 10, .south = 0, .east = 10, .west = 0, .key = "AAA", .name = "Alpha"}),
                       BoxArea({.north = 10, .south = 0, .east = 30, .west = 20, .key = "BBB", .name = "Beta"}),
                       // Inner lies inside Alpha and reaches less far north.
                       BoxArea({.north = 4, .south = 2, .east = 4, .west = 2, .key = "INN", .name = "Inner"}),
                       // Two parts of one group; the group key is also one area's own key.
                       BoxArea({.north = -10, .south = -20, .east = 10, .west = 0, .key = "GGG", .name = "Gamma"}),
                       BoxArea({.north = -10, .south = -20, .east = 30, .west = 20, .key = "GG2",
                                .name = "Gamma island", .group = "GGG"}),
                       BoxArea({.north = -10, .south = -20, .east = 50, .west = 40, .key = "OUT"})},
                      {});
        exercise.Map = map.get();
        exercise.NorthLat = 20;
        exercise.SouthLat = -30;
        exercise.CenterLon = 25;
        exercise.BorderWidth = 1;
        exercise.SelectorCount = 4;
        exercise.Selectors[1] = "AAA";
        exercise.Selectors[2] = "BBB";
        exercise.Selectors[3] = "INN";
        exercise.Selectors[4] = "GGG";
    }

    TAnswer Inside(const std::string& selector)
    {
        static const std::map<std::string, TAnswer> points = {
            {"AAA", Point(8, 8)}, {"BBB", Point(5, 25)}, {"INN", Point(3, 3)}, {"GGG", Point(-15, 25)}};
        return points.at(selector);
    }
    TAnswer WrongFor(const std::string& selector)
    {
        return Inside(selector == "BBB" ? "AAA" : "BBB");
    }

    void Click(const TAnswer& a)
    {
        if (exercise.IsCorrect(a)) {
            exercise.BlinkState = 0;
            exercise.CorrectAnswer();
            screen.VisaFraga(exercise.NextQuestion());
        } else {
            exercise.WrongAnswer(a);
        }
    }

    SoundRecorder sounds;
    TempFolder dir;
    std::unique_ptr<CKarta> map;
    FakeMapScreen screen;
    COvningLandArea exercise;
};

TEST_F(AreaExerciseTest, AsksEverySelectorOnceAndEndsWith100)
{
    exercise.Start(&screen);
    int questions = 0;
    while (!screen.questions.back().empty()) {
        ++questions;
        Click(Inside(exercise.CurrentSelector));
        ASSERT_LE(questions, 4);
    }
    EXPECT_EQ(questions, 4);
    EXPECT_EQ(exercise.Percent, 100);
    EXPECT_EQ(exercise.AnswerCount, 8); // two per correct answer
}

TEST_F(AreaExerciseTest, CorrectWrongCorrectGives100Then67Then75)
{
    exercise.Start(&screen);
    Click(Inside(exercise.CurrentSelector));
    Click(WrongFor(exercise.CurrentSelector));
    Click(Inside(exercise.CurrentSelector));
    EXPECT_EQ(screen.percents, (std::vector<int>{100, 67, 75}));
}

TEST_F(AreaExerciseTest, InnerAreaBeatsTheAreaAroundIt)
{
    exercise.Start(&screen);
    ASSERT_NE(exercise.AreaAt(Point(3, 3)), nullptr);
    EXPECT_EQ(exercise.AreaAt(Point(3, 3))->Keys[1], "INN");
    EXPECT_EQ(exercise.AreaAt(Point(8, 8))->Keys[1], "AAA");
}

TEST_F(AreaExerciseTest, ClickOutsideEveryExerciseAreaChangesNothing)
{
    exercise.Start(&screen);
    const auto namesBefore = screen.names.size();
    for (const TAnswer& a : {Point(15, 15), Point(-15, 45) /* an area not in the exercise */}) {
        EXPECT_FALSE(exercise.IsCorrect(a));
        exercise.WrongAnswer(a);
    }
    EXPECT_EQ(exercise.AnswerCount, 0);
    EXPECT_EQ(exercise.Tries, 0);
    EXPECT_EQ(sounds.Plays(2), 0);
    EXPECT_EQ(screen.names.size(), namesBefore);
}

TEST_F(AreaExerciseTest, WrongClickShowsClickedAreaInWhiteAtTheClick)
{
    exercise.Start(&screen);
    const TAnswer wrong = WrongFor(exercise.CurrentSelector);
    Click(wrong);
    const auto& shown = screen.names.back();
    EXPECT_TRUE(shown.visible);
    EXPECT_EQ(shown.text, exercise.AreaAt(wrong)->Names[2]);
    EXPECT_EQ(shown.font, 0xFFFFFFu);
    EXPECT_EQ(shown.x, map->ToX(wrong.Latitude, wrong.Longitude));
    EXPECT_EQ(shown.y, map->LatitudeToY(wrong.Latitude));
}

TEST_F(AreaExerciseTest, GroupKeyAnswerMarksEveryAreaOfTheGroup)
{
    exercise.Start(&screen);
    while (exercise.CurrentSelector != "GGG")
        Click(Inside(exercise.CurrentSelector));
    Click(Point(-15, 5)); // the group's first part, where the own key lives
    EXPECT_TRUE(map->Areas->Item(4).Answered);
    EXPECT_TRUE(map->Areas->Item(5).Answered);
    EXPECT_EQ(map->Areas->Item(5).Tries, 1);
}

TEST_F(AreaExerciseTest, BlinkAlternatesWithGreenWhateverTheAreaColour)
{
    exercise.AreaColor = 0x00FF00FF;
    exercise.Start(&screen);
    const std::string asked = exercise.CurrentSelector;
    const TAnswer inside = Inside(asked);
    const int x = map->ToX(inside.Latitude, inside.Longitude);
    const int y = map->LatitudeToY(inside.Latitude);
    Canvas& canvas = screen.picture;
    for (int i = 0; i < 4; ++i)
        Click(WrongFor(asked));
    exercise.Tick();
    EXPECT_EQ(canvas.pixel(x, y), BlinkColor);
    exercise.Tick();
    EXPECT_EQ(canvas.pixel(x, y), 0x008000u);
}

TEST_F(AreaExerciseTest, SelectorThatIsOnlyAGroupKeyStillGivesAQuestion)
{
    // GG2 carries GGG as a group key; once no area has GGG as its own key, the selector is
    // only a group key.
    exercise.SelectorCount = 1;
    exercise.Selectors[1] = "GGG";
    map->Areas->Item(4).Keys[1] = "G-MAIN";
    exercise.Start(&screen);
    EXPECT_EQ(screen.questions.back(), "Where is Gamma island");
}

} // namespace
