// Canvas: the GDI conventions the map drawing relies on.
#include "AsciiCanvas.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cmath>

namespace {

Canvas White(int w, int h)
{
    Canvas canvas(w, h);
    canvas.fillAll(0xFFFFFF);
    return canvas;
}

TEST(Canvas, LineLeavesOutItsEndPointWhichBecomesTheCurrentPoint)
{
    Canvas canvas = White(8, 6);
    canvas.moveTo(1, 1);
    canvas.lineTo(5, 1);
    canvas.lineTo(5, 4);
    canvas.lineTo(1, 4);
    canvas.lineTo(1, 1); // closes the square without drawing (1, 1) a second time
    canvas.moveTo(7, 0);
    canvas.lineTo(7, 0); // zero length: nothing
    EXPECT_EQ(AsciiFromCanvas(canvas), Join({
                                           "........",
                                           ".#####..",
                                           ".#...#..",
                                           ".#...#..",
                                           ".#####..",
                                           "........",
                                       }));
}

TEST(Canvas, DiagonalLineHasOnePixelPerMajorStep)
{
    Canvas canvas = White(7, 4);
    canvas.moveTo(0, 0);
    canvas.lineTo(6, 3);
    EXPECT_EQ(AsciiFromCanvas(canvas), Join({
                                           "#......",
                                           ".##....",
                                           "...##..",
                                           ".....#.",
                                       }));
}

// A line that starts or ends far outside the picture must have exactly the pixels of the same
// line drawn on a picture large enough to hold it.
TEST(Canvas, ClippedLinesKeepTheirPixels)
{
    const int lines[][4] = {
        {-500, -37, 900, 61}, {900, 61, -500, -37}, {20, -3000, 5, 3000},
        {-40, 25, 80, 25},    {33, 10, -2000, 15},  {-1, -1, 40, 30},
    };
    for (const auto& l : lines) {
        Canvas small = White(40, 30);
        // The same line shifted so that all of it lies on the big picture.
        const int ox = -std::min({l[0], l[2], 0}), oy = -std::min({l[1], l[3], 0});
        Canvas big = White(std::max({l[0], l[2], 40}) + ox + 1, std::max({l[1], l[3], 30}) + oy + 1);
        small.moveTo(l[0], l[1]);
        small.lineTo(l[2], l[3]);
        big.moveTo(l[0] + ox, l[1] + oy);
        big.lineTo(l[2] + ox, l[3] + oy);
        const QImage expected = big.image().copy(ox, oy, 40, 30);
        EXPECT_EQ(small.image(), expected) << l[0] << "," << l[1] << " -> " << l[2] << "," << l[3];
    }
}

TEST(Canvas, RectangleLeavesOutRightAndBottomEdge)
{
    Canvas canvas = White(7, 6);
    canvas.setPenColor(0x000000);
    canvas.setBrushColor(0x0000FF);
    canvas.rectangle(1, 1, 6, 5);
    canvas.setBrushClear();
    canvas.rectangle(0, 0, 3, 3); // clear brush: outline only
    EXPECT_EQ(AsciiFromCanvas(canvas), Join({
                                           "###....",
                                           "######.",
                                           "###oo#.",
                                           ".#ooo#.",
                                           ".#####.",
                                           ".......",
                                       }));
}

TEST(Canvas, FrameRectStaysInsideItsBoxAtAnyWidth)
{
    Canvas canvas = White(9, 7);
    canvas.setPenColor(0x000000);
    canvas.setBrushColor(0x0000FF); // the brush plays no part
    canvas.frameRect(1, 1, 8, 6, 2);
    canvas.setPenColor(0xFF0000);
    canvas.frameRect(8, 0, 9, 3, 5); // wider than the box: all of it
    EXPECT_EQ(AsciiFromCanvas(canvas), Join({
                                           "........b",
                                           ".#######b",
                                           ".#######b",
                                           ".##...##.",
                                           ".#######.",
                                           ".#######.",
                                           ".........",
                                       }));
}

TEST(Canvas, FillRectAndEllipseStayInsideTheirBox)
{
    Canvas canvas = White(20, 20);
    canvas.setBrushColor(0x00FF00);
    canvas.fillRect(2, 3, 5, 4);
    EXPECT_EQ(canvas.pixel(4, 3), 0x00FF00u);
    EXPECT_EQ(canvas.pixel(5, 3), 0xFFFFFFu);
    EXPECT_EQ(canvas.pixel(2, 4), 0xFFFFFFu);

    canvas.fillAll(0xFFFFFF);
    canvas.setPenColor(0x000000);
    canvas.setBrushColor(0x0000FF);
    canvas.ellipse(4, 2, 16, 14);
    int minX = 99, maxX = -1, minY = 99, maxY = -1;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            if (canvas.pixel(x, y) != 0xFFFFFF) {
                minX = std::min(minX, x), maxX = std::max(maxX, x);
                minY = std::min(minY, y), maxY = std::max(maxY, y);
            }
    EXPECT_EQ(minX, 4);
    EXPECT_EQ(maxX, 15);
    EXPECT_EQ(minY, 2);
    EXPECT_EQ(maxY, 13);
    EXPECT_EQ(canvas.pixel(10, 8), 0x0000FFu);
}

TEST(Canvas, PenModesAreExactOnTheColourBits)
{
    const TColor ground = 0x123456, pen = 0x0F0FF0;
    const TColor notXor = ~(pen ^ ground) & 0xFFFFFF;
    const TColor mask = pen & ground;
    for (int width : {1, 7}) {
        Canvas canvas(30, 30);
        canvas.fillAll(ground);
        canvas.setPenColor(pen);
        canvas.setPenWidth(width);
        canvas.setPenMode(PenMode::NotXor);
        canvas.moveTo(2, 15);
        canvas.lineTo(27, 15);
        EXPECT_EQ(canvas.pixel(15, 15), notXor) << "width " << width;
        canvas.moveTo(2, 15);
        canvas.lineTo(27, 15); // the same line again restores the picture
        EXPECT_EQ(canvas.pixel(15, 15), ground) << "width " << width;

        canvas.setPenMode(PenMode::Mask);
        canvas.moveTo(2, 15);
        canvas.lineTo(27, 15);
        EXPECT_EQ(canvas.pixel(15, 15), mask) << "width " << width;
    }

    // A one-pixel not-xor outline touches every pixel once, corners included.
    Canvas canvas(10, 10);
    canvas.fillAll(ground);
    canvas.setPenColor(pen);
    canvas.setPenMode(PenMode::NotXor);
    canvas.setBrushClear();
    canvas.rectangle(1, 1, 8, 8);
    EXPECT_EQ(canvas.pixel(1, 1), notXor);
    EXPECT_EQ(canvas.pixel(7, 7), notXor);
    EXPECT_EQ(canvas.pixel(4, 4), ground);
    canvas.rectangle(1, 1, 8, 8);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(canvas.pixel(x, y), ground) << x << "," << y;
}

double DistanceToSegment(double px, double py, double ax, double ay, double bx, double by)
{
    const double dx = bx - ax, dy = by - ay;
    double t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy);
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

TEST(Canvas, ThickPolylineHasNoGapsAtItsJoins)
{
    const int points[][2] = {{10, 10}, {90, 20}, {15, 45}, {85, 85}, {20, 80}, {60, 12}};
    for (int width : {2, 5, 12, 40}) {
        Canvas canvas = White(100, 100);
        canvas.setPenWidth(width);
        canvas.moveTo(points[0][0], points[0][1]);
        for (const auto& p : points)
            canvas.lineTo(p[0], p[1]);
        // Every pixel clearly inside the pen's reach of some segment is painted.
        const double reach = width / 2.0 - 1.0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x) {
                double d = 1e9;
                for (std::size_t i = 1; i < std::size(points); ++i)
                    d = std::min(d, DistanceToSegment(x, y, points[i - 1][0], points[i - 1][1], points[i][0],
                                                      points[i][1]));
                if (d <= reach) {
                    ASSERT_EQ(canvas.pixel(x, y), 0u) << "width " << width << " at " << x << "," << y;
                }
            }
    }
}

TEST(Canvas, PixelsAndPaletteColours)
{
    Canvas canvas = White(4, 4);
    canvas.setPixel(2, 1, 0x02E0D0C0); // palette-matched: its low 24 bits on a true-colour display
    EXPECT_EQ(canvas.pixel(2, 1), 0xE0D0C0u);
    EXPECT_EQ(canvas.image().pixel(2, 1), qRgb(0xC0, 0xD0, 0xE0));
    canvas.setPixel(-1, 0, 0);
    canvas.setPixel(4, 4, 0);
    EXPECT_EQ(canvas.pixel(-1, 0), 0u);
    EXPECT_EQ(canvas.pixel(0, 4), 0u);
}

TEST(Canvas, ResizeKeepsTheTopLeftAndDrawCopiesAtAnOffset)
{
    Canvas canvas(3, 3);
    canvas.fillAll(0x0000FF);
    canvas.resize(5, 2);
    EXPECT_EQ(AsciiFromCanvas(canvas), Join({"ooo..", "ooo.."}));

    QImage patch(2, 2, QImage::Format_RGB32);
    patch.fill(qRgb(0, 0, 0));
    canvas.draw(3, 1, patch);
    EXPECT_EQ(AsciiFromCanvas(canvas), Join({"ooo..", "ooo##"}));
}

TEST(Canvas, TextBackgroundIsTheBrushUnlessClear)
{
    Canvas canvas = White(120, 40);
    canvas.setFont("Arial", 8);
    canvas.setFontColor(0x000000);
    const int w = canvas.textWidth("Oslo");
    const int h = canvas.textHeight("Oslo");
    ASSERT_GT(w, 10);
    EXPECT_EQ(h, canvas.textHeight("x")); // one line height for any text
    canvas.setBrushColor(0x00FFFF);
    canvas.textOut(10, 5, "Oslo");
    EXPECT_EQ(canvas.pixel(10, 5), 0x00FFFFu);
    EXPECT_EQ(canvas.pixel(10 + w - 1, 5 + h - 1), 0x00FFFFu);
    EXPECT_EQ(canvas.pixel(10 + w, 5 + h), 0xFFFFFFu);

    Canvas clear = White(120, 40);
    clear.setFont("Arial", 8);
    clear.setBrushClear();
    clear.textOut(10, 5, "Oslo");
    int black = 0, other = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) {
            const TColor c = clear.pixel(x, y);
            black += c == 0x000000;
            other += c != 0x000000 && c != 0xFFFFFF;
            if (c != 0xFFFFFF) {
                EXPECT_TRUE(x >= 10 && x < 10 + w && y >= 5 && y < 5 + h) << x << "," << y;
            }
        }
    EXPECT_GT(black, 10);
    EXPECT_EQ(other, 0); // no antialiasing: only the font colour is added
}

} // namespace
