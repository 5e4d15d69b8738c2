// CAreor: loading area files, their limits, and marking and finding areas by key.
#include "data/Areor.h"
#include "platform/Errors.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::pair<double, double>> Triangle()
{
    return {{1.0, 1.0}, {2.0, 1.0}, {1.5, 2.0}};
}

AreaRecord Area(const std::string& key, const std::string& group1 = "", const std::string& group2 = "",
    std::vector<std::pair<double, double>> vertices = Triangle())
{
    AreaRecord r;
    r.Keys[0] = key;
    r.Keys[1] = group1;
    r.Keys[2] = group2;
    r.Names[0] = "Name of " + key;
    r.Vertices = std::move(vertices);
    return r;
}

class AreorTest : public ::testing::Test {
protected:
    void Load(const std::vector<AreaRecord>& records)
    {
        CrpWriter w;
        for (const AreaRecord& r : records)
            WriteArea(w, r);
        list.LoadFromFile(files.Write("AREA1.crp", w));
    }

    TempFolder files;
    CAreor list;
};

// ---- Loading ----

TEST_F(AreorTest, RecordsComeBackInFileOrderWithEveryField)
{
    AreaRecord se;
    se.Keys[0] = "SE";
    se.Keys[1] = "EU";
    se.Keys[2] = "NORDEN";
    se.Names[0] = "Sverige";
    se.Names[1] = "Sweden";
    se.Names[2] = "Su\xE8" "de";
    se.Names[3] = "Schweden";
    se.Names[4] = "Suecia";
    se.FlagFile = "sweden.bmp";
    se.Reserved = 32767;
    se.North = 69.06;
    se.South = 55.3371;
    se.East = 24.1667;
    se.West = -10.9583;
    se.Seed1Lat = 62.0;
    se.Seed1Lon = 15.0001;
    se.Seed2Lat = -57.2;
    se.Seed2Lon = 18.5;
    se.Vertices = {{55.3371, 13.0}, {69.06, 20.5}, {65.0, 24.1667}, {-0.0005, -180.0}};

    Load({se, Area("NO")});

    ASSERT_EQ(list.Count, 2);
    const CArea& a = list.Item(1);
    EXPECT_EQ(a.Keys[1], "SE");
    EXPECT_EQ(a.Keys[2], "EU");
    EXPECT_EQ(a.Keys[3], "NORDEN");
    EXPECT_EQ(a.Names[1], "Sverige");
    EXPECT_EQ(a.Names[2], "Sweden");
    EXPECT_EQ(a.Names[3], "Su\xE8" "de");
    EXPECT_EQ(a.Names[4], "Schweden");
    EXPECT_EQ(a.Names[5], "Suecia");
    EXPECT_EQ(a.FlagFile, "sweden.bmp");
    EXPECT_EQ(a.Reserved, 32767);
    // The box is kept in double precision, the seeds and vertices in single.
    EXPECT_DOUBLE_EQ(a.North, 690600 / 10000.0);
    EXPECT_DOUBLE_EQ(a.South, 553371 / 10000.0);
    EXPECT_DOUBLE_EQ(a.East, 241667 / 10000.0);
    EXPECT_DOUBLE_EQ(a.West, -109583 / 10000.0);
    EXPECT_EQ(a.Seed1.Latitude, 62.0f);
    EXPECT_EQ(a.Seed1.Longitude, static_cast<float>(150001 / 10000.0));
    EXPECT_EQ(a.Seed2.Latitude, static_cast<float>(-572000 / 10000.0));
    EXPECT_EQ(a.Seed2.Longitude, 18.5f);
    ASSERT_EQ(a.VertexCount, 4);
    for (int k = 1; k <= 4; ++k) {
        const auto& [lat, lon] = se.Vertices[static_cast<std::size_t>(k - 1)];
        EXPECT_EQ(a.Vertices[k].Latitude, static_cast<float>(ToStoredDegrees(lat) / 10000.0)) << "vertex " << k;
        EXPECT_EQ(a.Vertices[k].Longitude, static_cast<float>(ToStoredDegrees(lon) / 10000.0)) << "vertex " << k;
    }
    EXPECT_FALSE(a.Included);
    EXPECT_FALSE(a.Answered);

    EXPECT_EQ(list.Item(2).Keys[1], "NO");
    EXPECT_EQ(list.Item(2).VertexCount, 3);
}

TEST_F(AreorTest, EmptyNamesShowLanguageOne)
{
    AreaRecord r = Area("AT");
    r.Names[0] = "\xD6sterreich";
    r.Names[1] = "Austria";
    Load({r});
    ASSERT_EQ(list.Count, 1);
    const CArea& a = list.Item(1);
    EXPECT_EQ(a.Names[2], "Austria");
    for (int i : {3, 4, 5})
        EXPECT_EQ(a.Names[i], "\xD6sterreich") << "language " << i;
}

TEST_F(AreorTest, EmptyFileGivesNoAreas)
{
    list.LoadFromFile(files.Write("Vatten.crp", {}));
    EXPECT_EQ(list.Count, 0);
    EXPECT_EQ(list.FindByKey(""), nullptr);
}

TEST_F(AreorTest, AreaWithoutVerticesLoads)
{
    Load({Area("VA", "", "", {}), Area("IT")});
    ASSERT_EQ(list.Count, 2);
    EXPECT_EQ(list.Item(1).VertexCount, 0);
    EXPECT_EQ(list.Item(2).Keys[1], "IT") << "the next record starts right after the seeds";
}

TEST_F(AreorTest, OnlyIndexesOneToCountAreItems)
{
    Load({Area("SE")});
    EXPECT_THROW(list.Item(0), ERangeError);
    EXPECT_THROW(list.Item(2), ERangeError);
}

struct LimitRow {
    const char* name;
    int areas;
    int verticesOfLast;
    bool loads;
};

class AreorLimits : public ::testing::TestWithParam<LimitRow> {};

TEST_P(AreorLimits, FiveHundredAreasAndVerticesAtMost)
{
    const LimitRow& row = GetParam();
    CrpWriter w;
    for (int i = 1; i <= row.areas; ++i) {
        std::vector<std::pair<double, double>> vertices;
        if (i == row.areas)
            for (int k = 0; k < row.verticesOfLast; ++k)
                vertices.emplace_back(k * 0.01, -k * 0.01);
        WriteArea(w, Area("A" + std::to_string(i), "", "", vertices));
    }
    TempFolder files;
    CAreor list;
    const std::string path = files.Write("AREA2.crp", w);
    if (!row.loads) {
        EXPECT_THROW(list.LoadFromFile(path), ERangeError);
        return;
    }
    list.LoadFromFile(path);
    ASSERT_EQ(list.Count, row.areas);
    const CArea& last = list.Item(row.areas);
    EXPECT_EQ(last.Keys[1], "A" + std::to_string(row.areas));
    ASSERT_EQ(last.VertexCount, row.verticesOfLast);
    if (row.verticesOfLast > 0) {
        EXPECT_EQ(last.Vertices[row.verticesOfLast].Longitude,
            static_cast<float>(ToStoredDegrees(-(row.verticesOfLast - 1) * 0.01) / 10000.0));
    }
}

INSTANTIATE_TEST_SUITE_P(Limits, AreorLimits,
    ::testing::Values(LimitRow{"500_areas_load", 500, 3, true},
        LimitRow{"501_areas_fail", 501, 3, false},
        LimitRow{"500_vertices_load", 1, 500, true},
        LimitRow{"501_vertices_fail", 1, 501, false}),
    [](const auto& info) { return std::string(info.param.name); });

// The limit is checked as the 501st vertex is reached, before its bytes are read: a count far
// beyond the data fails with the range error, not with the end of the file.
TEST_F(AreorTest, HugeVertexCountFailsAtTheLimit)
{
    CrpWriter w;
    for (int k = 0; k < 9; ++k)
        w.String("");
    w.Int16(0);
    w.Int16(32767);
    for (int k = 0; k < 8 + 2 * 500; ++k)
        w.Int32(k);
    EXPECT_THROW(list.LoadFromFile(files.Write("AREA3.crp", w)), ERangeError);
}

struct BrokenRow {
    const char* name;
    int vertexCountField; // written as the raw int16 bytes below
    std::uint8_t highByte;
    std::size_t cut;
    const char* message; // null: range error
};

class AreorBroken : public ::testing::TestWithParam<BrokenRow> {};

TEST_P(AreorBroken, FailsWithTheReadersError)
{
    const BrokenRow& row = GetParam();
    CrpWriter w;
    WriteArea(w, Area("SE"));
    for (int k = 0; k < 9; ++k)
        w.String("x");
    w.Int16(0);
    w.Byte(static_cast<std::uint8_t>(row.vertexCountField));
    w.Byte(row.highByte);
    for (int k = 0; k < 8 + 2 * 3; ++k)
        w.Int32(k);
    TempFolder files;
    CAreor list;
    const std::string path = files.Write("AREA1.crp", CutShort(w, row.cut));
    if (!row.message) {
        EXPECT_THROW(list.LoadFromFile(path), ERangeError);
        return;
    }
    try {
        list.LoadFromFile(path);
        FAIL() << "a broken file loaded";
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), row.message);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, AreorBroken,
    ::testing::Values(BrokenRow{"fewer_vertices_than_counted", 5, 0x00, 0, "Read beyond end of file"},
        BrokenRow{"cut_inside_the_seeds", 3, 0x00, 6 * 4 + 2, "Read beyond end of file"},
        BrokenRow{"vertex_count_with_high_bit", 3, 0x80, 0, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Marks and look-up ----

class AreorMarks : public AreorTest {
protected:
    void SetUp() override
    {
        Load({Area("SE", "EU", "NORDEN"), Area("NO", "NORDEN"), Area("DE", "EU"),
            Area("AX", "NORDEN", "", {}), Area("SE", "", "", {{3.0, 3.0}})});
    }
    std::vector<bool> Included() const
    {
        std::vector<bool> v;
        for (int i = 1; i <= list.Count; ++i)
            v.push_back(list.Item(i).Included);
        return v;
    }
    std::vector<bool> Answered() const
    {
        std::vector<bool> v;
        for (int i = 1; i <= list.Count; ++i)
            v.push_back(list.Item(i).Answered);
        return v;
    }
};

TEST_F(AreorMarks, IncludeForKeyTakesEveryKeySlotButNeverAnAreaWithoutVertices)
{
    list.IncludeForKey("NORDEN");
    EXPECT_EQ(Included(), (std::vector<bool>{true, true, false, false, false}));
    list.IncludeForKey("EU");
    EXPECT_EQ(Included(), (std::vector<bool>{true, true, true, false, false}));
    list.IncludeForKey("AX");
    EXPECT_FALSE(list.Item(4).Included) << "an area without vertices is never included";
    list.IncludeForKey("eu");
    list.IncludeForKey("SE");
    EXPECT_EQ(Included(), (std::vector<bool>{true, true, true, false, true}));
}

TEST_F(AreorMarks, IncludeForKeyLeavesAnsweredAlone)
{
    list.MarkAnswered("DE", 2);
    list.IncludeForKey("DE");
    EXPECT_TRUE(list.Item(3).Included);
    EXPECT_TRUE(list.Item(3).Answered);
}

TEST_F(AreorMarks, MarkAnsweredWithAGroupKeyMarksTheWholeGroup)
{
    list.IncludeForKey("EU");
    list.MarkAnswered("NORDEN", 3);
    // Included or not, with vertices or not.
    EXPECT_EQ(Answered(), (std::vector<bool>{true, true, false, true, false}));
    for (int i : {1, 2, 4})
        EXPECT_EQ(list.Item(i).Tries, 3) << "area " << i;
    EXPECT_EQ(list.Item(3).Tries, 0);
}

TEST_F(AreorMarks, ClearMarksKeepsTries)
{
    list.IncludeForKey("EU");
    list.MarkAnswered("SE", 4);
    list.ClearMarks();
    EXPECT_EQ(Included(), std::vector<bool>(5, false));
    EXPECT_EQ(Answered(), std::vector<bool>(5, false));
    EXPECT_EQ(list.Item(1).Tries, 4);
}

TEST_F(AreorMarks, FindByKeyUsesTheOwnKeyAndTheLastMatch)
{
    EXPECT_EQ(list.FindByKey("SE"), &list.Item(5)) << "two areas own SE: the later one";
    EXPECT_EQ(list.FindByKey("AX"), &list.Item(4)) << "found without vertices";
    EXPECT_EQ(list.FindByKey("NORDEN"), nullptr) << "a group key is no own key";
    EXPECT_EQ(list.FindByKey("se"), nullptr);
    EXPECT_EQ(list.FindByKey("S"), nullptr);
}

TEST(CAreaHasKey, ComparesAllThreeKeysExactly)
{
    CArea a;
    a.Keys[1] = "SE";
    a.Keys[2] = "EU";
    a.Keys[3] = "NORDEN";
    EXPECT_TRUE(a.HasKey("SE"));
    EXPECT_TRUE(a.HasKey("EU"));
    EXPECT_TRUE(a.HasKey("NORDEN"));
    EXPECT_FALSE(a.HasKey("Norden"));
    EXPECT_FALSE(a.HasKey("NORDE"));
    EXPECT_FALSE(a.HasKey(std::string("SE\0", 3)));
}

} // namespace
