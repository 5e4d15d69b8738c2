// A "scores.hgh" written by the Windows game (CR LF, names in Windows-1252) reads back as it
// stands and is saved again byte for byte.
#include "support/TempFolder.h"

#include "platform/Win1252.h"
#include "scores/ScoreFile.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

TEST(WindowsScoreFile, ReadsAndSavesByteForByte)
{
    // As the Windows game leaves it: every record present, most places empty.
    const std::string names[] = {"Ok\xE4nd", "\xC5sa", "J\xFCrgen M\xFCller", "Fran\xE7oise", "\x80uro \x96 \x93q\x94"};
    std::string fixture;
    for (int exercise = 1; exercise <= ScoreExercises; ++exercise) {
        for (int rank = 1; rank <= ScoreRanks; ++rank) {
            const bool filled = exercise % 3 == 1 && rank <= 5;
            const std::string name = filled ? names[(exercise + rank) % 5] : "";
            const int score = filled ? 100 - rank * 4 : 0;
            fixture += std::to_string(exercise) + "\r\n" + std::to_string(rank) + "\r\n" + name
                + "\r\n" + std::to_string(score) + "\r\n";
        }
    }
    TempFolder folder;
    const std::string path = folder.PathOf("scores.hgh");
    WriteBytes(path, fixture);

    auto table = std::make_unique<ScoreTable>();
    ClearScoreTable(*table);
    ReadScoreFile(path, *table);
    for (int exercise = 1; exercise <= ScoreExercises; ++exercise) {
        for (int rank = 1; rank <= ScoreRanks; ++rank) {
            const bool filled = exercise % 3 == 1 && rank <= 5;
            const TScoreEntry expected{filled ? 100 - rank * 4 : 0, filled ? names[(exercise + rank) % 5] : ""};
            ASSERT_EQ((*table)[exercise][rank], expected) << exercise << "/" << rank;
        }
    }
    // The names as the top-ten window shows them.
    EXPECT_EQ(FromWin1252((*table)[1][4].Name), QStringLiteral("Ok\u00E4nd"));
    EXPECT_EQ(FromWin1252((*table)[1][5].Name), QStringLiteral("\u00C5sa"));
    EXPECT_EQ(FromWin1252((*table)[1][3].Name), QStringLiteral("\u20ACuro \u2013 \u201Cq\u201D"));

    WriteScoreFile(path, *table);
    EXPECT_EQ(ReadBytes(path), fixture);
}

} // namespace
