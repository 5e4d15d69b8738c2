// Where the game files and the score file are.
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#include <unistd.h>

std::string GameFolderFor(const std::string& exeDir)
{
    const QString exe = QString::fromStdString(exeDir);
    QStringList candidates{exe, QDir::cleanPath(exe + QStringLiteral("/../share/globana"))};
#ifdef GLOBANA_INSTALL_DATADIR
    candidates << QStringLiteral(GLOBANA_INSTALL_DATADIR);
#endif
    for (const QString& dir : candidates) {
        if (QFileInfo::exists(dir + QStringLiteral("/Ovning.crp")))
            return dir.toStdString();
    }
    return exeDir;
}

std::string ExeDir()
{
    return GameFolderFor(QCoreApplication::applicationDirPath().toStdString());
}

std::string ScoreFilePath(const std::string& gameDir)
{
    const std::string beside = gameDir + "/scores.hgh";
    // access() rather than the permission bits: it also knows read-only file systems.
    if (QFileInfo::exists(QString::fromStdString(beside)) && ::access(gameDir.c_str(), W_OK) == 0)
        return beside;
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dir);
    return (dir + QStringLiteral("/scores.hgh")).toStdString();
}

std::string ExePath(const std::string& name)
{
    return ExeDir() + "/" + name;
}
