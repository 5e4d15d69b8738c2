#include "tools/content/LandMask.h"

#include "map/UKarta.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include <algorithm>
#include <stdexcept>

namespace {

LandRing ring(const QJsonArray& a)
{
    LandRing r;
    r.reserve(static_cast<size_t>(a.size()));
    for (const QJsonValue& p : a)
        r.emplace_back(p[0].toDouble(), p[1].toDouble());
    return r;
}

// Far-off vertices are clamped so that the painter's fixed-point arithmetic cannot overflow; the
// part of the picture they touch keeps its shape.
QPolygon project(const LandRing& r, const CKarta& map)
{
    constexpr int far = 1 << 20;
    QPolygon poly;
    poly.reserve(static_cast<int>(r.size()));
    for (const auto& [lon, lat] : r) {
        const auto la = static_cast<float>(lat), lo = static_cast<float>(lon);
        poly << QPoint(std::clamp(map.ToX(la, lo), -far, far), std::clamp(map.LatitudeToY(la), -far, far));
    }
    return poly;
}

} // namespace

LandSource ReadLandSource(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    const QJsonObject o = QJsonDocument::fromJson(f.readAll()).object();
    LandSource s;
    for (const QJsonValue& poly : o["land"].toArray()) {
        std::vector<LandRing> rings;
        for (const QJsonValue& r : poly.toArray())
            rings.push_back(ring(r.toArray()));
        s.Land.push_back(std::move(rings));
    }
    for (const QJsonValue& r : o["lakes"].toArray())
        s.Lakes.push_back(ring(r.toArray()));
    if (s.Land.empty())
        throw std::runtime_error(path.toStdString() + ": no land");
    return s;
}

QImage RasteriseLand(const LandSource& source, const CKarta& map, int width, int height)
{
    QImage img(width, height, QImage::Format_Grayscale8);
    img.fill(0);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(Qt::NoPen);
        // Each polygon on its own (odd-even within it: its holes stay open), so that two
        // neighbours' shared border is never counted twice.
        for (const std::vector<LandRing>& poly : source.Land) {
            QPainterPath path;
            path.setFillRule(Qt::OddEvenFill);
            for (const LandRing& r : poly)
                path.addPolygon(project(r, map));
            p.fillPath(path, Qt::white);
        }
        for (const LandRing& r : source.Lakes) {
            QPainterPath path;
            path.setFillRule(Qt::OddEvenFill);
            path.addPolygon(project(r, map));
            p.fillPath(path, Qt::black);
        }
    }
    return img.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
}
