// logo.gif (the main menu's vertical logo, drawn with QPainter, encoded with giflib) and
// bmptest.bmp (the white template bitmap that the flag grid copies).
#include "ShellContent.h"

#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <gif_lib.h>

#include <cmath>

namespace shellcontent {
namespace {

constexpr int LogoWidth = 120, LogoHeight = 423;
// The main menu's frame colour: the logo sits on a panel of exactly this colour.
const QColor frame(40, 90, 160);

// Land masses of the globe, in a 0..100 box laid over the globe's disc: a loose suggestion of
// Europe and Africa seen from space, not a map.
QPainterPath Land()
{
    QPainterPath p;
    // Europe
    p.moveTo(44, 18);
    p.cubicTo(52, 10, 66, 10, 72, 16);
    p.cubicTo(78, 20, 70, 26, 74, 30);
    p.cubicTo(70, 36, 60, 34, 56, 38);
    p.cubicTo(50, 40, 44, 36, 40, 38);
    p.cubicTo(34, 34, 38, 24, 44, 18);
    // Scandinavia
    p.moveTo(56, 6);
    p.cubicTo(62, 2, 70, 4, 68, 12);
    p.cubicTo(64, 14, 58, 14, 56, 6);
    // Africa
    p.moveTo(34, 44);
    p.cubicTo(44, 38, 62, 40, 70, 46);
    p.cubicTo(80, 52, 78, 60, 72, 66);
    p.cubicTo(66, 74, 66, 86, 58, 94);
    p.cubicTo(52, 98, 48, 90, 48, 80);
    p.cubicTo(46, 70, 36, 66, 30, 60);
    p.cubicTo(26, 54, 28, 48, 34, 44);
    // Arabia and the edge of Asia
    p.moveTo(80, 38);
    p.cubicTo(88, 34, 98, 36, 104, 40);
    p.lineTo(104, 60);
    p.cubicTo(96, 58, 88, 52, 80, 38);
    // South America's shoulder at the western rim
    p.moveTo(-4, 56);
    p.cubicTo(6, 54, 14, 60, 12, 70);
    p.cubicTo(10, 80, 4, 90, -4, 92);
    p.closeSubpath();
    return p;
}

void DrawGlobe(QPainter& g, QPointF centre, double radius)
{
    const QRectF disc(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    QPainterPath globe;
    globe.addEllipse(disc);

    // A soft shadow under the globe.
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(20, 50, 100));
    g.drawEllipse(disc.translated(3, 4));

    QRadialGradient sea(centre - QPointF(radius * 0.35, radius * 0.4), radius * 1.5);
    sea.setColorAt(0.0, QColor(120, 200, 255));
    sea.setColorAt(0.55, QColor(30, 120, 210));
    sea.setColorAt(1.0, QColor(10, 50, 120));
    g.setBrush(sea);
    g.drawPath(globe);

    g.save();
    g.setClipPath(globe);
    QTransform toDisc;
    toDisc.translate(disc.left(), disc.top());
    toDisc.scale(disc.width() / 100.0, disc.height() / 100.0);
    QRadialGradient land(centre - QPointF(radius * 0.35, radius * 0.4), radius * 1.5);
    land.setColorAt(0.0, QColor(150, 225, 90));
    land.setColorAt(0.6, QColor(60, 160, 60));
    land.setColorAt(1.0, QColor(25, 95, 40));
    g.setBrush(land);
    g.drawPath(toDisc.map(Land()));

    // Graticule: parallels as straight lines, meridians as ellipses.
    g.setBrush(Qt::NoBrush);
    g.setPen(QPen(QColor(255, 255, 255, 90), 1.0));
    for (int i = -2; i <= 2; ++i) {
        const double y = centre.y() + radius * std::sin(i * 3.14159265358979 / 6);
        const double half = radius * std::cos(i * 3.14159265358979 / 6);
        g.drawLine(QPointF(centre.x() - half, y), QPointF(centre.x() + half, y));
    }
    for (double f : {0.0, 0.5, 0.87})
        g.drawEllipse(QRectF(centre.x() - radius * f, centre.y() - radius, 2 * radius * f, 2 * radius));

    // Highlight on the upper left.
    QRadialGradient shine(centre - QPointF(radius * 0.45, radius * 0.5), radius * 0.6);
    shine.setColorAt(0.0, QColor(255, 255, 255, 120));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    g.setPen(Qt::NoPen);
    g.setBrush(shine);
    g.drawPath(globe);
    g.restore();

    g.setBrush(Qt::NoBrush);
    g.setPen(QPen(QColor(235, 245, 255), 2.0));
    g.drawEllipse(disc);
}

QImage DrawLogo()
{
    QImage img(LogoWidth, LogoHeight, QImage::Format_RGB32);
    img.fill(frame);
    QPainter g(&img);
    g.setRenderHint(QPainter::Antialiasing);
    g.setRenderHint(QPainter::TextAntialiasing);

    DrawGlobe(g, QPointF(59.5, 60), 46);

    // The name, one letter under the other, in warm yellow with a dark edge.
    QFont font("Arial");
    font.setPixelSize(46);
    font.setBold(true);
    const QString name = "GLOBANA";
    const double top = 121, step = 43;
    for (int i = 0; i < name.size(); ++i) {
        QPainterPath letter;
        letter.addText(0, 0, font, QString(name[i]));
        const QRectF box = letter.boundingRect();
        const QPointF at(60 - box.center().x(), top + i * step + step / 2 - box.center().y());
        letter.translate(at);
        g.setPen(Qt::NoPen);
        g.setBrush(QColor(15, 40, 85));
        g.drawPath(letter.translated(2, 2));
        QLinearGradient gold(0, at.y() + box.top(), 0, at.y() + box.bottom());
        gold.setColorAt(0.0, QColor(255, 236, 120));
        gold.setColorAt(1.0, QColor(255, 186, 40));
        g.setBrush(gold);
        g.setPen(QPen(QColor(120, 70, 0), 1.0));
        g.drawPath(letter);
    }
    g.end();
    return img;
}

// Reduces the picture to a 256-colour palette with giflib's median cut and writes a GIF87a.
// Returns the picture as stored, for the preview.
QImage WriteGif(const QImage& img, const QString& path)
{
    const int w = img.width(), h = img.height();
    const auto n = static_cast<std::size_t>(w * h);
    std::vector<GifByteType> r(n), gr(n), b(n), index(n);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb c = img.pixel(x, y);
            const auto i = static_cast<std::size_t>(y * w + x);
            r[i] = static_cast<GifByteType>(qRed(c));
            gr[i] = static_cast<GifByteType>(qGreen(c));
            b[i] = static_cast<GifByteType>(qBlue(c));
        }
    int mapSize = 256;
    GifColorType colours[256] = {};
    if (GifQuantizeBuffer(static_cast<unsigned>(w), static_cast<unsigned>(h), &mapSize, r.data(), gr.data(), b.data(),
                          index.data(), colours) != GIF_OK)
        throw GenerateError{"colour quantisation failed"};
    // The background must be the frame colour exactly, not the median cut's approximation.
    GifColorType& bg = colours[index[0]];
    bg.Red = static_cast<GifByteType>(frame.red());
    bg.Green = static_cast<GifByteType>(frame.green());
    bg.Blue = static_cast<GifByteType>(frame.blue());

    ColorMapObject* map = GifMakeMapObject(256, colours);
    std::string bytes;
    int error = 0;
    // Encoded in memory and written like every other file (giflib's own files get mode 0600).
    GifFileType* gif = EGifOpen(&bytes, [](GifFileType* f, const GifByteType* data, int n) {
        static_cast<std::string*>(f->UserData)->append(reinterpret_cast<const char*>(data), static_cast<std::size_t>(n));
        return n;
    }, &error);
    if (!gif) {
        GifFreeMapObject(map);
        throw GenerateError{std::string("GIF encoder: ") + GifErrorString(error)};
    }
    bool ok = EGifPutScreenDesc(gif, w, h, 8, index[0], map) == GIF_OK
              && EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < h; ++y)
        ok = EGifPutLine(gif, index.data() + y * w, w) == GIF_OK;
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) != GIF_OK || !ok)
        throw GenerateError{"GIF encoding of " + path.toStdString() + " failed"};
    WriteBytes(path, bytes);

    QImage stored(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const GifColorType& c = colours[index[static_cast<std::size_t>(y * w + x)]];
            stored.setPixel(x, y, qRgb(c.Red, c.Green, c.Blue));
        }
    return stored;
}

// A 24-bit bottom-up BMP, all white.
std::string WhiteBmp(int w, int h)
{
    const int rowBytes = (w * 3 + 3) / 4 * 4;
    const auto dataBytes = static_cast<std::uint32_t>(rowBytes * h);
    std::string out;
    auto put = [&out](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    out += "BM";
    put(14 + 40 + dataBytes, 4);
    put(0, 4);
    put(14 + 40, 4);                 // offset of the pixels
    put(40, 4);                      // BITMAPINFOHEADER
    put(static_cast<std::uint32_t>(w), 4);
    put(static_cast<std::uint32_t>(h), 4);
    put(1, 2);                       // planes
    put(24, 2);                      // bits per pixel
    put(0, 4);                       // no compression
    put(dataBytes, 4);
    put(2835, 4);                    // 72 dpi
    put(2835, 4);
    put(0, 4);
    put(0, 4);
    for (int y = 0; y < h; ++y) {
        out += std::string(static_cast<std::size_t>(w * 3), '\xFF');
        out += std::string(static_cast<std::size_t>(rowBytes - w * 3), '\0');
    }
    return out;
}

} // namespace

void WritePictures(const QString& contentDir, const QString& previewDir)
{
    const QImage logo = WriteGif(DrawLogo(), contentDir + "/logo.gif");
    if (!previewDir.isEmpty()) {
        // As stored, on the main menu's frame, and twice as large to judge the details.
        QDir().mkpath(previewDir);
        QImage menu(151 + 40, 427 + 40, QImage::Format_RGB32);
        menu.fill(Qt::white);
        QPainter p(&menu);
        p.fillRect(20, 20, 151, 427, frame);
        p.drawImage(20 + 16, 21, logo);
        p.end();
        menu.save(previewDir + "/logo-on-menu.png");
        logo.scaled(logo.size() * 2).save(previewDir + "/logo-2x.png");
    }
    WriteBytes(contentDir + "/bmptest.bmp", WhiteBmp(8, 8));
}

} // namespace shellcontent
