// The round pen.
#include "platform/Raster.h"

#include <cmath>

PenStamp::PenStamp(int width)
{
    const int lo = -(width / 2);
    const int hi = (width - 1) / 2;
    const double c = (width % 2 == 0) ? -0.5 : 0.0;
    const double r2 = (width / 2.0) * (width / 2.0);
    top = lo;
    for (int j = lo; j <= hi; ++j) {
        // The disc is symmetric, so each row is one span from its leftmost pixel on.
        int a = lo;
        while ((a - c) * (a - c) + (j - c) * (j - c) > r2)
            ++a;
        spans.emplace_back(a, static_cast<int>(std::lround(2 * c)) - a);
    }
}

void Stamp(const PixelWriter& px, const PenStamp& pen, int x, int y, QRgb colour)
{
    for (int j = 0; j < static_cast<int>(pen.spans.size()); ++j) {
        const int yy = y + pen.top + j;
        if (yy < 0 || yy >= px.height())
            continue;
        const int a = std::max(0, x + pen.spans[j].first);
        const int b = std::min(px.width() - 1, x + pen.spans[j].second);
        if (a > b)
            continue;
        QRgb* r = px.row(yy);
        std::fill(r + a, r + b + 1, colour);
    }
}

void CopyLine(const PixelWriter& px, const PenStamp* pen, std::int32_t x0, std::int32_t y0, std::int32_t x1,
              std::int32_t y1, bool includeEnd, QRgb colour)
{
    if (!pen) {
        ForEachLinePixel(x0, y0, x1, y1, includeEnd, px.bounds(),
                         [&](int x, int y) { px.row(y)[x] = colour; });
    } else {
        ForEachLinePixel(x0, y0, x1, y1, includeEnd, px.bounds(pen->reach()),
                         [&](int x, int y) { Stamp(px, *pen, x, y, colour); });
    }
}
