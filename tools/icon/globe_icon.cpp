// Draws the game's icon, a globe with a graticule and two continents, at one size.
// Usage: globe_icon <size> <output.png>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>
#include <cstdlib>

namespace {

// A closed smooth outline through points given in a 100 x 100 frame.
QPainterPath Blob(std::initializer_list<QPointF> points, double scale)
{
    QPainterPath path;
    const QPointF* p = points.begin();
    const int n = int(points.size());
    auto at = [&](int i) { return p[(i + n) % n] * scale; };
    path.moveTo((at(0) + at(1)) / 2);
    for (int i = 1; i <= n; ++i)
        path.quadTo(at(i), (at(i) + at(i + 1)) / 2);
    path.closeSubpath();
    return path;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: globe_icon <size> <output.png>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int size = std::atoi(argv[1]);
    if (size < 8)
        return 2;
    const double s = size / 100.0;

    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF disc(3 * s, 3 * s, 94 * s, 94 * s);
    QRadialGradient sea(QPointF(38 * s, 34 * s), 70 * s);
    sea.setColorAt(0.0, QColor(0x7f, 0xc8, 0xf8));
    sea.setColorAt(0.6, QColor(0x28, 0x78, 0xc8));
    sea.setColorAt(1.0, QColor(0x10, 0x40, 0x88));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sea);
    painter.drawEllipse(disc);

    QPainterPath clip;
    clip.addEllipse(disc);
    painter.setClipPath(clip);

    QRadialGradient land(QPointF(38 * s, 34 * s), 70 * s);
    land.setColorAt(0.0, QColor(0x9c, 0xe0, 0x70));
    land.setColorAt(1.0, QColor(0x2e, 0x80, 0x2a));
    painter.setBrush(land);
    // The Americas on the left, Europe and Africa on the right.
    painter.drawPath(Blob({{14, 22}, {36, 14}, {44, 26}, {34, 40}, {40, 52}, {46, 62}, {40, 86},
                           {32, 84}, {30, 64}, {24, 48}, {12, 40}},
                          s));
    painter.drawPath(Blob({{58, 16}, {76, 12}, {90, 22}, {84, 34}, {88, 48}, {80, 70}, {70, 84},
                           {64, 72}, {60, 56}, {54, 48}, {58, 36}, {54, 26}},
                          s));

    // Graticule: meridians as ellipses, parallels as straight lines.
    const double line = size >= 48 ? 1.2 * s : 0.0;
    if (line > 0) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(255, 255, 255, 110), line));
        for (double w : {20.0, 56.0})
            painter.drawEllipse(QRectF((100 - w) / 2 * s, 3 * s, w * s, 94 * s));
        painter.drawLine(QPointF(50 * s, 3 * s), QPointF(50 * s, 97 * s));
        for (double y : {26.0, 50.0, 74.0})
            painter.drawLine(QPointF(0, y * s), QPointF(100 * s, y * s));
    }

    painter.setClipping(false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0x0c, 0x30, 0x68), qMax(1.0, 2.0 * s)));
    painter.drawEllipse(disc);
    painter.end();

    if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
