// The multiple-choice screen offscreen: answers by click and key, the green pause and what is
// ignored during it, the end with its one top-ten offer, closing and release during the pause,
// and a playthrough of every multiple-choice exercise of the shipped catalogue.
#include "data/Language.h"
#include "data/Orter.h"
#include "data/ovningar.h"
#include "exercises/Ovmulti.h"
#include "map/UKarta.h"
#include "platform/GameState.h"
#include "platform/PictureBox.h"
#include "platform/Shape.h"
#include "platform/Win1252.h"
#include "scores/Tioitopp.h"
#include "screens/ScreenFactory.h"
#include "screens/Unit4.h"
#include "support/MapRecords.h"
#include "support/RecordedBoxes.h"
#include "support/RecordedPlayers.h"
#include "tools/crp/CrpWriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <vector>

namespace {

struct TopTenCall {
    COvning* exercise;
    int score;
    QWidget* owner;
};

// Runs `action` once the exercise waits inside its pause (on the first pass of its wait for
// the tick), then leaves the pause to the timer.
void DuringPause(TfrmOvningMulti& screen, std::function<void()> action)
{
    auto* poll = new QTimer(&screen);
    poll->setInterval(1);
    QObject::connect(poll, &QTimer::timeout, poll, [&screen, poll, action] {
        if (screen.Exercise() && screen.Exercise()->Pausing()) {
            poll->stop();
            poll->deleteLater();
            action();
        }
    });
    poll->start();
}

TColor BoxColour(PictureBox* box)
{
    return box->canvas().pixel(3, 3);
}

class MultiScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        oldDir = QDir::currentPath();
        CrpWriter areas;
        CrpWriter places;
        for (int i = 1; i <= 5; ++i) {
            const std::string key = "C" + std::to_string(i);
            const std::string name = "Country " + std::to_string(i);
            WriteArea(areas, BoxArea({.north = 10.0 * i + 1, .south = 10.0 * i, .east = 1, .key = key, .name = name}));
            WritePlace(places, Place("Town " + std::to_string(i), 10.0 * i + 0.5, 0.5, key));
        }
        dir.Write("AREA1.crp", areas);
        dir.Write("Ort1.crp", places);
        QDir::setCurrent(QString::fromStdString(dir.Dir()));

        CurrentLanguage = 2;
        LanguageText(2, 10) = "lies in:";
        LanguageText(2, 11) = "Top ten";
        LanguageText(2, 12) = "Quit";
        LanguageText(2, 13) = "Which place lies in";
        LanguageText(2, 14) = "?";
        LanguageText(2, 17) = "Multiple choice";
        SetColourScheme(1 << 24);

        SoundOn = true;
        MusicOn = false;

        exercise.Number = 7;
        exercise.Kind = "MULTI";
        exercise.Level = 5;
        exercise.AreaFileNo = 1;
        exercise.PlaceFileNo = 1;
        exercise.SelectorCount = 5;
        for (int i = 1; i <= 5; ++i)
            exercise.Selectors[i] = "C" + std::to_string(i);
    }

    void TearDown() override
    {
        delete screen.data();
        QDir::setCurrent(oldDir);
    }

    TfrmOvningMulti& Open(int pauseMs = 5)
    {
        screen = new TfrmOvningMulti();
        screen->showTopTen = [this](COvning* e, int score, QWidget* owner) { topTen.push_back({e, score, owner}); };
        screen->tmrTimer->setInterval(pauseMs);
        screen->OpenExercise(&exercise);
        return *screen;
    }

    int WrongSlot() const { return exercise.RightPosition == 1 ? 2 : 1; }
    void Click(int k) { QTest::mouseClick(screen->AnswerImage(k), Qt::LeftButton, {}, QPoint(5, 5)); }
    QString Percent() const { return screen->lblProcent->text(); }

    TempFolder dir;
    QString oldDir;
    RecordedPlayers players;
    COvningMulti exercise;
    QPointer<TfrmOvningMulti> screen;
    std::vector<TopTenCall> topTen;
    RecordedBoxes boxes;
};

TEST_F(MultiScreenTest, OpensWithTheFirstQuestionFourAnswersAndItsTexts)
{
    TfrmOvningMulti& s = Open();
    EXPECT_TRUE(s.isVisible());
    EXPECT_EQ(s.size(), QSize(632, 453));
    EXPECT_EQ(s.windowTitle(), QStringLiteral("Multiple choice"));
    EXPECT_EQ(s.cmdTopp->text(), QStringLiteral("Top ten"));
    EXPECT_EQ(s.cmdAvsluta->text(), QStringLiteral("Quit"));
    EXPECT_EQ(s.Shape1->brushColor(), FrameColor);
    EXPECT_EQ(Percent(), QStringLiteral("0 %"));
    EXPECT_FALSE(s.Label1->text().isEmpty());
    for (int k = 1; k <= 4; ++k) {
        PictureBox* box = s.AnswerImage(k);
        EXPECT_EQ(box->size(), QSize(211, 41));
        EXPECT_EQ(BoxColour(box), 0xFFFFFFu) << k;
        EXPECT_EQ(box->canvas().pixel(0, 0), 0x000000u) << "frame of box " << k;
        EXPECT_FALSE(exercise.Answers[k].empty());
    }
    EXPECT_EQ(s.AnswerImage(0), nullptr);
    EXPECT_EQ(s.AnswerImage(5), nullptr);
}

TEST_F(MultiScreenTest, DrawAnswerCentresTheTextOnTheColour)
{
    TfrmOvningMulti& s = Open();
    PictureBox* box = s.imgSvar2;
    s.DrawAnswer(box, 0x00FF00, "I");
    // The text's ink lies in the middle: columns near both edges show only the colour.
    const Canvas& c = box->canvas();
    int left = c.width(), right = -1;
    for (int y = 1; y < c.height() - 1; ++y)
        for (int x = 1; x < c.width() - 1; ++x)
            if (c.pixel(x, y) != 0x00FF00u) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_GE(right, left);
    EXPECT_NEAR((left + right) / 2.0, c.width() / 2.0, 3.0);
    // A name far wider than the box is still drawn inside it.
    s.DrawAnswer(box, 0xFFFFFF, std::string(60, 'W'));
    EXPECT_EQ(c.pixel(0, 20), 0x000000u);
    EXPECT_EQ(c.pixel(2, 20), 0xFFFFFFu);
    EXPECT_EQ(c.pixel(c.width() - 3, 20), 0xFFFFFFu);
}

TEST_F(MultiScreenTest, RightAnswerIsGreenDuringThePauseThenTheNextQuestionComes)
{
    TfrmOvningMulti& s = Open(50);
    const int right = exercise.RightPosition;
    const COrt* first = exercise.AskedPlace;
    TColor during = 0;
    bool timerOn = false;
    DuringPause(s, [&] {
        during = BoxColour(s.AnswerImage(right));
        timerOn = s.tmrTimer->isActive();
        EXPECT_TRUE(s.InPause());
    });
    Click(right);
    EXPECT_EQ(during, 0x008000u);
    EXPECT_TRUE(timerOn);
    EXPECT_FALSE(s.InPause());
    EXPECT_FALSE(s.tmrTimer->isActive());
    EXPECT_TRUE(first->Answered);
    EXPECT_EQ(Percent(), QStringLiteral("100 %"));
    EXPECT_NE(exercise.AskedPlace, first);
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(BoxColour(s.AnswerImage(k)), 0xFFFFFFu) << k;
    EXPECT_FALSE(s.Label1->text().isEmpty());
}

TEST_F(MultiScreenTest, EveryClickOnARedBoxCountsAgainAndTwoWrongGiveTriesThree)
{
    TfrmOvningMulti& s = Open();
    Click(exercise.RightPosition); // 1 of 1
    COrt* asked = exercise.AskedPlace;
    const int wrong = WrongSlot();
    Click(wrong);
    EXPECT_EQ(BoxColour(s.AnswerImage(wrong)), WrongColor & 0xFFFFFFu);
    EXPECT_EQ(Percent(), QStringLiteral("50 %"));
    Click(wrong); // the same red box again
    EXPECT_EQ(Percent(), QStringLiteral("33 %"));
    EXPECT_EQ(exercise.Tries, 2);
    EXPECT_EQ(exercise.AskedPlace, asked) << "a wrong answer keeps the question";
    Click(exercise.RightPosition);
    EXPECT_EQ(asked->Tries, 3);
    EXPECT_EQ(Percent(), QStringLiteral("50 %"));
}

// A double click used to book a wrong answer twice: its second press chose again.
TEST_F(MultiScreenTest, ADoubleClickChoosesOnce)
{
    TfrmOvningMulti& s = Open();
    Click(exercise.RightPosition); // 1 of 1
    const int wrong = WrongSlot();
    // Through the window system, which makes the second press a double click.
    const QPoint at = s.AnswerImage(wrong)->mapTo(&s, QPoint(5, 5));
    QTest::mouseDClick(s.windowHandle(), Qt::LeftButton, {}, at);
    EXPECT_EQ(exercise.WrongCount, 1);
    EXPECT_EQ(Percent(), QStringLiteral("50 %"));
    EXPECT_EQ(BoxColour(s.AnswerImage(wrong)), WrongColor & 0xFFFFFFu);
}

TEST_F(MultiScreenTest, MainKeyboardDigitsChooseAndKeypadDigitsDoNot)
{
    TfrmOvningMulti& s = Open();
    const int wrong = WrongSlot();
    const auto key = static_cast<Qt::Key>(Qt::Key_0 + wrong);
    QTest::keyClick(&s, key, Qt::KeypadModifier);
    EXPECT_EQ(exercise.AnswerCount, 0);
    EXPECT_EQ(BoxColour(s.AnswerImage(wrong)), 0xFFFFFFu);
    QTest::keyClick(&s, Qt::Key_5);
    QTest::keyClick(&s, Qt::Key_0);
    EXPECT_EQ(exercise.AnswerCount, 0);

    QTest::keyClick(&s, key);
    EXPECT_EQ(exercise.WrongCount, 1);
    EXPECT_EQ(BoxColour(s.AnswerImage(wrong)), WrongColor & 0xFFFFFFu);
    // Also when a button has the focus.
    s.cmdTopp->setFocus();
    QTest::keyClick(s.cmdTopp, static_cast<Qt::Key>(Qt::Key_0 + exercise.RightPosition));
    EXPECT_EQ(exercise.AnswerCount, 2);
    EXPECT_EQ(exercise.WrongCount, 1);
    EXPECT_TRUE(topTen.empty());
}

TEST_F(MultiScreenTest, ClicksAndKeysDuringThePauseDoNothing)
{
    TfrmOvningMulti& s = Open(200);
    const int right = exercise.RightPosition;
    const COrt* asked = exercise.AskedPlace;
    int countDuring = -1;
    QString questionDuring;
    DuringPause(s, [&] {
        for (int k = 1; k <= 4; ++k) {
            Click(k);
            QTest::keyClick(&s, static_cast<Qt::Key>(Qt::Key_0 + k));
        }
        countDuring = exercise.AnswerCount;
        questionDuring = s.Label1->text();
    });
    const QString before = s.Label1->text();
    Click(right);
    EXPECT_EQ(countDuring, 1);
    EXPECT_EQ(questionDuring, before);
    EXPECT_EQ(exercise.AnswerCount, 1);
    EXPECT_EQ(exercise.WrongCount, 0);
    EXPECT_TRUE(asked->Answered);
    EXPECT_EQ(exercise.Map->Places->Remaining, exercise.Map->Places->IncludedTotal - 1);
}

TEST_F(MultiScreenTest, TheEndOffersTheTopTenOnceAndLaterChoicesDoNothing)
{
    TfrmOvningMulti& s = Open();
    Click(WrongSlot());
    int questions = 0;
    while (!s.ExerciseOver() && questions < 20) {
        Click(exercise.RightPosition);
        ++questions;
    }
    ASSERT_TRUE(s.ExerciseOver());
    EXPECT_EQ(questions, 5);
    ASSERT_EQ(topTen.size(), 1u);
    EXPECT_EQ(topTen[0].exercise, &exercise);
    EXPECT_EQ(topTen[0].score, 83); // 5 of 6
    EXPECT_EQ(topTen[0].owner, &s);
    EXPECT_EQ(Percent(), QStringLiteral("83 %"));
    // The last question stays, its right answer green.
    EXPECT_EQ(BoxColour(s.AnswerImage(exercise.RightPosition)), 0x008000u);

    const QString last = s.Label1->text();
    for (int k = 1; k <= 4; ++k) {
        Click(k);
        QTest::keyClick(&s, static_cast<Qt::Key>(Qt::Key_0 + k));
    }
    EXPECT_EQ(topTen.size(), 1u);
    EXPECT_EQ(exercise.AnswerCount, 6);
    EXPECT_EQ(s.Label1->text(), last);

    QTest::mouseClick(s.cmdTopp, Qt::LeftButton);
    ASSERT_EQ(topTen.size(), 2u);
    EXPECT_EQ(topTen[1].score, -1);
    EXPECT_EQ(topTen[1].owner, &s);
}

TEST_F(MultiScreenTest, TheEndOffersThePracticeOfTheMissedWhichNeverReachesTheTopTen)
{
    LanguageText(2, 4) = "Practise the %1 you missed";
    LanguageText(2, 6) = "No misses this time!";
    TfrmOvningMulti& s = Open();
    const COrt* missed = exercise.AskedPlace;
    Click(WrongSlot());
    for (int questions = 0; !s.ExerciseOver() && questions < 20; ++questions)
        Click(exercise.RightPosition);
    ASSERT_EQ(topTen.size(), 1u);
    ASSERT_TRUE(s.cmdOva->isVisible());
    EXPECT_EQ(s.cmdOva->text(), QStringLiteral("Practise the 1 you missed"));

    QTest::mouseClick(s.cmdOva, Qt::LeftButton);
    EXPECT_FALSE(s.cmdOva->isVisible());
    EXPECT_FALSE(s.ExerciseOver());
    EXPECT_EQ(exercise.AskedPlace, missed);
    EXPECT_EQ(Percent(), QStringLiteral("0 %"));
    Click(exercise.RightPosition);
    ASSERT_TRUE(s.ExerciseOver());
    EXPECT_EQ(topTen.size(), 1u);
    EXPECT_FALSE(s.cmdOva->isVisible());
    EXPECT_EQ(s.Label1->text(), QStringLiteral("No misses this time!"));
}

TEST_F(MultiScreenTest, IconSwapsOnceHelpAndQuit)
{
    TfrmOvningMulti& s = Open();
    EXPECT_TRUE(s.imgBlomma->isVisible());
    EXPECT_FALSE(s.imgBar->isVisible());
    EXPECT_NE(s.imgBlomma->canvas().image(), s.imgBar->canvas().image());
    QTest::mouseClick(s.imgBlomma, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(s.imgBlomma->isVisible());
    EXPECT_TRUE(s.imgBar->isVisible());
    QTest::mouseClick(s.imgBar, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(s.imgBlomma->isVisible());
    EXPECT_TRUE(s.imgBar->isVisible());

    s.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&s));
    QTest::keyClick(s.windowHandle(), Qt::Key_F1); // through the window system: a shortcut
    EXPECT_EQ(boxes.helpTopics, std::vector<int>{103});

    QTest::mouseClick(s.cmdAvsluta, Qt::LeftButton);
    EXPECT_FALSE(s.isVisible());
    EXPECT_FALSE(screen.isNull()) << "closing only hides";
}

TEST_F(MultiScreenTest, ClosingDuringThePauseEndsIt)
{
    TfrmOvningMulti& s = Open(60000);
    const COrt* asked = exercise.AskedPlace;
    QElapsedTimer clock;
    DuringPause(s, [&] { s.close(); });
    clock.start();
    Click(exercise.RightPosition);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_FALSE(s.isVisible());
    EXPECT_FALSE(s.InPause());
    EXPECT_TRUE(asked->Answered);
    EXPECT_EQ(s.tmrTimer->interval(), 60000) << "the pause length is kept for the next answer";
    EXPECT_NE(exercise.AskedPlace, asked) << "the play goes on to the next question";
}

TEST_F(MultiScreenTest, ReleaseDuringThePauseWaitsForItsEnd)
{
    TfrmOvningMulti& s = Open(100);
    bool aliveAfterRelease = false;
    DuringPause(s, [&] {
        // As the main menu does when it becomes active, and a plain deferred delete as well.
        s.Release();
        s.deleteLater();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        aliveAfterRelease = !screen.isNull() && s.InPause() && exercise.Map == s.Map();
    });
    Click(exercise.RightPosition);
    EXPECT_TRUE(aliveAfterRelease);
    ASSERT_FALSE(screen.isNull()) << "not destroyed inside its own handler";
    EXPECT_TRUE(screen->ReleasePending());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(screen.isNull());
    EXPECT_EQ(exercise.Map, nullptr);
    EXPECT_EQ(exercise.Screen, nullptr);
}

// Closing the window during the last green pause activates the main menu, which releases the
// screen: the release used to skip the end, and the earned result was never offered.
TEST_F(MultiScreenTest, ClosedAndReleasedDuringTheLastPauseStillOffersTheTopTen)
{
    TfrmOvningMulti& s = Open(100);
    while (exercise.Map->Places->Remaining > 1) {
        Click(exercise.RightPosition);
        ASSERT_TRUE(topTen.empty());
    }
    DuringPause(s, [&] {
        s.close();
        s.Release();
    });
    Click(exercise.RightPosition);
    ASSERT_EQ(topTen.size(), 1u);
    EXPECT_EQ(topTen[0].score, 100);
    EXPECT_TRUE(s.ExerciseOver());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(screen.isNull()) << "released once the offer is over";
}

TEST_F(MultiScreenTest, ReleaseOutsideThePauseIsImmediate)
{
    TfrmOvningMulti& s = Open();
    s.Release();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(screen.isNull());
}

// The main menu may start the same exercise on a new screen while the old one pauses: the
// answer being booked must not touch the new play.
TEST_F(MultiScreenTest, ExerciseRestartedElsewhereDuringThePauseKeepsTheNewPlayIntact)
{
    TfrmOvningMulti& old = Open(100);
    QPointer<TfrmOvningMulti> fresh;
    DuringPause(old, [&] {
        old.Release();
        fresh = new TfrmOvningMulti();
        fresh->OpenExercise(&exercise);
    });
    Click(exercise.RightPosition);
    ASSERT_FALSE(fresh.isNull());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(screen.isNull());
    EXPECT_EQ(exercise.Screen, fresh.data());
    EXPECT_EQ(exercise.Map, fresh->Map());
    const COrter& places = *fresh->Map()->Places;
    EXPECT_EQ(places.Remaining, places.IncludedTotal);
    EXPECT_FALSE(exercise.AskedPlace->Answered);
    EXPECT_EQ(exercise.AnswerCount, 0);
    delete fresh.data();
}

TEST_F(MultiScreenTest, UnplayableDataIsRefusedBeforeTheWindowShows)
{
    exercise.SelectorCount = 3; // three areas cannot make four answers
    QPointer<ExerciseWindow> s = CreateScreenFor(exercise, nullptr);
    try {
        s->OpenExercise(&exercise);
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("four"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(s->isVisible());
    delete s.data();
    EXPECT_EQ(exercise.Map, nullptr);

    exercise.SelectorCount = 5;
    exercise.PlaceFileNo = 9; // no such file
    s = CreateMultiScreen(nullptr);
    EXPECT_ANY_THROW(s->OpenExercise(&exercise));
    delete s.data();
}

TEST_F(MultiScreenTest, WrongAnswerMarkedScreenshot)
{
    TfrmOvningMulti& s = Open();
    const int wrong = WrongSlot();
    Click(wrong);
    ASSERT_EQ(BoxColour(s.AnswerImage(wrong)), WrongColor & 0xFFFFFFu);
    // Under a real display (xvfb-run with QT_QPA_PLATFORM=xcb) the window as shown is saved.
    if (const QByteArray path = qgetenv("MULTISCREEN_SCREENSHOT"); !path.isEmpty()) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&s));
        QTest::qWait(200);
        const QPixmap shot = s.screen()->grabWindow(s.winId());
        EXPECT_TRUE(shot.save(QString::fromLocal8Bit(path)));
    }
}

// ---- playthrough of the shipped catalogue ----

class ShippedMultiExercises : public ::testing::Test {
protected:
    void SetUp() override
    {
        oldDir = QDir::currentPath();
        ASSERT_TRUE(QFile::exists(QStringLiteral(GLOBANA_CONTENT_DIR "/Ovning.crp")));
        QDir::setCurrent(QStringLiteral(GLOBANA_CONTENT_DIR));
        LoadLanguageTableFrom("lang.crp");
        catalogue.LoadFromFile("Ovning.crp");
        SetColourScheme(1 << 24);
    }
    void TearDown() override
    {
        QDir::setCurrent(oldDir);
    }

    QString oldDir;
    RecordedPlayers players;
    COvningar catalogue;
    std::vector<int> offers;
};

TEST_F(ShippedMultiExercises, EveryOneIsPlayedThroughInEveryLanguage)
{
    int exercises = 0;
    for (COvning* e = catalogue.First; e; e = e->Next) {
        if (e->Kind != "MULTI")
            continue;
        auto* multi = dynamic_cast<COvningMulti*>(e);
        ASSERT_NE(multi, nullptr) << e->Names[2];
        ++exercises;
        // Over all five plays of the exercise: both kinds, and the right answer in every slot.
        std::set<int> rightSlots;
        bool areaQuestion = false, placeQuestion = false;
        for (int language = 1; language <= 5; ++language) {
            CurrentLanguage = language;
            SCOPED_TRACE(e->Names[2] + " in language " + std::to_string(language));
            offers.clear();
            auto screen = std::make_unique<TfrmOvningMulti>();
            screen->showTopTen = [&](COvning*, int score, QWidget*) { offers.push_back(score); };
            screen->tmrTimer->setInterval(0);
            ASSERT_NO_THROW(screen->OpenExercise(multi));
            const int total = screen->Map()->Places->IncludedTotal;
            ASSERT_GT(total, 0);

            int questions = 0;
            while (!screen->ExerciseOver() && questions <= total) {
                std::set<std::string> distinct;
                for (int k = 1; k <= 4; ++k)
                    distinct.insert(multi->Answers[k]);
                EXPECT_EQ(distinct.size(), 4u) << screen->Label1->text().toStdString();
                const std::string placeName = multi->AskedPlace->Names[language];
                if (screen->Label1->text() == FromWin1252(placeName + " " + LanguageString(10)))
                    areaQuestion = true;
                else if (multi->Answers[multi->RightPosition] == placeName)
                    placeQuestion = true;
                else
                    ADD_FAILURE() << "neither kind: " << screen->Label1->text().toStdString();
                rightSlots.insert(multi->RightPosition);
                QTest::mouseClick(screen->AnswerImage(multi->RightPosition), Qt::LeftButton, {},
                                  QPoint(5, 5));
                ++questions;
            }
            EXPECT_TRUE(screen->ExerciseOver());
            EXPECT_EQ(questions, total);
            EXPECT_EQ(screen->lblProcent->text(), QStringLiteral("100 %"));
            EXPECT_EQ(offers, std::vector<int>{100});
        }
        EXPECT_TRUE(areaQuestion) << e->Names[2];
        EXPECT_TRUE(placeQuestion) << e->Names[2];
        EXPECT_EQ(rightSlots, (std::set<int>{1, 2, 3, 4})) << e->Names[2];
    }
    EXPECT_GT(exercises, 0) << "the catalogue holds no multiple-choice exercise";
}

} // namespace
