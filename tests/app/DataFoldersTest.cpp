// Where the game looks for its files (beside the program or in the installed data folder) and
// where it keeps "scores.hgh" (beside the game files only in a writable portable copy).
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace {

void Touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(GameFolderTest, PrefersFilesBesideTheProgramThenTheInstalledDataFolder)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString bin = root.filePath(QStringLiteral("bin"));
    const QString share = root.filePath(QStringLiteral("share/globana"));
    QDir().mkpath(bin);

    Touch(share + QStringLiteral("/Ovning.crp"));
    EXPECT_EQ(GameFolderFor(bin.toStdString()), share.toStdString()) << "installed layout";

    Touch(bin + QStringLiteral("/Ovning.crp"));
    EXPECT_EQ(GameFolderFor(bin.toStdString()), bin.toStdString()) << "a copy beside the program wins";
}

TEST(GameFolderTest, FallsBackToTheProgramFolderWhenNoFolderHoldsTheGame)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const std::string exe = root.filePath(QStringLiteral("bin")).toStdString();
    const std::string found = GameFolderFor(exe);
    // Only the folder the game was built to install into may stand in, and only when it holds the game.
    if (found != exe) {
        EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(found) + QStringLiteral("/Ovning.crp"))) << found;
    }
}

class ScoreFilePathTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(game.isValid());
        ASSERT_TRUE(home.isValid());
        oldXdg = qgetenv("XDG_DATA_HOME");
        hadXdg = qEnvironmentVariableIsSet("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
        oldName = QCoreApplication::applicationName();
        QCoreApplication::setApplicationName(QStringLiteral("globana"));
    }
    void TearDown() override
    {
        QCoreApplication::setApplicationName(oldName);
        if (hadXdg)
            qputenv("XDG_DATA_HOME", oldXdg);
        else
            qunsetenv("XDG_DATA_HOME");
        QFile::setPermissions(game.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    std::string Beside() const { return game.filePath(QStringLiteral("scores.hgh")).toStdString(); }
    std::string InUserData() const { return home.filePath(QStringLiteral("globana/scores.hgh")).toStdString(); }

    QTemporaryDir game;
    QTemporaryDir home;
    QByteArray oldXdg;
    bool hadXdg = false;
    QString oldName;
};

TEST_F(ScoreFilePathTest, APortableCopyKeepsItsScoresBesideTheGame)
{
    Touch(QString::fromStdString(Beside()));
    EXPECT_EQ(ScoreFilePath(game.path().toStdString()), Beside());
    EXPECT_FALSE(QFileInfo::exists(home.filePath(QStringLiteral("globana"))));
}

TEST_F(ScoreFilePathTest, WithoutAScoreFileBesideTheGameTheUserDataFolderIsCreatedAndUsed)
{
    EXPECT_EQ(ScoreFilePath(game.path().toStdString()), InUserData());
    EXPECT_TRUE(QFileInfo(home.filePath(QStringLiteral("globana"))).isDir());
}

TEST_F(ScoreFilePathTest, AReadOnlyGameFolderSendsTheScoresToTheUserDataFolder)
{
    Touch(QString::fromStdString(Beside()));
    QFile::setPermissions(game.path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther
                                           | QFile::ExeOther);
    if (geteuid() != 0) {
        EXPECT_EQ(ScoreFilePath(game.path().toStdString()), InUserData());
        return;
    }
    // root may write anywhere: ask as an ordinary user, in a child process.
    QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                           | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther);
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(pipeEnds[0]);
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(2);
        const std::string path = ScoreFilePath(game.path().toStdString());
        const bool created = QFileInfo(home.filePath(QStringLiteral("globana"))).isDir();
        const std::string answer = path + (created ? "|created" : "|missing");
        _exit(write(pipeEnds[1], answer.data(), answer.size()) == ssize_t(answer.size()) ? 0 : 3);
    }
    close(pipeEnds[1]);
    std::string answer;
    char buffer[512];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        answer.append(buffer, std::size_t(n));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(answer, InUserData() + "|created");
}

} // namespace
