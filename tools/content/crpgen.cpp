// globana_crpgen: turns the content generator's UTF-8 JSON (work/*.json) into the game's .crp
// files, chooses the sea points on the pictures of the catalogue's views (SeaPoints.h), then reads
// every file back with the game's own loaders and checks counts and limits. First it checks the
// scripts' projection against the map's (ProjectionTable.h). With a mask folder it
// also writes the true land/sea mask of every distinct view (LandMask.h) for the content test.
// Usage: globana_crpgen <work dir> <content dir> [mask dir]
#include "data/Areor.h"
#include "data/Fileread.h"
#include "data/Orter.h"
#include "data/ovningar.h"
#include "exercises/ovning.h"
#include "map/UKarta.h"
#include "platform/Win1252.h"
#include "tools/content/LandMask.h"
#include "tools/content/ProjectionTable.h"
#include "tools/content/SeaPoints.h"
#include "tools/crp/CrpWriter.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <algorithm>
#include <cmath>

#include <cstdio>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

QJsonArray readArray(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    QJsonParseError err;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &err);
    if (!doc.isArray())
        throw std::runtime_error(path.toStdString() + ": " + err.errorString().toStdString());
    return doc.array();
}

// Windows-1252 text of a name: letters the code page lacks become their nearest spelling
// (ő → ö as Hungarian readers expect, otherwise the letter without its mark: ł → l, ș → s).
std::string toGameText(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        const QString one(c);
        if (ToWin1252(one) != "?" || c == u'?') {
            out += c;
            continue;
        }
        switch (c.unicode()) {
        case 0x0151: out += QChar(0x00F6); continue; // ő
        case 0x0150: out += QChar(0x00D6); continue; // Ő
        case 0x0171: out += QChar(0x00FC); continue; // ű
        case 0x0170: out += QChar(0x00DC); continue; // Ű
        case 0x0142: out += u'l'; continue;          // ł
        case 0x0141: out += u'L'; continue;
        case 0x0111: out += u'd'; continue;          // đ
        case 0x0110: out += u'D'; continue;
        case 0x0131: out += u'i'; continue;          // ı
        case 0x02BB: case 0x02BC: out += QChar(0x2019); continue; // ʻokina → ’
        default: break;
        }
        const QString base = one.normalized(QString::NormalizationForm_D);
        QString kept;
        for (const QChar b : base)
            if (b.category() != QChar::Mark_NonSpacing && ToWin1252(QString(b)) != "?")
                kept += b;
        if (kept.isEmpty())
            throw std::runtime_error("no Windows-1252 spelling for U+" + QString::number(c.unicode(), 16).toStdString() + " in " + text.toStdString());
        out += kept;
    }
    const std::string bytes = ToWin1252(out);
    if (bytes.size() > 255)
        throw std::runtime_error("text longer than 255 bytes: " + text.toStdString());
    return bytes;
}

std::string str(const QJsonValue& v) { return toGameText(v.toString()); }

void names(const QJsonObject& o, std::string (&out)[5])
{
    const QJsonArray n = o["names"].toArray();
    if (n.size() != 5)
        throw std::runtime_error("a record without five names");
    for (int i = 0; i < 5; ++i) {
        out[i] = str(n[i]);
        if (out[i].empty())
            throw std::runtime_error("an empty name");
    }
}

void check(bool ok, const std::string& what)
{
    if (!ok)
        throw std::runtime_error("check failed: " + what);
}

// Writes an area file; `moved1` and `moved2` replace the first and second seeds of the records
// they name, and each twin appends a copy of its record with the twin's two seeds.
int writeAreas(const QString& in, const std::string& out, const std::vector<SeedChange>& moved1 = {},
               const std::vector<SeedChange>& moved2 = {},
               const std::vector<std::pair<SeedChange, SeedChange>>& twins = {})
{
    std::vector<AreaRecord> records;
    for (const QJsonValue& v : readArray(in)) {
        const QJsonObject o = v.toObject();
        AreaRecord r;
        const QJsonArray keys = o["keys"].toArray();
        for (int i = 0; i < 3; ++i)
            r.Keys[i] = str(keys[i]);
        names(o, r.Names);
        r.FlagFile = str(o["flag"]);
        r.Reserved = o["marker"].toInt(); // 1 on a marker disk: the game ignores it, the content checks read it
        const QJsonObject box = o["box"].toObject();
        r.North = box["n"].toDouble();
        r.South = box["s"].toDouble();
        r.East = box["e"].toDouble();
        r.West = box["w"].toDouble();
        const QJsonArray seeds = o["seeds"].toArray();
        r.Seed1Lat = seeds[0][0].toDouble();
        r.Seed1Lon = seeds[0][1].toDouble();
        r.Seed2Lat = seeds[1][0].toDouble();
        r.Seed2Lon = seeds[1][1].toDouble();
        for (const QJsonValue& p : o["vertices"].toArray())
            r.Vertices.emplace_back(p[0].toDouble(), p[1].toDouble());
        records.push_back(std::move(r));
    }
    auto setSeed = [](double& lat, double& lon, const SeedChange& c) {
        lat = c.Lat / 10000.0;
        lon = c.Lon / 10000.0;
    };
    for (const SeedChange& c : moved1)
        setSeed(records.at(c.Item - 1).Seed1Lat, records.at(c.Item - 1).Seed1Lon, c);
    for (const SeedChange& c : moved2)
        setSeed(records.at(c.Item - 1).Seed2Lat, records.at(c.Item - 1).Seed2Lon, c);
    for (const auto& [first, second] : twins) {
        AreaRecord twin = records.at(first.Item - 1);
        setSeed(twin.Seed1Lat, twin.Seed1Lon, first);
        setSeed(twin.Seed2Lat, twin.Seed2Lon, second);
        records.push_back(std::move(twin));
    }
    check(records.size() <= 500, "at most 500 records in " + out);
    CrpWriter w;
    for (const AreaRecord& r : records)
        WriteArea(w, r);
    w.SaveTo(out);
    return static_cast<int>(records.size());
}

int writePlaces(const QString& in, const std::string& out)
{
    CrpWriter w;
    const QJsonArray recs = readArray(in);
    for (const QJsonValue& v : recs) {
        const QJsonObject o = v.toObject();
        PlaceRecord r;
        r.Id = str(o["id"]);
        names(o, r.Names);
        r.Level = o["level"].toInt();
        r.CategoryA = static_cast<std::uint8_t>(o["a"].toInt());
        r.CategoryB = static_cast<std::uint8_t>(o["b"].toInt());
        const QJsonArray keys = o["keys"].toArray();
        for (int i = 0; i < 3; ++i)
            r.Keys[i] = str(keys[i]);
        r.Latitude = o["lat"].toDouble();
        r.Longitude = o["lon"].toDouble();
        WritePlace(w, r);
    }
    w.SaveTo(out);
    return static_cast<int>(recs.size());
}

int writeCatalogue(const QString& in, const std::string& out)
{
    CrpWriter w;
    const QJsonArray recs = readArray(in);
    for (const QJsonValue& v : recs) {
        const QJsonObject o = v.toObject();
        CatalogueRecord r;
        r.Keyword = str(o["kind"]);
        names(o, r.Names);
        r.Number = o["number"].toInt();
        r.Level = static_cast<std::uint8_t>(o["level"].toInt());
        r.BorderWidth = static_cast<std::uint8_t>(o["border"].toInt());
        r.NeedPlaceFlag1 = static_cast<std::uint8_t>(o["flag1"].toInt());
        r.NeedPlaceFlag2 = static_cast<std::uint8_t>(o["flag2"].toInt());
        r.AreaFileNo = o["areaFile"].toInt();
        r.PlaceFileNo = o["placeFile"].toInt();
        r.WorldPart = str(o["part"]);
        const QJsonArray view = o["view"].toArray();
        r.NorthLat = view[0].toDouble();
        r.SouthLat = view[1].toDouble();
        r.CenterLon = view[2].toDouble();
        for (const QJsonValue& s : o["selectors"].toArray())
            r.Selectors.push_back(str(s));
        WriteCatalogueEntry(w, r);
    }
    w.SaveTo(out);
    return static_cast<int>(recs.size());
}

// One mask a view drawn (the border width does not change what is land), named by area file and
// view; masks of views no longer drawn are removed.
void writeMasks(const QString& landFile, const QString& dir, const std::map<int, std::vector<SeaView>>& views)
{
    const LandSource land = ReadLandSource(landFile);
    QDir out(dir);
    if (!out.mkpath("."))
        throw std::runtime_error("cannot make " + dir.toStdString());
    for (const QString& old : out.entryList({"AREA*.png"}, QDir::Files))
        out.remove(old);
    CKarta map;
    map.ProcessMessages = nullptr;
    int count = 0;
    for (const auto& [file, list] : views)
        for (const SeaView& v : list) {
            const QString name = QString::fromStdString(LandMaskName(file, v.Top, v.Bottom, v.Centre, v.Size.Width, v.Size.Height));
            if (out.exists(name))
                continue;
            SetView(map, v);
            if (!RasteriseLand(land, map, v.Size.Width, v.Size.Height).save(out.filePath(name), "PNG", 0))
                throw std::runtime_error("cannot write " + out.filePath(name).toStdString());
            ++count;
        }
    std::printf("land masks: %d views and sizes\n", count);
}

// The rule a physical place of work/physical.json keeps on its exercise's pictures.
struct PhysicalRule {
    std::string Kind, Country, Lake;
    bool Open = false;        // a lake the sea's water draws (Maracaibo)
    std::vector<int> FitsNot; // exercises that would ask it if its dot fitted their map
};

std::map<std::string, PhysicalRule> readPhysicalRules(const QString& work)
{
    std::map<std::string, PhysicalRule> rules;
    for (const QJsonValue& v : readArray(work + "/physical.json")) {
        const QJsonObject o = v.toObject();
        PhysicalRule& rule = rules[str(o["id"])];
        rule = {str(o["kind"]), str(o["country"]), str(o["lake"]), o["open"].toBool(), {}};
        for (const QJsonValue& n : o["fitsNot"].toArray())
            rule.FitsNot.push_back(n.toInt());
    }
    return rules;
}

// Draws a place exercise's map as the exercise does, up to the sea fill: silver land, then the
// catalogue's colours.
void drawPlaceExerciseMap(CKarta& map, const COvning& e)
{
    map.LandColor = map.AreaColor = 0xC0C0C0;
    if (e.LandColor)
        map.LandColor = e.LandColor;
    if (e.AreaColor)
        map.AreaColor = e.AreaColor;
    if (e.SeaColor)
        map.SeaColor = e.SeaColor;
    map.FillBackground();
    map.DrawAreaBorders(e.BorderWidth);
    map.DrawWater();
    map.FillSea();
}

// How a place breaks its rule on the drawn map (of the given size), or nothing: a sea or an ocean
// well inside the sea fill and in no lake, a lake that Vatten draws inside its own water, anything
// else on land and, where the table names a country, in that country by the rule of a click.
std::string physicalProblem(const CKarta& map, const MapSize& size, const COrt& p, const PhysicalRule& rule)
{
    const Canvas& picture = *map.Target;
    const TColor land = map.LandColor & 0xFFFFFF, sea = map.SeaColor & 0xFFFFFF, water = map.WaterColor & 0xFFFFFF;
    // the pixels within `radius` reference pixels of the dot's centre
    auto around = [&](int x, int y, double radius) {
        std::vector<TColor> out;
        const int r = static_cast<int>(std::lround(radius * size.Height / ReferenceSize.Height));
        for (int dy = -r; dy <= r; ++dy)
            for (int dx = -r; dx <= r; ++dx)
                if (dx * dx + dy * dy <= r * r && map.IsOnImage(x + dx, y + dy))
                    out.push_back(picture.pixel(x + dx, y + dy) & 0xFFFFFF);
        return out;
    };
    const auto lat = static_cast<float>(p.Latitude), lon = static_cast<float>(p.Longitude);
    const int x = map.ToX(lat, lon), y = map.LatitudeToY(lat);
    // the area a click there chooses, and the water holding the point
    const int ownerItem = OwnerAt(*map.Areas, lat, lon), waterItem = OwnerAt(*map.Waters, lat, lon);
    const CArea* owner = ownerItem ? &map.Areas->Item(ownerItem) : nullptr;
    const std::string inWater = waterItem ? map.Waters->Item(waterItem).Keys[1] : std::string();
    const std::vector<TColor> near = around(x, y, 3.0), centre = around(x, y, 1.0);
    const auto all = [](const std::vector<TColor>& v, TColor c) { return !v.empty() && std::all_of(v.begin(), v.end(), [&](TColor k) { return k == c; }); };
    const auto any = [](const std::vector<TColor>& v, TColor c) { return std::find(v.begin(), v.end(), c) != v.end(); };
    if (!map.IsOnImage(x, y))
        return "off the picture";
    if (rule.Kind == "ocean" || rule.Kind == "sea") {
        if (!all(near, sea) || owner || !inWater.empty())
            return "not well inside the sea" + (owner ? " (in " + owner->Keys[1] + ")" : inWater.empty() ? "" : " (in " + inWater + ")");
    } else if (rule.Open) {
        if (!all(centre, sea))
            return "not on the sea's water";
    } else if (!rule.Lake.empty()) {
        if (!all(centre, water) || inWater != rule.Lake)
            return "not on its lake's water";
    } else if (any(centre, sea) || any(centre, water) || !inWater.empty() || (!any(centre, land) && !owner)) {
        // (a peak on a border may sit on the border's pixels: inside an area is land)
        return "not on land";
    } else if (!rule.Country.empty() && (!owner || owner->Keys[1] != rule.Country)) {
        return "in " + (owner ? owner->Keys[1] : std::string("no area")) + ", not " + rule.Country;
    }
    return {};
}

// The physical places of the place exercises, on every picture that asks them at every checked
// size, drawn as the exercise draws its map, each against its rule (physicalProblem). Returns the
// number of places that break their rule; each is a line of `report`.
int checkPhysical(const QString& work, const std::string& content, const COvningar& cat, std::vector<std::string>& report)
{
    const std::map<std::string, PhysicalRule> rules = readPhysicalRules(work);
    int problems = 0, checked = 0;
    COrter shared;
    shared.LoadFromFile(content + "/Ort1.crp");
    for (const COvning* e = cat.First; e; e = e->Next) {
        if (e->Kind != "ORT")
            continue;
        COrter places;
        places.LoadFromFile(content + "/Ort" + std::to_string(e->PlaceFileNo) + ".crp");
        places.ClearMarks();
        for (int i = 1; i <= e->SelectorCount; ++i)
            places.IncludeForKey(e->Selectors[i], e->Level, e->NeedPlaceFlag1, e->NeedPlaceFlag2);
        std::vector<const COrt*> asked, tried;
        for (const COrt* p = places.First; p; p = p->Next)
            if (p->Included && rules.count(p->Id))
                asked.push_back(p);
        // the places the rule of the lists leaves out of this exercise because their dots do not fit
        for (const COrt* p = shared.First; p; p = p->Next)
            if (rules.count(p->Id) && std::count(rules.at(p->Id).FitsNot.begin(), rules.at(p->Id).FitsNot.end(), e->Number))
                tried.push_back(p);
        std::set<const COrt*> fitsSomewhereNot;
        if (asked.empty() && tried.empty())
            continue;
        const std::string n = std::to_string(e->AreaFileNo);
        CKarta map;
        map.ProcessMessages = nullptr;
        map.Areas = std::make_unique<CAreor>();
        map.Waters = std::make_unique<CAreor>();
        map.Areas->LoadFromFile(content + "/AREA" + n + ".crp");
        map.Waters->LoadFromFile(content + "/Vatten.crp");
        map.LoadSeaPoints(content + "/Hav" + n + ".crp");
        SeaView view;
        view.Top = static_cast<float>(e->NorthLat);
        view.Bottom = static_cast<float>(e->SouthLat);
        view.Centre = static_cast<float>(e->CenterLon);
        for (const MapSize& size : CheckedSizes) {
            view.Size = size;
            SetView(map, view);
            drawPlaceExerciseMap(map, *e);
            for (const COrt* p : tried)
                if (!physicalProblem(map, size, *p, rules.at(p->Id)).empty())
                    fitsSomewhereNot.insert(p);
            for (const COrt* p : asked) {
                const std::string wrong = physicalProblem(map, size, *p, rules.at(p->Id));
                ++checked;
                if (!wrong.empty()) {
                    ++problems;
                    const int x = map.ToX(static_cast<float>(p->Latitude), static_cast<float>(p->Longitude)), y = map.LatitudeToY(static_cast<float>(p->Latitude));
                    report.push_back("exercise " + std::to_string(e->Number) + " at " + std::to_string(size.Width) + "x" + std::to_string(size.Height) + ": " +
                                     p->Id + " " + wrong + " at (" + std::to_string(x) + ", " + std::to_string(y) + ")");
                }
            }
        }
        for (const COrt* p : tried)
            if (!fitsSomewhereNot.count(p)) {
                ++problems;
                report.push_back("exercise " + std::to_string(e->Number) + ": " + p->Id + " fits every picture, and the rule of the lists asks it there");
            }
    }
    report.push_back("physical places: " + std::to_string(checked) + " checks on the pictures, " + std::to_string(problems) + " problems");
    return problems;
}

// AREA1-3.crp and Vatten.crp as the scripts left them, read back to check counts and limits.
void writeAreaFile(const QString& work, const std::string& content, const std::string& name)
{
    const std::string path = content + "/" + name + ".crp";
    const int n = writeAreas(work + "/" + QString::fromStdString(name) + ".json", path);
    CAreor list;
    list.LoadFromFile(path);
    check(list.Count == n, name + " record count");
    int vertices = 0;
    for (int i = 1; i <= list.Count; ++i) {
        const CArea& a = list.Item(i);
        check(!a.Keys[1].empty() && a.VertexCount <= CArea::MaxVertices, name + " key and vertices");
        vertices += a.VertexCount;
    }
    std::printf("%s.crp: %d records, %d vertices\n", name.c_str(), n, vertices);
}

// Ort1 and Ort2, and the place files of the views whose dots were moved apart (Ort3 …), read
// back; a place file of an earlier run that no view has now is removed.
void writePlaceFiles(const QString& work, const std::string& content)
{
    QStringList placeFiles;
    for (const QString& f : QDir(work).entryList({"Ort*.json"}, QDir::Files, QDir::Name))
        placeFiles << f.chopped(5);
    for (const QString& f : QDir(QString::fromStdString(content)).entryList({"Ort*.crp"}, QDir::Files))
        if (!placeFiles.contains(f.chopped(4)))
            QFile::remove(QString::fromStdString(content) + "/" + f);
    for (const QString& placeFile : placeFiles) {
        const std::string name = placeFile.toStdString();
        const std::string path = content + "/" + name + ".crp";
        const int n = writePlaces(work + "/" + placeFile + ".json", path);
        COrter list;
        list.LoadFromFile(path);
        int count = 0;
        for (COrt* p = list.First; p; p = p->Next)
            ++count;
        check(count == n, name + " place count");
        std::printf("%s.crp: %d places\n", name.c_str(), n);
    }
}

// Ovning.crp, read back into `cat`.
void writeCatalogueFile(const QString& work, const std::string& content, COvningar& cat)
{
    const std::string path = content + "/Ovning.crp";
    const int n = writeCatalogue(work + "/Ovning.json", path);
    cat.LoadFromFile(path);
    int count = 0;
    for (COvning* e = cat.First; e; e = e->Next) {
        ++count;
        check(e->Number >= 1 && e->Number <= 90 && e->SelectorCount <= 100, "exercise number and selectors");
    }
    check(count == n, "exercise count");
    std::printf("Ovning.crp: %d exercises\n", n);
}

// The views of the catalogue's map exercises (AREA, ORT) per area file, as the map shows them at
// every checked size (ResolveViews).
std::map<int, std::vector<SeaView>> catalogueViews(const COvningar& cat, const std::string& content)
{
    std::map<int, std::vector<SeaView>> views;
    for (int file : {1, 2, 3}) {
        for (const COvning* e = cat.First; e; e = e->Next) {
            if (e->AreaFileNo != file || (e->Kind != "AREA" && e->Kind != "ORT"))
                continue;
            SeaView v;
            v.Top = static_cast<float>(e->NorthLat);
            v.Bottom = static_cast<float>(e->SouthLat);
            v.Centre = static_cast<float>(e->CenterLon);
            v.Border = e->BorderWidth;
            v.Numbers.push_back(e->Number);
            if (e->Kind == "AREA")
                for (int i = 1; i <= e->SelectorCount; ++i)
                    v.Selectors.push_back(e->Selectors[i]);
            views[file].push_back(v);
        }
        views[file] = ResolveViews(content + "/AREA" + std::to_string(file) + ".crp", views[file]);
    }
    return views;
}

// Vatten.crp again, with the waters' seeds chosen on every view.
void writeWaterSeeds(const QString& work, const std::string& content, const std::map<int, std::vector<SeaView>>& views,
                     std::vector<std::string>& report)
{
    std::vector<SeaView> all;
    for (const auto& [file, list] : views)
        all.insert(all.end(), list.begin(), list.end());
    const WaterSeedResult water = ChooseWaterSeeds(content + "/Vatten.crp", all);
    writeAreas(work + "/Vatten.json", content + "/Vatten.crp", water.Seed1, water.Seed2);
    for (const std::string& line : water.Report)
        report.push_back("Vatten " + line);
}

// Hav<file>.crp, read back, and AREA<file>.crp again where seeds moved or twins were added.
// Returns the number of sea-point problems.
int writeSeaPoints(const QString& work, const std::string& content, int file, const std::vector<SeaView>& views,
                   std::vector<std::string>& report)
{
    const std::string name = "Hav" + std::to_string(file), areaName = "AREA" + std::to_string(file);
    const SeaPointResult sea = ChooseSeaPoints(content + "/" + areaName + ".crp", content + "/Vatten.crp", views);
    if (!sea.Seed1.empty() || !sea.Seed2.empty() || !sea.Twins.empty()) {
        writeAreas(work + "/" + QString::fromStdString(areaName) + ".json", content + "/" + areaName + ".crp", sea.Seed1, sea.Seed2, sea.Twins);
        std::printf("%s.crp: %d first and %d second seeds moved, %d twin records for more seeds\n", areaName.c_str(),
                    static_cast<int>(sea.Seed1.size()), static_cast<int>(sea.Seed2.size()), static_cast<int>(sea.Twins.size()));
    }
    CrpWriter w;
    for (const auto& [lat, lon] : sea.Points)
        WriteSeaPoint(w, lat / 10000.0, lon / 10000.0);
    const std::string havPath = content + "/" + name + ".crp";
    w.SaveTo(havPath);
    TByteFile f(havPath);
    int pairs = 0;
    while (!f.AtEnd()) {
        f.ReadInt32();
        f.ReadInt32();
        ++pairs;
    }
    check(pairs == static_cast<int>(sea.Points.size()) && pairs <= 100, name + " sea points");
    std::printf("%s.crp: %d sea points\n", name.c_str(), pairs);
    for (const std::string& line : sea.Report)
        report.push_back(name + " " + line);
    return sea.Problems;
}

// work/seapoints-report.txt, also printed.
void writeReport(const QString& work, const std::vector<std::string>& report)
{
    QFile out(work + "/seapoints-report.txt");
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write the sea-point report");
    for (const std::string& line : report) {
        out.write(line.c_str());
        out.write("\n");
        std::printf("%s\n", line.c_str());
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s <work dir> <content dir> [mask dir]\n", argv[0]);
        return 2;
    }
    const QString work = QString::fromLocal8Bit(argv[1]);
    const std::string content = argv[2];
    try {
        // The scripts chose the selectors, cut the views and moved the dots with their own copy of
        // the projection: nothing is written unless it answers as the map does.
        const long compared = CheckProjectionTable((work + "/projection-table.txt").toStdString());
        std::printf("projection table: %ld answers as the map gives them\n", compared);
        for (const char* name : {"AREA1", "AREA2", "AREA3", "Vatten"})
            writeAreaFile(work, content, name);
        writePlaceFiles(work, content);
        COvningar cat;
        writeCatalogueFile(work, content, cat);
        // Sea points last: they are chosen on the pictures of the catalogue's views, drawn from
        // the area and water files just written; the waters' seeds first, as their fills shape
        // the regions that the sea and the areas get.
        std::map<int, std::vector<SeaView>> views = catalogueViews(cat, content);
        std::vector<std::string> report;
        writeWaterSeeds(work, content, views, report);
        int problems = 0;
        for (int file : {1, 2, 3})
            problems += writeSeaPoints(work, content, file, views[file], report);
        writeReport(work, report);
        check(problems == 0, std::to_string(problems) + " sea-point problems (see seapoints-report.txt)");
        std::vector<std::string> physical;
        const int physicalProblems = checkPhysical(work, content, cat, physical);
        for (const std::string& line : physical)
            std::printf("%s\n", line.c_str());
        check(physicalProblems == 0, std::to_string(physicalProblems) + " physical places off their sea, lake or land");
        if (argc == 4)
            writeMasks(work + "/land.json", QString::fromLocal8Bit(argv[3]), views);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "globana_crpgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
