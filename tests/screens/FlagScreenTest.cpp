// The flag exercise window on small fixture data: layout, drawing of the grid, the click rules,
// the timers, restart and the handling of flag files.
#include "FlagScreenSupport.h"

#include "data/Language.h"
#include "exercises/OvFlagga.h"
#include "platform/GameState.h"
#include "platform/PictureBox.h"
#include "screens/ScreenFactory.h"
#include "screens/Unit3.h"
#include "tools/crp/CrpWriter.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

namespace {

constexpr int FlagW = 90;
constexpr int FlagH = 63;

// A distinct flag colour per selector number, none of them a colour the grid uses itself.
TColor FlagColour(int i)
{
    return static_cast<TColor>(0x102030 + i * 0x050907);
}

// Messages come in the order of the shuffled selectors.
QStringList Sorted(QStringList texts)
{
    texts.sort();
    return texts;
}

class FlagScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
        oldDir = QDir::currentPath();
        QDir::setCurrent(dir.path());
        QDir(dir.path()).mkdir(QStringLiteral("flags"));
        TfrmOvningFlagga::SetFlagFolder(dir.filePath(QStringLiteral("flags")).toStdString());
        LanguageText(2, 9) = "Where is";
        LanguageText(2, 11) = "Top ten";
        LanguageText(2, 12) = "Quit";
        LanguageText(2, 23) = "Restart";
    }

    void TearDown() override
    {
        screen.reset();
        TfrmOvningFlagga::SetFlagFolder({});
        QDir::setCurrent(oldDir);
    }

    // n areas "K1".."Kn" named "Country i" with flag files "ki.bmp" (written unless listed in
    // `missing`), and an exercise over all of them.
    void Prepare(int n, const std::set<int>& missing = {})
    {
        CrpWriter areas;
        for (int i = 1; i <= n; ++i) {
            AreaRecord r;
            r.Keys[0] = "K" + std::to_string(i);
            r.Names[0] = "Country " + std::to_string(i);
            r.FlagFile = flagFiles.count(i) ? flagFiles[i] : "k" + std::to_string(i) + ".bmp";
            r.North = i + 1;
            r.South = i;
            r.East = 1;
            r.Vertices = {{double(i), 0}, {i + 1.0, 0}, {i + 1.0, 1}, {double(i), 1}};
            WriteArea(areas, r);
            if (!missing.count(i))
                WriteFlag("k" + std::to_string(i) + ".bmp", FlagColour(i));
        }
        areas.SaveTo(dir.filePath(QStringLiteral("AREA1.crp")).toStdString());
        CrpWriter places;
        places.SaveTo(dir.filePath(QStringLiteral("Ort1.crp")).toStdString());

        exercise.Number = 7;
        exercise.Names[2] = "Flags";
        exercise.Kind = "FLAGG";
        exercise.AreaFileNo = 1;
        exercise.PlaceFileNo = 1;
        exercise.SelectorCount = n;
        for (int i = 1; i <= n; ++i)
            exercise.Selectors[i] = "K" + std::to_string(i);
    }

    void WriteFlag(const std::string& name, TColor colour)
    {
        QImage flag(FlagW, FlagH, QImage::Format_RGB32);
        flag.fill(ToQRgb(colour));
        ASSERT_TRUE(flag.save(dir.filePath(QStringLiteral("flags/") + QString::fromStdString(name)), "BMP"));
    }

    void Open(int n, const std::set<int>& missing = {})
    {
        Prepare(n, missing);
        screen = std::make_unique<TfrmOvningFlagga>();
        recorder.HandTopTen(*screen);
        screen->OpenExercise(&exercise);
    }

    // The selector number (i of "Ki") of the flag at grid position p.
    int SelectorAt(int p) const { return std::stoi(exercise.Selectors[p].substr(1)); }
    // The pixel in the middle of the flag at position p.
    TColor FlagMiddle(int p) const { return GridPixel(*screen, screen->FlagRect(p).center()); }
    int WrongPosition() const { return exercise.AskedPosition == 1 ? 2 : 1; }

    ScreenRecorder recorder;
    QTemporaryDir dir;
    QString oldDir;
    std::map<int, std::string> flagFiles; // flag file names other than "ki.bmp"
    COvningFlagga exercise;
    std::unique_ptr<TfrmOvningFlagga> screen;
};

TEST_F(FlagScreenTest, WindowLayoutCaptionsAndButtons)
{
    Open(4);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(screen->size(), QSize(632, 461));
    EXPECT_EQ(screen->windowTitle(), "Globana");
    EXPECT_EQ(screen->lblProcent->text(), "0 %");
    EXPECT_EQ(screen->cmdTopp->text(), "Top ten");
    EXPECT_EQ(screen->cmdStarta->text(), "Restart");
    EXPECT_EQ(screen->cmdAvsluta->text(), "Quit");
    EXPECT_EQ(screen->cmdHjalp->text(), "?");
    EXPECT_EQ(screen->lblFraga->text().toStdString(),
              "Where is Country " + std::to_string(SelectorAt(exercise.AskedPosition)));
    // The grid fills the flag panel but for 5 pixels all round, inside its border.
    EXPECT_EQ(screen->imgFlags->size(), QSize(597, 381));
    EXPECT_EQ(screen->imgFlags->canvas().image().size(), QSize(597, 381));
    EXPECT_FLOAT_EQ(screen->CellWidth(), 149.25f);
    EXPECT_FLOAT_EQ(screen->CellHeight(), 95.25f);

    QTest::mouseClick(screen->cmdTopp, Qt::LeftButton);
    ASSERT_EQ(recorder.topTens.size(), 1u);
    EXPECT_EQ(recorder.topTens[0].number, 7);
    EXPECT_EQ(recorder.topTens[0].score, -1);
    QTest::mouseClick(screen->cmdHjalp, Qt::LeftButton);
    EXPECT_EQ(recorder.helpTopics, std::vector<int>{104});
    QTest::mouseClick(screen->cmdAvsluta, Qt::LeftButton);
    EXPECT_FALSE(screen->isVisible());
    EXPECT_TRUE(recorder.errors.empty());
}

TEST_F(FlagScreenTest, TwentySelectorsDrawSixteenFlagsAndLoadEveryPicture)
{
    Open(20);
    EXPECT_EQ(exercise.FlagCount, 16);
    for (int p = 1; p <= 16; ++p) {
        SCOPED_TRACE(p);
        EXPECT_EQ(FlagMiddle(p), FlagColour(SelectorAt(p)));
        EXPECT_EQ(CellBackground(*screen, p), TfrmOvningFlagga::White);
        // The one-pixel frame lies over the picture's outer edge.
        const QRect flag = screen->FlagRect(p);
        EXPECT_EQ(GridPixel(*screen, flag.topLeft()), 0x000000u);
        EXPECT_EQ(GridPixel(*screen, flag.bottomRight()), 0x000000u);
        EXPECT_EQ(GridPixel(*screen, flag.bottomRight() + QPoint(1, 1)), TfrmOvningFlagga::White);
        EXPECT_FALSE(NameShown(*screen, p));
    }
    for (int i = 1; i <= 20; ++i)
        EXPECT_NE(screen->FlagPicture(i), nullptr) << i; // also those not in play
}

TEST_F(FlagScreenTest, FiveSelectorsEndAfterFiveAndIgnoreTheEmptyCells)
{
    Open(5);
    for (int p = 6; p <= 16; ++p)
        EXPECT_EQ(CellBackground(*screen, p), TfrmOvningFlagga::Grey) << p;
    for (int p = 6; p <= 16; ++p)
        ClickCell(*screen, p);
    EXPECT_EQ(recorder.SoundsPlayed(), 0);
    EXPECT_EQ(exercise.AnswerCount, 0);

    std::set<int> found;
    for (int q = 1; q <= 5; ++q) {
        const int asked = exercise.AskedPosition;
        ClickCell(*screen, asked);
        found.insert(asked);
        EXPECT_EQ(CellBackground(*screen, asked), TfrmOvningFlagga::Grey);
        EXPECT_TRUE(NameShown(*screen, asked));
        EXPECT_EQ(screen->lblProcent->text(), "100 %");
        if (q < 5) {
            EXPECT_EQ(recorder.topTens.size(), 0u);
        }
    }
    EXPECT_EQ(found.size(), 5u);
    EXPECT_EQ(screen->lblFraga->text(), "");
    ASSERT_EQ(recorder.topTens.size(), 1u);
    EXPECT_EQ(recorder.topTens[0].score, 100);

    // Every flag is found now: clicks on them are not even heard.
    const int sounds = recorder.SoundsPlayed();
    for (int p = 1; p <= 5; ++p)
        ClickCell(*screen, p);
    EXPECT_EQ(recorder.SoundsPlayed(), sounds);
    EXPECT_EQ(exercise.AnswerCount, 5);
}

TEST_F(FlagScreenTest, ThePracticeOfTheMissedPutsOnlyThemInPlayAndNeverReachesTheTopTen)
{
    LanguageText(CurrentLanguage, 4) = "Practise the %1 you missed";
    LanguageText(CurrentLanguage, 6) = "No misses this time!";
    Open(5);
    std::set<std::string> missed;
    for (int q = 1; q <= 5; ++q) {
        const int asked = exercise.AskedPosition;
        if (q <= 2) {
            missed.insert(exercise.Selectors[asked]);
            // A flag still in play: a click on one already found is not an answer.
            int wrong = 1;
            while (wrong == asked || exercise.Answered[wrong])
                ++wrong;
            ClickCell(*screen, wrong);
        }
        ClickCell(*screen, asked);
    }
    ASSERT_EQ(recorder.topTens.size(), 1u);
    ASSERT_TRUE(screen->cmdOva->isVisible());
    EXPECT_EQ(screen->cmdOva->text(), "Practise the 2 you missed");

    QTest::mouseClick(screen->cmdOva, Qt::LeftButton);
    EXPECT_FALSE(screen->cmdOva->isVisible());
    ASSERT_EQ(exercise.FlagCount, 2);
    EXPECT_EQ((std::set<std::string>{exercise.Selectors[1], exercise.Selectors[2]}), missed);
    for (int p = 3; p <= 5; ++p)
        EXPECT_EQ(CellBackground(*screen, p), TfrmOvningFlagga::Grey) << p;
    ClickCell(*screen, exercise.AskedPosition);
    ClickCell(*screen, exercise.AskedPosition);
    EXPECT_EQ(screen->lblProcent->text(), "100 %");
    EXPECT_EQ(recorder.topTens.size(), 1u);
    EXPECT_FALSE(screen->cmdOva->isVisible());
    EXPECT_EQ(screen->lblFraga->text(), "No misses this time!");
}

TEST_F(FlagScreenTest, WrongClickKeepsTheQuestionAndShowsTheNameForAWhile)
{
    Open(6);
    const int asked = exercise.AskedPosition;
    const QString question = screen->lblFraga->text();
    const int wrong = WrongPosition();
    ClickCell(*screen, wrong);
    EXPECT_EQ(exercise.AskedPosition, asked);
    EXPECT_EQ(screen->lblFraga->text(), question);
    EXPECT_EQ(screen->lblProcent->text(), "0 %");
    EXPECT_EQ(recorder.players.wav2->plays, 1);
    EXPECT_TRUE(NameShown(*screen, wrong));
    EXPECT_EQ(CellBackground(*screen, wrong), TfrmOvningFlagga::White);
    EXPECT_EQ(screen->PendingRedraw(), wrong);
    EXPECT_TRUE(screen->tmrRitaOm->isActive());
    EXPECT_EQ(screen->tmrRitaOm->interval(), 1000);

    // The real timer takes the name away again.
    QTRY_VERIFY_WITH_TIMEOUT(!NameShown(*screen, wrong), 3000);
    EXPECT_FALSE(screen->tmrRitaOm->isActive());
    EXPECT_EQ(FlagMiddle(wrong), FlagColour(SelectorAt(wrong)));
}

TEST_F(FlagScreenTest, TwoQuickWrongClicks)
{
    Open(6);
    const int asked = exercise.AskedPosition;
    std::vector<int> others;
    for (int p = 1; p <= 6; ++p)
        if (p != asked)
            others.push_back(p);

    // On different flags: the first name goes at the second click.
    ClickCell(*screen, others[0]);
    ClickCell(*screen, others[1]);
    EXPECT_FALSE(NameShown(*screen, others[0]));
    EXPECT_TRUE(NameShown(*screen, others[1]));
    EXPECT_EQ(screen->PendingRedraw(), others[1]);
    screen->tmrRitaOmTimer();
    EXPECT_FALSE(NameShown(*screen, others[1]));

    // Twice on the same flag: the name stays, and the timer counts from the second click.
    ClickCell(*screen, others[2]);
    QTest::qWait(600);
    ClickCell(*screen, others[2]);
    EXPECT_TRUE(NameShown(*screen, others[2]));
    EXPECT_GT(screen->tmrRitaOm->remainingTime(), 900);
}

TEST_F(FlagScreenTest, ThirdWrongClickStartsTheBlinkUntilTheFlagIsFound)
{
    Open(6);
    const int asked = exercise.AskedPosition;
    const int wrong = WrongPosition();
    ClickCell(*screen, wrong);
    ClickCell(*screen, wrong);
    EXPECT_FALSE(screen->tmrBlinka->isActive());
    ClickCell(*screen, wrong);
    EXPECT_TRUE(screen->tmrBlinka->isActive());
    EXPECT_EQ(screen->BlinkCounter(), 1);
    EXPECT_EQ(screen->tmrBlinka->interval(), 1000);

    screen->tmrBlinkaTimer();
    EXPECT_EQ(CellBackground(*screen, asked), TfrmOvningFlagga::BrightGreen);
    screen->tmrBlinkaTimer();
    EXPECT_EQ(CellBackground(*screen, asked), TfrmOvningFlagga::White);
    screen->tmrBlinkaTimer();
    EXPECT_EQ(CellBackground(*screen, asked), TfrmOvningFlagga::BrightGreen);
    // A fourth wrong click does not start the blink over.
    ClickCell(*screen, wrong);
    EXPECT_EQ(screen->BlinkCounter(), 4);

    ClickCell(*screen, asked);
    EXPECT_EQ(screen->BlinkCounter(), 0);
    EXPECT_EQ(CellBackground(*screen, asked), TfrmOvningFlagga::Grey);
    EXPECT_TRUE(NameShown(*screen, asked));
    screen->tmrBlinkaTimer(); // still running, but with nothing to blink
    EXPECT_EQ(CellBackground(*screen, asked), TfrmOvningFlagga::Grey);
    EXPECT_EQ(CellBackground(*screen, exercise.AskedPosition), TfrmOvningFlagga::White);
}

// The blink timer stays on after a found flag; a third wrong click on a later question used to
// start it over.
TEST_F(FlagScreenTest, ABlinkOfALaterQuestionKeepsTheRunningTimersPhase)
{
    Open(6);
    for (int i = 0; i < 3; ++i)
        ClickCell(*screen, WrongPosition());
    ClickCell(*screen, exercise.AskedPosition);
    ASSERT_TRUE(screen->tmrBlinka->isActive());
    QTest::qWait(400);
    const int remaining = screen->tmrBlinka->remainingTime();
    int wrong = 1;
    while (wrong == exercise.AskedPosition || exercise.Answered[wrong])
        ++wrong;
    for (int i = 0; i < 3; ++i)
        ClickCell(*screen, wrong);
    ASSERT_EQ(screen->BlinkCounter(), 1);
    EXPECT_LE(screen->tmrBlinka->remainingTime(), remaining);
}

TEST_F(FlagScreenTest, RestartStopsBothTimersAndRedrawsEveryFlag)
{
    Open(6);
    const int wrong = WrongPosition();
    for (int i = 0; i < 3; ++i)
        ClickCell(*screen, wrong);
    screen->tmrBlinkaTimer();
    ASSERT_TRUE(screen->tmrRitaOm->isActive());
    ASSERT_TRUE(screen->tmrBlinka->isActive());

    QTest::mouseClick(screen->cmdStarta, Qt::LeftButton);
    EXPECT_FALSE(screen->tmrRitaOm->isActive());
    EXPECT_FALSE(screen->tmrBlinka->isActive());
    EXPECT_EQ(screen->PendingRedraw(), 0);
    EXPECT_EQ(screen->BlinkCounter(), 0);
    EXPECT_EQ(screen->lblProcent->text(), "0 %");
    for (int p = 1; p <= 6; ++p) {
        EXPECT_EQ(CellBackground(*screen, p), TfrmOvningFlagga::White) << p;
        EXPECT_FALSE(NameShown(*screen, p)) << p;
        EXPECT_EQ(FlagMiddle(p), FlagColour(SelectorAt(p))) << p; // pictures follow the shuffle
    }
}

// A wrong click on a flag, then the same flag asked and found within the second: the name
// timer used to redraw the found flag white without its name.
TEST_F(FlagScreenTest, FlagFoundWhileItsWrongNameShowsStaysFound)
{
    Open(6);
    const int wrong = WrongPosition();
    ClickCell(*screen, wrong);
    exercise.AskedPosition = wrong; // as if the next question had asked for it
    ClickCell(*screen, wrong);
    EXPECT_EQ(screen->PendingRedraw(), 0);
    EXPECT_FALSE(screen->tmrRitaOm->isActive());
    screen->tmrRitaOmTimer();
    EXPECT_EQ(CellBackground(*screen, wrong), TfrmOvningFlagga::Grey);
    EXPECT_TRUE(NameShown(*screen, wrong));
}

TEST_F(FlagScreenTest, MissingFlagFileIsReportedAndDrawnAsAnEmptyFrame)
{
    // Pictures are loaded for every selector, also those not in play this time.
    Open(20, {3, 19});
    EXPECT_EQ(Sorted(recorder.errors),
              (QStringList{"Could not open flag file k19.bmp", "Could not open flag file k3.bmp"}));
    for (int p = 1; p <= 16; ++p) {
        if (SelectorAt(p) != 3 && SelectorAt(p) != 19)
            continue;
        EXPECT_EQ(screen->FlagPicture(p), nullptr);
        const QRect frame = screen->FlagRect(p);
        EXPECT_EQ(GridPixel(*screen, frame.topLeft()), 0x000000u);
        EXPECT_EQ(GridPixel(*screen, frame.bottomRight()), 0x000000u);
        EXPECT_EQ(GridPixel(*screen, frame.center()), TfrmOvningFlagga::White);
        EXPECT_TRUE(NameShown(*screen, p));
    }
    // Play goes on.
    ClickCell(*screen, exercise.AskedPosition);
    EXPECT_EQ(screen->lblProcent->text(), "100 %");
}

TEST_F(FlagScreenTest, FlagFileNamesThatLeaveTheFlagsFolderAreRefused)
{
    // Each of these names reaches a real picture when joined to the flags folder's path.
    QDir(dir.path()).mkpath(QStringLiteral("flags/sub"));
    WriteFlag("../outside.bmp", 0x123456);
    WriteFlag("sub/inside.bmp", 0x123456);
    WriteFlag("..\\outside.bmp", 0x123456);
    flagFiles = {{1, "../outside.bmp"}, {2, "sub/inside.bmp"}, {3, "..\\outside.bmp"}, {4, ".."}};
    Open(5);
    EXPECT_EQ(Sorted(recorder.errors), Sorted({
                                           "Could not open flag file ../outside.bmp",
                                           "Could not open flag file sub/inside.bmp",
                                           "Could not open flag file ..\\outside.bmp",
                                           "Could not open flag file ..",
                                       }));
    for (int p = 1; p <= 5; ++p)
        EXPECT_EQ(screen->FlagPicture(p) == nullptr, SelectorAt(p) != 5) << p;
}

TEST_F(FlagScreenTest, EmptyFlagFileGivesTheEmptyFrameWithoutAMessage)
{
    flagFiles = {{2, ""}};
    Open(3);
    EXPECT_TRUE(recorder.errors.empty());
    for (int p = 1; p <= 3; ++p)
        if (SelectorAt(p) == 2) {
            EXPECT_TRUE(NameShown(*screen, p));
        }
}

TEST_F(FlagScreenTest, FileThatIsNoBitmapStopsTheOpening)
{
    Prepare(3);
    QFile bad(dir.filePath(QStringLiteral("flags/k2.bmp")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly | QIODevice::Truncate));
    bad.write("not a picture");
    bad.close();
    screen = std::make_unique<TfrmOvningFlagga>();
    EXPECT_THROW(screen->OpenExercise(&exercise), std::runtime_error);
}

TEST_F(FlagScreenTest, SelectorWithoutAreaIsRefusedThroughTheFactory)
{
    Prepare(3);
    exercise.Selectors[2] = "NOWHERE";
    QWidget owner;
    ExerciseWindow* created = CreateScreenFor(exercise, &owner);
    try {
        created->OpenExercise(&exercise);
        FAIL() << "the exercise opened";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("NOWHERE"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(created->isVisible());
}

TEST_F(FlagScreenTest, DestroyingTheWindowLeavesTheExerciseWithoutItsMap)
{
    Open(3);
    ASSERT_NE(exercise.Map, nullptr);
    screen.reset();
    EXPECT_EQ(exercise.Map, nullptr);
    EXPECT_EQ(exercise.Screen, nullptr);
}

} // namespace
