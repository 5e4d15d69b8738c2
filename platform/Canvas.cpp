// Canvas: GDI-like drawing on a Format_RGB32 QImage. One-pixel lines, outlines, fills and single
// pixels are written straight into the image (they are the bulk of map drawing); QPainter is used
// for thick pens, ellipses, text and bitmaps.
#include "platform/Canvas.h"

#include "platform/Raster.h"

#include <QFontMetrics>
#include <QLineF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

QPainter::CompositionMode CompositionFor(PenMode mode)
{
    switch (mode) {
    case PenMode::NotXor:
        return QPainter::RasterOp_NotSourceXorDestination;
    case PenMode::Mask:
        return QPainter::RasterOp_SourceAndDestination;
    case PenMode::Copy:
        break;
    }
    return QPainter::CompositionMode_Source;
}

// Applies op to the pixels x = xl .. xr of row y, clipped to the image.
template <typename Op>
void Span(QImage& image, int y, int xl, int xr, Op op)
{
    if (y < 0 || y >= image.height())
        return;
    xl = std::max(xl, 0);
    xr = std::min(xr, image.width() - 1);
    if (xl > xr)
        return;
    QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = xl; x <= xr; ++x)
        row[x] = op(row[x]);
}

// Clips a segment to rect (Liang-Barsky); false when nothing of it lies inside.
bool ClipSegment(QLineF& line, const QRectF& rect)
{
    double t0 = 0.0, t1 = 1.0;
    const double x0 = line.x1(), y0 = line.y1();
    const double dx = line.dx(), dy = line.dy();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - rect.left(), rect.right() - x0, y0 - rect.top(), rect.bottom() - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    line = QLineF(x0 + t0 * dx, y0 + t0 * dy, x0 + t1 * dx, y0 + t1 * dy);
    return true;
}

void Normalise(int& left, int& top, int& right, int& bottom)
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

} // namespace

// Windows' conversion of a point size at 96 dpi to a character height: MulDiv(pt, 96, 72).
int PointsToPixels(int points)
{
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

int ScaleSize(int size, double ratio)
{
    if (size == 0)
        return 0;
    const long n = std::lround(size * ratio);
    if (size > 0)
        return static_cast<int>(std::max(1L, n));
    return static_cast<int>(std::min(-1L, n));
}

Canvas::Canvas(int width, int height)
{
    resize(width, height);
}

void Canvas::setImage(const QImage& image)
{
    image_ = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    changed();
}

void Canvas::resize(int width, int height)
{
    if (width == image_.width() && height == image_.height())
        return;
    QImage resized;
    if (width > 0 && height > 0) {
        resized = QImage(width, height, QImage::Format_RGB32);
        resized.fill(0xFFFFFFFFu);
        const int w = std::min(width, image_.width());
        const int h = std::min(height, image_.height());
        for (int y = 0; y < h; ++y)
            std::copy_n(reinterpret_cast<const QRgb*>(image_.constScanLine(y)), w,
                        reinterpret_cast<QRgb*>(resized.scanLine(y)));
    }
    image_ = resized;
    changed();
}

void Canvas::setFont(const QString& family, int pointSize, bool bold)
{
    setFontPixelHeight(family, PointsToPixels(pointSize), bold);
}

void Canvas::setFontPixelHeight(const QString& family, int pixelHeight, bool bold)
{
    font_ = QFont(family);
    font_.setPixelSize(std::max(1, pixelHeight));
    font_.setBold(bold);
    font_.setStyleStrategy(QFont::NoAntialias);
}

void Canvas::lineTo(int x, int y)
{
    const int x0 = curX_, y0 = curY_;
    curX_ = x;
    curY_ = y;
    if (image_.isNull())
        return;
    const QRgb pen = ToQRgb(penColor_);
    if (penWidth_ <= 1) {
        ThinLine(PixelWriter(image_), penMode_, pen, x0, y0, x, y, false);
    } else {
        // Round caps close the joins of a polyline drawn segment by segment.
        QLineF line(x0, y0, x, y);
        const double margin = penWidth_ + 2.0;
        const QRectF area(-margin, -margin, image_.width() + 2 * margin, image_.height() + 2 * margin);
        if (!area.contains(line.p1()) || !area.contains(line.p2())) {
            if (!ClipSegment(line, area))
                return;
        }
        QPainter painter(&image_);
        painter.setCompositionMode(CompositionFor(penMode_));
        painter.setPen(QPen(QColor::fromRgb(pen), penWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        if (line.p1() == line.p2())
            painter.drawPoint(line.p1());
        else
            painter.drawLine(line);
    }
    changed();
}

void Canvas::rectangle(int left, int top, int right, int bottom)
{
    Normalise(left, top, right, bottom);
    if (image_.isNull() || right <= left || bottom <= top)
        return;
    const QRgb pen = ToQRgb(penColor_);
    const QRgb brush = ToQRgb(brushColor_);
    if (penWidth_ <= 1) {
        // Every pixel is touched once, so not-xor outlines undo themselves when drawn twice.
        WithPenMode(penMode_, pen, [&](auto op) {
            Span(image_, top, left, right - 1, op);
            if (bottom - 1 > top)
                Span(image_, bottom - 1, left, right - 1, op);
            for (int y = top + 1; y <= bottom - 2; ++y) {
                Span(image_, y, left, left, op);
                if (right - 1 > left)
                    Span(image_, y, right - 1, right - 1, op);
            }
        });
        if (!brushClear_) {
            WithPenMode(penMode_, brush, [&](auto op) {
                for (int y = top + 1; y <= bottom - 2; ++y)
                    Span(image_, y, left + 1, right - 2, op);
            });
        }
    } else {
        QPainter painter(&image_);
        painter.setCompositionMode(CompositionFor(penMode_));
        if (!brushClear_)
            painter.fillRect(QRect(left, top, right - left, bottom - top), QColor::fromRgb(brush));
        painter.setPen(QPen(QColor::fromRgb(pen), penWidth_, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
    }
    changed();
}

void Canvas::ellipse(int left, int top, int right, int bottom)
{
    Normalise(left, top, right, bottom);
    if (image_.isNull() || right <= left || bottom <= top)
        return;
    QPainter painter(&image_);
    painter.setCompositionMode(CompositionFor(penMode_));
    painter.setPen(QPen(QColor::fromRgb(ToQRgb(penColor_)), penWidth_));
    if (brushClear_)
        painter.setBrush(Qt::NoBrush);
    else
        painter.setBrush(QColor::fromRgb(ToQRgb(brushColor_)));
    painter.drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
    changed();
}

void Canvas::fillRect(int left, int top, int right, int bottom)
{
    Normalise(left, top, right, bottom);
    if (image_.isNull() || brushClear_)
        return;
    const CopyOp op{ToQRgb(brushColor_)};
    for (int y = std::max(top, 0); y < std::min(bottom, image_.height()); ++y)
        Span(image_, y, left, right - 1, op);
    changed();
}

void Canvas::frameRect(int left, int top, int right, int bottom, int width)
{
    Normalise(left, top, right, bottom);
    if (image_.isNull() || width < 1 || right <= left || bottom <= top)
        return;
    const CopyOp op{ToQRgb(penColor_)};
    for (int y = std::max(top, 0); y < std::min(bottom, image_.height()); ++y) {
        if (y < top + width || y >= bottom - width) {
            Span(image_, y, left, right - 1, op);
        } else {
            Span(image_, y, left, std::min(left + width, right) - 1, op);
            Span(image_, y, std::max(right - width, left), right - 1, op);
        }
    }
    changed();
}

void Canvas::fillAll(TColor color)
{
    image_.fill(ToQRgb(color));
    changed();
}

void Canvas::setPixel(int x, int y, TColor color)
{
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height())
        return;
    reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = ToQRgb(color);
    changed();
}

TColor Canvas::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height())
        return 0;
    return FromQRgb(reinterpret_cast<const QRgb*>(image_.constScanLine(y))[x]);
}

int Canvas::textWidth(const QString& text) const
{
    return QFontMetrics(font_).horizontalAdvance(text);
}

int Canvas::textHeight(const QString&) const
{
    return QFontMetrics(font_).height();
}

void Canvas::textOut(int x, int y, const QString& text)
{
    if (image_.isNull())
        return;
    QFont font = font_;
    font.setStyleStrategy(QFont::NoAntialias);
    const QFontMetrics metrics(font);
    QPainter painter(&image_);
    painter.setFont(font);
    if (!brushClear_)
        painter.fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()),
                         QColor::fromRgb(ToQRgb(brushColor_)));
    painter.setPen(QColor::fromRgb(ToQRgb(fontColor_)));
    painter.drawText(QPoint(x, y + metrics.ascent()), text);
    changed();
}

void Canvas::draw(int x, int y, const QImage& picture)
{
    if (image_.isNull() || picture.isNull())
        return;
    QPainter painter(&image_);
    painter.drawImage(QPoint(x, y), picture);
    changed();
}
