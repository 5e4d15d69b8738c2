#include "MapScreenSupport.h"

#include "exercises/OvLand.h"
#include "exercises/OvOrt.h"
#include "map/Geometry.h"
#include "platform/GameState.h"
#include "platform/PictureBox.h"
#include "platform/Win1252.h"
#include "screens/Unit1.h"

#include <QLabel>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>

OffscreenScreenConfig::OffscreenScreenConfig(const char* configFile)
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen")
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + configFile);
}

QPoint PlacePixel(const CKarta& map, const COrt& place)
{
    const auto lat = static_cast<float>(place.Latitude);
    const auto lon = static_cast<float>(place.Longitude);
    return {map.ToX(lat, lon), map.LatitudeToY(lat)};
}

GeoPoint ClickedPoint(const CKarta& map, QPoint pixel)
{
    return {map.YToLatitude(pixel.y()), map.ToLongitude(pixel.y(), pixel.x())};
}

bool OnPicture(const CKarta& map, QPoint pixel)
{
    return pixel.x() >= 0 && pixel.y() >= 0 && pixel.x() < map.Width() && pixel.y() < map.Height();
}

const COrt* NearestPlace(const CKarta& map, QPoint pixel)
{
    return NearestIncludedPlace(map, ClickedPoint(map, pixel));
}

std::optional<QPoint> FindPlacePixel(const CKarta& map, const COrt& place, int radius, bool* ownPixel)
{
    const QPoint own = PlacePixel(map, place);
    if (ownPixel)
        *ownPixel = false;
    if (OnPicture(map, own) && NearestPlace(map, own) == &place) {
        if (ownPixel)
            *ownPixel = true;
        return own;
    }
    for (int r = 1; r <= radius; ++r)
        for (int dy = -r; dy <= r; ++dy)
            for (int dx = -r; dx <= r; ++dx) {
                if (std::max(std::abs(dx), std::abs(dy)) != r)
                    continue;
                const QPoint p = own + QPoint(dx, dy);
                if (OnPicture(map, p) && NearestPlace(map, p) == &place)
                    return p;
            }
    return std::nullopt;
}

const CArea* OwningArea(const CAreor& areas, const GeoPoint& point)
{
    return InnermostIncludedArea(areas, point);
}

namespace {

bool OwnedBySelector(const CKarta& map, QPoint pixel, const std::string& selector)
{
    if (!OnPicture(map, pixel))
        return false;
    const CArea* owner = OwningArea(*map.Areas, ClickedPoint(map, pixel));
    return owner && owner->HasKey(selector);
}

QPoint PixelOf(const CKarta& map, const GeoPoint& g)
{
    return {map.ToX(g.Latitude, g.Longitude), map.LatitudeToY(g.Latitude)};
}

} // namespace

std::optional<AreaPixel> FindAreaPixel(const CKarta& map, const std::string& selector, TColor fill)
{
    const Canvas& canvas = map.DrawingCanvas();
    std::optional<AreaPixel> dataOnly;
    auto consider = [&](QPoint p) {
        if (!OwnedBySelector(map, p, selector))
            return false;
        if ((canvas.pixel(p.x(), p.y()) & 0xFFFFFF) == (fill & 0xFFFFFF))
            return true;
        if (!dataOnly)
            dataOnly = AreaPixel{p, false};
        return false;
    };
    const CAreor& areas = *map.Areas;
    for (int i = 1; i <= areas.Count; ++i) {
        const CArea& a = areas.Item(i);
        if (!a.Included || !a.HasKey(selector))
            continue;
        for (const GeoPoint& seed : {a.Seed1, a.Seed2}) {
            const QPoint p = PixelOf(map, seed);
            if (consider(p))
                return AreaPixel{p, true};
        }
    }
    for (int i = 1; i <= areas.Count; ++i) {
        const CArea& a = areas.Item(i);
        if (!a.Included || !a.HasKey(selector) || a.VertexCount < 1)
            continue;
        // The box's pixels: meridians bow outwards, so the middle latitude is measured too.
        const auto n = static_cast<float>(a.North), s = static_cast<float>(a.South);
        const auto e = static_cast<float>(a.East), w = static_cast<float>(a.West);
        const float m = (n + s) / 2;
        int left = map.Width(), right = -1;
        for (float lat : {n, s, m}) {
            left = std::min({left, map.ToX(lat, w)});
            right = std::max({right, map.ToX(lat, e)});
        }
        const int top = std::max(0, map.LatitudeToY(n));
        const int bottom = std::min(map.Height() - 1, map.LatitudeToY(s));
        left = std::max(0, left);
        right = std::min(map.Width() - 1, right);
        if (left > right || top > bottom)
            continue;
        for (int step : {std::max(1, (right - left) / 60), 1}) {
            for (int y = top; y <= bottom; y += step)
                for (int x = left; x <= right; x += step)
                    if (consider({x, y}))
                        return AreaPixel{{x, y}, true};
            if (step == 1)
                break;
        }
    }
    return dataOnly;
}

void ClickMap(TfrmOvningKarta& screen, QPoint pixel, Qt::MouseButton button)
{
    // Map pixels are device pixels; the click lands on the screen pixel that shows this one.
    const qreal ratio = screen.imgKarta->pixelRatio();
    QTest::mouseClick(screen.imgKarta, button, Qt::NoModifier,
                      QPoint(static_cast<int>(pixel.x() / ratio), static_cast<int>(pixel.y() / ratio)));
}

TColor MapPixel(TfrmOvningKarta& screen, QPoint pixel)
{
    return screen.imgKarta->canvas().pixel(pixel.x(), pixel.y()) & 0xFFFFFF;
}

namespace {

constexpr TColor Green = 0x008000;
constexpr TColor BrightGreen = 0x00FF00;
constexpr TColor Black = 0x000000;

void ExpectPercentShown(TfrmOvningKarta& screen, const COvning& exercise)
{
    EXPECT_EQ(screen.lblProcent->text(), QString::number(exercise.Percent) + QStringLiteral(" %"));
}

} // namespace

void CheckPlaceHighlightAndBlink(TfrmOvningKarta& screen, COvningOrt& exercise)
{
    screen.tmrBlinka->stop();
    const CKarta& map = *screen.Map();
    for (const int wrongClicks : {3, 4}) {
        SCOPED_TRACE(testing::Message() << wrongClicks << " wrong clicks");
        const COrt* asked = exercise.CurrentPlace;
        ASSERT_NE(asked, nullptr);
        std::optional<QPoint> wrong;
        for (const COrt* p = map.Places->First; p && !wrong; p = p->Next)
            if (p->Included && p != asked)
                wrong = FindPlacePixel(map, *p, 6);
        ASSERT_TRUE(wrong.has_value()) << "no other place to click";
        const std::optional<QPoint> right = FindPlacePixel(map, *asked, 6);
        ASSERT_TRUE(right.has_value());
        const QPoint dot = PlacePixel(map, *asked);
        EXPECT_NE(MapPixel(screen, dot), BrightGreen);

        for (int i = 0; i < 3; ++i)
            ClickMap(screen, *wrong);
        EXPECT_EQ(exercise.Tries, 3);
        ExpectPercentShown(screen, exercise);
        screen.tmrBlinkaTimer();
        EXPECT_EQ(MapPixel(screen, dot), BrightGreen) << "highlighted after three wrong clicks";
        screen.tmrBlinkaTimer();
        EXPECT_EQ(MapPixel(screen, dot), BrightGreen) << "the highlight stays at three";
        if (wrongClicks == 4) {
            ClickMap(screen, *wrong);
            for (const TColor expected : {Black, BrightGreen, Black, BrightGreen}) {
                screen.tmrBlinkaTimer();
                EXPECT_EQ(MapPixel(screen, dot), expected) << "blinking from the fourth";
            }
        }

        ClickMap(screen, *right);
        EXPECT_TRUE(asked->Answered);
        EXPECT_EQ(asked->Tries, wrongClicks + 1);
        ExpectPercentShown(screen, exercise);
        // The answered place's label box takes the colour of its attempts (WrongColor above 3).
        Canvas& canvas = screen.imgKarta->canvas();
        const QString name = FromWin1252(asked->Names[CurrentLanguage]);
        const int r = map.PlaceDotRadius();
        // Probe the box's left and right margins: the next question redraws the other dots, and
        // a neighbour's dot may cover one margin (seen in the dense Europe capitals).
        const int midY = dot.y() - r + canvas.textHeight(name) / 2;
        const int hw = canvas.textWidth(name) / 2;
        const QPoint margins[] = {{dot.x() - hw - 2, midY}, {dot.x() + hw + 2, midY}};
        auto labelColourShown = [&] {
            for (const QPoint& p : margins)
                if (MapPixel(screen, p) == (WrongColor & 0xFFFFFF))
                    return true;
            return false;
        };
        EXPECT_TRUE(labelColourShown()) << "label of an answered place";
        for (int i = 0; i < 3; ++i)
            screen.tmrBlinkaTimer();
        EXPECT_TRUE(labelColourShown()) << "no blink after the answer";
        if (exercise.Finished || map.Places->Remaining == 0)
            break;
    }
}

void CheckAreaHighlightAndBlink(TfrmOvningKarta& screen, COvningLandArea& exercise)
{
    screen.tmrBlinka->stop();
    const CKarta& map = *screen.Map();
    for (const int wrongClicks : {3, 4}) {
        SCOPED_TRACE(testing::Message() << wrongClicks << " wrong clicks");
        const std::string asked = exercise.CurrentSelector;
        ASSERT_FALSE(asked.empty());
        const std::optional<AreaPixel> target = FindAreaPixel(map, asked, map.AreaColor);
        ASSERT_TRUE(target.has_value());
        ASSERT_TRUE(target->showsFill) << "the asked area shows no pixel in its colour";
        std::optional<QPoint> wrong;
        for (int i = 1; i <= exercise.SelectorCount && !wrong; ++i) {
            if (exercise.Selectors[i] == asked)
                continue;
            const auto found = FindAreaPixel(map, exercise.Selectors[i], map.AreaColor);
            if (found && !OwningArea(*map.Areas, ClickedPoint(map, found->pixel))->HasKey(asked))
                wrong = found->pixel;
        }
        ASSERT_TRUE(wrong.has_value()) << "no other area to click";
        const QPoint at = target->pixel;

        for (int i = 0; i < 3; ++i)
            ClickMap(screen, *wrong);
        EXPECT_EQ(exercise.Tries, 3);
        ExpectPercentShown(screen, exercise);
        EXPECT_TRUE(screen.lblNamn->isVisible());
        screen.tmrBlinkaTimer();
        EXPECT_EQ(MapPixel(screen, at), BrightGreen) << "highlighted after three wrong clicks";
        screen.tmrBlinkaTimer();
        EXPECT_EQ(MapPixel(screen, at), BrightGreen) << "the highlight stays at three";
        if (wrongClicks == 4) {
            ClickMap(screen, *wrong);
            for (const TColor expected : {Green, BrightGreen, Green, BrightGreen}) {
                screen.tmrBlinkaTimer();
                EXPECT_EQ(MapPixel(screen, at), expected) << "blinking from the fourth";
            }
        }

        const CArea* owner = OwningArea(*map.Areas, ClickedPoint(map, at));
        ClickMap(screen, at);
        EXPECT_TRUE(owner->Answered);
        EXPECT_EQ(owner->Tries, wrongClicks + 1);
        ExpectPercentShown(screen, exercise);
        // Answered after more than three attempts: red from the next question's colouring on.
        EXPECT_EQ(MapPixel(screen, at), 0x0000FFu);
        for (int i = 0; i < 3; ++i)
            screen.tmrBlinkaTimer();
        EXPECT_EQ(MapPixel(screen, at), 0x0000FFu) << "no blink after the answer";
        if (exercise.Finished)
            break;
    }
}
