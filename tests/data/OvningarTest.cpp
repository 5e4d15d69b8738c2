// COvningar: reading the catalogue into its chain, the class per keyword, and FindByName.
#include "data/ovningar.h"

#include "exercises/OvFlagga.h"
#include "exercises/OvLand.h"
#include "exercises/OvOrt.h"
#include "exercises/Ovmulti.h"
#include "platform/Errors.h"
#include "platform/GameState.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

CatalogueRecord Entry(const std::string& keyword, const std::string& name, int number = 1)
{
    CatalogueRecord r;
    r.Keyword = keyword;
    r.Names[0] = name;
    r.Number = number;
    r.WorldPart = "EUR";
    r.Selectors = {"SE"};
    return r;
}

std::vector<COvning*> Chain(const COvningar& catalogue)
{
    std::vector<COvning*> exercises;
    for (COvning* p = catalogue.First; p; p = p->Next)
        exercises.push_back(p);
    return exercises;
}

// Every field of an exercise is empty, zero or false: as created, before a record is read.
void ExpectBlank(const COvning& e)
{
    EXPECT_EQ(e.Kind, "");
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(e.Names[i], "") << "language " << i;
    EXPECT_EQ(e.Number, 0);
    EXPECT_EQ(e.Level, 0);
    EXPECT_EQ(e.BorderWidth, 0);
    EXPECT_FALSE(e.NeedPlaceFlag1);
    EXPECT_FALSE(e.NeedPlaceFlag2);
    EXPECT_EQ(e.AreaFileNo, 0);
    EXPECT_EQ(e.PlaceFileNo, 0);
    EXPECT_EQ(e.WorldPart, "");
    EXPECT_EQ(e.LandColor, 0u);
    EXPECT_EQ(e.AreaColor, 0u);
    EXPECT_EQ(e.SeaColor, 0u);
    EXPECT_EQ(e.NorthLat, 0.0);
    EXPECT_EQ(e.SouthLat, 0.0);
    EXPECT_EQ(e.CenterLon, 0.0);
    EXPECT_EQ(e.SelectorCount, 0);
    EXPECT_EQ(e.Next, nullptr);
}

class CatalogueTest : public ::testing::Test {
protected:
    void Load(const CrpWriter& w) { catalogue.LoadFromFile(files.Write("Ovning.crp", w)); }
    void Load(const std::vector<CatalogueRecord>& records)
    {
        CrpWriter w;
        for (const CatalogueRecord& r : records)
            WriteCatalogueEntry(w, r);
        Load(w);
    }
    std::string ReadErrorOf(const CrpWriter& w, std::size_t cut = 0)
    {
        try {
            catalogue.LoadFromFile(files.Write("Ovning.crp", CutShort(w, cut)));
        } catch (const EInOutError& e) {
            return e.what();
        }
        return "";
    }

    TempFolder files;
    COvningar catalogue;
};

// ---- Records ----

TEST_F(CatalogueTest, EveryFieldOfARecordIsStored)
{
    CatalogueRecord r;
    r.Keyword = "ORT";
    r.Names[0] = "Sveriges st\xE4" "der";
    r.Names[1] = "Towns of Sweden";
    r.Names[2] = "Villes de Su\xE8" "de";
    r.Names[3] = "St\xE4" "dte Schwedens";
    r.Names[4] = "Ciudades de Suecia";
    r.Number = 32767;
    r.Level = 255;
    r.BorderWidth = 3;
    r.NeedPlaceFlag1 = 7;
    r.NeedPlaceFlag2 = 0;
    r.Unused = 0xAA;
    r.AreaFileNo = 2;
    r.PlaceFileNo = 12;
    r.WorldPart = "*";
    r.LandColor = 0x0280FF80;
    r.AreaColor = 0xFFFFFFFF;
    r.SeaColor = 0x00FF0000;
    r.NorthLat = 69.5;
    r.SouthLat = -55.25;
    r.CenterLon = 0.0015;
    r.Selectors = {"SE", "se", "", "NORDEN"};
    Load({r});

    ASSERT_NE(catalogue.First, nullptr);
    const COvning& e = *catalogue.First;
    EXPECT_EQ(e.Kind, "ORT");
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(e.Names[i], r.Names[i - 1]) << "language " << i;
    EXPECT_EQ(e.Number, 32767);
    EXPECT_EQ(e.Level, 255);
    EXPECT_EQ(e.BorderWidth, 3);
    EXPECT_TRUE(e.NeedPlaceFlag1) << "any nonzero byte is true";
    EXPECT_FALSE(e.NeedPlaceFlag2);
    EXPECT_EQ(e.AreaFileNo, 2);
    EXPECT_EQ(e.PlaceFileNo, 12);
    EXPECT_EQ(e.WorldPart, "*");
    EXPECT_EQ(e.LandColor, 0x0280FF80u);
    EXPECT_EQ(e.AreaColor, 0xFFFFFFFFu);
    EXPECT_EQ(e.SeaColor, 0x00FF0000u);
    EXPECT_DOUBLE_EQ(e.NorthLat, 695000 / 10000.0);
    EXPECT_DOUBLE_EQ(e.SouthLat, -552500 / 10000.0);
    EXPECT_DOUBLE_EQ(e.CenterLon, 0.0015) << "stored 15";
    ASSERT_EQ(e.SelectorCount, 4);
    EXPECT_EQ(e.Selectors[1], "SE");
    EXPECT_EQ(e.Selectors[2], "se");
    EXPECT_EQ(e.Selectors[3], "");
    EXPECT_EQ(e.Selectors[4], "NORDEN");
    EXPECT_EQ(e.Next, nullptr);
}

TEST_F(CatalogueTest, ChainKeepsFileOrder)
{
    Load({Entry("AREA", "one", 1), Entry("ORT", "two", 2), Entry("FLAGG", "three", 3), Entry("MULTI", "four", 4)});
    const std::vector<COvning*> chain = Chain(catalogue);
    ASSERT_EQ(chain.size(), 4u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(chain[static_cast<std::size_t>(i)]->Number, i + 1);
    EXPECT_EQ(chain[3]->Kind, "MULTI");
}

struct KindRow {
    const char* name;
    std::string keyword;
    std::function<bool(COvning*)> isClass;
};

class CatalogueKind : public ::testing::TestWithParam<KindRow> {};

TEST_P(CatalogueKind, KeywordChoosesTheClassAndIsKeptAsKind)
{
    CrpWriter w;
    WriteCatalogueEntry(w, Entry(GetParam().keyword, "x"));
    TempFolder files;
    COvningar catalogue;
    catalogue.LoadFromFile(files.Write("Ovning.crp", w));
    ASSERT_NE(catalogue.First, nullptr);
    EXPECT_TRUE(GetParam().isClass(catalogue.First));
    EXPECT_EQ(catalogue.First->Kind, GetParam().keyword);
}

bool IsArea(COvning* e) { return dynamic_cast<COvningLandArea*>(e) != nullptr; }
bool IsPlace(COvning* e) { return dynamic_cast<COvningOrt*>(e) != nullptr; }
bool IsFlag(COvning* e) { return dynamic_cast<COvningFlagga*>(e) != nullptr; }
bool IsMulti(COvning* e) { return dynamic_cast<COvningMulti*>(e) != nullptr; }

INSTANTIATE_TEST_SUITE_P(Keywords, CatalogueKind,
    ::testing::Values(KindRow{"AREA_is_area_exercise", "AREA", IsArea},
        KindRow{"ORT_is_place_exercise", "ORT", IsPlace},
        KindRow{"FLAGG_is_flag_exercise", "FLAGG", IsFlag},
        KindRow{"MULTI_is_multiple_choice", "MULTI", IsMulti},
        KindRow{"lower_case_area_is_multiple_choice", "area", IsMulti},
        KindRow{"ORT_with_trailing_space_is_multiple_choice", "ORT ", IsMulti},
        KindRow{"unknown_keyword_is_multiple_choice", "QUIZ", IsMulti},
        KindRow{"empty_keyword_is_multiple_choice", "", IsMulti}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Keywords without a record ----

TEST_F(CatalogueTest, EmptyFileFails)
{
    EXPECT_EQ(ReadErrorOf(CrpWriter()), "Read beyond end of file");
    EXPECT_EQ(catalogue.First, nullptr);
}

TEST_F(CatalogueTest, LoneKeywordGivesOneBlankExerciseOfItsClass)
{
    CrpWriter w;
    w.String("FLAGG");
    Load(w);
    ASSERT_NE(catalogue.First, nullptr);
    EXPECT_TRUE(IsFlag(catalogue.First));
    ExpectBlank(*catalogue.First);
}

TEST_F(CatalogueTest, KeywordAfterTheLastRecordAddsABlankExercise)
{
    CrpWriter w;
    WriteCatalogueEntry(w, Entry("AREA", "Europe", 5));
    w.String("ORT");
    Load(w);
    const std::vector<COvning*> chain = Chain(catalogue);
    ASSERT_EQ(chain.size(), 2u);
    EXPECT_EQ(chain[0]->Number, 5);
    EXPECT_TRUE(IsPlace(chain[1]));
    ExpectBlank(*chain[1]);
}

// ---- Selectors ----

struct SelectorRow {
    const char* name;
    int count;
    bool loads;
};

class CatalogueSelectors : public ::testing::TestWithParam<SelectorRow> {};

TEST_P(CatalogueSelectors, AtMostOneHundred)
{
    CatalogueRecord r = Entry("AREA", "many");
    r.Selectors.clear();
    for (int i = 1; i <= GetParam().count; ++i)
        r.Selectors.push_back("K" + std::to_string(i));
    CrpWriter w;
    WriteCatalogueEntry(w, r);
    WriteCatalogueEntry(w, Entry("ORT", "after"));
    TempFolder files;
    COvningar catalogue;
    const std::string path = files.Write("Ovning.crp", w);
    if (!GetParam().loads) {
        EXPECT_THROW(catalogue.LoadFromFile(path), ERangeError);
        ASSERT_NE(catalogue.First, nullptr) << "the exercise read so far stays in the chain";
        return;
    }
    catalogue.LoadFromFile(path);
    const std::vector<COvning*> chain = Chain(catalogue);
    ASSERT_EQ(chain.size(), 2u) << "the next record starts after the last selector";
    EXPECT_EQ(chain[1]->Names[1], "after");
    ASSERT_EQ(chain[0]->SelectorCount, GetParam().count);
    if (GetParam().count > 0) {
        EXPECT_EQ(chain[0]->Selectors[GetParam().count], "K" + std::to_string(GetParam().count));
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, CatalogueSelectors,
    ::testing::Values(SelectorRow{"none", 0, true}, SelectorRow{"exactly_100", 100, true},
        SelectorRow{"101_fail", 101, false}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Broken files ----

TEST_F(CatalogueTest, RecordCutShortFailsAndKeepsTheExercisesReadSoFar)
{
    CrpWriter w;
    WriteCatalogueEntry(w, Entry("AREA", "first"));
    WriteCatalogueEntry(w, Entry("ORT", "second"));
    EXPECT_EQ(ReadErrorOf(w, 1), "Read beyond end of file");
    const std::vector<COvning*> chain = Chain(catalogue);
    ASSERT_EQ(chain.size(), 2u);
    EXPECT_EQ(chain[0]->Names[1], "first");
}

TEST_F(CatalogueTest, NumberWithHighBitFails)
{
    CrpWriter w;
    w.String("ORT");
    for (int i = 0; i < 5; ++i)
        w.String("");
    w.Byte(0x00);
    w.Byte(0x80);
    EXPECT_THROW(Load(w), ERangeError);
}

TEST_F(CatalogueTest, MissingFileNamesIt)
{
    try {
        catalogue.LoadFromFile("Ovning.crp");
        FAIL() << "loaded from the test's folder";
    } catch (const EFileNotFound& e) {
        EXPECT_STREQ(e.what(), "File \"Ovning.crp\" not found.");
    }
}

// ---- FindByName ----

class FindByNameTest : public CatalogueTest {
protected:
    void SetUp() override
    {
        savedLanguage = CurrentLanguage;
        CatalogueRecord a = Entry("AREA", "L\xE4nder", 1);
        a.Names[1] = "Countries";
        CatalogueRecord b = Entry("ORT", "St\xE4" "der", 2);
        b.Names[1] = "Countries";
        b.Names[2] = "Villes";
        CatalogueRecord c = Entry("FLAGG", "Flaggor", 3);
        c.Names[1] = "Flags";
        Load({a, b, c});
    }
    void TearDown() override { CurrentLanguage = savedLanguage; }

    int Found(const std::string& name) const
    {
        const COvning* e = catalogue.FindByName(name);
        return e ? e->Number : 0;
    }

    int savedLanguage = 2;
};

TEST_F(FindByNameTest, SearchesTheCurrentLanguageOnly)
{
    CurrentLanguage = 1;
    EXPECT_EQ(Found("St\xE4" "der"), 2);
    EXPECT_EQ(Found("Flags"), 0) << "an English name while Swedish is chosen";
    CurrentLanguage = 2;
    EXPECT_EQ(Found("Flags"), 3);
    EXPECT_EQ(Found("Flaggor"), 0);
}

TEST_F(FindByNameTest, FirstOfTwoEqualNamesWins)
{
    CurrentLanguage = 2;
    EXPECT_EQ(Found("Countries"), 1);
}

TEST_F(FindByNameTest, ComparesExactly)
{
    CurrentLanguage = 2;
    EXPECT_EQ(Found("countries"), 0);
    EXPECT_EQ(Found("Countries "), 0);
    EXPECT_EQ(Found("Flag"), 0);
}

TEST(CatalogueEmpty, FindByNameOnAnEmptyCatalogueFindsNothing)
{
    COvningar catalogue;
    EXPECT_EQ(catalogue.FindByName(""), nullptr);
}

} // namespace
