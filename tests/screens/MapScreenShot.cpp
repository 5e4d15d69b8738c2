// mapscreen_shot: plays the first questions of a map exercise on a real display and saves a
// picture of the whole screen, to look at the screen as the player sees it.
// Usage (under xvfb-run, QT_QPA_PLATFORM=xcb): mapscreen_shot <content dir> <exercise> <out.png>
// Question k (from 0) is answered after k wrong clicks; a last wrong click leaves a name shown.
#include "MapScreenSupport.h"

#include "data/Language.h"
#include "data/ovningar.h"
#include "exercises/OvLand.h"
#include "exercises/OvOrt.h"
#include "platform/GameState.h"
#include "scores/Tioitopp.h"
#include "screens/Unit1.h"
#include "support/RecordedPlayers.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace {

// A click that is wrong for the current question, or nothing.
std::optional<QPoint> WrongClick(const CKarta& map, COvning& exercise)
{
    if (auto* places = dynamic_cast<COvningOrt*>(&exercise)) {
        for (const COrt* p = map.Places->First; p; p = p->Next)
            if (p->Included && p != places->CurrentPlace)
                if (auto at = FindPlacePixel(map, *p, 6))
                    return at;
        return std::nullopt;
    }
    auto& areas = dynamic_cast<COvningLandArea&>(exercise);
    for (int i = 1; i <= areas.SelectorCount; ++i) {
        if (areas.Selectors[i] == areas.CurrentSelector)
            continue;
        const auto found = FindAreaPixel(map, areas.Selectors[i], map.AreaColor);
        if (found && !OwningArea(*map.Areas, ClickedPoint(map, found->pixel))->HasKey(areas.CurrentSelector))
            return found->pixel;
    }
    return std::nullopt;
}

std::optional<QPoint> RightClick(const CKarta& map, COvning& exercise)
{
    if (auto* places = dynamic_cast<COvningOrt*>(&exercise))
        return places->CurrentPlace ? FindPlacePixel(map, *places->CurrentPlace, 6) : std::nullopt;
    const auto found = FindAreaPixel(map, dynamic_cast<COvningLandArea&>(exercise).CurrentSelector,
                                     map.AreaColor);
    return found ? std::optional<QPoint>(found->pixel) : std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: mapscreen_shot <content dir> <exercise number> <out.png>\n");
        return 2;
    }
    QDir::setCurrent(QString::fromLocal8Bit(argv[1]));
    CurrentLanguage = 2;
    LoadLanguageTableFrom("lang.crp");
    const RecordedPlayers players;
    COvningar catalogue;
    catalogue.LoadFromFile("Ovning.crp");
    COvning* exercise = catalogue.First;
    while (exercise && exercise->Number != std::stoi(argv[2]))
        exercise = exercise->Next;
    if (!exercise || (exercise->Kind != "ORT" && exercise->Kind != "AREA")) {
        std::fprintf(stderr, "no place or area exercise %s\n", argv[2]);
        return 1;
    }

    TfrmOvningKarta screen;
    screen.showTopTen = [](COvning*, int, QWidget*) {};
    screen.OpenExercise(exercise);
    const CKarta& map = *screen.Map();
    for (int question = 0; question < 5 && !exercise->Finished; ++question) {
        for (int k = 0; k < question; ++k)
            if (auto at = WrongClick(map, *exercise))
                ClickMap(screen, *at);
        if (auto at = RightClick(map, *exercise))
            ClickMap(screen, *at);
    }
    if (auto at = WrongClick(map, *exercise))
        ClickMap(screen, *at);
    QTest::qWait(500);

    const QPixmap shot = screen.screen()->grabWindow(0);
    if (!shot.save(QString::fromLocal8Bit(argv[3]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[3]);
        return 1;
    }
    std::printf("%s: %dx%d, window %dx%d, map %dx%d, question \"%s\", %s\n", argv[3], shot.width(),
                shot.height(), screen.width(), screen.height(), map.Width(), map.Height(),
                screen.lblFraga->text().toUtf8().constData(),
                screen.lblProcent->text().toUtf8().constData());
    return 0;
}
