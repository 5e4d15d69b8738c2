// Structural checks of the shipped geographic content: every exercise of the catalogue can be
// played with the area and place files it names, and the files keep the game's limits.
#include "app/Generell.h"
#include "data/Areor.h"
#include "data/Fileread.h"
#include "data/Orter.h"
#include "data/ovningar.h"
#include "exercises/ovning.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

const std::string Dir = GLOBANA_CONTENT_DIR;

struct Content {
    std::map<int, std::unique_ptr<CAreor>> areas;
    std::map<int, std::unique_ptr<COrter>> places;
    std::unique_ptr<CAreor> waters;
    COvningar catalogue;

    Content()
    {
        for (int n : {1, 2, 3}) {
            areas[n] = std::make_unique<CAreor>();
            areas[n]->LoadFromFile(Dir + "/AREA" + std::to_string(n) + ".crp");
        }
        for (int n : {1, 2}) {
            places[n] = std::make_unique<COrter>();
            places[n]->LoadFromFile(Dir + "/Ort" + std::to_string(n) + ".crp");
        }
        waters = std::make_unique<CAreor>();
        waters->LoadFromFile(Dir + "/Vatten.crp");
        catalogue.LoadFromFile(Dir + "/Ovning.crp");
    }
};

const Content& content()
{
    static Content c;
    return c;
}

bool inside(const CArea& a, float lat, float lon)
{
    return PointInPolygon(GeoPoint{lat, lon}, a.Vertices.data(), a.VertexCount);
}

std::vector<COrt*> placesOf(const COrter& list, const COvning& e)
{
    std::vector<COrt*> out;
    for (COrt* p = list.First; p; p = p->Next) {
        if (p->Level > e.Level || (e.NeedPlaceFlag1 && !p->CategoryA) || (e.NeedPlaceFlag2 && !p->CategoryB))
            continue;
        for (int i = 1; i <= e.SelectorCount; ++i)
            if (p->HasKey(e.Selectors[i])) {
                out.push_back(p);
                break;
            }
    }
    return out;
}

TEST(Content, CatalogueNumbersAreUniqueAndEveryWorldPartHasExercises)
{
    std::set<int> numbers;
    std::map<std::string, int> perPart;
    int count = 0;
    for (COvning* e = content().catalogue.First; e; e = e->Next, ++count) {
        EXPECT_GE(e->Number, 1);
        EXPECT_LE(e->Number, 90);
        EXPECT_TRUE(numbers.insert(e->Number).second) << "number " << e->Number << " twice";
        EXPECT_LE(e->SelectorCount, 100);
        EXPECT_TRUE(e->AreaFileNo >= 1 && e->AreaFileNo <= 3) << e->Number;
        ++perPart[e->WorldPart];
        for (int l = 1; l <= 5; ++l)
            EXPECT_FALSE(e->Names[l].empty()) << e->Number << " language " << l;
    }
    EXPECT_GE(count, 40);
    for (const char* part : {"EUR", "NOR", "SYD", "ASI", "AFR", "AUS", "*"})
        EXPECT_GE(perPart[part], 4) << part;
}

TEST(Content, EverySelectorResolvesAsItsKindNeeds)
{
    const Content& c = content();
    for (COvning* e = c.catalogue.First; e; e = e->Next) {
        const CAreor& areas = *c.areas.at(e->AreaFileNo);
        SCOPED_TRACE("exercise " + std::to_string(e->Number) + " " + e->Kind);
        for (int i = 1; i <= e->SelectorCount; ++i) {
            const std::string& s = e->Selectors[i];
            if (e->Kind == "AREA") {
                const CArea* a = areas.FindByKey(s);
                ASSERT_NE(a, nullptr) << s;
                bool hasOutline = false;
                for (int k = 1; k <= areas.Count; ++k)
                    hasOutline |= areas.Item(k).Keys[1] == s && areas.Item(k).VertexCount > 0;
                EXPECT_TRUE(hasOutline) << s << " has no outline: the question could never be answered";
            } else if (e->Kind == "FLAGG") {
                const CArea* a = areas.FindByKey(s);
                ASSERT_NE(a, nullptr) << s;
                EXPECT_FALSE(a->FlagFile.empty()) << s;
                EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(Dir + "/flags/" + a->FlagFile))) << s << " " << a->FlagFile;
            } else if (e->Kind == "MULTI") {
                EXPECT_NE(areas.FindByKey(s), nullptr) << s;
            }
        }
        if (e->Kind == "ORT" || e->Kind == "MULTI")
            EXPECT_FALSE(placesOf(*c.places.at(e->PlaceFileNo), *e).empty());
    }
}

TEST(Content, MultipleChoiceHasFourDistinctAnswersOfEitherKind)
{
    const Content& c = content();
    for (COvning* e = c.catalogue.First; e; e = e->Next) {
        if (e->Kind != "MULTI")
            continue;
        std::set<std::string> areaNames, placeNames;
        for (int l = 1; l <= 5; ++l) {
            areaNames.clear();
            placeNames.clear();
            for (int i = 1; i <= e->SelectorCount; ++i)
                if (const CArea* a = c.areas.at(e->AreaFileNo)->FindByKey(e->Selectors[i]))
                    areaNames.insert(a->Names[l]);
            for (COrt* p : placesOf(*c.places.at(e->PlaceFileNo), *e))
                placeNames.insert(p->Names[l]);
            EXPECT_GE(areaNames.size(), 4u) << e->Number << " language " << l;
            EXPECT_GE(placeNames.size(), 4u) << e->Number << " language " << l;
        }
        // every included place must have its area among the selectors (kind 1 names it)
        for (COrt* p : placesOf(*c.places.at(e->PlaceFileNo), *e)) {
            bool found = false;
            for (int i = 1; i <= e->SelectorCount; ++i)
                found |= p->HasKey(e->Selectors[i]) && c.areas.at(e->AreaFileNo)->FindByKey(e->Selectors[i]) != nullptr;
            EXPECT_TRUE(found) << e->Number << " " << p->Id;
        }
    }
}

TEST(Content, AreaFilesKeepLimitsAndNameEveryRecord)
{
    const Content& c = content();
    std::vector<const CAreor*> lists{c.areas.at(1).get(), c.areas.at(2).get(), c.areas.at(3).get(), c.waters.get()};
    for (const CAreor* list : lists) {
        EXPECT_GT(list->Count, 0);
        EXPECT_LE(list->Count, CAreor::MaxAreas);
        for (int i = 1; i <= list->Count; ++i) {
            const CArea& a = list->Item(i);
            EXPECT_FALSE(a.Keys[1].empty());
            for (int l = 1; l <= 5; ++l)
                EXPECT_FALSE(a.Names[l].empty()) << a.Keys[1];
            EXPECT_LE(a.VertexCount, CArea::MaxVertices);
            EXPECT_GE(a.North, a.South) << a.Keys[1];
            EXPECT_GE(a.East, a.West) << a.Keys[1];
        }
    }
    // AREA1 holds every country, a microstate at least by name and flag
    for (const char* key : {"SWE", "USA", "XKX", "TWN", "PSE", "ESH", "VAT", "MCO", "TUV", "GRL"})
        EXPECT_NE(c.areas.at(1)->FindByKey(key), nullptr) << key;
    for (const char* key : {"US-CA", "US-DC", "CA-QC", "AU-TAS", "BR-SP"})
        EXPECT_NE(c.areas.at(3)->FindByKey(key), nullptr) << key;
}

TEST(Content, SeedsLieInsideTheirOwnOutline)
{
    const Content& c = content();
    std::vector<const CAreor*> lists{c.areas.at(1).get(), c.areas.at(2).get(), c.areas.at(3).get(), c.waters.get()};
    for (const CAreor* list : lists)
        for (int i = 1; i <= list->Count; ++i) {
            const CArea& a = list->Item(i);
            if (a.VertexCount == 0)
                continue;
            EXPECT_TRUE(inside(a, a.Seed1.Latitude, a.Seed1.Longitude)) << a.Keys[1] << " seed 1";
            EXPECT_TRUE(inside(a, a.Seed2.Latitude, a.Seed2.Longitude)) << a.Keys[1] << " seed 2";
        }
}

TEST(Content, SeaPointsLieOutsideEveryArea)
{
    const Content& c = content();
    for (int n : {1, 2, 3}) {
        TByteFile f(Dir + "/Hav" + std::to_string(n) + ".crp");
        int count = 0;
        while (!f.AtEnd()) {
            const float lat = static_cast<float>(f.ReadInt32() / 10000.0);
            const float lon = static_cast<float>(f.ReadInt32() / 10000.0);
            ++count;
            for (int i = 1; i <= c.areas.at(n)->Count; ++i)
                EXPECT_FALSE(inside(c.areas.at(n)->Item(i), lat, lon)) << "Hav" << n << " point " << count << " in " << c.areas.at(n)->Item(i).Keys[1];
        }
        EXPECT_GT(count, 0);
        EXPECT_LE(count, 100);
    }
}

// Kilometres from a position to an outline (locally flat: fine for a few kilometres).
double distanceKm(const CArea& a, double lat, double lon)
{
    const double k = std::cos(lat * 3.141592653589793 / 180.0);
    double best = 1e9;
    for (int i = 0; i < a.VertexCount; ++i) {
        const GeoPoint& p = a.Vertices.data()[i];
        const GeoPoint& q = a.Vertices.data()[(i + 1) % a.VertexCount];
        const double ax = (p.Longitude - lon) * k, ay = p.Latitude - lat;
        const double dx = (q.Longitude - p.Longitude) * k, dy = q.Latitude - p.Latitude;
        const double l2 = dx * dx + dy * dy;
        const double t = l2 > 0 ? std::clamp(-(ax * dx + ay * dy) / l2, 0.0, 1.0) : 0.0;
        best = std::min(best, std::hypot(ax + t * dx, ay + t * dy) * 111.32);
    }
    return best;
}

TEST(Content, CapitalsLieInOrNearTheirCountry)
{
    const Content& c = content();
    for (auto [file, areaFile] : {std::pair{1, 1}, std::pair{2, 3}})
        for (COrt* p = c.places.at(file)->First; p; p = p->Next) {
            if (!p->CategoryA)
                continue;
            bool hasOutline = false;
            double nearest = 1e9;
            const CAreor& areas = *c.areas.at(areaFile);
            for (int i = 1; i <= areas.Count; ++i) {
                const CArea& a = areas.Item(i);
                if (a.Keys[1] != p->Keys[1] || a.VertexCount == 0)
                    continue;
                hasOutline = true;
                nearest = std::min(nearest, inside(a, static_cast<float>(p->Latitude), static_cast<float>(p->Longitude))
                                                ? 0.0 : distanceKm(a, p->Latitude, p->Longitude));
            }
            // the simplified coast may pass a harbour capital by a few kilometres
            if (hasOutline)
                EXPECT_LT(nearest, 15.0) << p->Id << " lies outside " << p->Keys[1];
            for (int l = 1; l <= 5; ++l)
                EXPECT_FALSE(p->Names[l].empty()) << p->Id;
        }
}

} // namespace
