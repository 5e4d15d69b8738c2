// The scan-line flood fill that colours areas and seas: the hot loop of map drawing.
#include "platform/FloodFill.h"

#include <algorithm>
#include <vector>

#if defined(__x86_64__) || defined(__SSE2__)
#include <immintrin.h>
#endif

namespace {

constexpr QRgb RgbBits = 0x00FFFFFFu;

// Runs of a row are found four pixels at a time: the fill is the hot loop of map drawing.
// LanesMatching(p, key) has bit i set when (p[i] & RgbBits) == key.
#if defined(__SSE2__)
inline unsigned LanesMatching(const QRgb* p, QRgb key)
{
    const __m128i v = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)),
                                    _mm_set1_epi32(static_cast<int>(RgbBits)));
    const __m128i eq = _mm_cmpeq_epi32(v, _mm_set1_epi32(static_cast<int>(key)));
    return static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(eq)));
}
#else
inline unsigned LanesMatching(const QRgb* p, QRgb key)
{
    unsigned bits = 0;
    for (unsigned i = 0; i < 4; ++i)
        bits |= unsigned((p[i] & RgbBits) == key) << i;
    return bits;
}
#endif

// First x in [from, limit) whose pixel's match with key differs from Match; limit if none.
template <bool Match>
int RunEndRight(const QRgb* row, int from, int limit, QRgb key)
{
    int x = from;
    for (; x + 4 <= limit; x += 4) {
        const unsigned same = Match ? LanesMatching(row + x, key) : ~LanesMatching(row + x, key) & 0xFu;
        if (same != 0xFu)
            return x + __builtin_ctz(~same & 0xFu);
    }
    while (x < limit && ((row[x] & RgbBits) == key) == Match)
        ++x;
    return x;
}

// Smallest l <= to such that every pixel l .. to-1 matches key as Match says.
template <bool Match>
int RunStartLeft(const QRgb* row, int to, QRgb key)
{
    int x = to;
    for (; x >= 4; x -= 4) {
        const unsigned same = Match ? LanesMatching(row + x - 4, key) : ~LanesMatching(row + x - 4, key) & 0xFu;
        if (same != 0xFu)
            return x - 4 + (31 - __builtin_clz(~same & 0xFu)) + 1;
    }
    while (x > 0 && ((row[x - 1] & RgbBits) == key) == Match)
        --x;
    return x;
}

// Paints from x rightwards while pixels match key as Match says, in one pass over the row;
// returns the first x not painted. Reading the row is what bounds the fill, so where the
// processor has AVX2 the row is read 32 bytes at a time.
template <bool Match>
int PaintWhileMatching(QRgb* row, int from, int limit, QRgb key, QRgb fill)
{
    int x = from;
#if defined(__SSE2__)
    const __m128i mask = _mm_set1_epi32(static_cast<int>(RgbBits));
    const __m128i k = _mm_set1_epi32(static_cast<int>(key));
    const __m128i v = _mm_set1_epi32(static_cast<int>(fill));
    for (; x + 8 <= limit; x += 8) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x + 4));
        const __m128i eq = _mm_packs_epi32(_mm_cmpeq_epi32(_mm_and_si128(a, mask), k),
                                           _mm_cmpeq_epi32(_mm_and_si128(b, mask), k));
        const unsigned bits = static_cast<unsigned>(_mm_movemask_epi8(eq));
        if ((Match ? bits : ~bits & 0xFFFFu) != 0xFFFFu)
            break;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + x), v);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + x + 4), v);
    }
#endif
    for (; x < limit && ((row[x] & RgbBits) == key) == Match; ++x)
        row[x] = fill;
    return x;
}

#if defined(__x86_64__) && defined(__GNUC__)
#define GLOBANA_FILL_AVX2 1
template <bool Match>
__attribute__((target("avx2"))) int PaintWhileMatchingAvx2(QRgb* row, int from, int limit, QRgb key, QRgb fill)
{
    int x = from;
    const __m256i mask = _mm256_set1_epi32(static_cast<int>(RgbBits));
    const __m256i k = _mm256_set1_epi32(static_cast<int>(key));
    const __m256i v = _mm256_set1_epi32(static_cast<int>(fill));
    for (; x + 8 <= limit; x += 8) {
        const __m256i p = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row + x));
        const unsigned eq = static_cast<unsigned>(
            _mm256_movemask_ps(_mm256_castsi256_ps(_mm256_cmpeq_epi32(_mm256_and_si256(p, mask), k))));
        if ((Match ? eq : ~eq & 0xFFu) != 0xFFu)
            break;
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(row + x), v);
    }
    for (; x < limit && ((row[x] & RgbBits) == key) == Match; ++x)
        row[x] = fill;
    return x;
}
#endif

template <bool Match>
int PaintRight(QRgb* row, int from, int limit, QRgb key, QRgb fill)
{
#ifdef GLOBANA_FILL_AVX2
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2)
        return PaintWhileMatchingAvx2<Match>(row, from, limit, key, fill);
#endif
    return PaintWhileMatching<Match>(row, from, limit, key, fill);
}

void PaintRun(QRgb* row, int xl, int xr, QRgb fill)
{
    int x = xl;
#if defined(__SSE2__)
    const __m128i v = _mm_set1_epi32(static_cast<int>(fill));
    for (; x + 4 <= xr + 1; x += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + x), v);
#endif
    for (; x <= xr; ++x)
        row[x] = fill;
}

// The region of a fill: pixels whose colour equals key (InsideIsKey) or differs from it.
// Painting must take a pixel out of the region; the callers make sure it does.
template <bool InsideIsKey>
struct ColourRegion {
    QRgb* bits;
    qsizetype stride;
    int width;
    QRgb key;
    QRgb fill;

    QRgb* row(int y) const { return bits + y * stride; }
    bool inside(int x, int y) const { return ((row(y)[x] & RgbBits) == key) == InsideIsKey; }
    int gapEnd(int x, int y, int limit) const { return RunEndRight<!InsideIsKey>(row(y), x, limit, key); }
    int runStart(int x, int y) const { return RunStartLeft<InsideIsKey>(row(y), x, key); }
    void paint(int y, int xl, int xr) const { PaintRun(row(y), xl, xr, fill); }
    int paintRight(int x, int y, int limit) const
    {
        return PaintRight<InsideIsKey>(row(y), x, limit, key, fill);
    }
};

// Border style with a brush unlike the border: painted pixels stay in the colour test's region,
// so a mask remembers them (and pixels already in the brush colour are crossed, not a border).
struct MarkedRegion {
    ColourRegion<false> colour;
    std::vector<unsigned char> done;

    bool inside(int x, int y) const
    {
        return !done[std::size_t(y) * std::size_t(colour.width) + std::size_t(x)] && colour.inside(x, y);
    }
    int runEnd(int x, int y, int limit) const
    {
        while (x < limit && inside(x, y))
            ++x;
        return x;
    }
    int gapEnd(int x, int y, int limit) const
    {
        while (x < limit && !inside(x, y))
            ++x;
        return x;
    }
    int runStart(int x, int y) const
    {
        while (x > 0 && inside(x - 1, y))
            --x;
        return x;
    }
    void paint(int y, int xl, int xr)
    {
        colour.paint(y, xl, xr);
        std::fill_n(done.begin() + std::ptrdiff_t(y) * colour.width + xl, xr - xl + 1, 1);
    }
    int paintRight(int x, int y, int limit)
    {
        const int end = runEnd(x, y, limit);
        if (end > x)
            paint(y, x, end - 1);
        return end;
    }
};

// Scan-line seed fill (Heckbert's algorithm): each stacked segment is a run of row y - dy that
// was filled; the row y beside it is searched for runs still inside, and only the parts of a new
// run that stick out past its parent are searched again in the parent's direction.
// Returns the bounding box of the runs it painted (null when the start is outside the region).
template <typename Region>
QRect ScanLineFill(Region& region, int width, int height, int x, int y)
{
    if (!region.inside(x, y))
        return {};
    int left = x, right = x, top = y, bottom = y;
    auto painted = [&](int row, int xl, int xr) {
        left = std::min(left, xl);
        right = std::max(right, xr);
        top = std::min(top, row);
        bottom = std::max(bottom, row);
    };
    struct Segment {
        int y, xl, xr, dy;
    };
    std::vector<Segment> stack;
    stack.reserve(256);
    auto push = [&](int sy, int xl, int xr, int dy) {
        if (sy + dy >= 0 && sy + dy < height)
            stack.push_back({sy, xl, xr, dy});
    };
    push(y, x, x, 1);
    push(y + 1, x, x, -1);

    while (!stack.empty()) {
        const Segment s = stack.back();
        stack.pop_back();
        const int row = s.y + s.dy;
        const int x1 = s.xl, x2 = s.xr, dy = s.dy;
        int cx = x1;
        if (region.inside(cx, row)) {
            const int l = region.runStart(cx, row);
            region.paint(row, l, cx);
            const int r = region.paintRight(cx + 1, row, width) - 1;
            painted(row, l, r);
            if (l < x1)
                push(row, l, x1 - 1, -dy);
            push(row, l, r, dy);
            if (r > x2)
                push(row, x2 + 1, r, -dy);
            cx = r + 1;
        }
        // cx is outside the region (or past the row); look for further runs up to x2.
        while (true) {
            cx = region.gapEnd(cx + 1, row, x2 + 1);
            if (cx > x2)
                break;
            region.paint(row, cx, cx);
            const int r = region.paintRight(cx + 1, row, width) - 1;
            painted(row, cx, r);
            push(row, cx, r, dy);
            if (r > x2)
                push(row, x2 + 1, r, -dy);
            cx = r + 1;
        }
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace

void FloodFillAt(Canvas& canvas, int x, int y, TColor color, FillStyle style)
{
    QImage& image = canvas.image();
    const int width = image.width();
    const int height = image.height();
    if (x < 0 || y < 0 || x >= width || y >= height)
        return;
    const QRgb key = ToQRgb(color) & RgbBits;
    const QRgb fill = ToQRgb(canvas.brushColor());
    QRgb* const bits = reinterpret_cast<QRgb*>(image.bits());
    const qsizetype stride = image.bytesPerLine() / qsizetype(sizeof(QRgb));

    QRect filled;
    if (style == FillStyle::Surface) {
        if ((fill & RgbBits) == key)
            return; // the region already has the brush colour: nothing would change
        ColourRegion<true> region{bits, stride, width, key, fill};
        filled = ScanLineFill(region, width, height, x, y);
    } else if ((fill & RgbBits) == key) {
        // Filled pixels take the border colour, so they stop the fill by themselves.
        ColourRegion<false> region{bits, stride, width, key, fill};
        filled = ScanLineFill(region, width, height, x, y);
    } else {
        MarkedRegion region{{bits, stride, width, key, fill},
                            std::vector<unsigned char>(std::size_t(width) * std::size_t(height), 0)};
        filled = ScanLineFill(region, width, height, x, y);
    }
    if (!filled.isNull())
        canvas.changed(filled);
}
