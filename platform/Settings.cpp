// Reading and writing "GLOBANA.INI" through QSettings in INI format.
#include "platform/Settings.h"

#include "platform/FileLock.h"
#include "platform/MessageBox.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <unistd.h>

namespace {
QString KeyOf(const QString& section, const QString& key)
{
    return section + QLatin1Char('/') + key;
}
} // namespace

QString SettingsFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/GLOBANA.INI");
}

QString ReadSettingString(const QString& section, const QString& key, const QString& defaultValue)
{
    const QSettings settings(SettingsFilePath(), QSettings::IniFormat);
    const QVariant value = settings.value(KeyOf(section, key));
    // A list-like value ("1, 2") comes back as a string list; the text is what was written.
    if (!value.isValid())
        return defaultValue;
    if (value.userType() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

int ReadSettingInteger(const QString& section, const QString& key, int defaultValue)
{
    const QSettings settings(SettingsFilePath(), QSettings::IniFormat);
    const QVariant value = settings.value(KeyOf(section, key));
    if (!value.isValid())
        return defaultValue;
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok ? number : 0;
}

namespace {

// Whether QSettings can add a key to a file holding these bytes (it fails with a format error on
// garbage); tried on a scratch copy beside the settings file.
bool WritesBack(const QString& path, const QByteArray& bytes)
{
    QTemporaryFile probe(path + QStringLiteral(".XXXXXX"));
    if (!probe.open() || probe.write(bytes) != bytes.size() || !probe.flush())
        return true; // cannot tell: treat it as settings, so that nothing is thrown away
    QSettings settings(probe.fileName(), QSettings::IniFormat);
    settings.setValue(QStringLiteral("Probe/Key"), 1);
    settings.sync();
    return settings.status() != QSettings::FormatError;
}

} // namespace

namespace {

// Where a save failed last. A failing save is reported once, not at every change of a switch.
QString reportedFailure;

void ReportFailure(const QString& path, const QString& reason)
{
    if (reportedFailure == path)
        return;
    reportedFailure = path;
    ShowInformation(QStringLiteral("Could not save the settings in %1: %2").arg(path, reason));
}

// The configuration folder is made when missing (a new account, or XDG_CONFIG_HOME set to a
// folder not made yet), private to its owner as the XDG rules ask.
bool MakeFolder(const QString& folder)
{
    std::error_code error;
    const std::filesystem::path path(QFile::encodeName(folder).toStdString());
    if (std::filesystem::is_directory(path, error))
        return true;
    if (!std::filesystem::create_directories(path, error))
        return false;
    std::filesystem::permissions(path, std::filesystem::perms::owner_all, error);
    return true;
}

// Writes the file anew with section/key = value added; an empty reason on success.
QString WriteSetting(const QString& path, const QString& section, const QString& key, const QString& value)
{
    // QSettings does not notice a write that fails part way (a full disk): it renames the cut
    // file over the old one and reports no error. So the new settings are written to a copy
    // beside the file, read back whole, and only then renamed over it; a crash or a failure
    // anywhere before that leaves the old file as it was.
    QTemporaryFile copy(path + QStringLiteral(".XXXXXX"));
    if (!copy.open())
        return copy.errorString();
    QFile old(path);
    // A file it cannot read, or one of garbage that QSettings reads but cannot write back,
    // would stop every save for good: it is kept aside and the settings start afresh.
    bool keepAside = old.exists() && !old.open(QIODevice::ReadOnly);
    if (old.isOpen()) {
        const QByteArray bytes = old.readAll();
        if (old.error() != QFileDevice::NoError)
            keepAside = true;
        else if (!WritesBack(path, bytes))
            keepAside = true;
        else if (copy.write(bytes) != bytes.size())
            return copy.errorString();
    }
    if (!copy.flush())
        return copy.errorString();
    const QString copyPath = copy.fileName();
    QStringList keys;
    QList<QVariant> values;
    {
        QSettings settings(copyPath, QSettings::IniFormat);
        settings.setValue(KeyOf(section, key), value);
        settings.sync();
        if (settings.status() != QSettings::NoError)
            return QStringLiteral("the new file could not be written");
        keys = settings.allKeys();
        for (const QString& k : keys)
            values.append(settings.value(k));
    }
    QFile written(copyPath);
    if (!written.open(QIODevice::ReadOnly))
        return written.errorString();
    const QByteArray text = written.readAll();
    if (::fsync(written.handle()) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    written.close();
    // Read back under another name: QSettings would answer from its cache for this one.
    QTemporaryFile check(path + QStringLiteral(".XXXXXX"));
    if (!check.open() || check.write(text) != text.size() || !check.flush())
        return check.errorString();
    const QSettings reread(check.fileName(), QSettings::IniFormat);
    if (reread.status() != QSettings::NoError || reread.allKeys() != keys)
        return QStringLiteral("the new file did not read back as written");
    for (int i = 0; i < keys.size(); ++i)
        if (reread.value(keys[i]) != values[i])
            return QStringLiteral("the new file did not read back as written");
    copy.setPermissions(old.exists() && !keepAside
                            ? old.permissions()
                            : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    if (keepAside) {
        try {
            KeepFileAside(QFile::encodeName(path).toStdString());
        } catch (const std::exception& error) {
            return QString::fromLocal8Bit(error.what());
        }
    }
    if (std::rename(QFile::encodeName(copyPath).constData(), QFile::encodeName(path).constData()) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    copy.setAutoRemove(false);
    return {};
}

} // namespace

void WriteSettingString(const QString& section, const QString& key, const QString& value)
{
    const QString path = SettingsFilePath();
    if (!MakeFolder(QFileInfo(path).absolutePath())) {
        ReportFailure(path, QStringLiteral("its folder could not be made"));
        return;
    }
    // Another copy of the game may change another key meanwhile: each save adds its own key to
    // the file as it is now, one copy at a time.
    const FileLock lock(QFile::encodeName(path).toStdString());
    const QString reason = WriteSetting(path, section, key, value);
    if (!reason.isEmpty())
        ReportFailure(path, reason);
}
