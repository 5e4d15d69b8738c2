// Built-in pictures: antialiased because they are decoration, never compared pixel by pixel.
#include "scores/ScorePictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace {

QPainterPath Star(QPointF centre, double outer, double inner)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double r = (i % 2 == 0) ? outer : inner;
        const double a = -M_PI / 2 + i * M_PI / 5;
        const QPointF p(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

} // namespace

QImage DecorationBand(int width, int height, const QColor& background)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(background);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const QColor gold(0xF2, 0xC2, 0x3A);
    const QColor darkGold(0xA8, 0x7A, 0x12);
    const double cy = height / 2.0;
    const double cx = width / 2.0;

    // Two thin rules that run out from the stars towards the edges.
    p.setPen(QPen(gold, 1.5));
    const double gap = height * 1.9;
    p.drawLine(QPointF(8, cy - 3), QPointF(cx - gap, cy - 3));
    p.drawLine(QPointF(8, cy + 3), QPointF(cx - gap, cy + 3));
    p.drawLine(QPointF(cx + gap, cy - 3), QPointF(width - 8, cy - 3));
    p.drawLine(QPointF(cx + gap, cy + 3), QPointF(width - 8, cy + 3));
    p.setPen(Qt::NoPen);
    p.setBrush(gold);
    p.drawEllipse(QPointF(6, cy), 2.5, 2.5);
    p.drawEllipse(QPointF(width - 6, cy), 2.5, 2.5);

    // Five stars, the middle one largest.
    const double big = height * 0.45;
    const struct {
        double dx, r;
    } stars[] = {{0, big}, {-big * 1.9, big * 0.68}, {big * 1.9, big * 0.68},
                 {-big * 3.3, big * 0.45}, {big * 3.3, big * 0.45}};
    for (const auto& s : stars) {
        const QPointF centre(cx + s.dx, cy + 1);
        QRadialGradient fill(centre - QPointF(s.r * 0.3, s.r * 0.3), s.r * 1.2);
        fill.setColorAt(0, QColor(0xFF, 0xF1, 0xA8));
        fill.setColorAt(1, gold);
        p.setBrush(fill);
        p.setPen(QPen(darkGold, 1));
        p.drawPath(Star(centre, s.r, s.r * 0.45));
    }
    return image;
}

QImage FlowerIcon(const QColor& petals, const QColor& background)
{
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(background);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // Stem and leaf.
    p.setPen(QPen(QColor(0x2E, 0x8B, 0x2E), 2));
    p.drawLine(QPointF(16, 17), QPointF(16, 31));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3C, 0xA8, 0x3C));
    p.save();
    p.translate(20, 26);
    p.rotate(-35);
    p.drawEllipse(QPointF(0, 0), 5, 2.2);
    p.restore();

    // Five petals around the heart.
    p.setPen(QPen(petals.darker(140), 0.8));
    p.setBrush(petals);
    for (int i = 0; i < 5; ++i) {
        p.save();
        p.translate(16, 11);
        p.rotate(i * 72);
        p.drawEllipse(QPointF(0, -5.5), 4, 5.5);
        p.restore();
    }
    p.setPen(QPen(QColor(0xC0, 0x80, 0x00), 0.8));
    p.setBrush(QColor(0xFF, 0xD7, 0x20));
    p.drawEllipse(QPointF(16, 11), 3.2, 3.2);
    return image;
}
