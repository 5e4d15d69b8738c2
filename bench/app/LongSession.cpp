// A long session in one process: the main menu starts every exercise of the catalogue, each is
// played to its end on its own screen (every question answered at once, as a player who knows
// them would), the top-ten window takes the result and saves it, the screen is closed and the
// menu releases it; and all of that again, round after round. After each round the program
// measures its resident memory, open file descriptors, registered timers and windows.
//
//   bench_long_session [--rounds N] [--user-folders] [content folder]      (default 10 rounds)
//
// Scores and settings go to temporary folders, or with --user-folders to those XDG_CONFIG_HOME
// and XDG_DATA_HOME name. Message boxes are answered with OK and their texts printed.
//
// Exit status 1 when, after the first round, memory (measured with Qt's pixmap cache emptied, a
// cache of the style's that may fill to its limit of 10 MiB over several rounds) grew by more than
// 2 MiB over the other rounds, descriptors or timers did not come back to where they were after the first round, a
// window was left behind, an exercise could not be played to its end or a message box came up. One round compares
// descriptors, timers and windows with the figures before it.
#include "app/About.h"
#include "app/Hmeny.h"
#include "app/Lang.h"
#include "data/Areor.h"
#include "data/Orter.h"
#include "data/ovningar.h"
#include "exercises/OvFlagga.h"
#include "exercises/OvLand.h"
#include "exercises/OvOrt.h"
#include "exercises/Ovmulti.h"
#include "map/UKarta.h"
#include "platform/GameState.h"
#include "platform/GlobanaApplication.h"
#include "platform/Win1252.h"
#include "scores/Tioitopp.h"
#include "screens/Unit1.h"
#include "screens/Unit3.h"
#include "screens/Unit4.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPixmapCache>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

struct Figures {
    long rssKiB = 0;    // with Qt's pixmap cache emptied
    long rawRssKiB = 0; // as it was
    int fds = 0;
    int timers = 0;
    int windows = 0;
};

long RssKiB()
{
    long pages = 0, resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

int OpenDescriptors()
{
    std::error_code ec;
    int n = 0;
    for (auto it = std::filesystem::directory_iterator("/proc/self/fd", ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec))
        ++n;
    return n - 1; // the iterator's own
}

// What each open descriptor is, for the report when they did not come back.
void PrintDescriptors()
{
    std::error_code ec;
    for (auto it = std::filesystem::directory_iterator("/proc/self/fd", ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec))
        std::fprintf(stderr, "  fd %s -> %s\n", it->path().filename().c_str(),
                     std::filesystem::read_symlink(it->path(), ec).c_str());
}

// Timers registered by the application object and every window with everything they own.
int RegisteredTimers()
{
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    std::vector<QObject*> roots{qApp};
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!w->parent())
            roots.push_back(w);
    int n = 0;
    for (QObject* root : roots) {
        n += int(dispatcher->registeredTimers(root).size());
        for (QObject* child : root->findChildren<QObject*>())
            n += int(dispatcher->registeredTimers(child).size());
    }
    return n;
}

// The player waits at the menu until its instruction has slid into place (its timer stops).
void SettleMenu(TfrmHuvudmeny& menu)
{
    for (int guard = 0; menu.tmrInstruktion->isActive() && guard < 1000; ++guard)
        menu.tmrInstruktionTimer();
}

Figures Measure()
{
    // What the last round released for later is released now.
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    // The style keeps drawn widget parts in Qt's pixmap cache, which may fill to its limit
    // (10 MiB) over several rounds; measured without it, growth is the game's own.
    const long raw = RssKiB();
    QPixmapCache::clear();
    return {RssKiB(), raw, OpenDescriptors(), RegisteredTimers(), int(QApplication::topLevelWidgets().size())};
}

// A picture pixel whose click the exercise judges right, or nothing.
template <typename Judge>
std::optional<QPoint> FindRightPixel(const CKarta& map, Judge right, const std::vector<QPoint>& first,
                                     QRect box)
{
    for (const QPoint& p : first)
        if (right(p))
            return p;
    box &= QRect(0, 0, map.Width(), map.Height());
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (right(QPoint(x, y)))
                return QPoint(x, y);
    return std::nullopt;
}

QPoint PixelOf(const CKarta& map, double lat, double lon)
{
    return {map.ToX(float(lat), float(lon)), map.LatitudeToY(float(lat))};
}

std::optional<QPoint> RightPixel(TfrmOvningKarta& screen, COvning& exercise)
{
    const CKarta& map = *screen.Map();
    auto right = [&](QPoint p) {
        TAnswer a;
        a.Latitude = map.YToLatitude(p.y());
        a.Longitude = map.ToLongitude(p.y(), p.x());
        return exercise.IsCorrect(a);
    };
    if (auto* place = dynamic_cast<COvningOrt*>(&exercise)) {
        if (!place->CurrentPlace)
            return std::nullopt;
        const QPoint at = PixelOf(map, place->CurrentPlace->Latitude, place->CurrentPlace->Longitude);
        return FindRightPixel(map, right, {at}, QRect(at - QPoint(8, 8), QSize(17, 17)));
    }
    auto* land = dynamic_cast<COvningLandArea*>(&exercise);
    if (!land)
        return std::nullopt;
    const CAreor& areas = *map.Areas;
    for (int i = 1; i <= areas.Count; ++i) {
        const CArea& a = areas.Item(i);
        if (!a.Included || !a.HasKey(land->CurrentSelector))
            continue;
        std::vector<QPoint> seeds{PixelOf(map, a.Seed1.Latitude, a.Seed1.Longitude),
                                  PixelOf(map, a.Seed2.Latitude, a.Seed2.Longitude)};
        int left = map.Width(), rightEdge = -1;
        for (double lat : {a.North, a.South, (a.North + a.South) / 2}) {
            left = std::min({left, map.ToX(float(lat), float(a.West))});
            rightEdge = std::max({rightEdge, map.ToX(float(lat), float(a.East))});
        }
        const QRect box(QPoint(left, map.LatitudeToY(float(a.North))),
                        QPoint(rightEdge, map.LatitudeToY(float(a.South))));
        if (auto p = FindRightPixel(map, right, seeds, box))
            return p;
    }
    return std::nullopt;
}

// Plays the exercise on its screen to the end; false when a question could not be answered.
bool PlayToTheEnd(TOvningsformular* screen, COvning& exercise, int& questions)
{
    if (auto* map = dynamic_cast<TfrmOvningKarta*>(screen)) {
        for (int guard = 0; !exercise.Finished && guard < 1000; ++guard) {
            const std::optional<QPoint> p = RightPixel(*map, exercise);
            if (!p)
                return false;
            map->imgKartaMouseDown(p->x(), p->y());
            ++questions;
        }
        return exercise.Finished;
    }
    if (auto* flags = dynamic_cast<TfrmOvningFlagga*>(screen)) {
        auto& flag = static_cast<COvningFlagga&>(exercise);
        for (int q = 1; q <= flag.FlagCount; ++q) {
            const int asked = flag.AskedPosition;
            if (asked < 1)
                return false;
            const QPoint c = flags->CellRect(asked).center();
            flags->imgFlagsMouseDown(c.x(), c.y());
            if (!flag.Answered[asked])
                return false;
            ++questions;
        }
        return true;
    }
    if (auto* multi = dynamic_cast<TfrmOvningMulti*>(screen)) {
        auto& m = static_cast<COvningMulti&>(exercise);
        multi->tmrTimer->setInterval(0); // the pause after a right answer; its length is no matter here
        for (int guard = 0; !multi->ExerciseOver() && guard < 1000; ++guard) {
            multi->imgSvarClick(m.RightPosition);
            ++questions;
        }
        return multi->ExerciseOver();
    }
    return false;
}

QListWidgetItem* MenuEntry(TfrmHuvudmeny& menu, const COvning& exercise)
{
    const QString name = FromWin1252(exercise.Names[CurrentLanguage]);
    for (int i = 0; i < menu.cboOvningar->count(); ++i)
        if (menu.cboOvningar->item(i)->text() == name)
            return menu.cboOvningar->item(i);
    return nullptr;
}

int WorldPartOf(const COvning& exercise)
{
    for (int part = 1; part <= 7; ++part)
        if (TfrmHuvudmeny::WorldPartCode(part) == exercise.WorldPart)
            return part;
    return 0;
}

double Median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    int rounds = 10;
    bool userFolders = false;
    std::string contentDir = GLOBANA_CONTENT_DIR;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc)
            rounds = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--user-folders") == 0)
            userFolders = true;
        else
            contentDir = argv[i];
    }
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen")
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + BENCH_SCREEN_CONFIG);
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    // Scores and settings of the session go to folders of its own.
    QTemporaryDir home;
    if (!userFolders) {
        qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    }

    GlobanaApplication app(argc, argv);
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QApplication::setApplicationName(QStringLiteral("globana"));
    if (!std::filesystem::exists(contentDir + "/Ovning.crp")) {
        std::fprintf(stderr, "no catalogue in %s\n", contentDir.c_str());
        return 1;
    }
    int errors = 0;
    GlobanaApplication::errorBox = [&errors](const QString& message) {
        ++errors;
        std::fprintf(stderr, "error box: %s\n", message.toLocal8Bit().constData());
    };

    // The player at the top-ten window: types a name where one is asked for, then OK. A message
    // box is read and closed.
    int topTens = 0, boxes = 0;
    QPointer<TfrmTioitopp> clicked;
    QTimer player;
    player.setInterval(1);
    QObject::connect(&player, &QTimer::timeout, [&topTens, &boxes, &clicked] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            if (++boxes <= 5)
                std::printf("message box: %s\n", box->text().toLocal8Bit().constData());
            box->accept();
            return;
        }
        auto* window = qobject_cast<TfrmTioitopp*>(QApplication::activeModalWidget());
        if (!window || !window->isVisible() || window == clicked)
            return;
        clicked = window;
        if (window->txtNySignatur->isVisible())
            window->txtNySignatur->setText(QStringLiteral("Long session"));
        ++topTens;
        // Clicked once this tick is over: a message box that OK brings up needs the next ticks.
        QTimer::singleShot(0, window->cmdOK, &QPushButton::click);
    });
    player.start();

    TfrmHuvudmeny menu(contentDir);
    TfrmLang lang;
    TfrmAbout about;
    menu.SetLanguageDialog(&lang);
    menu.SetAboutBox(&about);
    QTimer::singleShot(0, &lang, [&lang] { lang.cmdOK->click(); });
    menu.show();
    if (menu.isHidden() || !menu.Catalogue) {
        std::fprintf(stderr, "the main menu did not come up\n");
        return 1;
    }


    // Flags are looked for beside the program unless told otherwise.
    TfrmOvningFlagga::SetFlagFolder(contentDir + "/flags");
    menu.SattVarldsdel(2);
    menu.SattVarldsdel(1);
    SettleMenu(menu);
    const Figures before = Measure();
    std::vector<Figures> after;
    std::vector<double> seconds;
    int exercises = 0, questions = 0, unplayable = 0, left = 0;
    for (int round = 1; round <= rounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        exercises = questions = 0;
        for (COvning* e = menu.Catalogue->First; e; e = e->Next) {
            menu.SattVarldsdel(WorldPartOf(*e));
            QListWidgetItem* entry = MenuEntry(menu, *e);
            if (!entry) {
                std::fprintf(stderr, "exercise %d is not in the menu's list\n", int(e->Number));
                ++unplayable;
                continue;
            }
            menu.cboOvningar->setCurrentItem(entry);
            entry->setSelected(true);
            menu.cmdStartaClick();
            QPointer<ExerciseWindow> screen = menu.Screen;
            if (!screen) {
                std::fprintf(stderr, "exercise %d opened no screen\n", int(e->Number));
                ++unplayable;
                continue;
            }
            ++exercises;
            if (!PlayToTheEnd(screen, *e, questions)) {
                std::fprintf(stderr, "exercise %d could not be played to its end\n", int(e->Number));
                ++unplayable;
            }
            screen->close();
            // The menu becomes the active window again and releases the screen.
            QApplication::setActiveWindow(&menu);
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (screen) {
                std::fprintf(stderr, "the screen of exercise %d was not released\n", int(e->Number));
                ++left;
            }
        }
        seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        SettleMenu(menu);
        after.push_back(Measure());
        const Figures& f = after.back();
        std::printf("round %d: %d exercises, %d questions, %.1f s; rss %ld KiB (%ld KiB with the pixmap cache), "
                    "%d descriptors, %d timers, %d windows\n",
                    round, exercises, questions, seconds.back(), f.rssKiB, f.rawRssKiB, f.fds, f.timers, f.windows);
        std::fflush(stdout);
    }
    player.stop();

    // After the first round: the first round's figures are where later rounds must come back to.
    const Figures& base = rounds > 1 ? after.front() : before;
    const Figures& last = after.back();
    long maxGrowth = 0, maxRawGrowth = 0;
    for (std::size_t i = 1; i < after.size(); ++i) {
        maxGrowth = std::max(maxGrowth, after[i].rssKiB - after.front().rssKiB);
        maxRawGrowth = std::max(maxRawGrowth, after[i].rawRssKiB - after.front().rawRssKiB);
    }
    std::printf("rounds %d\n", rounds);
    std::printf("exercises %d\n", exercises);
    std::printf("questions %d\n", questions);
    std::printf("top_ten_windows %d\n", topTens);
    std::printf("message_boxes %d\n", boxes);
    std::printf("round_seconds_median %.2f\n", Median(seconds));
    std::printf("rss_kib_before %ld\n", before.rssKiB);
    std::printf("rss_kib_after_first %ld\n", after.front().rssKiB);
    std::printf("rss_kib_after_last %ld\n", last.rssKiB);
    std::printf("rss_growth_kib %ld\n", maxGrowth);
    std::printf("raw_rss_kib_after_first %ld\n", after.front().rawRssKiB);
    std::printf("raw_rss_kib_after_last %ld\n", last.rawRssKiB);
    std::printf("raw_rss_growth_kib %ld\n", maxRawGrowth);
    std::printf("fds %d %d %d\n", before.fds, after.front().fds, last.fds);
    std::printf("timers %d %d %d\n", before.timers, after.front().timers, last.timers);
    std::printf("windows %d %d %d\n", before.windows, after.front().windows, last.windows);

    bool ok = true;
    auto check = [&ok](bool good, const char* what) {
        if (!good) {
            std::fprintf(stderr, "FAILED: %s\n", what);
            ok = false;
        }
    };
    check(maxGrowth <= 2048, "memory grew by more than 2 MiB after the first round");
    check(last.fds == base.fds, "open file descriptors did not come back");
    if (last.fds != base.fds)
        PrintDescriptors();
    check(last.timers == base.timers, "timers did not come back");
    check(last.windows == before.windows && left == 0, "a window was left behind");
    check(unplayable == 0, "an exercise could not be played to its end");
    check(errors == 0, "the general error box was shown");
    check(boxes == 0, "a message box was shown");
    check(topTens == exercises * rounds, "not every exercise ended in its top-ten window");
    menu.close();
    return ok ? 0 : 1;
}
