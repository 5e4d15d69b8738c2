// Every place and area exercise of the shipped catalogue, played to its end on the map screen
// as a player would: each question answered at once by a click on the asked place's pixel or
// inside the asked area. The map is 1916 x 1044 pixels, the map a maximised window gets on a
// 1920 x 1080 display without a panel: taller than the 1916 x 1000 the views are made for, so
// each view shows more latitude and must still show every longitude it asks.
#include "MapScreenSupport.h"

#include "data/Language.h"
#include "data/ovningar.h"
#include "exercises/OvLand.h"
#include "exercises/OvOrt.h"
#include "platform/GameState.h"
#include "platform/Win1252.h"
#include "scores/Tioitopp.h"
#include "screens/Unit1.h"
#include "support/RecordedPlayers.h"

#include <QDir>
#include <QLabel>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <sstream>
#include <vector>

static OffscreenScreenConfig screenConfig(MAPSCREEN_SCREEN_1080);

namespace {

// The shipped content; GLOBANA_PLAYTHROUGH_CONTENT plays another folder (a fresh generator run).
const std::string ContentDir = qEnvironmentVariableIsEmpty("GLOBANA_PLAYTHROUGH_CONTENT")
    ? std::string(GLOBANA_CONTENT_DIR)
    : qEnvironmentVariable("GLOBANA_PLAYTHROUGH_CONTENT").toStdString();

bool IsMapKind(const std::string& kind)
{
    return kind == "ORT" || kind == "AREA";
}

struct ShippedExercise {
    int number;
    std::string kind;
};

void PrintTo(const ShippedExercise& e, std::ostream* os)
{
    *os << e.kind << " exercise " << e.number;
}

// Read when the tests are registered, so that each exercise is a test of its own.
std::vector<ShippedExercise> ShippedMapExercises()
{
    std::vector<ShippedExercise> list;
    const std::string catalogue = ContentDir + "/Ovning.crp";
    if (!std::filesystem::exists(catalogue))
        return list;
    COvningar exercises;
    exercises.LoadFromFile(catalogue);
    for (COvning* e = exercises.First; e; e = e->Next)
        if (IsMapKind(e->Kind))
            list.push_back({e->Number, e->Kind});
    return list;
}

std::string Quoted(const std::string& win1252)
{
    return "\"" + FromWin1252(win1252).toStdString() + "\"";
}

class ShippedContent : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::filesystem::exists(ContentDir + "/Ovning.crp"))
            GTEST_SKIP() << "no shipped catalogue in " << ContentDir;
        oldDir = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(ContentDir));
        CurrentLanguage = 2;
        LoadLanguageTableFrom("lang.crp");
        catalogue.LoadFromFile("Ovning.crp");
    }

    void TearDown() override
    {
        screen.reset();
        if (!oldDir.isEmpty())
            QDir::setCurrent(oldDir);
    }

    COvning* Exercise(int number) const
    {
        for (COvning* e = catalogue.First; e; e = e->Next)
            if (e->Number == number)
                return e;
        return nullptr;
    }

    TfrmOvningKarta& Open(COvning* exercise)
    {
        screen = std::make_unique<TfrmOvningKarta>();
        screen->showTopTen = [this](COvning*, int score, QWidget* owner) {
            topTenScores.push_back(score);
            topTenOwners.push_back(owner);
        };
        screen->OpenExercise(exercise);
        return *screen;
    }

    COvningar catalogue;
    QString oldDir;
    RecordedPlayers players;
    std::unique_ptr<TfrmOvningKarta> screen;
    std::vector<int> topTenScores;
    std::vector<QWidget*> topTenOwners;
};

class ShippedMapExercise : public ShippedContent,
                           public ::testing::WithParamInterface<ShippedExercise> {};

// Places drawn so close together that a slightly different map size may put them on one pixel
// (where the earlier one in the place file would always win).
void NoteCrowdedPlaces(const CKarta& map, std::vector<std::string>& notes)
{
    for (const COrt* a = map.Places->First; a; a = a->Next) {
        if (!a->Included)
            continue;
        for (const COrt* b = a->Next; b; b = b->Next) {
            if (!b->Included)
                continue;
            const QPoint d = PlacePixel(map, *a) - PlacePixel(map, *b);
            if (std::max(std::abs(d.x()), std::abs(d.y())) <= 2)
                notes.push_back("places " + a->Id + " " + Quoted(a->Names[2]) + " and " + b->Id + " "
                                + Quoted(b->Names[2]) + " lie " + std::to_string(d.x()) + ", "
                                + std::to_string(d.y()) + " px apart");
        }
    }
}

// Answers the asked place; a defect if no pixel near it is judged to be it.
bool AnswerPlace(TfrmOvningKarta& screen, COvningOrt& exercise, std::vector<std::string>& notes)
{
    const CKarta& map = *screen.Map();
    COrt* asked = exercise.CurrentPlace;
    if (!asked) {
        ADD_FAILURE() << "no place is asked (the exercise includes no place)";
        return false;
    }
    const QPoint own = PlacePixel(map, *asked);
    bool ownPixel = false;
    const std::optional<QPoint> at = FindPlacePixel(map, *asked, 8, &ownPixel);
    if (!at) {
        const COrt* nearest = OnPicture(map, own) ? NearestPlace(map, own) : nullptr;
        ADD_FAILURE() << "place " << asked->Id << " " << Quoted(asked->Names[2]) << " cannot be hit: "
                      << (OnPicture(map, own) ? "its pixel (" + std::to_string(own.x()) + ", "
                                                    + std::to_string(own.y()) + ") is nearest to "
                                                    + (nearest ? nearest->Id + " " + Quoted(nearest->Names[2])
                                                               : std::string("nothing"))
                                              : std::string("it lies off the map"));
        return false;
    }
    if (!ownPixel)
        notes.push_back("place " + asked->Id + " " + Quoted(asked->Names[2])
                        + " is nearer to another place at its own pixel; answered "
                        + std::to_string((*at - own).manhattanLength()) + " px off");
    const int wrong = exercise.WrongCount;
    ClickMap(screen, *at);
    if (!asked->Answered || exercise.WrongCount != wrong) {
        ADD_FAILURE() << "the click for " << asked->Id << " was not taken as right";
        return false;
    }
    return true;
}

// Answers the asked selector; a defect if no pixel of the picture belongs to it.
bool AnswerArea(TfrmOvningKarta& screen, COvningLandArea& exercise, std::vector<std::string>& notes)
{
    const CKarta& map = *screen.Map();
    const std::string selector = exercise.CurrentSelector;
    const int index = exercise.CurrentIndex;
    const std::optional<AreaPixel> at = FindAreaPixel(map, selector, map.AreaColor);
    if (!at) {
        int areas = 0;
        for (int i = 1; i <= map.Areas->Count; ++i)
            areas += map.Areas->Item(i).Included && map.Areas->Item(i).HasKey(selector);
        ADD_FAILURE() << "selector " << selector << " cannot be answered: "
                      << (areas == 0 ? "no area of the area file has it"
                                     : "none of its " + std::to_string(areas)
                                           + " areas owns a pixel of the map");
        return false;
    }
    if (!at->showsFill)
        notes.push_back("selector " + selector + ": no pixel owned by it shows the area colour");
    const int wrong = exercise.WrongCount;
    ClickMap(screen, at->pixel);
    if (!exercise.Answered[index] || exercise.WrongCount != wrong) {
        ADD_FAILURE() << "the click for " << selector << " was not taken as right";
        return false;
    }
    return true;
}

TEST_P(ShippedMapExercise, PlaysToTheEndWithEveryAnswerRight)
{
    COvning* exercise = Exercise(GetParam().number);
    ASSERT_NE(exercise, nullptr);
    SCOPED_TRACE("exercise " + std::to_string(exercise->Number) + " " + exercise->Kind + " "
                 + Quoted(exercise->Names[2]));
    TfrmOvningKarta& s = Open(exercise);
    EXPECT_EQ(s.Map()->Width(), 1916);
    EXPECT_EQ(s.Map()->Height(), 1044);
    s.tmrBlinka->stop();

    std::vector<std::string> notes;
    if (exercise->Kind == "ORT")
        NoteCrowdedPlaces(*s.Map(), notes);
    int questions = 0;
    const int limit = exercise->Kind == "ORT" ? 1000 : exercise->SelectorCount;
    while (!exercise->Finished && questions < limit) {
        const QString question = s.lblFraga->text();
        EXPECT_TRUE(question.startsWith(FromWin1252(LanguageString(9)) + QLatin1Char(' ')))
            << question.toStdString();
        EXPECT_GT(question.size(), LanguageString(9).size() + 1) << "a question without a name";
        ++questions;
        const bool answered = exercise->Kind == "ORT"
            ? AnswerPlace(s, dynamic_cast<COvningOrt&>(*exercise), notes)
            : AnswerArea(s, dynamic_cast<COvningLandArea&>(*exercise), notes);
        if (!answered)
            break;
    }

    std::ostringstream summary;
    summary << "[playthrough] " << exercise->Number << " " << exercise->Kind << " "
            << Quoted(exercise->Names[2]) << ": " << questions << " questions, "
            << exercise->Percent << " %" << (exercise->Finished ? ", finished" : ", NOT finished")
            << " (map " << s.Map()->Width() << " x " << s.Map()->Height() << ")";
    for (const std::string& note : notes)
        summary << "\n[playthrough]     note: " << note;
    std::cout << summary.str() << std::endl;

    EXPECT_TRUE(exercise->Finished) << "after " << questions << " questions";
    EXPECT_EQ(s.lblFraga->text(), QStringLiteral("-"));
    EXPECT_EQ(s.lblProcent->text(), QStringLiteral("100 %"));
    ASSERT_EQ(topTenScores.size(), 1u) << "the top-ten window opens once, at the end";
    EXPECT_EQ(topTenScores[0], 100);
    EXPECT_EQ(topTenOwners[0], &s);
    if (exercise->Kind == "AREA")
        EXPECT_EQ(questions, exercise->SelectorCount);
    else
        EXPECT_EQ(questions, s.Map()->Places->IncludedTotal);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, ShippedMapExercise, ::testing::ValuesIn(ShippedMapExercises()),
                         [](const auto& info) {
                             return info.param.kind + "_" + std::to_string(info.param.number);
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(ShippedMapExercise);

// The first shipped exercise of the kind with enough questions for two rounds of wrong clicks.
COvning* ReplayExercise(const COvningar& catalogue, const std::string& kind)
{
    for (COvning* e = catalogue.First; e; e = e->Next)
        if (e->Kind == kind && e->SelectorCount >= 3)
            return e;
    return nullptr;
}

TEST_F(ShippedContent, AShippedPlaceExerciseHighlightsAfterThreeWrongClicksAndBlinksAfterFour)
{
    COvning* exercise = ReplayExercise(catalogue, "ORT");
    ASSERT_NE(exercise, nullptr);
    SCOPED_TRACE("exercise " + std::to_string(exercise->Number));
    TfrmOvningKarta& s = Open(exercise);
    ASSERT_GE(s.Map()->Places->Remaining, 3);
    CheckPlaceHighlightAndBlink(s, dynamic_cast<COvningOrt&>(*exercise));
}

TEST_F(ShippedContent, AShippedAreaExerciseHighlightsAfterThreeWrongClicksAndBlinksAfterFour)
{
    COvning* exercise = ReplayExercise(catalogue, "AREA");
    ASSERT_NE(exercise, nullptr);
    SCOPED_TRACE("exercise " + std::to_string(exercise->Number));
    TfrmOvningKarta& s = Open(exercise);
    CheckAreaHighlightAndBlink(s, dynamic_cast<COvningLandArea&>(*exercise));
}

} // namespace
