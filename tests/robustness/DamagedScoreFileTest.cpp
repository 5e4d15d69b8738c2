// "scores.hgh" cut short at any length or replaced by garbage: ReadScoreFile loads it or raises
// EInOutError, and the records before a cut are kept.
#include "support/TempFolder.h"

#include "platform/Errors.h"
#include "scores/ScoreFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>

#include <unistd.h>

namespace {

std::unique_ptr<ScoreTable> FilledTable()
{
    auto table = std::make_unique<ScoreTable>();
    const char* const names[] = {"Ok\xE4nd", "\xC5sa", "", "  Per Olof  ", "x", "Bj\xF6rn-\xC5ke N\xE4slund"};
    for (int exercise = 1; exercise <= ScoreExercises; ++exercise)
        for (int rank = 1; rank <= ScoreRanks; ++rank)
            (*table)[exercise][rank] = {101 - rank * 3 - exercise % 7, names[(exercise + rank) % 6]};
    return table;
}

// What ReadScoreFile does with the file: "loaded", "error" or the text of a foreign exception.
std::string Read(const std::string& path, ScoreTable& table)
{
    try {
        ReadScoreFile(path, table);
        return "loaded";
    } catch (const EInOutError&) {
        return "error";
    } catch (const std::exception& e) {
        return std::string("threw ") + e.what();
    } catch (...) {
        return "threw a non-standard exception";
    }
}

TEST(DamagedScoreFile, CutShortAtAnyLengthKeepsTheRecordsBeforeTheCut)
{
    TempFolder folder;
    const std::unique_ptr<ScoreTable> full = FilledTable();
    const std::string text = FormatScoreFile(*full);
    const std::string path = folder.PathOf("scores.hgh");
    WriteBytes(path, text);

    // All of the first 2 KiB and the last 600, and every 7th byte between.
    auto table = std::make_unique<ScoreTable>();
    int loaded = 0;
    for (std::size_t length = text.size(); length-- > 0;) {
        if (length > 2048 && length + 600 < text.size() && length % 7 != 0)
            continue;
        ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(length)), 0);
        ClearScoreTable(*table);
        const std::string outcome = Read(path, *table);
        ASSERT_TRUE(outcome == "loaded" || outcome == "error") << length << ": " << outcome;
        loaded += outcome == "loaded";

        // Records wholly before the cut (four CR LF per record) are in the table as written.
        const auto lineEnds = std::count(text.begin(), text.begin() + static_cast<long>(length), '\n');
        const int whole = static_cast<int>(lineEnds / 4);
        for (int record = 0; record < whole; ++record) {
            const int exercise = record / ScoreRanks + 1;
            const int rank = record % ScoreRanks + 1;
            ASSERT_EQ((*table)[exercise][rank], (*full)[exercise][rank])
                << "cut at " << length << ", exercise " << exercise << " rank " << rank;
        }
    }
    // Cuts inside a name line still make a whole record; most others do not.
    EXPECT_GT(loaded, 0);
}

TEST(DamagedScoreFile, GarbageLoadsOrRaisesInOutError)
{
    TempFolder folder;
    const std::string path = folder.PathOf("scores.hgh");
    std::mt19937 random(7);
    // Raw bytes, and text made mostly of what the format is made of (digits, signs, line ends).
    const std::string alphabet = "0123456789012345678901234567890123456789-+ \t\r\n\r\n\r\nabc\xE4\xFF";
    auto table = std::make_unique<ScoreTable>();
    for (int round = 0; round < 3000; ++round) {
        const std::size_t size = std::uniform_int_distribution<std::size_t>(0, 300)(random);
        std::string bytes(size, '\0');
        for (char& c : bytes) {
            const int pick = std::uniform_int_distribution<int>(0, 255)(random);
            c = round % 2 ? static_cast<char>(pick) : alphabet[static_cast<std::size_t>(pick) % alphabet.size()];
        }
        WriteBytes(path, bytes);
        ClearScoreTable(*table);
        const std::string outcome = Read(path, *table);
        ASSERT_TRUE(outcome == "loaded" || outcome == "error") << "round " << round << ": " << outcome;
        for (int exercise = 1; exercise <= ScoreExercises; ++exercise)
            for (int rank = 1; rank <= ScoreRanks; ++rank)
                ASSERT_LE((*table)[exercise][rank].Name.size(), MaxScoreNameLength);
    }
}

} // namespace
