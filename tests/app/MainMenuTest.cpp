// The main menu: loading in every language, the two failure messages, world-part selection on
// the small map and in the list, the instruction slide, starting an exercise and the release
// of exercise screens.
#include "app/About.h"
#include "app/Hmeny.h"
#include "app/Lang.h"
#include "data/ovningar.h"
#include "exercises/ovning.h"
#include "platform/GameState.h"
#include "platform/Paths.h"
#include "platform/PictureBox.h"
#include "platform/Shape.h"
#include "platform/Win1252.h"
#include "screens/Ovform.h"
#include "screens/Unit3.h"

#include "AppTestSupport.h"
#include "MenuData.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>

namespace {

constexpr TColor Navy = 0x800000;
constexpr TColor Lime = 0x00FF00;

QStringList Items(const QListWidget* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

int SelectedRow(const QListWidget* list)
{
    const auto selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

TColor PixelAt(const QImage& picture, int x, int y)
{
    return FromQRgb(picture.pixel(x, y));
}

// What the small map shows equals the visible middle of a world-part picture.
bool MapShows(const TfrmHuvudmeny& menu, const QImage& picture)
{
    const QImage& shown = menu.imgMap->canvas().image();
    return shown == picture.copy(-menu.MapOffset.x(), -menu.MapOffset.y(), shown.width(),
                                 shown.height());
}

class StubScreen : public ExerciseWindow {
public:
    using ExerciseWindow::ExerciseWindow;
    void VisaFraga(const std::string&) override {}
    void VisaProcent(std::int32_t) override {}
    void OpenExercise(COvning*) override {}
};

class MainMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        oldCurrent = QDir::currentPath();
        ClearLanguageTable();
        CurrentLanguage = 2;
    }
    void TearDown() override
    {
        QDir::setCurrent(oldCurrent);
        ClearLanguageTable();
        CurrentLanguage = 2;
        SoundOn = true;
        MusicOn = true;
    }

    QRadioButton* RadioOf(int language)
    {
        QRadioButton* buttons[] = {lang.chkSve, lang.chkEng, lang.chkFra, lang.chkTys, lang.chkSpa};
        return buttons[language - 1];
    }

    // Creates the menu on the test's data and shows it; the language dialog is answered with
    // `language`, or cancelled when it is 0.
    std::unique_ptr<TfrmHuvudmeny> Start(int language)
    {
        auto menu = std::make_unique<TfrmHuvudmeny>(data.Dir());
        menu->SetLanguageDialog(&lang);
        menu->SetAboutBox(&about);
        QTimer::singleShot(0, &lang, [this, language] {
            if (language == 0) {
                lang.cmdAvbryt->click();
            } else {
                RadioOf(language)->setChecked(true);
                lang.cmdOK->click();
            }
        });
        menu->show();
        return menu;
    }

    // A point of the picture, inside the visible part of the small map, where `wanted` holds
    // for the point and its eight neighbours.
    template <typename Wanted>
    static std::optional<QPoint> FindPoint(const TfrmHuvudmeny& menu, Wanted wanted)
    {
        const int left = -menu.MapOffset.x();
        const int top = -menu.MapOffset.y();
        for (int y = top + 1; y < top + menu.imgMap->height() - 1; ++y)
            for (int x = left + 1; x < left + menu.imgMap->width() - 1; ++x) {
                bool all = true;
                for (int dy = -1; dy <= 1 && all; ++dy)
                    for (int dx = -1; dx <= 1 && all; ++dx)
                        all = wanted(x + dx, y + dy);
                if (all)
                    return QPoint(x, y);
            }
        return std::nullopt;
    }

    // A click on the small map at a point of the pictures.
    static void ClickMap(TfrmHuvudmeny& menu, QPoint picturePoint)
    {
        QTest::mouseClick(menu.imgMap, Qt::LeftButton, {}, picturePoint + menu.MapOffset);
    }

    MenuData data;
    PrivateSettings settings;
    RecordedBoxes boxes;
    RecordedPlayers players;
    TfrmLang lang;
    TfrmAbout about;
    QString oldCurrent;
};

// ---- Loading ----

class MainMenuLanguageTest : public MainMenuTest, public ::testing::WithParamInterface<int> {};

TEST_P(MainMenuLanguageTest, LoadsTheMenuInTheChosenLanguage)
{
    const int language = GetParam();
    auto menu = Start(language);

    ASSERT_TRUE(menu->isVisible()) << boxes.errors.join(" | ").toStdString();
    EXPECT_TRUE(boxes.errors.isEmpty());
    EXPECT_EQ(CurrentLanguage, language);
    EXPECT_EQ(settings.Value("Languages/From"), QString::number(language));
    EXPECT_EQ(menu->windowTitle(), "Globana");

    const std::pair<QWidget*, int> tagged[] = {
        {menu->cmdStarta, 1}, {menu->cmdTioitopp, 2}, {menu->cmdAvsluta, 3},
        {menu->cmdOm, 5},     {menu->cmdHjalp, 18},   {menu->lblInstruktion, 25}};
    for (const auto& [control, number] : tagged) {
        const QString text = qobject_cast<QPushButton*>(control)
                                 ? qobject_cast<QPushButton*>(control)->text()
                                 : qobject_cast<QLabel*>(control)->text();
        EXPECT_EQ(text.toStdString(), MenuData::TextIn(number, language)) << number;
    }

    QStringList parts;
    for (int n = 27; n <= 33; ++n)
        parts << QString::fromStdString(MenuData::TextIn(n, language));
    EXPECT_EQ(Items(menu->lstParts), parts);
    // Europe is current and drawn, but no entry of the list is selected.
    EXPECT_EQ(SelectedRow(menu->lstParts), -1);
    EXPECT_EQ(menu->CurrentWorldPart, 1);
    EXPECT_TRUE(MapShows(*menu, menu->imgEuropa));
    // The Europe exercises in catalogue order, named in the chosen language.
    EXPECT_EQ(Items(menu->cboOvningar),
              (QStringList{QString::fromStdString(MenuData::NameIn("Capitals", language)),
                           QString::fromStdString(MenuData::NameIn("Countries", language)),
                           QString::fromStdString(MenuData::NameIn("Countries 2", language))}));
    EXPECT_FALSE(menu->tmrInstruktion->isActive());
}

INSTANTIATE_TEST_SUITE_P(Languages, MainMenuLanguageTest, ::testing::Range(1, 6));

TEST_F(MainMenuTest, CancellingTheLanguageDialogEndsWithoutLoading)
{
    // A broken catalogue would be reported if it were read.
    data.WriteBytes("Ovning.crp", "x");
    auto menu = Start(0);

    EXPECT_TRUE(menu->isHidden());
    EXPECT_EQ(menu->Catalogue, nullptr);
    EXPECT_TRUE(boxes.errors.isEmpty());
    EXPECT_EQ(LanguageText(2, 1), "");
    EXPECT_FALSE(settings.FileExists());
}

struct LoadFailure {
    const char* name;
    std::function<void(const MenuData&)> damage;
    std::function<std::string(const MenuData&)> message;
};

class MainMenuLoadFailureTest : public MainMenuTest,
                                public ::testing::WithParamInterface<LoadFailure> {};

TEST_P(MainMenuLoadFailureTest, IsReportedWithTheExactMessageAndEndsTheProgram)
{
    GetParam().damage(data);
    auto menu = Start(2);

    const QString expected = QStringLiteral("Oops! I failed to open the main menu.\r\n"
                                            "The following problem occurred: ")
        + QString::fromStdString(GetParam().message(data))
        + QStringLiteral("\r\nGlobana will be terminated.");
    EXPECT_EQ(boxes.errors, QStringList{expected});
    EXPECT_TRUE(menu->isHidden());
}

INSTANTIATE_TEST_SUITE_P(
    Files, MainMenuLoadFailureTest,
    ::testing::Values(
        LoadFailure{"catalogue_missing", [](const MenuData& d) { d.Remove("Ovning.crp"); },
                    [](const MenuData&) { return std::string("File \"Ovning.crp\" not found."); }},
        LoadFailure{"catalogue_cut_short",
                    [](const MenuData& d) {
                        QByteArray bytes = d.ReadBytes("Ovning.crp");
                        d.WriteBytes("Ovning.crp", bytes.left(bytes.size() - 3));
                    },
                    [](const MenuData&) { return std::string("Read beyond end of file"); }},
        LoadFailure{"strings_missing", [](const MenuData& d) { d.Remove("lang.crp"); },
                    [](const MenuData& d) {
                        return "File \"" + d.Dir() + "/lang.crp\" not found.";
                    }},
        LoadFailure{"strings_cut_short",
                    [](const MenuData& d) {
                        QByteArray bytes = d.ReadBytes("lang.crp");
                        d.WriteBytes("lang.crp", bytes.left(bytes.size() - 1));
                    },
                    [](const MenuData&) { return std::string("Read beyond end of file"); }},
        LoadFailure{"string_number_35", [](const MenuData& d) { d.WriteLanguage({1, 35}); },
                    [](const MenuData&) { return std::string("Range check error"); }}),
    [](const ::testing::TestParamInfo<LoadFailure>& info) { return std::string(info.param.name); });

TEST_F(MainMenuTest, TemplateBitmapIsLoadedAtCreation)
{
    TemplateBitmap = QImage();
    TfrmHuvudmeny menu(data.Dir());
    EXPECT_EQ(TemplateBitmap.size(), QSize(4, 4));
    EXPECT_TRUE(boxes.generalErrors.isEmpty());
    // Creation also makes the data folder current and switches sound and music on.
    EXPECT_EQ(QDir::current(), QDir(QString::fromStdString(data.Dir())));
}

TEST_F(MainMenuTest, ABadTemplateBitmapIsReportedAndTheMenuComesUpAllTheSame)
{
    data.Remove("bmptest.bmp");
    {
        TfrmHuvudmeny menu(data.Dir());
        EXPECT_TRUE(TemplateBitmap.isNull());
    }
    data.WriteBytes("bmptest.bmp", "BM not a bitmap");
    auto menu = Start(2);
    EXPECT_TRUE(TemplateBitmap.isNull());
    EXPECT_EQ(boxes.generalErrors,
              (QStringList{"File \"" + data.Path("bmptest.bmp") + "\" not found.",
                           "Bitmap image is not valid."}));
    EXPECT_TRUE(menu->isVisible());
}

// ---- World-part selection ----

TEST_F(MainMenuTest, AClickOnAPartsLandSelectsThatPart)
{
    auto menu = Start(2);
    ASSERT_FALSE(menu->imgHela.isNull()) << "the world-part pictures are not built in";
    for (int part = 1; part <= 6; ++part) {
        const QImage& picture = menu->WorldPartPicture(part);
        const auto land = FindPoint(*menu, [&](int x, int y) {
            return PixelAt(picture, x, y) == Lime && PixelAt(menu->imgHela, x, y) == Lime;
        });
        ASSERT_TRUE(land) << "no land of part " << part << " on the small map";
        const int playsBefore = players.wav2->plays;

        ClickMap(*menu, *land);

        EXPECT_EQ(menu->CurrentWorldPart, part);
        EXPECT_EQ(SelectedRow(menu->lstParts), part - 1);
        EXPECT_TRUE(MapShows(*menu, picture)) << "part " << part;
        EXPECT_EQ(players.wav2->plays, playsBefore + 1) << "part " << part;
        EXPECT_EQ(players.wav2->fileName(), ExePath("Plopp.WAV"));
    }
}

TEST_F(MainMenuTest, SeaSelectsTheWholeWorldEvenInsideAnotherPartsBox)
{
    auto menu = Start(2);
    // Inside Europe's box (x 171-254, y 20-59): the Mediterranean or the Baltic.
    const auto sea = FindPoint(*menu, [&](int x, int y) {
        return x >= 171 && x <= 254 && y >= 20 && y <= 59
            && PixelAt(menu->imgAustralien, x, y) == Navy;
    });
    ASSERT_TRUE(sea);
    ClickMap(*menu, *sea);

    EXPECT_EQ(menu->CurrentWorldPart, 7);
    EXPECT_EQ(SelectedRow(menu->lstParts), 6);
    EXPECT_TRUE(MapShows(*menu, menu->imgHela));
    EXPECT_EQ(Items(menu->cboOvningar), (QStringList{"Flags-en", "Oceans-en"}));
}

TEST_F(MainMenuTest, APointMatchingNoPartChangesNothingButTheListSelection)
{
    auto menu = Start(2);
    menu->SattVarldsdel(3);
    // Land that no part claims, as the pictures have it; failing that, a point made so.
    auto none = FindPoint(*menu, [&](int x, int y) {
        if (PixelAt(menu->imgAustralien, x, y) == Navy)
            return false;
        for (int part = 1; part <= 6; ++part)
            if (PixelAt(menu->WorldPartPicture(part), x, y) == PixelAt(menu->imgHela, x, y))
                return false;
        return true;
    });
    if (!none) {
        none = FindPoint(*menu, [&](int x, int y) { return PixelAt(menu->imgAsien, x, y) == Lime; });
        ASSERT_TRUE(none);
        menu->imgHela.setPixel(*none, qRgb(1, 2, 3));
    }
    const QImage mapBefore = menu->imgMap->canvas().image();
    const QStringList listBefore = Items(menu->cboOvningar);
    menu->lstParts->clearSelection();
    const int playsBefore = players.wav2->plays;

    ClickMap(*menu, *none);

    EXPECT_EQ(menu->CurrentWorldPart, 3);
    EXPECT_EQ(SelectedRow(menu->lstParts), 2);
    EXPECT_EQ(menu->imgMap->canvas().image(), mapBefore);
    EXPECT_EQ(Items(menu->cboOvningar), listBefore);
    EXPECT_EQ(players.wav2->plays, playsBefore);
}

TEST_F(MainMenuTest, APointMatchingSeveralPartsSelectsEachInTestOrder)
{
    auto menu = Start(2);
    const auto africa = FindPoint(*menu, [&](int x, int y) {
        return PixelAt(menu->imgAfrika, x, y) == Lime;
    });
    ASSERT_TRUE(africa);
    // Asia's picture made to claim the same point: Africa is tested first, Asia later.
    menu->imgAsien.setPixel(*africa, qRgb(0, 255, 0));
    const int playsBefore = players.wav2->plays;

    ClickMap(*menu, *africa);

    EXPECT_EQ(players.wav2->plays, playsBefore + 2);
    EXPECT_EQ(menu->CurrentWorldPart, 4);
    EXPECT_EQ(SelectedRow(menu->lstParts), 3);
    EXPECT_TRUE(MapShows(*menu, menu->imgAsien));
}

TEST_F(MainMenuTest, ReleasingTheMouseOrAKeyOverThePartListSelectsThatPart)
{
    auto menu = Start(2);
    QListWidget* list = menu->lstParts;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(4)).center());
    EXPECT_EQ(menu->CurrentWorldPart, 5);
    EXPECT_TRUE(MapShows(*menu, menu->imgAfrika));
    EXPECT_EQ(Items(menu->cboOvningar), QStringList{"Where is it-en"});

    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(menu->CurrentWorldPart, 6);
    EXPECT_TRUE(menu->cboOvningar->count() == 0) << "no exercise of Australia";
}

TEST_F(MainMenuTest, AKeyReleasedInThePartListWithNothingSelectedSelectsPartZero)
{
    auto menu = Start(2);
    const QImage mapBefore = menu->imgMap->canvas().image();
    const int playsBefore = players.wav2->plays;

    QTest::keyRelease(menu->lstParts, Qt::Key_Shift);

    EXPECT_EQ(menu->CurrentWorldPart, 0);
    EXPECT_EQ(menu->cboOvningar->count(), 0);
    EXPECT_EQ(menu->imgMap->canvas().image(), mapBefore);
    EXPECT_EQ(players.wav2->plays, playsBefore + 1);
    EXPECT_TRUE(menu->tmrInstruktion->isActive());
}

// ---- Instruction slide ----

TEST_F(MainMenuTest, InstructionSlidesDownUnderTheListsOnceAPartOtherThanEuropeIsChosen)
{
    auto menu = Start(2);
    EXPECT_EQ(menu->tmrInstruktion->interval(), 200);
    menu->SattVarldsdel(1);
    EXPECT_FALSE(menu->tmrInstruktion->isActive()) << "Europe never starts the slide";

    menu->SattVarldsdel(2);
    ASSERT_TRUE(menu->tmrInstruktion->isActive());
    for (int tick = 1; tick <= 16; ++tick)
        menu->tmrInstruktionTimer();
    EXPECT_EQ(menu->lblInstruktion->y(), 176);
    EXPECT_TRUE(menu->tmrInstruktion->isActive());
    EXPECT_EQ(menu->Shape2->brushColor(), 0x0000FFu) << "the circle is red until the end";

    menu->tmrInstruktionTimer();
    EXPECT_EQ(menu->lblInstruktion->y(), 178);
    EXPECT_FALSE(menu->tmrInstruktion->isActive());
    EXPECT_EQ(menu->Shape2->brushColor(), 0x00FFFFu);

    // A later start moves it once more and stops again, the circle yellow again.
    menu->Shape2MouseDown();
    menu->SattVarldsdel(4);
    menu->tmrInstruktionTimer();
    EXPECT_EQ(menu->lblInstruktion->y(), 180);
    EXPECT_FALSE(menu->tmrInstruktion->isActive());
    EXPECT_EQ(menu->Shape2->brushColor(), 0x00FFFFu);
}

TEST_F(MainMenuTest, TheCircleTakesARandomPaletteColour)
{
    auto menu = Start(2);
    QTest::mouseClick(menu->Shape2, Qt::LeftButton, {}, QPoint(5, 8));
    const TColor color = menu->Shape2->brushColor();
    EXPECT_EQ(color >> 24, 0x02u);
    EXPECT_GE(color, 0x02000F00u);
    EXPECT_LE(color, 0x02FFFFFEu);
}

// ---- Exercises and other windows ----

class MainMenuStartTest : public MainMenuTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(MainMenuStartTest, AFailedStartIsReportedAndEndsTheProgram)
{
    // Every exercise of the test catalogue names data files that do not exist.
    auto menu = Start(2);
    menu->SattVarldsdel(GetParam() == std::string("Where is it") ? 5 : 7);
    const auto found = menu->cboOvningar->findItems(QString::fromStdString(MenuData::NameIn(GetParam(), 2)),
                                                    Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    found.first()->setSelected(true);
    QSignalSpy closed(menu.get(), &TfrmHuvudmeny::Closed);

    menu->cmdStarta->click();

    ASSERT_EQ(boxes.errors.size(), 1);
    EXPECT_EQ(closed.count(), 1);
    const QString message = boxes.errors.first();
    EXPECT_TRUE(message.startsWith("Oops! I failed to start the exercise.\r\n"
                                   "The following problem occurred: "))
        << message.toStdString();
    EXPECT_TRUE(message.endsWith("\r\nGlobana will be terminated.")) << message.toStdString();
    EXPECT_TRUE(menu->isHidden());
}

std::string KindOfRow(const ::testing::TestParamInfo<const char*>& info)
{
    static const char* const kinds[] = {"AFR_MULTI", "world_FLAGG", "world_MULTI"};
    return kinds[info.index];
}

INSTANTIATE_TEST_SUITE_P(Kinds, MainMenuStartTest,
                         ::testing::Values("Where is it", "Flags", "Oceans"), KindOfRow);

TEST_F(MainMenuTest, StartWithNothingSelectedDoesNothing)
{
    auto menu = Start(2);
    menu->cmdStarta->click();
    EXPECT_TRUE(boxes.errors.isEmpty());
    EXPECT_TRUE(menu->isVisible());
}

// A right-button double click used to start the exercise as well.
TEST_F(MainMenuTest, OnlyALeftDoubleClickInTheExerciseListStarts)
{
    // Every exercise of the test catalogue names data files that do not exist: a start shows.
    auto menu = Start(2);
    menu->SattVarldsdel(7);
    ASSERT_GT(menu->cboOvningar->count(), 0);
    QListWidgetItem* item = menu->cboOvningar->item(0);
    item->setSelected(true);
    const QPoint at = menu->cboOvningar->visualItemRect(item).center();
    QTest::mouseDClick(menu->cboOvningar->viewport(), Qt::RightButton, {}, at);
    QTest::mouseDClick(menu->cboOvningar->viewport(), Qt::MiddleButton, {}, at);
    EXPECT_TRUE(boxes.errors.isEmpty());
    EXPECT_TRUE(menu->isVisible());
    QTest::mouseDClick(menu->cboOvningar->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(boxes.errors.size(), 1);
}

TEST_F(MainMenuTest, ActivationReleasesTheExerciseScreenOpenOrClosed)
{
    auto menu = Start(2);
    StubScreen elsewhere; // a window active meanwhile, for a screen that is not shown
    elsewhere.show();
    for (const bool shown : {false, true}) {
        auto* screen = new StubScreen(menu.get());
        QPointer<StubScreen> screenRef(screen);
        screen->setWindowFlags(Qt::Window);
        screen->setVisible(shown);
        menu->Screen = screen;
        QApplication::setActiveWindow(shown ? static_cast<QWidget*>(screen) : &elsewhere);
        ASSERT_FALSE(menu->Screen.isNull()) << "released while the screen was active";

        QApplication::setActiveWindow(menu.get());
        EXPECT_TRUE(menu->Screen.isNull());
        EXPECT_FALSE(screenRef.isNull()) << "released at once instead of deferred";
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(screenRef.isNull());
    }
}

// A screen still open when the next exercise started stayed on the same exercise as the new
// one; when either went, the other's exercise had no map and a click on it crashed.
TEST_F(MainMenuTest, AStartReleasesTheScreenStillOpenAndIsNotEnteredTwice)
{
    auto menu = Start(2);
    auto* open = new StubScreen(menu.get());
    open->setWindowFlags(Qt::Window);
    open->show();
    QPointer<StubScreen> openRef(open);
    menu->Screen = open;
    menu->SattVarldsdel(7);
    menu->cboOvningar->item(0)->setSelected(true);
    // A second start arrives while the first screen opens (every start fails on the test data).
    QTimer::singleShot(0, menu.get(), [&] { menu->cmdStartaClick(); });

    menu->cmdStartaClick();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(openRef.isNull());
    EXPECT_EQ(boxes.errors.size(), 1);
}

// The menu activated while a map screen opened (its OpenExercise lets events through) released
// the screen, which was destroyed under its own OpenExercise.
TEST_F(MainMenuTest, ActivationWhileAScreenOpensReleasesItOnlyOnceItIsOpen)
{
    auto menu = Start(2);
    menu->SattVarldsdel(1); // "Capitals", a map exercise, whose data files do not exist
    const auto found = menu->cboOvningar->findItems(QString::fromStdString(MenuData::NameIn("Capitals", 2)),
                                                    Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    found.first()->setSelected(true);
    QPointer<ExerciseWindow> opening;
    QTimer::singleShot(0, menu.get(), [&] {
        opening = menu->Screen;
        QApplication::setActiveWindow(menu.get());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(opening.isNull()) << "destroyed while it opens";
    });

    menu->cmdStartaClick();
    EXPECT_TRUE(menu->Screen.isNull());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(opening.isNull());
}

// A missing flag file is reported over the main menu while the flag screen opens, and the menu
// becomes active when the box goes. The release held back meanwhile used to destroy the screen
// as soon as it had opened, though its play goes on; it goes once the player has left it.
TEST_F(MainMenuTest, AMessageOverTheMenuWhileAScreenOpensKeepsTheScreenThatOpened)
{
    AreaRecord area;
    area.Keys[0] = "K1";
    area.Names[0] = "Country 1";
    area.FlagFile = "k1.bmp"; // no such file
    area.North = 2;
    area.South = 1;
    area.East = 1;
    area.Vertices = {{1, 0}, {2, 0}, {2, 1}, {1, 1}};
    CrpWriter areas;
    WriteArea(areas, area);
    areas.SaveTo(data.Path("AREA1.crp").toStdString());
    CrpWriter().SaveTo(data.Path("Ort1.crp").toStdString());
    CatalogueRecord flags;
    flags.Keyword = "FLAGG";
    flags.Number = 1;
    for (int language = 1; language <= 5; ++language)
        flags.Names[language - 1] = MenuData::NameIn("Flags", language);
    flags.WorldPart = "*";
    flags.Selectors = {"K1"};
    CrpWriter catalogue;
    WriteCatalogueEntry(catalogue, flags);
    catalogue.SaveTo(data.Path("Ovning.crp").toStdString());
    TfrmOvningFlagga::SetFlagFolder(data.Dir() + "/flags");

    auto menu = Start(2);
    menu->SattVarldsdel(7);
    menu->cboOvningar->item(0)->setSelected(true);
    QStringList reported;
    SetMessagePresenter([&](MessageKind, const QString& text) {
        reported << text;
        QApplication::setActiveWindow(menu.get());
    });
    menu->cmdStartaClick();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(reported, QStringList{QStringLiteral("Could not open flag file k1.bmp")});
    QPointer<ExerciseWindow> screen = menu->Screen;
    ASSERT_FALSE(screen.isNull()) << "the play goes on";

    QApplication::setActiveWindow(screen);
    screen->close();
    QApplication::setActiveWindow(menu.get());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(screen.isNull()) << "released once left";
    TfrmOvningFlagga::SetFlagFolder({});
}

// A screen's destruction tells its exercise that it is gone; the exercise must still exist.
class ExerciseMindingScreen : public StubScreen {
public:
    ExerciseMindingScreen(QWidget* owner, COvning* exercise) : StubScreen(owner), exercise_(exercise)
    {
        exercise_->Screen = this;
    }
    ~ExerciseMindingScreen() override { exercise_->Screen = nullptr; }

private:
    COvning* exercise_;
};

TEST_F(MainMenuTest, ScreensEndBeforeTheCatalogueWhenTheMenuIsDestroyed)
{
    auto menu = Start(2);
    ASSERT_NE(menu->Catalogue, nullptr);
    COvning* exercise = menu->Catalogue->First;
    menu->Screen = new ExerciseMindingScreen(menu.get(), exercise);
    // Released but not yet deleted: also still a child of the menu.
    auto* pending = new ExerciseMindingScreen(menu.get(), exercise->Next);
    pending->deleteLater();
    menu.reset(); // under AddressSanitizer a use after free shows here
    SUCCEED();
}

TEST_F(MainMenuTest, HighScoreListOpensModallyAndIsReleased)
{
    auto menu = Start(2);
    QString shownClass;
    QTimer::singleShot(0, menu.get(), [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            shownClass = QString::fromLatin1(modal->metaObject()->className());
            modal->close();
        }
    });
    menu->cmdTioitopp->click();

    EXPECT_EQ(shownClass, "TfrmTopplista");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(menu->ListWindow.isNull());
}

TEST_F(MainMenuTest, AboutHelpAndQuitButtons)
{
    auto menu = Start(2);
    menu->cmdOm->click();
    EXPECT_TRUE(about.isVisible());
    menu->cmdHjalp->click();
    EXPECT_EQ(boxes.helpTopics, std::vector<int>{101});
    QSignalSpy closed(menu.get(), &TfrmHuvudmeny::Closed);
    menu->cmdAvsluta->click();
    EXPECT_TRUE(menu->isHidden());
    EXPECT_EQ(closed.count(), 1) << "the program ends with the main window";
}

TEST_F(MainMenuTest, ColourSchemeOfATrueColourDisplay)
{
    auto menu = Start(2);
    // The offscreen display has 32 bits per pixel: more than 256 colours. (2 to the power 32
    // in a 32-bit integer once wrapped round to 1 and chose the 256-colour scheme.)
    EXPECT_GT(ColorCount, 256);
    EXPECT_EQ(menu->Shape1->brushColor(), 0x00A05A28u);
    EXPECT_EQ(menu->lstParts->palette().color(QPalette::Base), QColor(0xC0, 0xD0, 0xE0));
}

} // namespace
