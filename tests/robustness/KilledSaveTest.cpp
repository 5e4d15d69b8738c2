// A save killed at any moment leaves the old file or a new complete one, never a mix: a child
// process saves over and over and is killed with SIGKILL after random short delays.
#include "support/TempFolder.h"

#include "platform/MessageBox.h"
#include "platform/Settings.h"
#include "scores/ScoreFile.h"

#include <QSettings>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int Kills = 50;

std::unique_ptr<ScoreTable> TableWith(int score, const std::string& name)
{
    auto table = std::make_unique<ScoreTable>();
    for (int exercise = 1; exercise <= ScoreExercises; ++exercise)
        for (int rank = 1; rank <= ScoreRanks; ++rank)
            (*table)[exercise][rank] = {score - rank, name};
    return table;
}

// Runs `save(round)` in a child process for rounds 0, 1, 2, … until it is killed, and kills it
// after 0 to 15 ms; `check` looks at the file after each kill.
template <typename Save, typename Check>
void KillWhileSaving(Save save, Check check)
{
    std::mt19937 random(99);
    std::uniform_int_distribution<int> delay(0, 15000);
    for (int kill = 0; kill < Kills; ++kill) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int round = 0;; ++round)
                save(round);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        // A child that ended by itself failed in its save.
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving process ended with status " << status;
        check(kill);
        if (::testing::Test::HasFatalFailure())
            return;
    }
}

TEST(KilledSave, ScoreFileIsTheOldOrANewCompleteFile)
{
    TempFolder folder;
    const std::string path = folder.PathOf("scores.hgh");
    // Two tables of the same length, so that a mix of both could not be told by its size.
    const std::unique_ptr<ScoreTable> tables[2] = {TableWith(90, "Ok\xE4nd"), TableWith(80, "\xC5sa 2")};
    const std::string texts[2] = {FormatScoreFile(*tables[0]), FormatScoreFile(*tables[1])};
    ASSERT_EQ(texts[0].size(), texts[1].size());
    WriteScoreFile(path, *tables[0]);

    KillWhileSaving(
        [&](int round) {
            try {
                WriteScoreFile(path, *tables[round % 2]);
            } catch (...) {
                _exit(1);
            }
        },
        [&](int kill) {
            const std::string bytes = ReadBytes(path);
            ASSERT_TRUE(bytes == texts[0] || bytes == texts[1])
                << "after kill " << kill << " the file has " << bytes.size() << " bytes";
            EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 3600);
            auto table = std::make_unique<ScoreTable>();
            ClearScoreTable(*table);
            ReadScoreFile(path, *table);
            EXPECT_TRUE(FormatScoreFile(*table) == texts[0] || FormatScoreFile(*table) == texts[1]);
        });
    // What the kills left besides the file are temporaries of the name a later save clears.
    for (const auto& entry : std::filesystem::directory_iterator(folder.Dir())) {
        const std::string name = entry.path().filename().string();
        if (name != "scores.hgh") {
            EXPECT_EQ(name.rfind("scores.hgh.saving.", 0), 0u) << name;
        }
    }
}

// A save killed before its rename leaves its temporary file; a later save removes such files
// once they are old enough not to belong to a save still running, and nothing else.
TEST(KilledSave, ALaterSaveRemovesTheTemporariesOfKilledSaves)
{
    namespace fs = std::filesystem;
    TempFolder folder;
    const std::string path = folder.PathOf("scores.hgh");
    const std::unique_ptr<ScoreTable> table = TableWith(90, "Ok\xE4nd");
    WriteScoreFile(path, *table);
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
    const std::vector<std::string> untouchable = {"scores.hgh.backup", "scores.hgh.bad", "scores.hgh.saving.young1"};
    for (const std::string& name : untouchable) {
        std::ofstream(folder.PathOf(name)) << "the player's own";
        if (name != "scores.hgh.saving.young1")
            fs::last_write_time(folder.PathOf(name), old);
    }
    const std::string stale = folder.PathOf("scores.hgh.saving.aB3xY9");
    std::ofstream(stale) << "1\r\n1\r\nhalf a";
    fs::last_write_time(stale, old);

    WriteScoreFile(path, *table);
    EXPECT_FALSE(fs::exists(stale));
    for (const std::string& name : untouchable)
        EXPECT_TRUE(fs::exists(folder.PathOf(name))) << name;
    EXPECT_EQ(ReadBytes(path), FormatScoreFile(*table));
}

TEST(KilledSave, SettingsFileIsTheOldOrANewCompleteFile)
{
    TempFolder folder;
    const QByteArray oldHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", folder.Dir().c_str());
    const std::string path = SettingsFilePath().toStdString();
    ASSERT_EQ(path, folder.PathOf("GLOBANA.INI"));

    // A value large enough that writing the file takes a while.
    const QString values[2] = {QString(200000, QLatin1Char('a')), QString(200000, QLatin1Char('b'))};
    WriteSettingString(QStringLiteral("Languages"), QStringLiteral("From"), QStringLiteral("2"));
    WriteSettingString(QStringLiteral("Robustness"), QStringLiteral("Filler"), values[0]);
    const std::string oldFile = ReadBytes(path);

    KillWhileSaving(
        [&](int round) {
            WriteSettingString(QStringLiteral("Robustness"), QStringLiteral("Filler"), values[round % 2]);
        },
        [&](int kill) {
            const std::string bytes = ReadBytes(path);
            ASSERT_EQ(bytes.size(), oldFile.size()) << "after kill " << kill;
            const QSettings settings(QString::fromStdString(path), QSettings::IniFormat);
            ASSERT_EQ(settings.status(), QSettings::NoError);
            const QString filler = settings.value(QStringLiteral("Robustness/Filler")).toString();
            EXPECT_TRUE(filler == values[0] || filler == values[1]) << "after kill " << kill;
            EXPECT_EQ(settings.value(QStringLiteral("Languages/From")).toString(), QStringLiteral("2"));
        });

    if (oldHome.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", oldHome);
}

TEST(KilledSave, SettingsFileStaysWhenItsSaveFailsForWantOfSpace)
{
    TempFolder folder;
    const QByteArray oldHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", folder.Dir().c_str());
    const std::string path = SettingsFilePath().toStdString();
    WriteSettingString(QStringLiteral("Languages"), QStringLiteral("From"), QStringLiteral("3"));
    const std::string oldFile = ReadBytes(path);

    // A file size limit makes the write of the new file fail part way, as a full disk would.
    // Was: QSettings renamed the cut file over the old one and reported no error.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            _exit(2);
        int reports = 0;
        SetMessagePresenter([&](MessageKind, const QString&) { ++reports; });
        for (int i = 0; i < 2; ++i)
            WriteSettingString(QStringLiteral("Robustness"), QStringLiteral("Filler"), QString(200000, QLatin1Char('a')));
        _exit(reports == 1 ? 0 : 3); // reported, and once, not at every failed save
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(ReadBytes(path), oldFile);

    if (oldHome.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", oldHome);
}

} // namespace
