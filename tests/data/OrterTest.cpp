// COrter: loading place files and choosing the places of an exercise.
#include "data/Orter.h"
#include "platform/Errors.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

PlaceRecord Place(const std::string& name, int level, std::vector<std::string> keys, std::uint8_t catA = 0,
    std::uint8_t catB = 0)
{
    PlaceRecord r;
    r.Id = "id-" + name;
    r.Names[0] = name;
    r.Level = level;
    r.CategoryA = catA;
    r.CategoryB = catB;
    for (std::size_t i = 0; i < keys.size() && i < 3; ++i)
        r.Keys[i] = keys[i];
    return r;
}

std::vector<COrt*> Chain(const COrter& list)
{
    std::vector<COrt*> places;
    for (COrt* p = list.First; p; p = p->Next)
        places.push_back(p);
    return places;
}

class OrterTest : public ::testing::Test {
protected:
    void Load(const std::vector<PlaceRecord>& records)
    {
        CrpWriter w;
        for (const PlaceRecord& r : records)
            WritePlace(w, r);
        list.LoadFromFile(files.Write("Ort1.crp", w));
    }

    TempFolder files;
    COrter list;
};

// ---- Loading ----

TEST_F(OrterTest, RecordsComeBackInFileOrderWithEveryField)
{
    PlaceRecord stockholm;
    stockholm.Id = "S01";
    stockholm.Names[0] = "Stockholm";
    stockholm.Names[1] = "Stockholm";
    stockholm.Names[2] = "Stockholm";
    stockholm.Names[3] = "Stockholm";
    stockholm.Names[4] = "Estocolmo";
    stockholm.Level = 32767;
    stockholm.CategoryA = 7;
    stockholm.CategoryB = 0;
    stockholm.Keys[0] = "SE";
    stockholm.Keys[1] = "EU";
    stockholm.Keys[2] = "NORDEN";
    stockholm.Latitude = 59.3293;
    stockholm.Longitude = 18.0686;

    PlaceRecord sydney = Place("Sydney", 0, {"AU"}, 0, 1);
    sydney.Latitude = -33.8688;
    sydney.Longitude = 151.2093;

    Load({stockholm, sydney});

    const std::vector<COrt*> places = Chain(list);
    ASSERT_EQ(places.size(), 2u);
    const COrt& s = *places[0];
    EXPECT_EQ(s.Id, "S01");
    EXPECT_EQ(s.Names[1], "Stockholm");
    EXPECT_EQ(s.Names[5], "Estocolmo");
    EXPECT_EQ(s.Level, 32767);
    EXPECT_TRUE(s.CategoryA) << "any nonzero byte is yes";
    EXPECT_FALSE(s.CategoryB);
    EXPECT_EQ(s.Keys[1], "SE");
    EXPECT_EQ(s.Keys[2], "EU");
    EXPECT_EQ(s.Keys[3], "NORDEN");
    EXPECT_DOUBLE_EQ(s.Latitude, 593293 / 10000.0);
    EXPECT_DOUBLE_EQ(s.Longitude, 180686 / 10000.0);
    EXPECT_FALSE(s.Included);
    EXPECT_FALSE(s.Answered);
    EXPECT_EQ(s.Tries, 0);

    const COrt& a = *places[1];
    EXPECT_EQ(a.Names[1], "Sydney");
    EXPECT_FALSE(a.CategoryA);
    EXPECT_TRUE(a.CategoryB);
    EXPECT_DOUBLE_EQ(a.Latitude, -338688 / 10000.0);
    EXPECT_EQ(a.Next, nullptr);
    EXPECT_EQ(list.IncludedTotal, 0);
    EXPECT_EQ(list.Remaining, 0);
}

TEST_F(OrterTest, StoredMinusFiveIsFiveTenThousandthsSouth)
{
    CrpWriter w;
    w.String("id");
    for (int i = 0; i < 5; ++i)
        w.String("x");
    w.Int16(0);
    w.Byte(0);
    w.Byte(0);
    for (int i = 0; i < 3; ++i)
        w.String("");
    w.Int32(-5);
    w.Int32(25);
    list.LoadFromFile(files.Write("Ort2.crp", w));
    ASSERT_NE(list.First, nullptr);
    EXPECT_DOUBLE_EQ(list.First->Latitude, -0.0005);
    EXPECT_DOUBLE_EQ(list.First->Longitude, 0.0025);
}

struct NamesRow {
    const char* name;
    std::vector<std::string> stored; // languages 1..5
    std::vector<std::string> shown;
};

class OrterNames : public ::testing::TestWithParam<NamesRow> {};

TEST_P(OrterNames, EmptyNameShowsLanguageOne)
{
    PlaceRecord r;
    for (int i = 0; i < 5; ++i)
        r.Names[i] = GetParam().stored[static_cast<std::size_t>(i)];
    CrpWriter w;
    WritePlace(w, r);
    TempFolder files;
    COrter list;
    list.LoadFromFile(files.Write("Ort1.crp", w));
    ASSERT_NE(list.First, nullptr);
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(list.First->Names[i], GetParam().shown[static_cast<std::size_t>(i - 1)]) << "language " << i;
}

INSTANTIATE_TEST_SUITE_P(Fallback, OrterNames,
    ::testing::Values(NamesRow{"names_2_to_5_empty", {"Oslo", "", "", "", ""}, {"Oslo", "Oslo", "Oslo", "Oslo", "Oslo"}},
        NamesRow{"only_some_empty", {"Wien", "Vienna", "", "", "Viena"}, {"Wien", "Vienna", "Wien", "Wien", "Viena"}},
        NamesRow{"language_1_empty_stays_empty", {"", "", "Paris", "", ""}, {"", "", "Paris", "", ""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OrterTest, EmptyFileGivesNoPlaces)
{
    list.LoadFromFile(files.Write("Ort3.crp", {}));
    EXPECT_EQ(list.First, nullptr);
    list.IncludeForKey("SE", 100, false, false);
    EXPECT_EQ(list.IncludedTotal, 0);
}

TEST_F(OrterTest, FileEndingInsideARecordFails)
{
    CrpWriter w;
    WritePlace(w, Place("Bergen", 1, {"NO"}));
    WritePlace(w, Place("Narvik", 1, {"NO"}));
    try {
        list.LoadFromFile(files.Write("Ort4.crp", CutShort(w, 1)));
        FAIL() << "a cut record loaded";
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Read beyond end of file");
    }
}

TEST_F(OrterTest, LevelWithHighBitFails)
{
    CrpWriter w;
    WritePlace(w, Place("Bergen", 1, {"NO"}));
    std::vector<std::uint8_t> bytes = w.Bytes();
    // Level follows the id and five names: "id-Bergen" and "Bergen" + four empty names.
    const std::size_t levelAt = (1 + 9) + (1 + 6) + 4;
    ASSERT_EQ(bytes[levelAt], 1);
    bytes[levelAt + 1] = 0x80;
    EXPECT_THROW(list.LoadFromFile(files.Write("Ort5.crp", bytes)), ERangeError);
}

TEST_F(OrterTest, MissingFileFails)
{
    EXPECT_THROW(list.LoadFromFile(files.PathOf("Ort99.crp")), EFileNotFound);
}

// ---- Choosing the places of an exercise ----

struct IncludeRow {
    const char* name;
    PlaceRecord place;
    std::string key;
    int level;
    bool onlyA;
    bool onlyB;
    bool included;
};

class OrterInclude : public ::testing::TestWithParam<IncludeRow> {};

TEST_P(OrterInclude, FollowsLevelKeyAndCategoryFilters)
{
    const IncludeRow& row = GetParam();
    CrpWriter w;
    WritePlace(w, row.place);
    TempFolder files;
    COrter list;
    list.LoadFromFile(files.Write("Ort1.crp", w));
    list.IncludeForKey(row.key, row.level, row.onlyA, row.onlyB);
    ASSERT_NE(list.First, nullptr);
    EXPECT_EQ(list.First->Included, row.included);
    EXPECT_EQ(list.Remaining, row.included ? 1 : 0);
    EXPECT_EQ(list.IncludedTotal, row.included ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Filters, OrterInclude,
    ::testing::Values(IncludeRow{"level_below_exercise_level", Place("a", 0, {"SE"}), "SE", 3, false, false, true},
        IncludeRow{"level_equal_to_exercise_level", Place("a", 3, {"SE"}), "SE", 3, false, false, true},
        IncludeRow{"level_above_exercise_level", Place("a", 4, {"SE"}), "SE", 3, false, false, false},
        IncludeRow{"key_in_slot_2", Place("a", 0, {"X", "SE"}), "SE", 0, false, false, true},
        IncludeRow{"key_in_slot_3", Place("a", 0, {"X", "Y", "SE"}), "SE", 0, false, false, true},
        IncludeRow{"key_differs_in_case", Place("a", 0, {"se"}), "SE", 0, false, false, false},
        IncludeRow{"key_is_a_prefix", Place("a", 0, {"SEA"}), "SE", 0, false, false, false},
        IncludeRow{"empty_key_matches_empty_slot", Place("a", 0, {"SE"}), "", 0, false, false, true},
        IncludeRow{"onlyA_and_category_A_byte_7", Place("a", 0, {"SE"}, 7, 0), "SE", 0, true, false, true},
        IncludeRow{"onlyA_and_category_A_byte_0", Place("a", 0, {"SE"}, 0, 1), "SE", 0, true, false, false},
        IncludeRow{"onlyB_and_category_B_set", Place("a", 0, {"SE"}, 0, 1), "SE", 0, false, true, true},
        IncludeRow{"onlyB_and_category_B_clear", Place("a", 0, {"SE"}, 1, 0), "SE", 0, false, true, false},
        IncludeRow{"both_filters_both_set", Place("a", 0, {"SE"}, 1, 1), "SE", 0, true, true, true},
        IncludeRow{"both_filters_only_A_set", Place("a", 0, {"SE"}, 1, 0), "SE", 0, true, true, false},
        IncludeRow{"no_filter_ignores_categories", Place("a", 0, {"SE"}, 0, 0), "SE", 0, false, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OrterTest, PlaceMatchedTwiceIsCountedOnce)
{
    Load({Place("Malmo", 0, {"SE", "SKANE"}), Place("Lund", 0, {"SE"}), Place("Oslo", 0, {"NO"})});
    list.IncludeForKey("SE", 10, false, false);
    list.IncludeForKey("SE", 10, false, false);
    list.IncludeForKey("SKANE", 10, false, false);
    EXPECT_EQ(list.Remaining, 2);
    EXPECT_EQ(list.IncludedTotal, 2);
    const std::vector<COrt*> places = Chain(list);
    EXPECT_TRUE(places[0]->Included);
    EXPECT_TRUE(places[1]->Included);
    EXPECT_FALSE(places[2]->Included);
}

TEST_F(OrterTest, IncludedTotalFollowsEveryKeyOfTheExercise)
{
    Load({Place("Malmo", 0, {"SE"}), Place("Oslo", 0, {"NO"}), Place("Bergen", 0, {"NO"})});
    list.IncludeForKey("SE", 10, false, false);
    EXPECT_EQ(list.IncludedTotal, 1);
    list.IncludeForKey("NO", 10, false, false);
    EXPECT_EQ(list.IncludedTotal, 3);
    EXPECT_EQ(list.Remaining, 3);
}

TEST_F(OrterTest, ClearMarksEndsTheRunButKeepsTheTotal)
{
    Load({Place("Malmo", 0, {"SE"}), Place("Lund", 0, {"SE"})});
    list.IncludeForKey("SE", 10, false, false);
    COrt* first = list.First;
    first->Answered = true;
    --list.Remaining;

    list.ClearMarks();
    EXPECT_EQ(list.Remaining, 0);
    EXPECT_EQ(list.IncludedTotal, 2);
    for (COrt* p : Chain(list)) {
        EXPECT_FALSE(p->Included) << p->Names[1];
        EXPECT_FALSE(p->Answered) << p->Names[1];
    }

    // A restart counts the places afresh.
    list.IncludeForKey("SE", 10, false, false);
    EXPECT_EQ(list.Remaining, 2);
    EXPECT_EQ(list.IncludedTotal, 2);
}

} // namespace
