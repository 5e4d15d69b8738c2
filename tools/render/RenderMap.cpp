// Offscreen rendering of an exercise map with the game's own loaders and drawing sequences.
#include "tools/render/RenderMap.h"

#include "data/Areor.h"
#include "data/Orter.h"
#include "map/UKarta.h"
#include "platform/Canvas.h"

#include <memory>

namespace {

std::vector<std::string> SplitKeys(const QString& text)
{
    std::vector<std::string> keys;
    for (const QString& k : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
        keys.push_back(k.toStdString());
    return keys;
}

bool ParseInt(const QString& text, int low, int high, int& value)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < low || v > high)
        return false;
    value = v;
    return true;
}

// Marks the keys in both lists, as an exercise marks its selectors at its start.
void Include(CKarta& map, const std::vector<std::string>& keys, int level)
{
    map.Areas->ClearMarks();
    map.Places->ClearMarks();
    for (const std::string& key : keys) {
        map.Areas->IncludeForKey(key);
        map.Places->IncludeForKey(key, level, false, false);
    }
}

} // namespace

std::string ParseRenderArguments(const QStringList& arguments, RenderOptions& options)
{
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& name = arguments[i];
        const bool flag = name == QLatin1String("--grid");
        if (flag) {
            options.Grid = true;
            continue;
        }
        if (i + 1 >= arguments.size())
            return "missing value after " + name.toStdString();
        const QString value = arguments[++i];
        if (name == QLatin1String("--areas")) {
            options.AreasFile = value.toStdString();
        } else if (name == QLatin1String("--water")) {
            options.WaterFile = value.toStdString();
        } else if (name == QLatin1String("--sea")) {
            options.SeaFile = value.toStdString();
        } else if (name == QLatin1String("--places")) {
            options.PlacesFile = value.toStdString();
        } else if (name == QLatin1String("--view")) {
            const QStringList parts = value.split(QLatin1Char(','));
            bool ok[3] = {false, false, false};
            if (parts.size() == 3) {
                RenderOptions::View v;
                v.Top = parts[0].toFloat(&ok[0]);
                v.Bottom = parts[1].toFloat(&ok[1]);
                v.Centre = parts[2].toFloat(&ok[2]);
                if (ok[0] && ok[1] && ok[2] && v.Top != v.Bottom)
                    options.ViewSet = v;
                else
                    ok[0] = false;
            }
            if (!ok[0])
                return "--view needs top,bottom,centre (degrees, top and bottom different)";
        } else if (name == QLatin1String("--fit")) {
            options.FitKeys = SplitKeys(value);
        } else if (name == QLatin1String("--size")) {
            const QStringList parts = value.split(QLatin1Char('x'));
            if (parts.size() != 2 || !ParseInt(parts[0], 1, 20000, options.Width) ||
                !ParseInt(parts[1], 1, 20000, options.Height))
                return "--size needs WxH (1 to 20000 pixels each)";
        } else if (name == QLatin1String("--include")) {
            options.IncludeKeys = SplitKeys(value);
        } else if (name == QLatin1String("--level")) {
            if (!ParseInt(value, 0, 255, options.Level))
                return "--level needs a number from 0 to 255";
        } else if (name == QLatin1String("--kind")) {
            if (value == QLatin1String("area"))
                options.MapKind = RenderOptions::Kind::Area;
            else if (value == QLatin1String("place"))
                options.MapKind = RenderOptions::Kind::Place;
            else
                return "--kind is area or place";
        } else if (name == QLatin1String("--border")) {
            if (!ParseInt(value, 0, 255, options.Border))
                return "--border needs a number from 0 to 255";
        } else if (name == QLatin1String("--ratio")) {
            bool ok = false;
            const double r = value.toDouble(&ok);
            if (!ok || !(r >= 0.25 && r <= 8.0))
                return "--ratio needs a number from 0.25 to 8";
            options.PixelRatio = r;
        } else if (name == QLatin1String("--out")) {
            options.OutFile = value.toStdString();
        } else {
            return "unknown argument " + name.toStdString();
        }
    }
    if (options.OutFile.empty())
        return "missing --out FILE";
    return {};
}

namespace {

// Loads, marks and draws as RenderMap documents; the map is left drawn on `canvas`.
void DrawMap(const RenderOptions& options, Canvas& canvas, CKarta& map)
{
    map.Target = &canvas;
    map.TargetPixelRatio = options.PixelRatio;
    map.ProcessMessages = nullptr;
    map.Areas = std::make_unique<CAreor>();
    map.Waters = std::make_unique<CAreor>();
    map.Places = std::make_unique<COrter>();
    if (!options.AreasFile.empty())
        map.Areas->LoadFromFile(options.AreasFile);
    if (!options.WaterFile.empty())
        map.Waters->LoadFromFile(options.WaterFile);
    if (!options.PlacesFile.empty())
        map.Places->LoadFromFile(options.PlacesFile);
    if (!options.SeaFile.empty())
        map.LoadSeaPoints(options.SeaFile);
    map.ShowGrid = options.Grid;
    if (options.MapKind == RenderOptions::Kind::Place) {
        map.AreaColor = 0xC0C0C0;
        map.LandColor = 0xC0C0C0;
    }

    if (options.ViewSet) {
        map.TopLatitude = options.ViewSet->Top;
        map.BottomLatitude = options.ViewSet->Bottom;
        map.CentreLongitude = options.ViewSet->Centre;
        Include(map, options.IncludeKeys, options.Level);
        map.SetUpView();
    } else {
        Include(map, options.FitKeys.empty() ? options.IncludeKeys : options.FitKeys, options.Level);
        map.UpdateScale();
        map.FitToIncludedAreas();
        Include(map, options.IncludeKeys, options.Level);
    }

    if (options.MapKind == RenderOptions::Kind::Area)
        map.DrawAreaExerciseMap(options.Border);
    else
        map.DrawPlaceExerciseMap(options.Border);
}

} // namespace

QImage RenderMap(const RenderOptions& options)
{
    Canvas canvas(options.Width, options.Height);
    CKarta map;
    DrawMap(options, canvas, map);
    return canvas.image();
}

std::vector<int> HintPixels(const RenderOptions& options, const std::vector<std::string>& keys)
{
    Canvas canvas(options.Width, options.Height);
    CKarta map;
    DrawMap(options, canvas, map);
    const QImage drawn = canvas.image().convertToFormat(QImage::Format_RGB32);
    constexpr TColor lime = 0x00FF00;
    const QRgb limeRgb = ToQRgb(lime) | 0xFF000000u;
    std::vector<int> out;
    for (const std::string& key : keys) {
        map.FillAreasWithKey(key, lime);
        const QImage now = canvas.image().convertToFormat(QImage::Format_RGB32);
        int lit = 0;
        for (int y = 0; y < now.height(); ++y) {
            const QRgb* after = reinterpret_cast<const QRgb*>(now.constScanLine(y));
            const QRgb* before = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
            for (int x = 0; x < now.width(); ++x)
                lit += (after[x] | 0xFF000000u) == limeRgb && (before[x] | 0xFF000000u) != limeRgb;
        }
        out.push_back(lit);
        canvas.setImage(drawn);
    }
    return out;
}
