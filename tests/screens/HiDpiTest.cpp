// The three exercise screens on a high-density display (the program sets QT_SCALE_FACTOR=2
// before the application starts): the map, the flag grid and the answer boxes are drawn with the screen's
// own pixels, clicks are judged at the device pixel under the mouse, and widgets placed over the
// map land where the map shows their point. GLOBANA_HIDPI_SHOTS=<folder> saves a picture of each
// screen.
#include "FlagScreenSupport.h"
#include "MapScreenSupport.h"

#include "data/ovningar.h"
#include "exercises/OvFlagga.h"
#include "exercises/OvLand.h"
#include "exercises/Ovmulti.h"
#include "map/UKarta.h"
#include "platform/PictureBox.h"
#include "screens/Unit1.h"
#include "screens/Unit3.h"
#include "screens/Unit4.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <optional>
#include <string>

static OffscreenScreenConfig screenConfig(MAPSCREEN_SCREEN_1080);
static const bool doubleScale = qputenv("QT_SCALE_FACTOR", "2");

namespace {

void SaveShot(QWidget& window, const char* name)
{
    const QByteArray dir = qgetenv("GLOBANA_HIDPI_SHOTS");
    if (!dir.isEmpty())
        window.grab().save(QString::fromUtf8(dir) + QLatin1Char('/') + QLatin1String(name));
}

class HiDpi : public ShippedFlagContent {
protected:
    void SetUp() override
    {
        ShippedFlagContent::SetUp();
        if (IsSkipped())
            return;
        ASSERT_EQ(qApp->devicePixelRatio(), 2.0) << "run with QT_SCALE_FACTOR=2";
    }

    COvning* First(const std::string& kind, const std::string& worldPart = {})
    {
        for (COvning* e = catalogue.First; e; e = e->Next)
            if (e->Kind == kind && (worldPart.empty() || e->WorldPart == worldPart))
                return e;
        return nullptr;
    }
};

// Rows of a picture box (within its frame) that hold a pixel of the text colour.
int TextRows(const Canvas& canvas, TColor text, int frame)
{
    int rows = 0;
    for (int y = frame; y < canvas.height() - frame; ++y) {
        for (int x = frame; x < canvas.width() - frame; ++x) {
            if ((canvas.pixel(x, y) & 0xFFFFFF) == text) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

TEST_F(HiDpi, MapIsDrawnWithTheScreensPixelsAndClicksAndNamesLandWhereTheMapShowsThem)
{
    auto* exercise = dynamic_cast<COvningLandArea*>(First("AREA", "*"));
    ASSERT_NE(exercise, nullptr);
    TfrmOvningKarta screen;
    screen.OpenExercise(exercise);
    const CKarta& map = *screen.Map();
    PictureBox& picture = *screen.imgKarta;
    EXPECT_EQ(picture.pixelRatio(), 2.0);
    EXPECT_EQ(map.PixelRatio(), 2.0);
    EXPECT_EQ(map.Width(), 2 * picture.width());
    EXPECT_EQ(map.Height(), 2 * picture.height());

    // A right answer at the device pixel inside the asked country.
    const auto right = FindAreaPixel(map, exercise->CurrentSelector, map.AreaColor);
    ASSERT_TRUE(right);
    ClickMap(screen, right->pixel);
    EXPECT_EQ(exercise->Percent, 100);

    // A wrong click shows the clicked country's name centred on the screen point clicked.
    std::optional<QPoint> wrong;
    for (int i = 1; i <= exercise->SelectorCount && !wrong; ++i) {
        if (exercise->Selectors[i] == exercise->CurrentSelector || exercise->Answered[i])
            continue;
        const auto found = FindAreaPixel(map, exercise->Selectors[i], map.AreaColor);
        if (found && found->showsFill)
            wrong = QPoint(found->pixel.x() / 2 * 2, found->pixel.y() / 2 * 2);
    }
    ASSERT_TRUE(wrong);
    ClickMap(screen, *wrong);
    EXPECT_EQ(exercise->Percent, 67);
    ASSERT_TRUE(screen.lblNamn->isVisible());
    const QPoint shown = screen.lblNamn->geometry().center() - picture.pos();
    EXPECT_NEAR(shown.x(), wrong->x() / 2, 2);
    EXPECT_NEAR(shown.y(), wrong->y() / 2, 2);
    SaveShot(screen, "map.png");

    // A click on the label is judged at the map point under the mouse: the same wrong country.
    const QPoint onLabel = screen.lblNamn->rect().center();
    QTest::mouseClick(screen.lblNamn, Qt::LeftButton, {}, onLabel);
    EXPECT_EQ(exercise->WrongCount, 2);
}

TEST_F(HiDpi, FlagGridIsDrawnWithTheScreensPixelsAndEachCellTakesItsClicks)
{
    auto* exercise = dynamic_cast<COvningFlagga*>(First("FLAGG"));
    ASSERT_NE(exercise, nullptr);
    TfrmOvningFlagga screen;
    screen.OpenExercise(exercise);
    PictureBox& grid = *screen.imgFlags;
    EXPECT_EQ(grid.pixelRatio(), 2.0);
    EXPECT_EQ(grid.canvas().width(), 2 * grid.width());
    EXPECT_FLOAT_EQ(screen.CellWidth(), grid.canvas().width() / 4.0f);
    // Grid lines are two device pixels wide, and the cells start right after them.
    const int line = static_cast<int>(std::nearbyint(screen.CellWidth()));
    const int y = screen.CellRect(1).center().y();
    EXPECT_EQ(GridPixel(screen, {line, y}) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(GridPixel(screen, {line + 1, y}) & 0xFFFFFF, 0x000000u);
    EXPECT_NE(GridPixel(screen, {line + 2, y}) & 0xFFFFFF, 0x000000u);
    // Flags fill twice their bitmap's pixels.
    const QImage* flag = screen.FlagPicture(1);
    ASSERT_NE(flag, nullptr);
    QImage original(ShippedContentDir() + QStringLiteral("/flags/")
                    + QString::fromStdString(screen.Map()->Areas->FindByKey(exercise->Selectors[1])->FlagFile));
    ASSERT_FALSE(original.isNull());
    EXPECT_EQ(flag->size(), original.size() * 2);

    for (int q = 1; q <= 3; ++q) {
        const int asked = exercise->AskedPosition;
        ClickCell(screen, asked);
        ASSERT_TRUE(exercise->Answered[asked]) << "question " << q;
    }
    EXPECT_EQ(exercise->Percent, 100);
    SaveShot(screen, "flags.png");
}

TEST_F(HiDpi, AnswerBoxesAreDrawnWithTheScreensPixels)
{
    auto* exercise = dynamic_cast<COvningMulti*>(First("MULTI"));
    ASSERT_NE(exercise, nullptr);
    TfrmOvningMulti screen;
    screen.OpenExercise(exercise);
    for (int k = 1; k <= 4; ++k) {
        PictureBox& box = *screen.AnswerImage(k);
        EXPECT_EQ(box.pixelRatio(), 2.0);
        ASSERT_EQ(box.canvas().width(), 422);
        ASSERT_EQ(box.canvas().height(), 82);
        // A frame two pixels wide, then the box colour.
        const Canvas& c = box.canvas();
        EXPECT_EQ(c.pixel(1, 40) & 0xFFFFFF, 0x000000u);
        EXPECT_NE(c.pixel(2, 40) & 0xFFFFFF, 0x000000u);
        // Bold Arial of 24 pixels: capitals and descenders cover far more rows than the 12
        // pixels a one-to-one box could show at all.
        EXPECT_GE(TextRows(c, 0x000000, 2), 15) << "answer " << k;
    }
    SaveShot(screen, "multi.png");
}

} // namespace
