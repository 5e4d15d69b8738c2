// Loading the interface strings of "lang.crp" into the language table.
#include "data/Language.h"
#include "platform/Errors.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

LanguageRecord Record(int number, const std::string& stem)
{
    LanguageRecord r;
    r.Number = number;
    const char* const suffixes[5] = {"sv", "en", "fr", "de", "es"};
    for (int i = 0; i < 5; ++i)
        r.Texts[i] = stem + "-" + suffixes[i];
    return r;
}

class LanguageTableTest : public ::testing::Test {
protected:
    void SetUp() override { ClearLanguageTable(); }
    void TearDown() override { ClearLanguageTable(); }

    std::string Write(const std::vector<LanguageRecord>& records)
    {
        CrpWriter w;
        for (const LanguageRecord& r : records)
            WriteLanguageRecord(w, r);
        return files.Write("lang.crp", w);
    }

    TempFolder files;
};

TEST_F(LanguageTableTest, RecordsFillTheirNumberInEveryLanguage)
{
    LanguageRecord start = Record(1, "start");
    start.Texts[0] = "Starta";
    start.Texts[2] = "D\xE9marrer";
    LoadLanguageTableFrom(Write({Record(34, "last"), start, Record(27, "Europe")}));

    EXPECT_EQ(LanguageText(1, 1), "Starta");
    EXPECT_EQ(LanguageText(2, 1), "start-en");
    EXPECT_EQ(LanguageText(3, 1), "D\xE9marrer");
    EXPECT_EQ(LanguageText(5, 27), "Europe-es");
    EXPECT_EQ(LanguageText(4, 34), "last-de");
    // A number without a record stays empty in every language.
    for (int language = 1; language <= 5; ++language)
        EXPECT_EQ(LanguageText(language, 2), "") << "language " << language;
}

TEST_F(LanguageTableTest, LaterRecordForTheSameNumberWins)
{
    LanguageRecord later = Record(9, "second");
    later.Texts[3] = "";
    LoadLanguageTableFrom(Write({Record(9, "first"), later}));
    EXPECT_EQ(LanguageText(1, 9), "second-sv");
    EXPECT_EQ(LanguageText(4, 9), "") << "an empty later text replaces the earlier one too";
}

TEST_F(LanguageTableTest, EmptyFileLeavesTheTableEmpty)
{
    LoadLanguageTableFrom(files.Write("lang.crp", {}));
    EXPECT_EQ(LanguageText(2, 1), "");
}

class LanguageNumber : public ::testing::TestWithParam<int> {};

TEST_P(LanguageNumber, OutsideOneToThirtyFourFails)
{
    TempFolder files;
    CrpWriter w;
    WriteLanguageRecord(w, Record(GetParam(), "bad"));
    EXPECT_THROW(LoadLanguageTableFrom(files.Write("lang.crp", w)), ERangeError);
    ClearLanguageTable();
}

INSTANTIATE_TEST_SUITE_P(Numbers, LanguageNumber, ::testing::Values(0, 35, 32767),
    [](const auto& info) { return "number_" + std::to_string(info.param); });

TEST_F(LanguageTableTest, NumberWithHighBitFails)
{
    EXPECT_THROW(LoadLanguageTableFrom(files.Write("lang.crp", {0x01, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00})),
        ERangeError);
}

TEST_F(LanguageTableTest, RecordCutShortFails)
{
    CrpWriter w;
    WriteLanguageRecord(w, Record(3, "quit"));
    try {
        LoadLanguageTableFrom(files.Write("lang.crp", CutShort(w, 2)));
        FAIL() << "a cut record loaded";
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Read beyond end of file");
    }
}

TEST_F(LanguageTableTest, MissingFileNamesThePath)
{
    const std::string path = files.PathOf("lang.crp");
    try {
        LoadLanguageTableFrom(path);
        FAIL() << "a missing file loaded";
    } catch (const EFileNotFound& e) {
        EXPECT_EQ(std::string(e.what()), "File \"" + path + "\" not found.");
    }
}

} // namespace
