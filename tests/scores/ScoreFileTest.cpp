// The top-ten table: entering results, reading and writing "scores.hgh", safe saving.
#include "scores/ScoreFile.h"

#include "platform/Errors.h"
#include "platform/FileLock.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <grp.h>
#include <pwd.h>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::vector<int> Scores(const ScoreTable& table, int exercise)
{
    std::vector<int> scores;
    for (int rank = 1; rank <= ScoreRanks; ++rank)
        scores.push_back(table[exercise][rank].Score);
    return scores;
}

class ScoreFolder : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return dir.filePath(QString::fromStdString(name)).toStdString(); }
    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path().toStdString()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    QTemporaryDir dir;
    ScoreTable table;
};

// ---- Entering a result ----

struct InsertRow {
    const char* name;
    std::vector<int> stored; // ranks 1.. (the rest empty)
    int score;
    int expectedRank;
    std::vector<int> expected; // all ten scores afterwards
};
void PrintTo(const InsertRow& row, std::ostream* out) { *out << row.name; }

class InsertScoreTest : public ::testing::TestWithParam<InsertRow> {};

TEST_P(InsertScoreTest, EntersAtFirstStrictlyLowerRank)
{
    const InsertRow& row = GetParam();
    ScoreTable table;
    for (std::size_t i = 0; i < row.stored.size(); ++i)
        table[17][static_cast<int>(i) + 1] = TScoreEntry{row.stored[i], "P" + std::to_string(i + 1)};

    EXPECT_EQ(InsertScore(table, 17, row.score), row.expectedRank);
    EXPECT_EQ(Scores(table, 17), row.expected);
    if (row.expectedRank > 0) {
        EXPECT_EQ(table[17][row.expectedRank].Name, "Ok\xE4nd");
    }
    // Other exercises are never touched.
    EXPECT_EQ(Scores(table, 16), std::vector<int>(10, 0));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, InsertScoreTest,
    ::testing::Values(
        InsertRow{"no_file_any_positive_score_takes_rank_1", {}, 1, 1, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        InsertRow{"zero_never_enters_even_an_empty_list", {}, 0, 0, std::vector<int>(10, 0)},
        InsertRow{"looking_only_minus_one_never_enters", {40}, -1, 0, {40, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        InsertRow{"ten_equal_scores_keep_the_new_equal_out", std::vector<int>(10, 80), 80, 0,
                  std::vector<int>(10, 80)},
        InsertRow{"ties_stay_above_the_new_entry", {90, 80, 80, 70}, 80, 4,
                  {90, 80, 80, 80, 70, 0, 0, 0, 0, 0}},
        InsertRow{"rank_10_replaced_without_moving_anything",
                  {100, 95, 90, 85, 80, 75, 70, 65, 60, 55}, 56, 10,
                  {100, 95, 90, 85, 80, 75, 70, 65, 60, 56}},
        InsertRow{"new_best_moves_all_down_and_drops_rank_10",
                  {100, 95, 90, 85, 80, 75, 70, 65, 60, 55}, 101, 1,
                  {101, 100, 95, 90, 85, 80, 75, 70, 65, 60}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InsertScore, MovedEntriesKeepTheirNames)
{
    ScoreTable table;
    table[3][1] = {90, "Ann"};
    table[3][2] = {70, "Bo"};
    EXPECT_EQ(InsertScore(table, 3, 80), 2);
    EXPECT_EQ(table[3][1].Name, "Ann");
    EXPECT_EQ(table[3][3], (TScoreEntry{70, "Bo"}));
}

TEST(InsertScore, DamagedNegativeScoresDoNotLetALookEnterAnything)
{
    // A file can hold negative scores; a look at the list (score -1) must still add nothing.
    ScoreTable table;
    table[3][1] = {-5, "X"};
    EXPECT_EQ(InsertScore(table, 3, -1), 0);
    EXPECT_EQ(InsertScore(table, 3, 0), 0);
}

TEST(InsertScore, ExerciseOutsideTheTableIsARangeError)
{
    ScoreTable table;
    EXPECT_THROW(InsertScore(table, 0, 50), ERangeError);
    EXPECT_THROW(InsertScore(table, 91, 50), ERangeError);
}

// ---- Names ----

TEST(ScoreName, TypedTextBecomesWindows1252WithoutLineBreaks)
{
    EXPECT_EQ(ScoreNameFromText(QStringLiteral("\u00C5sa \u00D6berg \u20AC")), "\xC5sa \xD6" "berg \x80");
    EXPECT_EQ(ScoreNameFromText(QStringLiteral("Li \u674E")), "Li ?");
    EXPECT_EQ(ScoreNameFromText(QStringLiteral("a\nb\rc\r\nd")), "a b c  d");
    EXPECT_EQ(ScoreNameFromText(QString(60, QLatin1Char('x'))), std::string(50, 'x'));
}

// ---- Reading ----

TEST_F(ScoreFolder, ReadsRecordsInAnyOrderLaterOnesWinning)
{
    WriteBytes(Path("s.hgh"),
             "5\r\n2\r\nBo\r\n70\r\n"
             "5\r\n1\r\nAnn\r\n90\r\n"
             "5\r\n2\r\nCecilia\r\n75\r\n"       // replaces Bo
             "95\r\n1\r\nToo far\r\n99\r\n"      // exercise above 90: skipped
             "6\r\n11\r\nToo low\r\n99\r\n"      // rank above 10: skipped
             "  \r\n\r\n 7 \r\n\t3\r\n  padded name  \r\n  42\r\n" // blanks and empty lines before integers
             "8\n1\nUnix line ends\n12");       // LF only, no final line end
    ReadScoreFile(Path("s.hgh"), table);

    EXPECT_EQ(table[5][1], (TScoreEntry{90, "Ann"}));
    EXPECT_EQ(table[5][2], (TScoreEntry{75, "Cecilia"}));
    EXPECT_EQ(table[7][3], (TScoreEntry{42, "  padded name  "}));
    EXPECT_EQ(table[8][1], (TScoreEntry{12, "Unix line ends"}));
    EXPECT_EQ(table[6][10], TScoreEntry{});
    EXPECT_EQ(table[90][1], TScoreEntry{});
}

TEST_F(ScoreFolder, LongNamesAreCutTo50Bytes)
{
    WriteBytes(Path("s.hgh"), "1\r\n1\r\n" + std::string(60, 'n') + "\r\n50\r\n");
    ReadScoreFile(Path("s.hgh"), table);
    EXPECT_EQ(table[1][1].Name, std::string(50, 'n'));
}

struct BadFileRow {
    const char* name;
    std::string text; // appended to one good record for exercise 1
};
void PrintTo(const BadFileRow& row, std::ostream* out) { *out << row.name; }

class DamagedScoreFile : public ::testing::TestWithParam<BadFileRow> {};

TEST_P(DamagedScoreFile, RaisesAnInOutErrorAndKeepsWhatWasReadBefore)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("s.hgh").toStdString();
    WriteBytes(path, "1\r\n1\r\nFirst\r\n60\r\n" + GetParam().text + "2\r\n1\r\nAfter\r\n50\r\n");
    ScoreTable table;
    EXPECT_THROW(ReadScoreFile(path, table), EInOutError);
    EXPECT_EQ(table[1][1], (TScoreEntry{60, "First"}));
    EXPECT_EQ(table[2][1], TScoreEntry{});
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DamagedScoreFile,
    ::testing::Values(BadFileRow{"rank_0", "3\r\n0\r\nX\r\n10\r\n"},
                      BadFileRow{"exercise_0", "0\r\n1\r\nX\r\n10\r\n"},
                      BadFileRow{"negative_rank", "3\r\n-2\r\nX\r\n10\r\n"},
                      BadFileRow{"score_not_a_number", "3\r\n1\r\nX\r\nabc\r\n"},
                      BadFileRow{"number_with_trailing_letters", "3x\r\n1\r\nX\r\n10\r\n"},
                      BadFileRow{"number_beyond_32_bits", "3\r\n1\r\nX\r\n99999999999\r\n"},
                      BadFileRow{"lone_sign", "3\r\n-\r\nX\r\n10\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScoreFolder, TruncatedLastRecordIsAnError)
{
    WriteBytes(Path("s.hgh"), "1\r\n1\r\nFirst\r\n60\r\n2\r\n1\r\nNo score\r\n");
    EXPECT_THROW(ReadScoreFile(Path("s.hgh"), table), EInOutError);
    EXPECT_EQ(table[1][1].Score, 60);
}

TEST_F(ScoreFolder, MissingFileIsFileNotFound)
{
    EXPECT_THROW(ReadScoreFile(Path("none.hgh"), table), EFileNotFound);
}

// ---- Writing ----

TEST_F(ScoreFolder, WritesAll900RecordsIn3600CrLfLines)
{
    table[1][1] = {88, "Ann"};
    table[90][10] = {3, "Last"};
    WriteScoreFile(Path("s.hgh"), table);
    const std::string text = ReadBytes(Path("s.hgh"));

    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "the file ends with CR LF";
    ASSERT_EQ(lines.size(), 3600u);
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1) << "no bare LF";
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 8),
              (std::vector<std::string>{"1", "1", "Ann", "88", "1", "2", "", "0"}));
    EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end()),
              (std::vector<std::string>{"90", "10", "Last", "3"}));
    for (std::size_t i = 0; i < lines.size(); i += 4) {
        const int record = static_cast<int>(i / 4);
        ASSERT_EQ(lines[i], std::to_string(record / 10 + 1));
        ASSERT_EQ(lines[i + 1], std::to_string(record % 10 + 1));
    }
}

TEST_F(ScoreFolder, Windows1252NamesRoundTripByteForByte)
{
    std::string allBytes; // every byte a name may hold, 0x20..0xFF, in 50-byte names
    for (int c = 0x20; c <= 0xFF; ++c)
        allBytes.push_back(static_cast<char>(c));
    int rank = 1;
    for (std::size_t i = 0; i < allBytes.size(); i += 50, ++rank)
        table[42][rank] = {100 - rank, allBytes.substr(i, 50)};
    table[1][1] = {77, "Ok\xE4nd \x80\x8A\x9F\xFF"};
    table[2][1] = {-3, ""}; // not written by the game, but what is read is kept

    WriteScoreFile(Path("s.hgh"), table);
    ScoreTable back;
    ReadScoreFile(Path("s.hgh"), back);
    for (int e = 1; e <= ScoreExercises; ++e)
        for (int r = 1; r <= ScoreRanks; ++r)
            ASSERT_EQ(back[e][r], table[e][r]) << "exercise " << e << ", rank " << r;
}

TEST_F(ScoreFolder, NameWithLineBreakCannotSplitItsRecord)
{
    table[4][1] = {50, "two\r\nlines"};
    WriteScoreFile(Path("s.hgh"), table);
    ScoreTable back;
    ReadScoreFile(Path("s.hgh"), back);
    EXPECT_EQ(back[4][1], (TScoreEntry{50, "two  lines"}));
    EXPECT_EQ(back[4][2], TScoreEntry{});
}

// The first call writes half of what it is given, every later one fails as a full disk does.
int fullDiskCalls = 0;
ssize_t FullDisk(int fd, const void* data, std::size_t size)
{
    if (fullDiskCalls++ == 0)
        return ::write(fd, data, size / 2);
    errno = ENOSPC;
    return -1;
}

TEST_F(ScoreFolder, FailedSaveLeavesTheOldFileAsItWas)
{
    table[1][1] = {60, "Old"};
    WriteScoreFile(Path("s.hgh"), table);
    const std::string before = ReadBytes(Path("s.hgh"));

    table[1][1] = {99, "New"};
    fullDiskCalls = 0;
    SetScoreFileWriteFunction(FullDisk);
    EXPECT_THROW(WriteScoreFile(Path("s.hgh"), table), EInOutError);
    SetScoreFileWriteFunction(nullptr);
    EXPECT_EQ(fullDiskCalls, 2) << "half was written before the failure";

    EXPECT_EQ(ReadBytes(Path("s.hgh")), before);
    EXPECT_EQ(Files(), std::vector<std::string>{"s.hgh"}) << "no temporary file is left behind";
}

TEST_F(ScoreFolder, SaveIntoMissingFolderFails)
{
    EXPECT_THROW(WriteScoreFile(Path("no/such/s.hgh"), table), EInOutError);
}

TEST_F(ScoreFolder, SaveKeepsTheFilePermissions)
{
    WriteBytes(Path("s.hgh"), "");
    std::filesystem::permissions(Path("s.hgh"), std::filesystem::perms(0640));
    WriteScoreFile(Path("s.hgh"), table);
    EXPECT_EQ(std::filesystem::status(Path("s.hgh")).permissions(), std::filesystem::perms(0640));
}

TEST_F(ScoreFolder, DamagedFileIsKeptAsideWithoutOverwritingOlderCopies)
{
    WriteBytes(Path("s.hgh"), "first damaged");
    EXPECT_EQ(KeepFileAside(Path("s.hgh")), Path("s.hgh.bad"));
    WriteBytes(Path("s.hgh"), "second damaged");
    EXPECT_EQ(KeepFileAside(Path("s.hgh")), Path("s.hgh.bad.2"));
    EXPECT_EQ(ReadBytes(Path("s.hgh.bad")), "first damaged");
    EXPECT_EQ(ReadBytes(Path("s.hgh.bad.2")), "second damaged");
    EXPECT_FALSE(std::filesystem::exists(Path("s.hgh"))) << "moved aside, not copied";
}

ssize_t Stall(int, const void*, std::size_t)
{
    ::pause();
    return -1;
}

// A copy of the game killed in the middle of its save, holding the lock: the file stays whole and
// the next save takes the lock (the kernel frees it with the process) and keeps both results.
TEST_F(ScoreFolder, ACopyKilledWhileSavingLeavesTheFileWholeAndBlocksNoLaterSave)
{
    const std::string path = Path("scores.hgh");
    SaveScore(path, 5, 70, "First", table);
    const std::string before = ReadBytes(path);
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        SetScoreFileWriteFunction([](int fd, const void* data, std::size_t size) -> ssize_t {
            // Tells the parent the lock is held, then never finishes the write.
            [[maybe_unused]] const ssize_t n = ::write(3, "x", 1);
            return Stall(fd, data, size);
        });
        ::dup2(ready[1], 3);
        SaveScore(path, 5, 99, "Killed", table);
        ::_exit(1);
    }
    ::close(ready[1]);
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ::close(ready[0]);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);

    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(SaveScore(path, 5, 80, "Next", table), 1);
    ScoreTable saved;
    ReadScoreFile(path, saved);
    EXPECT_EQ(saved[5][1], (TScoreEntry{80, "Next"}));
    EXPECT_EQ(saved[5][2], (TScoreEntry{70, "First"}));
}

// Runs `scenario` in a child process as a user who is not root (tests may run as root, who
// reads any file), with `folder` and what it holds made that user's own. Returns the
// scenario's report: empty when all went as expected.
std::string AsOrdinaryUser(const std::string& folder, const std::function<std::string()>& scenario)
{
    if (::geteuid() == 0) {
        const passwd* nobody = ::getpwnam("nobody");
        const uid_t uid = nobody ? nobody->pw_uid : 65534;
        const gid_t gid = nobody ? nobody->pw_gid : 65534;
        if (::chown(folder.c_str(), uid, gid) != 0)
            return "cannot give the folder away";
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (::chown(entry.path().c_str(), uid, gid) != 0)
                return "cannot give a file away";
        int report[2];
        if (::pipe(report) != 0)
            return "no pipe";
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(report[0]);
            std::string outcome = "cannot leave root";
            if (::setgroups(0, nullptr) == 0 && ::setgid(gid) == 0 && ::setuid(uid) == 0)
                outcome = scenario();
            [[maybe_unused]] const ssize_t n = ::write(report[1], outcome.data(), outcome.size());
            ::_exit(0);
        }
        ::close(report[1]);
        std::string outcome;
        char buffer[256];
        for (ssize_t n; (n = ::read(report[0], buffer, sizeof buffer)) > 0;)
            outcome.append(buffer, static_cast<std::size_t>(n));
        ::close(report[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!WIFEXITED(status))
            return "the child died";
        return outcome;
    }
    return scenario();
}

// A file that could not be read at all could not be copied aside either, and that failure used
// to stop every later save.
TEST_F(ScoreFolder, AnUnreadableFileIsMovedAsideAndTheSaveGoesOn)
{
    const std::string path = Path("scores.hgh");
    WriteBytes(path, "7\r\n1\r\nOld\r\n90\r\n");
    std::filesystem::permissions(path, std::filesystem::perms::none);
    const std::string report = AsOrdinaryUser(dir.path().toStdString(), [&]() -> std::string {
        auto table = std::make_unique<ScoreTable>();
        try {
            ReadScoreFile(path, *table);
            return "the file could be read";
        } catch (const EInOutError&) {
        }
        (*table)[7][1] = {60, "New"};
        try {
            WriteOverDamagedScoreFile(path, *table);
        } catch (const std::exception& e) {
            return std::string("the save failed: ") + e.what();
        }
        auto saved = std::make_unique<ScoreTable>();
        try {
            ReadScoreFile(path, *saved);
        } catch (const std::exception& e) {
            return std::string("the saved file cannot be read: ") + e.what();
        }
        if (!((*saved)[7][1] == TScoreEntry{60, "New"}))
            return "the new result is not in the file";
        return "";
    });
    EXPECT_EQ(report, "");
    std::filesystem::permissions(Path("scores.hgh.bad"), std::filesystem::perms::owner_read);
    EXPECT_EQ(ReadBytes(Path("scores.hgh.bad")), "7\r\n1\r\nOld\r\n90\r\n") << "the old results are kept";
}

} // namespace
