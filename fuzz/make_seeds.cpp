// Writes the seed corpora of the fuzz targets: a few small valid files of each format, made
// with the same writer as the game's content. Run: make_fuzz_seeds <repo>/fuzz/corpus
#include "tools/crp/CrpWriter.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::filesystem::path root;

void Save(const std::string& target, const std::string& name, const std::vector<std::uint8_t>& bytes)
{
    const std::filesystem::path dir = root / target;
    std::filesystem::create_directories(dir);
    CrpWriter w;
    for (std::uint8_t b : bytes)
        w.Byte(b);
    w.SaveTo((dir / name).string());
}

void Save(const std::string& target, const std::string& name, const CrpWriter& w)
{
    Save(target, name, w.Bytes());
}

PlaceRecord Place(const std::string& name, int level, const std::string& key, double lat, double lon)
{
    PlaceRecord r;
    r.Id = name.substr(0, 3);
    r.Names[0] = name;
    r.Names[1] = name + " (en)";
    r.Level = level;
    r.CategoryA = 1;
    r.CategoryB = static_cast<std::uint8_t>(level & 1);
    r.Keys[0] = key;
    r.Keys[1] = "EU";
    r.Latitude = lat;
    r.Longitude = lon;
    return r;
}

AreaRecord Area(const std::string& key, const std::string& group, int vertices)
{
    AreaRecord r;
    r.Keys[0] = key;
    r.Keys[1] = group;
    r.Names[0] = "Area " + key;
    r.Names[2] = "Zone " + key;
    r.FlagFile = key + ".bmp";
    r.North = 60;
    r.South = 50;
    r.East = 20;
    r.West = 10;
    r.Seed1Lat = 55;
    r.Seed1Lon = 15;
    r.Seed2Lat = 56;
    r.Seed2Lon = 16;
    for (int k = 0; k < vertices; ++k)
        r.Vertices.emplace_back(50 + k % 10, 10 + k % 7);
    return r;
}

CatalogueRecord Exercise(const std::string& keyword, int number, std::vector<std::string> selectors)
{
    CatalogueRecord r;
    r.Keyword = keyword;
    const char* const languages[5] = {"sv", "en", "fr", "de", "es"};
    for (int i = 0; i < 5; ++i)
        r.Names[i] = keyword + " " + std::to_string(number) + " " + languages[i];
    r.Number = number;
    r.Level = 3;
    r.BorderWidth = 2;
    r.NeedPlaceFlag1 = 1;
    r.WorldPart = "EUR";
    r.LandColor = 0x0280FF80;
    r.NorthLat = 70;
    r.SouthLat = 35;
    r.CenterLon = 15;
    r.Selectors = std::move(selectors);
    return r;
}

LanguageRecord Strings(int number, const std::string& text)
{
    LanguageRecord r;
    r.Number = number;
    for (auto& t : r.Texts)
        t = text;
    r.Texts[1] = text + " (en)";
    return r;
}

void Places()
{
    CrpWriter one;
    WritePlace(one, Place("Stockholm", 1, "SE", 59.3293, 18.0686));
    Save("fuzz_places", "one-place.crp", one);

    CrpWriter three;
    WritePlace(three, Place("Oslo", 0, "NO", 59.9139, 10.7522));
    WritePlace(three, Place("Sydney", 2, "AU", -33.8688, 151.2093));
    WritePlace(three, Place("Quito", 5, "EC", -0.1807, -78.4678));
    Save("fuzz_places", "three-places.crp", three);
    Save("fuzz_places", "empty.crp", CrpWriter());
}

void Areas()
{
    CrpWriter one;
    WriteArea(one, Area("SE", "NORDEN", 4));
    Save("fuzz_areas", "one-area.crp", one);

    CrpWriter groups;
    WriteArea(groups, Area("NO", "NORDEN", 3));
    WriteArea(groups, Area("AX", "NORDEN", 0));
    WriteArea(groups, Area("NO", "", 5));
    Save("fuzz_areas", "group-and-no-vertices.crp", groups);

    CrpWriter many;
    WriteArea(many, Area("RU", "EU", 120));
    Save("fuzz_areas", "many-vertices.crp", many);
}

void Catalogue()
{
    CrpWriter all;
    WriteCatalogueEntry(all, Exercise("AREA", 1, {"EU", "NORDEN"}));
    WriteCatalogueEntry(all, Exercise("ORT", 2, {"SE"}));
    WriteCatalogueEntry(all, Exercise("FLAGG", 3, {}));
    WriteCatalogueEntry(all, Exercise("MULTI", 4, {"SE", "NO", "DK"}));
    Save("fuzz_catalogue", "all-kinds.crp", all);

    CrpWriter trailing;
    WriteCatalogueEntry(trailing, Exercise("ORT", 7, {"AU"}));
    trailing.String("AREA");
    Save("fuzz_catalogue", "keyword-after-record.crp", trailing);

    CrpWriter lone;
    lone.String("FLAGG");
    Save("fuzz_catalogue", "lone-keyword.crp", lone);
}

void Languages()
{
    CrpWriter w;
    WriteLanguageRecord(w, Strings(1, "Starta"));
    WriteLanguageRecord(w, Strings(34, "Sista"));
    WriteLanguageRecord(w, Strings(1, "B\xF6rja"));
    Save("fuzz_langtable", "three-records.crp", w);

    CrpWriter one;
    WriteLanguageRecord(one, Strings(27, "Europa"));
    Save("fuzz_langtable", "one-record.crp", one);
}

// Reader scripts: byte 0 is the script length, then the operations (0 byte, 1 int16, 2 int32,
// 3 string, 4 end test), then the file.
void ByteFile()
{
    CrpWriter place;
    WritePlace(place, Place("Stockholm", 1, "SE", 59.3293, 18.0686));
    std::vector<std::uint8_t> script{14, 3, 3, 3, 3, 3, 3, 1, 0, 0, 3, 3, 3, 2, 2};
    script.insert(script.end(), place.Bytes().begin(), place.Bytes().end());
    Save("fuzz_bytefile", "place-record.bin", script);

    Save("fuzz_bytefile", "int16-limits.bin", {4, 1, 1, 4, 1, 0xFF, 0x7F, 0x00, 0x80, 0x01});
    Save("fuzz_bytefile", "int32-and-string.bin", {3, 2, 3, 4, 0xFF, 0xFF, 0xFF, 0xFF, 0x03, 0x4C, 0x4D, 0x4E});

    std::vector<std::uint8_t> block{2, 4, 2};
    for (int i = 0; i < 513; ++i)
        block.push_back(static_cast<std::uint8_t>(i));
    Save("fuzz_bytefile", "block-boundary.bin", block);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    root = argv[1];
    Places();
    Areas();
    Catalogue();
    Languages();
    ByteFile();
    return 0;
}
