// FloodFillAt: 4-connected fills in surface and border style, as text fixtures.
#include "AsciiCanvas.h"

#include "platform/FloodFill.h"

#include <gtest/gtest.h>

#include <deque>
#include <random>

namespace {

struct FillCase {
    const char* name;
    std::vector<std::string> before;
    int x, y;
    char color;  // the region colour (surface) or border colour (border)
    FillStyle style;
    char brush;
    std::vector<std::string> after;
};

class FloodFill : public ::testing::TestWithParam<FillCase> {};

// The fill also reports the part it changed, which is all a picture repaints: the bounding box
// of the changed pixels.
TEST_P(FloodFill, PaintsExactlyTheRegion)
{
    const FillCase& c = GetParam();
    Canvas canvas = CanvasFromAscii(c.before);
    canvas.setBrushColor(AsciiColours().at(c.brush));
    QRect reported;
    canvas.setChangedCallback([&](const QRect& area) { reported |= area; });
    FloodFillAt(canvas, c.x, c.y, AsciiColours().at(c.color), c.style);
    EXPECT_EQ(AsciiFromCanvas(canvas), Join(c.after));
    QRect changed;
    for (int y = 0; y < static_cast<int>(c.before.size()); ++y)
        for (int x = 0; x < static_cast<int>(c.before[y].size()); ++x)
            if (c.before[y][x] != c.after[y][x])
                changed |= QRect(x, y, 1, 1);
    if (changed.isNull())
        EXPECT_TRUE(reported.isNull()) << "a fill that changed nothing asked for a repaint";
    else
        EXPECT_TRUE(reported.contains(changed)) << "reported " << reported.x() << "," << reported.y() << " "
                                                << reported.width() << "x" << reported.height();
}

const FillCase Cases[] = {
    {"surface_diagonal_line_stops_the_fill",
     {"....#...",
      "...#....",
      "..#.....",
      ".#......",
      "#......."},
     0, 0, '.', FillStyle::Surface, 'o',
     {"oooo#...",
      "ooo#....",
      "oo#.....",
      "o#......",
      "#......."}},
    {"surface_spiral_needs_turns_in_both_directions",
     {"..........",
      ".########.",
      ".#......#.",
      ".#.####.#.",
      ".#.#..#.#.",
      ".#.#.##.#.",
      ".#.#....#.",
      ".#.######.",
      ".#........"},
     4, 4, '.', FillStyle::Surface, 'o',
     {"oooooooooo",
      "o########o",
      "o#oooooo#o",
      "o#o####o#o",
      "o#o#oo#o#o",
      "o#o#o##o#o",
      "o#o#oooo#o",
      "o#o######o",
      "o#oooooooo"}},
    {"surface_start_on_another_colour_paints_nothing",
     {"..#..",
      "..#..",
      "..#.."},
     2, 1, '.', FillStyle::Surface, 'o',
     {"..#..",
      "..#..",
      "..#.."}},
    {"surface_brush_equal_to_region_colour_terminates_unchanged",
     {"..#..",
      "..#.."},
     0, 0, '.', FillStyle::Surface, '.',
     {"..#..",
      "..#.."}},
    {"surface_only_the_region_colour_is_painted",
     {"..b..#",
      ".bbb.#",
      ".....#"},
     0, 0, '.', FillStyle::Surface, 'o',
     {"ooboo#",
      "obbbo#",
      "ooooo#"}},
    {"border_fills_over_other_colours_up_to_the_border",
     {"######",
      "#.b..#",
      "#bgb.#",
      "##.###",
      "#..#.."},
     2, 1, '#', FillStyle::Border, 'o',
     {"######",
      "#oooo#",
      "#oooo#",
      "##o###",
      "#oo#.."}},
    {"border_brush_equal_to_border_colour_like_a_water",
     {"..#...",
      ".#.#..",
      "#.b.#.",
      ".#.#..",
      "..#..."},
     2, 2, '#', FillStyle::Border, '#',
     {"..#...",
      ".###..",
      "#####.",
      ".###..",
      "..#..."}},
    {"border_crosses_pixels_already_in_the_brush_colour",
     {"#######",
      "#..o..#",
      "#ooooo#",
      "#..o..#",
      "#######"},
     1, 1, '#', FillStyle::Border, 'o',
     {"#######",
      "#ooooo#",
      "#ooooo#",
      "#ooooo#",
      "#######"}},
    {"border_start_on_the_border_paints_nothing",
     {"#..",
      "..."},
     0, 0, '#', FillStyle::Border, 'o',
     {"#..",
      "..."}},
    {"start_outside_the_picture_paints_nothing",
     {"...",
      "..."},
     3, 0, '.', FillStyle::Surface, 'o',
     {"...",
      "..."}},
};

INSTANTIATE_TEST_SUITE_P(Fixtures, FloodFill, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

// Reference: a plain breadth-first fill over a visited map, to compare with on random pictures.
void ReferenceFill(QImage& image, int x, int y, QRgb color, FillStyle style, QRgb brush)
{
    const int w = image.width(), h = image.height();
    auto inRegion = [&](QRgb p) { return style == FillStyle::Surface ? p == color : p != color; };
    if (!inRegion(image.pixel(x, y)))
        return;
    std::vector<char> seen(std::size_t(w * h), 0);
    std::deque<std::pair<int, int>> queue{{x, y}};
    seen[std::size_t(y * w + x)] = 1;
    std::vector<std::pair<int, int>> region;
    while (!queue.empty()) {
        const auto [px, py] = queue.front();
        queue.pop_front();
        region.push_back({px, py});
        const int next[4][2] = {{px - 1, py}, {px + 1, py}, {px, py - 1}, {px, py + 1}};
        for (const auto& n : next) {
            if (n[0] < 0 || n[1] < 0 || n[0] >= w || n[1] >= h || seen[std::size_t(n[1] * w + n[0])])
                continue;
            if (!inRegion(image.pixel(n[0], n[1])))
                continue;
            seen[std::size_t(n[1] * w + n[0])] = 1;
            queue.push_back({n[0], n[1]});
        }
    }
    for (const auto& [px, py] : region)
        image.setPixel(px, py, brush);
}

TEST(FloodFillRandom, MatchesAPlainBreadthFirstFill)
{
    const TColor palette[] = {0x000000, 0xFFFFFF, 0x0000FF};
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        const int w = 1 + int(random() % 40), h = 1 + int(random() % 30);
        Canvas canvas(w, h);
        const int density = int(random() % 60); // percent of border-coloured pixels
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                canvas.setPixel(x, y, int(random() % 100) < density ? palette[0] : palette[1 + random() % 2]);
        const int x = int(random() % unsigned(w)), y = int(random() % unsigned(h));
        const FillStyle style = random() % 2 ? FillStyle::Surface : FillStyle::Border;
        const TColor color = style == FillStyle::Surface ? canvas.pixel(x, y) : palette[0];
        const TColor brush = palette[random() % 3];
        QImage expected = canvas.image().copy();
        ReferenceFill(expected, x, y, ToQRgb(color), style, ToQRgb(brush));
        canvas.setBrushColor(brush);
        FloodFillAt(canvas, x, y, color, style);
        ASSERT_EQ(canvas.image(), expected) << "round " << round;
    }
}

} // namespace
