#include "FlagScreenSupport.h"

#include "data/Language.h"
#include "exercises/ovning.h"
#include "platform/GameState.h"
#include "platform/PictureBox.h"
#include "scores/Tioitopp.h"
#include "screens/Unit3.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QTest>
#include <cmath>

ScreenRecorder::ScreenRecorder()
{
    SoundOn = true;
    MusicOn = false;
    CurrentLanguage = 2;
}

void ScreenRecorder::HandTopTen(ExerciseWindow& screen)
{
    screen.showTopTen = [this](COvning* exercise, int score, QWidget*) {
        topTens.push_back({exercise->Number, score});
    };
}

QPoint CellCentre(const TfrmOvningFlagga& screen, int p)
{
    return screen.CellRect(p).center();
}

void ClickCell(TfrmOvningFlagga& screen, int p)
{
    // Cells are measured in the grid's device pixels; the click lands on the screen pixel
    // that shows the cell's middle.
    const QPoint centre = CellCentre(screen, p);
    const qreal ratio = screen.imgFlags->pixelRatio();
    QTest::mouseClick(screen.imgFlags, Qt::LeftButton, {},
                      QPoint(static_cast<int>(centre.x() / ratio), static_cast<int>(centre.y() / ratio)));
}

TColor GridPixel(const TfrmOvningFlagga& screen, QPoint at)
{
    return screen.imgFlags->canvas().pixel(at.x(), at.y());
}

TColor CellBackground(const TfrmOvningFlagga& screen, int p)
{
    return GridPixel(screen, screen.CellRect(p).topLeft() + QPoint(2, 2));
}

bool NameShown(const TfrmOvningFlagga& screen, int p)
{
    const QRect cell = screen.CellRect(p);
    const int top = screen.FlagRect(p).bottom() + 1;
    for (int y = top; y < top + 12 && y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
            if (GridPixel(screen, {x, y}) == 0x000000)
                return true;
    return false;
}

QString ShippedContentDir()
{
    return qEnvironmentVariable("GLOBANA_CONTENT_DIR", QStringLiteral(GLOBANA_CONTENT_DIR));
}

void ShippedFlagContent::SetUp()
{
    const QString dir = ShippedContentDir();
    if (!QFile::exists(dir + QStringLiteral("/Ovning.crp")))
        GTEST_SKIP() << "content/Ovning.crp has not been generated yet";
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    oldDir = QDir::currentPath();
    QDir::setCurrent(dir);
    TfrmOvningFlagga::SetFlagFolder((dir + QStringLiteral("/flags")).toStdString());
    TemplateBitmap = QImage(dir + QStringLiteral("/bmptest.bmp"));
    LoadLanguageTableFrom("lang.crp");
    catalogue.LoadFromFile("Ovning.crp");
}

void ShippedFlagContent::TearDown()
{
    TfrmOvningFlagga::SetFlagFolder({});
    TemplateBitmap = QImage();
    if (!oldDir.isEmpty())
        QDir::setCurrent(oldDir);
}
