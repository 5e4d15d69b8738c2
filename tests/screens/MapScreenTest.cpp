// The map exercise screen on a 1920 x 1080 offscreen display: layout, clicks, the name label,
// restart, the end of an exercise and the guards while the map is being built.
#include "MapScreenSupport.h"

#include "data/Language.h"
#include "data/ovningar.h"
#include "exercises/OvLand.h"
#include "exercises/OvOrt.h"
#include "map/Projection.h"
#include "platform/GameState.h"
#include "platform/PictureBox.h"
#include "scores/Tioitopp.h"
#include "screens/ScreenFactory.h"
#include "screens/Unit1.h"
#include "support/MapRecords.h"
#include "support/RecordedBoxes.h"
#include "support/RecordedPlayers.h"
#include "tools/crp/CrpWriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

static OffscreenScreenConfig screenConfig(MAPSCREEN_SCREEN_1080);

namespace {

// 12 pixels below latitude 0 on the screen's 1916 x 1044 map of the view -20 .. 20.
float TwelvePixelsSouth()
{
    Projection v;
    v.TopLatitude = 20;
    v.BottomLatitude = -20;
    v.Scale = Projection::ScaleFor(v.TopLatitude, v.BottomLatitude);
    v.Width = 1916;
    v.Height = 1044;
    v.KeepLongitudes();
    return v.YToLatitude(v.LatitudeToY(0) + 12);
}

struct TopTenCall {
    COvning* exercise;
    int score;
    QWidget* owner;
};

class MapScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        oldDir = QDir::currentPath();
        WriteFiles();
        QDir::setCurrent(QString::fromStdString(dir.Dir()));

        CurrentLanguage = 2;
        LanguageText(2, 9) = "Where is";
        LanguageText(2, 11) = "Top ten";
        LanguageText(2, 12) = "Quit";
        LanguageText(2, 23) = "Restart";

        SoundOn = true;
        MusicOn = false;


        places.Number = 1;
        places.Kind = "ORT";
        places.Level = 5;
        places.NorthLat = 20;
        places.SouthLat = -20;
        places.CenterLon = 0;
        places.SelectorCount = 3;
        places.Selectors[1] = "AAA";
        places.Selectors[2] = "BBB";
        places.Selectors[3] = "CCC";
        places.AreaFileNo = 1;
        places.PlaceFileNo = 1;
        places.BorderWidth = 1;

        areas.Number = 2;
        areas.Kind = "AREA";
        areas.NorthLat = 20;
        areas.SouthLat = -20;
        areas.CenterLon = 0;
        areas.SelectorCount = 3;
        areas.Selectors[1] = "AAA";
        areas.Selectors[2] = "BBB";
        areas.Selectors[3] = "CCC";
        areas.AreaFileNo = 1;
        areas.PlaceFileNo = 1;
        areas.BorderWidth = 1;
        areas.AreaColor = 0x00A0A0;
    }

    void TearDown() override
    {
        screen.reset();
        QDir::setCurrent(oldDir);
    }

    void WriteFiles()
    {
        CrpWriter a;
        WriteArea(a, BoxArea({.north = 8, .south = 0, .east = -2, .west = -12, .key = "AAA", .name = "Aland"}));
        WriteArea(a, BoxArea({.north = 8, .south = 0, .east = 12, .west = 2, .key = "BBB", .name = "Beland"}));
        WriteArea(a, BoxArea({.north = -1, .south = -8, .east = 5, .west = -5, .key = "CCC", .name = "Celand"}));
        dir.Write("AREA1.crp", a);
        CrpWriter p;
        WritePlace(p, Place("Alpha", 3, -7, "AAA"));
        WritePlace(p, Place("Beta", 3, 7, "BBB"));
        WritePlace(p, Place("Gamma", -4, 0, "CCC"));
        dir.Write("Ort1.crp", p);
        CrpWriter p2;
        WritePlace(p2, Place("Upper", 0, 0, "UL"));
        WritePlace(p2, Place("Lower", TwelvePixelsSouth(), 0, "UL"));
        dir.Write("Ort2.crp", p2);
        CrpWriter w;
        WriteArea(w, BoxArea({.north = 14, .south = 12, .east = 2, .west = -2, .key = "LAKE", .name = "Lake"}));
        dir.Write("Vatten.crp", w);
        CrpWriter h;
        WriteSeaPoint(h, 18, 18);
        dir.Write("Hav1.crp", h);
    }

    // A screen that offers its top ten to the test's record.
    void NewScreen()
    {
        screen = std::make_unique<TfrmOvningKarta>();
        screen->showTopTen = [this](COvning* e, int score, QWidget* owner) { topTen.push_back({e, score, owner}); };
    }

    TfrmOvningKarta& Open(COvning& exercise)
    {
        NewScreen();
        screen->OpenExercise(&exercise);
        return *screen;
    }

    QPoint Pixel(const COrt* place) const { return PlacePixel(*screen->Map(), *place); }

    // An included place other than the one asked, and a click that means it.
    QPoint WrongPlaceClick(const COrt** other = nullptr)
    {
        for (COrt* p = screen->Map()->Places->First; p; p = p->Next)
            if (p->Included && p != places.CurrentPlace) {
                if (other)
                    *other = p;
                return Pixel(p);
            }
        ADD_FAILURE() << "no second place";
        return {};
    }

    QPoint AreaClick(const std::string& selector)
    {
        const auto found = FindAreaPixel(*screen->Map(), selector, areas.AreaColor);
        EXPECT_TRUE(found.has_value()) << selector;
        return found ? found->pixel : QPoint();
    }

    TempFolder dir;
    QString oldDir;
    RecordedPlayers players;
    std::vector<TopTenCall> topTen;
    RecordedBoxes boxes;
    COvningOrt places;
    COvningLandArea areas;
    std::unique_ptr<TfrmOvningKarta> screen;
};

TEST_F(MapScreenTest, OpeningLaysOutTheBarAndTheMapOverTheMaximisedWindow)
{
    TfrmOvningKarta& s = Open(places);

    EXPECT_TRUE(s.isVisible());
    EXPECT_TRUE(s.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(s.geometry(), QRect(0, 0, 1920, 1080));
    EXPECT_EQ(s.windowTitle(), QStringLiteral("Globana"));

    struct Row {
        QWidget* control;
        QRect expected;
    };
    // Bar controls lie in the bar's client area, inside its one-pixel border (1918 x 30).
    const std::vector<Row> rows = {
        {s.panTop, {0, 0, 1920, 32}},
        {s.panPanel, {0, 32, 1920, 1048}},
        {s.cmdAvsluta, {1918 - 79 - 2, 2, 79, 26}},
        {s.cmdHjalp, {1837 - 27, 2, 27, 26}},
        {s.cmdStarta, {1810 - 97, 2, 97, 26}},
        {s.lblProcent, {6, 6, 40, 22}},
        {s.cmdTopp, {46, 2, 117, 26}},
        {s.imgKarta, {2, 2, 1916, 1044}},
        {s.imgBlomma, {1837 - 32, -2, 36, 31}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.control->geometry(), row.expected) << row.control->objectName().toStdString();
    EXPECT_EQ(s.lblFraga->x(), 2);
    EXPECT_EQ(s.lblFraga->y(), 6);
    EXPECT_EQ(s.lblFraga->width(), 1920);
    EXPECT_TRUE(s.panTop->isVisible());
    EXPECT_EQ(s.imgKarta->canvas().width(), 1916);
    EXPECT_EQ(s.imgKarta->canvas().height(), 1044);
    EXPECT_EQ(s.Map()->Width(), 1916);
    EXPECT_EQ(s.panPanel->palette().color(QPalette::Window), QColor(0, 0, 0x80));

    // Captions by tag from the language table; the percentage keeps its design-time "0".
    EXPECT_EQ(s.cmdTopp->text(), QStringLiteral("Top ten"));
    EXPECT_EQ(s.cmdStarta->text(), QStringLiteral("Restart"));
    EXPECT_EQ(s.cmdAvsluta->text(), QStringLiteral("Quit"));
    EXPECT_EQ(s.cmdHjalp->text(), QStringLiteral("?"));
    EXPECT_EQ(s.lblProcent->text(), QStringLiteral("0"));
    EXPECT_TRUE(s.lblFraga->text().startsWith(QStringLiteral("Where is ")));

    EXPECT_TRUE(s.imgKarta->isEnabled());
    EXPECT_TRUE(s.cmdAvsluta->isEnabled());
    EXPECT_TRUE(s.cmdStarta->isEnabled());
    EXPECT_TRUE(s.tmrBlinka->isActive());
    EXPECT_EQ(s.tmrBlinka->interval(), 700);
    EXPECT_EQ(places.Map, s.Map());
    EXPECT_EQ(places.Screen, &s);
}

TEST_F(MapScreenTest, TheMapAndItsListsComeFromTheExercisesFiles)
{
    places.PlaceFileNo = 2;
    places.Selectors[1] = "UL";
    places.SelectorCount = 1;
    TfrmOvningKarta& s = Open(places);
    const CKarta& map = *s.Map();
    EXPECT_EQ(map.Areas->Count, 3);
    EXPECT_EQ(map.Waters->Count, 1);
    EXPECT_EQ(map.Places->First->Names[1], "Upper");
    EXPECT_EQ(map.SeaPointCount, 1);
    EXPECT_TRUE(map.ShowGrid);
}

TEST_F(MapScreenTest, AnAreaFileNumberOutsideOneToThreeGivesNoAreasAndNoSea)
{
    areas.AreaFileNo = 7;
    areas.SelectorCount = 0;
    TfrmOvningKarta& s = Open(areas);
    EXPECT_EQ(s.Map()->Areas->Count, 0);
    EXPECT_EQ(s.Map()->SeaPointCount, 0);
    EXPECT_FALSE(s.Map()->ShowGrid);
}

class MapScreenButtonTest : public MapScreenTest,
                            public ::testing::WithParamInterface<Qt::MouseButton> {};

TEST_P(MapScreenButtonTest, AnyMouseButtonAnswers)
{
    TfrmOvningKarta& s = Open(places);
    const COrt* asked = places.CurrentPlace;
    const QString question = s.lblFraga->text();

    ClickMap(s, Pixel(asked), GetParam());

    EXPECT_TRUE(asked->Answered);
    EXPECT_EQ(s.lblProcent->text(), QStringLiteral("100 %"));
    EXPECT_NE(s.lblFraga->text(), question);
    EXPECT_NEAR(s.ClickPoint.Latitude, asked->Latitude, 0.05);
    EXPECT_NEAR(s.ClickPoint.Longitude, asked->Longitude, 0.05);
}

INSTANTIATE_TEST_SUITE_P(Buttons, MapScreenButtonTest,
                         ::testing::Values(Qt::LeftButton, Qt::RightButton, Qt::MiddleButton),
                         [](const auto& info) {
                             switch (info.param) {
                             case Qt::LeftButton: return std::string("left");
                             case Qt::RightButton: return std::string("right");
                             default: return std::string("middle");
                             }
                         });

TEST_F(MapScreenTest, AWrongPlaceShowsItsNameOpaqueForTwoSecondsThenTransparent)
{
    TfrmOvningKarta& s = Open(places);
    const COrt* other = nullptr;
    const QPoint at = WrongPlaceClick(&other);

    ClickMap(s, at);

    EXPECT_EQ(s.lblProcent->text(), QStringLiteral("0 %"));
    ASSERT_TRUE(s.lblNamn->isVisible());
    EXPECT_EQ(s.lblNamn->text().toStdString(), other->Names[2]);
    // Centred on the picture point 12 pixels below the place.
    const QRect label = s.lblNamn->geometry();
    EXPECT_EQ(label.x(), at.x() + 2 - label.width() / 2);
    EXPECT_EQ(label.y(), at.y() + 12 + 2 - label.height() / 2);
    EXPECT_EQ(label.width(), s.lblNamn->fontMetrics().horizontalAdvance(s.lblNamn->text()) + 4);
    EXPECT_TRUE(s.NameLabelOpaque());
    EXPECT_EQ(s.lblNamn->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_TRUE(s.tmrNamnTimer->isActive());
    EXPECT_EQ(s.tmrNamnTimer->interval(), 2000);

    // Showing a name again restarts the two seconds: the label turns transparent two seconds
    // after the last showing, not the first.
    QTest::qWait(300);
    ClickMap(s, at);
    QElapsedTimer sinceLastShow;
    sinceLastShow.start();
    EXPECT_GT(s.tmrNamnTimer->remainingTime(), 1800);
    EXPECT_TRUE(s.NameLabelOpaque());
    while (s.NameLabelOpaque() && sinceLastShow.elapsed() < 5000)
        QTest::qWait(20);
    EXPECT_GE(sinceLastShow.elapsed(), 1990);
    EXPECT_FALSE(s.NameLabelOpaque());
    EXPECT_TRUE(s.lblNamn->isVisible());
    EXPECT_FALSE(s.tmrNamnTimer->isActive());

    // The timer's own handler does the same at once.
    ClickMap(s, at);
    EXPECT_TRUE(s.NameLabelOpaque());
    s.tmrNamnTimerTimer();
    EXPECT_FALSE(s.NameLabelOpaque());
    EXPECT_FALSE(s.tmrNamnTimer->isActive());

    // The next question hides it.
    ClickMap(s, Pixel(places.CurrentPlace));
    EXPECT_FALSE(s.lblNamn->isVisible());
}

TEST_F(MapScreenTest, RestartAsksAgainFromZero)
{
    TfrmOvningKarta& s = Open(places);
    ClickMap(s, Pixel(places.CurrentPlace));
    ClickMap(s, WrongPlaceClick());
    ASSERT_EQ(s.lblProcent->text(), QStringLiteral("50 %"));

    QTest::mouseClick(s.cmdStarta, Qt::LeftButton);

    EXPECT_EQ(s.lblProcent->text(), QStringLiteral("0 %"));
    EXPECT_EQ(places.AnswerCount, 0);
    EXPECT_EQ(s.Map()->Places->Remaining, 3);
    EXPECT_NE(places.CurrentPlace, nullptr);
    EXPECT_TRUE(s.lblFraga->text().startsWith(QStringLiteral("Where is ")));
    EXPECT_FALSE(s.lblNamn->isVisible());
    EXPECT_TRUE(s.imgKarta->isEnabled());
    EXPECT_TRUE(s.cmdAvsluta->isEnabled());
    EXPECT_TRUE(s.cmdStarta->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(MapScreenTest, TheLastAnswerEndsTheExerciseAndLaterClicksOnlyShowNames)
{
    TfrmOvningKarta& s = Open(places);
    ClickMap(s, WrongPlaceClick());
    for (int i = 0; i < 3; ++i)
        ClickMap(s, Pixel(places.CurrentPlace));

    ASSERT_EQ(topTen.size(), 1u);
    EXPECT_EQ(topTen[0].exercise, &places);
    EXPECT_EQ(topTen[0].score, 75);
    EXPECT_EQ(topTen[0].owner, &s);
    EXPECT_EQ(s.lblFraga->text(), QStringLiteral("-"));
    EXPECT_TRUE(places.Finished);
    EXPECT_TRUE(s.imgKarta->isEnabled());
    EXPECT_EQ(s.lblProcent->text(), QStringLiteral("75 %"));

    const int plays = players.wav2->plays;
    const COrt* first = s.Map()->Places->First;
    ClickMap(s, Pixel(first));
    EXPECT_TRUE(s.lblNamn->isVisible());
    EXPECT_EQ(s.lblNamn->text().toStdString(), first->Names[2]);
    EXPECT_EQ(players.wav2->plays, plays + 1);
    EXPECT_EQ(s.lblProcent->text(), QStringLiteral("75 %"));
    EXPECT_EQ(places.AnswerCount, 4);
    EXPECT_EQ(topTen.size(), 1u);
}

TEST_F(MapScreenTest, ThePracticeOfTheMissedIsOfferedInTheBarAndNeverReachesTheTopTen)
{
    LanguageText(2, 4) = "Practise the %1 you missed";
    LanguageText(2, 6) = "No misses this time!";
    TfrmOvningKarta& s = Open(places);
    const COrt* missed = places.CurrentPlace;
    ClickMap(s, WrongPlaceClick());
    for (int i = 0; i < 3; ++i)
        ClickMap(s, Pixel(places.CurrentPlace));
    ASSERT_EQ(topTen.size(), 1u);
    ASSERT_TRUE(s.cmdOva->isVisible());
    EXPECT_EQ(s.cmdOva->text(), QStringLiteral("Practise the 1 you missed"));
    EXPECT_EQ(s.cmdOva->parentWidget(), s.cmdTopp->parentWidget());
    EXPECT_GE(s.cmdOva->x(), s.cmdTopp->x() + s.cmdTopp->width());

    QTest::mouseClick(s.cmdOva, Qt::LeftButton);
    EXPECT_FALSE(s.cmdOva->isVisible());
    EXPECT_EQ(places.CurrentPlace, missed);
    EXPECT_EQ(s.Map()->Places->Remaining, 1);
    EXPECT_EQ(s.lblProcent->text(), QStringLiteral("0 %"));
    ClickMap(s, Pixel(places.CurrentPlace));
    EXPECT_EQ(topTen.size(), 1u);
    EXPECT_FALSE(s.cmdOva->isVisible());
    EXPECT_EQ(s.lblFraga->text(), QStringLiteral("No misses this time!"));
    EXPECT_EQ(s.lblProcent->text(), QStringLiteral("100 %"));
}

TEST_F(MapScreenTest, AClickOnTheNameLabelIsJudgedAtTheMapPointUnderTheMouse)
{
    places.PlaceFileNo = 2;
    places.Selectors[1] = "UL";
    places.SelectorCount = 1;
    TfrmOvningKarta& s = Open(places);
    const COrt* upper = s.Map()->Places->First;
    const COrt* lower = upper->Next;
    ASSERT_EQ(Pixel(lower), Pixel(upper) + QPoint(0, 12));
    const bool upperFirst = places.CurrentPlace == upper;
    if (upperFirst)
        ClickMap(s, Pixel(upper));
    ASSERT_EQ(places.CurrentPlace, lower);

    // A wrong click on Upper puts its name centred on Lower's pixel.
    ClickMap(s, Pixel(upper));
    ASSERT_TRUE(s.lblNamn->isVisible());
    const QPoint inLabel(s.lblNamn->width() / 2, s.lblNamn->height() / 2);
    ASSERT_EQ(s.lblNamn->geometry().topLeft() + inLabel - s.imgKarta->pos(), Pixel(lower));

    QTest::mouseClick(s.lblNamn, Qt::LeftButton, Qt::NoModifier, inLabel);

    EXPECT_FALSE(s.lblNamn->isVisible());
    EXPECT_TRUE(lower->Answered);
    EXPECT_EQ(places.WrongCount, 1);
    if (upperFirst) {
        EXPECT_EQ(s.lblFraga->text(), QStringLiteral("-"));
        EXPECT_EQ(topTen.size(), 1u);
    } else {
        EXPECT_EQ(places.CurrentPlace, upper);
    }
}

// A name at the map's edge used to be cut off ("New Caledo…" at the right edge).
TEST_F(MapScreenTest, ANameLabelStaysInsideTheMapAsNearItsPointAsFits)
{
    TfrmOvningKarta& s = Open(places);
    const QRect map = s.imgKarta->geometry();
    const int w = s.imgKarta->canvas().width();
    const int h = s.imgKarta->canvas().height();
    // Where the label must lie: on its point where there is room, else flush with the edge.
    enum Fit { Centred, AtLow, AtHigh };
    struct Row {
        const char* name;
        QPoint point;
        Fit across;
        Fit down;
    };
    const Row rows[] = {
        {"middle", {w / 2, h / 2}, Centred, Centred},
        {"right edge", {w - 1, h / 2}, AtHigh, Centred},
        {"left edge", {0, h / 2}, AtLow, Centred},
        {"top edge", {w / 2, 0}, Centred, AtLow},
        {"bottom right corner", {w - 1, h - 1}, AtHigh, AtHigh},
    };
    for (const Row& row : rows) {
        s.ShowName("New Caledonia", row.point.x(), row.point.y(), 0x000000, 0xC0C0C0, true);
        const QRect label = s.lblNamn->geometry();
        const QPoint point = map.topLeft() + row.point;
        EXPECT_TRUE(map.contains(label)) << row.name;
        switch (row.across) {
        case Centred: EXPECT_EQ(label.x(), point.x() - label.width() / 2) << row.name; break;
        case AtLow: EXPECT_EQ(label.left(), map.left()) << row.name; break;
        case AtHigh: EXPECT_EQ(label.right(), map.right()) << row.name; break;
        }
        switch (row.down) {
        case Centred: EXPECT_EQ(label.y(), point.y() - label.height() / 2) << row.name; break;
        case AtLow: EXPECT_EQ(label.top(), map.top()) << row.name; break;
        case AtHigh: EXPECT_EQ(label.bottom(), map.bottom()) << row.name; break;
        }
    }
}

TEST_F(MapScreenTest, AreaClicksCountInsideAreasAndNothingHappensOutside)
{
    TfrmOvningKarta& s = Open(areas);
    const std::string asked = areas.CurrentSelector;
    const std::string other = asked == "AAA" ? "BBB" : "AAA";
    const QPoint wrong = AreaClick(other);
    const QPoint right = AreaClick(asked);

    // In the sea, north of every area.
    const QPoint sea(s.Map()->ToX(17, 0), s.Map()->LatitudeToY(17));
    ClickMap(s, sea);
    EXPECT_EQ(s.lblProcent->text(), QStringLiteral("0"));
    EXPECT_FALSE(s.lblNamn->isVisible());
    EXPECT_EQ(players.wav2->plays, 0);

    ClickMap(s, wrong);
    EXPECT_EQ(s.lblProcent->text(), QStringLiteral("0 %"));
    ASSERT_TRUE(s.lblNamn->isVisible());
    EXPECT_EQ(s.lblNamn->text(), QString::fromStdString(other == "AAA" ? "Aland" : "Beland"));
    EXPECT_EQ(s.lblNamn->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(s.lblNamn->palette().color(QPalette::Window), QColor(ToQRgb(areas.AreaColor)));
    EXPECT_EQ(s.lblNamn->x() + s.lblNamn->width() / 2 - 2, wrong.x()) << "centred on the click";

    ClickMap(s, right);
    EXPECT_EQ(s.lblProcent->text(), QStringLiteral("50 %"));
    EXPECT_FALSE(s.lblNamn->isVisible());
    EXPECT_NE(areas.CurrentSelector, asked);
}

TEST_F(MapScreenTest, NoControlTakesInputWhileTheMapIsBuilt)
{
    struct Seen {
        bool picture, quit, restart;
    };
    std::vector<Seen> seen;
    NewScreen();
    TfrmOvningKarta* s = screen.get();
    // Runs at every chance the drawing gives the window system.
    QTimer probe;
    probe.setInterval(0);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (places.Map != s->Map() || !s->Map())
            return;
        seen.push_back({s->imgKarta->isEnabled(), s->cmdAvsluta->isEnabled(), s->cmdStarta->isEnabled()});
        const CKarta& map = *s->Map();
        ClickMap(*s, QPoint(map.Width() / 2, map.Height() / 2));
    });
    probe.start();
    s->OpenExercise(&places);
    probe.stop();

    ASSERT_FALSE(seen.empty());
    for (const Seen& x : seen) {
        EXPECT_FALSE(x.picture);
        EXPECT_FALSE(x.quit);
        EXPECT_FALSE(x.restart);
    }
    EXPECT_EQ(places.AnswerCount, 0);
    EXPECT_EQ(s->lblProcent->text(), QStringLiteral("0"));

    // The same during a restart.
    seen.clear();
    probe.start();
    QTest::mouseClick(s->cmdStarta, Qt::LeftButton);
    probe.stop();
    ASSERT_FALSE(seen.empty());
    for (const Seen& x : seen)
        EXPECT_FALSE(x.picture || x.quit || x.restart);
    EXPECT_EQ(places.AnswerCount, 0);
}

// A double click used to be judged twice: the second press arrived while the first let the
// window system run, found the answered place still current and booked it again.
TEST_F(MapScreenTest, AClickArrivingWhileAnotherIsJudgedIsDropped)
{
    TfrmOvningKarta& s = Open(places);
    const QPoint at = Pixel(places.CurrentPlace);
    QTimer::singleShot(0, &s, [&] { ClickMap(s, at); });
    ClickMap(s, at);

    EXPECT_EQ(places.AnswerCount, 1);
    EXPECT_EQ(s.Map()->Places->Remaining, 2);
    EXPECT_EQ(s.lblProcent->text(), QStringLiteral("100 %"));
}

// The main menu releases every screen when it becomes active, e.g. when the title bar's close box
// is used while the map is drawn for a restart. The screen used to be destroyed inside its own
// handler, which went on with its map and controls.
TEST_F(MapScreenTest, AReleaseInsideAHandlerWaitsUntilTheHandlerHasReturned)
{
    const std::vector<std::pair<const char*, std::function<void(TfrmOvningKarta&)>>> handlers = {
        {"restart", [](TfrmOvningKarta& s) { QTest::mouseClick(s.cmdStarta, Qt::LeftButton); }},
        {"answer", [this](TfrmOvningKarta& s) { ClickMap(s, PlacePixel(*s.Map(), *places.CurrentPlace)); }},
        {"top ten", [](TfrmOvningKarta& s) { QTest::mouseClick(s.cmdTopp, Qt::LeftButton); }},
    };
    for (const auto& [name, handler] : handlers) {
        SCOPED_TRACE(name);
        Open(places);
        QPointer<TfrmOvningKarta> s = screen.release();
        bool aliveAfterRelease = false;
        const auto release = [&] {
            s->Release();
            s->deleteLater();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            aliveAfterRelease = !s.isNull();
        };
        // Inside the handler: while it lets events through, or in the top-ten offer.
        s->showTopTen = [&](COvning*, int, QWidget*) { release(); };
        QTimer::singleShot(0, s, release);
        handler(*s);
        EXPECT_TRUE(aliveAfterRelease);
        ASSERT_FALSE(s.isNull()) << "destroyed inside its own handler";
        EXPECT_TRUE(s->ReleasePending());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(s.isNull()) << "released once the handler has returned";
        EXPECT_EQ(places.Map, nullptr);
    }
}

TEST_F(MapScreenTest, ResizingSnapsBackToMaximised)
{
    TfrmOvningKarta& s = Open(places);
    s.showNormal();
    s.resize(800, 600);
    QCoreApplication::processEvents();
    EXPECT_TRUE(s.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(s.size(), QSize(1920, 1080));
}

// The frame used to offer resizing with the mouse and a maximise button.
TEST_F(MapScreenTest, TheFrameCannotBeDraggedToAnotherSize)
{
    TfrmOvningKarta& s = Open(places);
    EXPECT_FALSE(s.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(s.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(s.minimumSize(), QSize(1920, 1080));
    EXPECT_EQ(s.maximumSize(), QSize(1920, 1080));
}

TEST_F(MapScreenTest, ButtonsShowTopTenHelpAndQuit)
{
    TfrmOvningKarta& s = Open(places);

    QTest::mouseClick(s.cmdTopp, Qt::LeftButton);
    ASSERT_EQ(topTen.size(), 1u);
    EXPECT_EQ(topTen[0].score, -1);
    EXPECT_EQ(topTen[0].exercise, &places);
    EXPECT_EQ(topTen[0].owner, &s);

    QTest::mouseClick(s.cmdHjalp, Qt::LeftButton);
    EXPECT_EQ(boxes.helpTopics, std::vector<int>{102});

    QTest::mouseClick(s.cmdAvsluta, Qt::LeftButton);
    EXPECT_FALSE(s.isVisible());
    EXPECT_FALSE(s.tmrBlinka->isActive());
    EXPECT_NE(s.Map(), nullptr) << "closing only hides the window";
}

TEST_F(MapScreenTest, DestroyingTheScreenFreesTheMapAndLeavesTheExerciseNoDanglingMap)
{
    Open(areas);
    screen.reset();
    EXPECT_EQ(areas.Map, nullptr);
    EXPECT_EQ(areas.Screen, nullptr);
}

TEST_F(MapScreenTest, TheFactoryOpensPlaceAndAreaExercisesOnThisScreen)
{
    QWidget owner;
    ExerciseWindow* created = CreateScreenFor(areas, &owner);
    auto* map = dynamic_cast<TfrmOvningKarta*>(created);
    ASSERT_NE(map, nullptr);
    EXPECT_TRUE(map->isWindow());
    created->OpenExercise(&areas);
    EXPECT_TRUE(map->isVisible());
    EXPECT_EQ(areas.Screen, map);
    EXPECT_FALSE(areas.CurrentSelector.empty());
}

// The main menu opens exercises of an unknown kind here too; their class needs another screen,
// and the error must reach the caller without leaving the exercise a freed map.
TEST_F(MapScreenTest, AnExerciseOfAnUnknownKindFailsToStartWithAnError)
{
    std::unique_ptr<COvning> odd = COvningar::CreateForKeyword("QUIZ");
    odd->Kind = "QUIZ";
    odd->AreaFileNo = 1;
    odd->PlaceFileNo = 1;
    odd->Level = 5;
    odd->SelectorCount = 3;
    odd->Selectors[1] = "AAA";
    odd->Selectors[2] = "BBB";
    odd->Selectors[3] = "CCC";
    NewScreen();
    EXPECT_THROW(screen->OpenExercise(odd.get()), std::exception);
    screen.reset();
    EXPECT_EQ(odd->Map, nullptr);
}

TEST_F(MapScreenTest, ThreeWrongPlaceClicksHighlightAndFourBlink)
{
    TfrmOvningKarta& s = Open(places);
    CheckPlaceHighlightAndBlink(s, places);
}

TEST_F(MapScreenTest, ThreeWrongAreaClicksHighlightAndFourBlink)
{
    TfrmOvningKarta& s = Open(areas);
    CheckAreaHighlightAndBlink(s, areas);
}

} // namespace
