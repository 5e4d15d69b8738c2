// The pixel-level drawing under Canvas and the map: the clipped line, the round pen and the pen
// modes, written straight into a Format_RGB32 bitmap. Outlines have tens of thousands of
// segments, far too many for a painter per line.
#pragma once

#include "platform/Canvas.h"

#include <QImage>
#include <QRgb>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

struct PixelBox {
    std::int64_t left, top, right, bottom; // inclusive
};

// Visits the pixels of the line from (x0, y0) to (x1, y1) that lie inside the box, in order
// from the start; the end pixel only when includeEnd. The pixels are those of the midpoint
// (Bresenham) line, an 8-connected chain: step k along the major axis sets the minor coordinate
// to round(k * dMinor / dMajor), halves away from the start. The first visible step is computed
// in closed form, so a clipped line has exactly the pixels of the unclipped one and a segment
// that runs far outside the picture costs only its visible part.
template <class Visit>
void ForEachLinePixel(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, bool includeEnd,
                      const PixelBox& box, Visit visit)
{
    const std::int64_t dx = std::int64_t(x1) - x0;
    const std::int64_t dy = std::int64_t(y1) - y0;
    const std::int64_t adx = dx < 0 ? -dx : dx;
    const std::int64_t ady = dy < 0 ? -dy : dy;
    const bool xMajor = adx >= ady;
    const std::int64_t major = xMajor ? adx : ady;
    const std::int64_t minor = xMajor ? ady : adx;
    const std::int64_t majorStart = xMajor ? x0 : y0;
    const std::int64_t minorStart = xMajor ? y0 : x0;
    const int majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const std::int64_t majorLo = xMajor ? box.left : box.top;
    const std::int64_t majorHi = xMajor ? box.right : box.bottom;
    const std::int64_t minorLo = xMajor ? box.top : box.left;
    const std::int64_t minorHi = xMajor ? box.bottom : box.right;

    std::int64_t first = 0;
    std::int64_t last = includeEnd ? major : major - 1;
    if (majorStep > 0) {
        first = std::max(first, majorLo - majorStart);
        last = std::min(last, majorHi - majorStart);
    } else {
        first = std::max(first, majorStart - majorHi);
        last = std::min(last, majorStart - majorLo);
    }
    if (first > last)
        return;

    // Minor offset at step i: floor((2·i·minor + major) / (2·major)), i·minor/major rounded.
    const std::int64_t den = major > 0 ? 2 * major : 1;
    const __int128 num = __int128(2) * first * minor + major;
    std::int64_t q = static_cast<std::int64_t>(num / den);
    std::int64_t rem = static_cast<std::int64_t>(num % den);
    for (std::int64_t i = first; i <= last; ++i) {
        const std::int64_t mj = majorStart + majorStep * i;
        const std::int64_t mn = minorStart + minorStep * q;
        if (mn >= minorLo && mn <= minorHi) {
            if (xMajor)
                visit(static_cast<int>(mj), static_cast<int>(mn));
            else
                visit(static_cast<int>(mn), static_cast<int>(mj));
        } else if ((minorStep > 0 && mn > minorHi) || (minorStep < 0 && mn < minorLo)) {
            return; // past the box for good
        }
        rem += 2 * minor;
        if (rem >= den) {
            rem -= den;
            ++q;
        }
    }
}

// The rows of an RGB32 bitmap.
class PixelWriter {
public:
    explicit PixelWriter(QImage& image)
        : bits_(image.bits()), bytesPerLine_(image.bytesPerLine()), width_(image.width()),
          height_(image.height())
    {
    }
    int width() const { return width_; }
    int height() const { return height_; }
    QRgb* row(int y) const { return reinterpret_cast<QRgb*>(bits_ + qsizetype(y) * bytesPerLine_); }
    PixelBox bounds(int margin = 0) const { return {-margin, -margin, width_ - 1 + margin, height_ - 1 + margin}; }

private:
    uchar* bits_;
    qsizetype bytesPerLine_;
    int width_;
    int height_;
};

// The pen modes on the 24 colour bits; the alpha byte of Format_RGB32 stays 0xFF.
struct CopyOp {
    QRgb pen;
    QRgb operator()(QRgb) const { return pen; }
};
struct NotXorOp {
    QRgb pen;
    QRgb operator()(QRgb dst) const { return (~(pen ^ dst) & 0x00FFFFFFu) | 0xFF000000u; }
};
struct MaskOp {
    QRgb pen;
    QRgb operator()(QRgb dst) const { return (pen & dst) | 0xFF000000u; }
};

// Calls f with the operation of the mode for the pen colour.
template <typename F>
void WithPenMode(PenMode mode, QRgb colour, F&& f)
{
    switch (mode) {
    case PenMode::Copy:
        f(CopyOp{colour});
        break;
    case PenMode::NotXor:
        f(NotXorOp{colour});
        break;
    case PenMode::Mask:
        f(MaskOp{colour});
        break;
    }
}

// A one-pixel line in the pen mode, clipped to the bitmap; the end pixel only when includeEnd.
inline void ThinLine(const PixelWriter& px, PenMode mode, QRgb colour, int x0, int y0, int x1, int y1,
                     bool includeEnd)
{
    WithPenMode(mode, colour, [&](auto op) {
        ForEachLinePixel(x0, y0, x1, y1, includeEnd, px.bounds(), [&](int x, int y) {
            QRgb& d = px.row(y)[x];
            d = op(d);
        });
    });
}

// A round pen of `width` pixels as rows of spans around its centre pixel. The centre pixel is
// always part of it, so a thick outline contains the one-pixel chain and closes like it.
struct PenStamp {
    int top = 0;                            // row offset of spans[0]
    std::vector<std::pair<int, int>> spans; // column offsets, inclusive

    explicit PenStamp(int width);
    int reach() const { return static_cast<int>(spans.size()); }
};

// The pen centred on (x, y), copied, clipped to the bitmap.
void Stamp(const PixelWriter& px, const PenStamp& pen, int x, int y, QRgb colour);

// One segment copied with the round pen, or one pixel wide without one.
void CopyLine(const PixelWriter& px, const PenStamp* pen, std::int32_t x0, std::int32_t y0, std::int32_t x1,
              std::int32_t y1, bool includeEnd, QRgb colour);
