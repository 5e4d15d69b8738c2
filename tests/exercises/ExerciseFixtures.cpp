#include "ExerciseFixtures.h"

#include "data/Language.h"
#include "platform/GameState.h"

AreaRecord BoxArea(const std::string& key, const std::string& name, double south, double north,
                   double west, double east, const std::string& group)
{
    AreaRecord r;
    r.Keys[0] = key;
    r.Keys[1] = group;
    r.Names[0] = name;
    r.FlagFile = key + ".bmp";
    r.North = north;
    r.South = south;
    r.East = east;
    r.West = west;
    r.Seed1Lat = r.Seed2Lat = (north + south) / 2;
    r.Seed1Lon = r.Seed2Lon = (east + west) / 2;
    r.Vertices = {{south, west}, {north, west}, {north, east}, {south, east}};
    return r;
}

PlaceRecord Place(const std::string& name, double lat, double lon, const std::string& key, int level)
{
    PlaceRecord r;
    r.Id = name;
    r.Names[0] = name;
    r.Keys[0] = key;
    r.Level = level;
    r.Latitude = lat;
    r.Longitude = lon;
    return r;
}

std::unique_ptr<CKarta> MakeMap(const QTemporaryDir& dir, const std::vector<AreaRecord>& areas,
                                const std::vector<PlaceRecord>& places)
{
    CrpWriter a;
    for (const auto& r : areas)
        WriteArea(a, r);
    CrpWriter p;
    for (const auto& r : places)
        WritePlace(p, r);
    const std::string areaPath = dir.filePath("areas.crp").toStdString();
    const std::string placePath = dir.filePath("places.crp").toStdString();
    a.SaveTo(areaPath);
    p.SaveTo(placePath);
    auto map = std::make_unique<CKarta>();
    map->Areas = std::make_unique<CAreor>();
    map->Areas->LoadFromFile(areaPath);
    map->Waters = std::make_unique<CAreor>();
    map->Places = std::make_unique<COrter>();
    map->Places->LoadFromFile(placePath);
    map->ProcessMessages = [] {};
    return map;
}

void FakeMapScreen::ShowName(const std::string& text, int x, int y, TColor fontColor,
                             TColor backColor, bool visible)
{
    names.push_back({text, x, y, fontColor, backColor, visible});
}

void FakeMultiScreen::DrawAnswer(int k, TColor colour, const std::string& text)
{
    colours[static_cast<std::size_t>(k - 1)] = colour;
    texts[static_cast<std::size_t>(k - 1)] = text;
}

namespace {
std::vector<std::pair<std::string, int>> recordedSounds;
}

void RecordSound(const std::string& fileName, int channel)
{
    recordedSounds.emplace_back(fileName, channel);
}

SoundRecorder::SoundRecorder()
{
    recordedSounds.clear();
}

SoundRecorder::~SoundRecorder()
{
    recordedSounds.clear();
}

int SoundRecorder::Plays(int channel, const std::string& fileName) const
{
    int n = 0;
    for (const auto& [file, c] : recordedSounds)
        n += c == channel && (fileName.empty() || file == fileName);
    return n;
}

void SetQuestionStrings()
{
    CurrentLanguage = 2;
    LanguageText(2, 9) = "Where is";
    LanguageText(2, 10) = "lies in:";
    LanguageText(2, 13) = "Which place lies in";
    LanguageText(2, 14) = "?";
}
