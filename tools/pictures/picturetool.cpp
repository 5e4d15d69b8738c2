// Renders Globana's flag bitmaps and the language dialog's pictures from SVG flags.
//
// The SVGs are drawn by rsvg-convert (Qt's SVG module draws clip paths and some gradients
// wrongly, which spoils flags such as Brazil's and the Union Jack); this tool sizes them, turns
// the result into 24-bit BMP files and composes the 32 x 32 pictures.
//
//   globana_pictures flags <svg folder> <output folder>
//   globana_pictures lang <svg folder> <output folder>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <optional>

namespace {

constexpr int MaxFlagWidth = 100;
constexpr int MaxFlagHeight = 63;
// The language dialog's pictures sit on panels of this colour.
const QColor IconBackground(192, 208, 224);

void fail(const QString& message)
{
    std::fprintf(stderr, "globana_pictures: %s\n", qPrintable(message));
    std::exit(1);
}

// The width and height of the SVG's viewBox, which the flags use to give their proportions.
std::optional<QSizeF> viewBoxSize(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringList box = xml.attributes().value("viewBox").toString().simplified()
                                    .split(QRegularExpression("[ ,]+"), Qt::SkipEmptyParts);
        if (box.size() != 4)
            return std::nullopt;
        const double w = box[2].toDouble();
        const double h = box[3].toDouble();
        if (w <= 0 || h <= 0)
            return std::nullopt;
        return QSizeF(w, h);
    }
    return std::nullopt;
}

// The largest size with the flag's proportions that fits MaxFlagWidth x MaxFlagHeight.
QSize flagSize(QSizeF box)
{
    const double aspect = box.width() / box.height();
    if (aspect >= double(MaxFlagWidth) / MaxFlagHeight)
        return {MaxFlagWidth, std::min(MaxFlagHeight, int(std::lround(MaxFlagWidth / aspect)))};
    return {std::min(MaxFlagWidth, int(std::lround(MaxFlagHeight * aspect))), MaxFlagHeight};
}

QImage render(const QString& svg, QSize size)
{
    QProcess rsvg;
    rsvg.start("rsvg-convert", {"-w", QString::number(size.width()), "-h",
                                   QString::number(size.height()), "-b", "white", "-f", "png", svg});
    if (!rsvg.waitForFinished(60000) || rsvg.exitStatus() != QProcess::NormalExit
        || rsvg.exitCode() != 0)
        fail(QString("rsvg-convert failed on %1: %2").arg(svg, QString::fromLocal8Bit(rsvg.readAllStandardError())));
    QImage image = QImage::fromData(rsvg.readAllStandardOutput(), "PNG");
    if (image.size() != size)
        fail(QString("rsvg-convert gave a wrong size for %1").arg(svg));
    return image.convertToFormat(QImage::Format_RGB888);
}

void saveBmp(QImage image, const QString& path)
{
    image = image.convertToFormat(QImage::Format_RGB888);
    // Fixed resolution fields, so that the files come out the same on every run.
    image.setDotsPerMeterX(2835);
    image.setDotsPerMeterY(2835);
    if (!image.save(path, "BMP"))
        fail("cannot write " + path);
}

int renderFlags(const QDir& svgs, const QDir& out)
{
    int count = 0;
    for (const QString& name : svgs.entryList({"*.svg"}, QDir::Files, QDir::Name)) {
        const QString path = svgs.filePath(name);
        const std::optional<QSizeF> box = viewBoxSize(path);
        if (!box)
            fail("no usable viewBox in " + path);
        saveBmp(render(path, flagSize(*box)), out.filePath(name.chopped(4).toLower() + ".bmp"));
        ++count;
    }
    std::printf("%d flags\n", count);
    return count > 0 ? 0 : 1;
}

QColor mix(QColor a, QColor b, double t)
{
    return QColor::fromRgbF(a.redF() * (1 - t) + b.redF() * t, a.greenF() * (1 - t) + b.greenF() * t,
        a.blueF() * (1 - t) + b.blueF() * t);
}

// Shrinks a rendering by a whole factor. A pixel whose block is mostly one colour takes that
// colour, so stripes and crosses keep hard edges; mixed blocks (emblems) are averaged.
QImage shrinkCrisp(const QImage& big, int factor)
{
    QImage small(big.width() / factor, big.height() / factor, QImage::Format_RGB888);
    for (int y = 0; y < small.height(); ++y) {
        for (int x = 0; x < small.width(); ++x) {
            QMap<QRgb, int> counts;
            double r = 0, g = 0, b = 0;
            for (int sy = 0; sy < factor; ++sy) {
                for (int sx = 0; sx < factor; ++sx) {
                    const QRgb c = big.pixel(x * factor + sx, y * factor + sy);
                    ++counts[c];
                    r += qRed(c);
                    g += qGreen(c);
                    b += qBlue(c);
                }
            }
            const int n = factor * factor;
            QRgb best = 0;
            int bestCount = 0;
            for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
                if (it.value() > bestCount) {
                    best = it.key();
                    bestCount = it.value();
                }
            }
            small.setPixel(x, y, bestCount * 10 >= n * 6
                    ? best
                    : qRgb(int(std::lround(r / n)), int(std::lround(g / n)), int(std::lround(b / n))));
        }
    }
    return small;
}

// A flat flag in a thin dark frame, centred on the panel colour.
QImage flatIcon(const QString& svg)
{
    const std::optional<QSizeF> box = viewBoxSize(svg);
    if (!box)
        fail("no usable viewBox in " + svg);
    constexpr int S = 8;
    const int w = 28;
    const int h = int(std::lround(w * box->height() / box->width()));
    const QImage flag = shrinkCrisp(render(svg, QSize(w * S, h * S)), S);
    QImage icon(32, 32, QImage::Format_RGB888);
    icon.fill(IconBackground);
    const int left = (32 - w) / 2;
    const int top = (32 - h) / 2;
    const QColor frame(64, 64, 64);
    for (int y = -1; y <= h; ++y) {
        for (int x = -1; x <= w; ++x) {
            const bool inside = x >= 0 && x < w && y >= 0 && y < h;
            icon.setPixelColor(left + x, top + y, inside ? flag.pixelColor(x, y) : frame);
        }
    }
    return icon;
}

// The flag on a pole, waving: columns shift up and down along a sine and the folds are shaded.
// It is drawn from a four times larger rendering and averaged down, so the edges stay smooth.
QImage wavingIcon(const QString& svg)
{
    constexpr int S = 4;
    const int w = 27;
    const int h = 17;
    const double amplitude = 1.6;
    const QImage flag = render(svg, QSize(w * S, h * S));
    QImage icon(32, 32, QImage::Format_RGB888);
    icon.fill(IconBackground);
    const QColor pole(96, 72, 48);
    for (int y = 4; y < 30; ++y) {
        icon.setPixelColor(2, y, pole);
        icon.setPixelColor(3, y, pole.lighter(130));
    }
    icon.setPixelColor(2, 3, QColor(200, 170, 60));
    icon.setPixelColor(3, 3, QColor(200, 170, 60));
    const int left = 4;
    const int top = 7;
    for (int y = top - 3; y < top + h + 3; ++y) {
        for (int x = left; x < left + w; ++x) {
            double r = 0, g = 0, b = 0;
            int covered = 0;
            for (int sy = 0; sy < S; ++sy) {
                for (int sx = 0; sx < S; ++sx) {
                    const double px = x - left + (sx + 0.5) / S;
                    const double phase = 2 * std::numbers::pi * px / 18.0;
                    // The wave grows away from the pole, which holds the flag still.
                    const double lift = amplitude * std::sin(phase) * std::min(1.0, px / 6.0);
                    const double fy = y + (sy + 0.5) / S - top - lift;
                    if (fy < 0 || fy >= h)
                        continue;
                    QColor c = flag.pixelColor(std::clamp(int(px * S), 0, w * S - 1),
                        std::clamp(int(fy * S), 0, h * S - 1));
                    const double shade = 0.18 * std::cos(phase) * std::min(1.0, px / 6.0);
                    c = shade > 0 ? mix(c, Qt::white, shade) : mix(c, Qt::black, -shade);
                    r += c.redF();
                    g += c.greenF();
                    b += c.blueF();
                    ++covered;
                }
            }
            if (covered == 0)
                continue;
            const QColor under = icon.pixelColor(x, y);
            const double t = double(covered) / (S * S);
            const QColor mean = QColor::fromRgbF(r / covered, g / covered, b / covered);
            icon.setPixelColor(x, y, mix(under, mean, t));
        }
    }
    return icon;
}

int renderLanguageIcons(const QDir& svgs, const QDir& out)
{
    saveBmp(flatIcon(svgs.filePath("se.svg")), out.filePath("lang_sv.bmp"));
    saveBmp(wavingIcon(svgs.filePath("us.svg")), out.filePath("lang_us.bmp"));
    saveBmp(flatIcon(svgs.filePath("fr.svg")), out.filePath("lang_fr.bmp"));
    saveBmp(flatIcon(svgs.filePath("de.svg")), out.filePath("lang_de.bmp"));
    saveBmp(flatIcon(svgs.filePath("es.svg")), out.filePath("lang_es.bmp"));
    std::printf("5 language pictures\n");
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4 || (args[1] != "flags" && args[1] != "lang")) {
        std::fprintf(stderr, "usage: globana_pictures flags|lang <svg folder> <output folder>\n");
        return 2;
    }
    const QDir svgs(args[2]);
    if (!svgs.exists())
        fail("no folder " + args[2]);
    if (!QDir().mkpath(args[3]))
        fail("cannot create " + args[3]);
    const QDir out(args[3]);
    return args[1] == "flags" ? renderFlags(svgs, out) : renderLanguageIcons(svgs, out);
}
