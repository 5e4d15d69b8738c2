// Reading and writing "GLOBANA.INI" through QSettings in INI format.
#include "platform/Settings.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cstdio>

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

void WriteSettingString(const QString& section, const QString& key, const QString& value)
{
    // QSettings does not notice a write that fails part way (a full disk): it renames the cut
    // file over the old one and reports no error. So the new settings are written to a copy
    // beside the file, read back whole, and only then renamed over it; a crash or a failure
    // anywhere before that leaves the old file as it was.
    const QString path = SettingsFilePath();
    QTemporaryFile copy(path + QStringLiteral(".XXXXXX"));
    if (!copy.open())
        return;
    QFile old(path);
    if (old.exists() && !old.open(QIODevice::ReadOnly))
        return; // what it holds must not be lost
    bool garbage = false;
    if (old.isOpen()) {
        const QByteArray bytes = old.readAll();
        if (old.error() != QFileDevice::NoError)
            return;
        // A file that QSettings reads but cannot write back (garbage) would stop every save for
        // good: the settings start afresh, and the file is kept beside as GLOBANA.INI.bad.
        garbage = !WritesBack(path, bytes);
        if (!garbage && copy.write(bytes) != bytes.size())
            return;
    }
    if (!copy.flush())
        return;
    const QString copyPath = copy.fileName();
    QStringList keys;
    QList<QVariant> values;
    {
        QSettings settings(copyPath, QSettings::IniFormat);
        settings.setValue(KeyOf(section, key), value);
        settings.sync();
        if (settings.status() != QSettings::NoError)
            return;
        keys = settings.allKeys();
        for (const QString& k : keys)
            values.append(settings.value(k));
    }
    QFile written(copyPath);
    if (!written.open(QIODevice::ReadOnly))
        return;
    const QByteArray text = written.readAll();
    if (::fsync(written.handle()) != 0)
        return;
    written.close();
    // Read back under another name: QSettings would answer from its cache for this one.
    QTemporaryFile check(path + QStringLiteral(".XXXXXX"));
    if (!check.open() || check.write(text) != text.size() || !check.flush())
        return;
    const QSettings reread(check.fileName(), QSettings::IniFormat);
    if (reread.status() != QSettings::NoError || reread.allKeys() != keys)
        return;
    for (int i = 0; i < keys.size(); ++i)
        if (reread.value(keys[i]) != values[i])
            return;
    copy.setPermissions(old.exists() ? old.permissions()
                                     : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    if (garbage) {
        QFile::remove(path + QStringLiteral(".bad"));
        if (!QFile::copy(path, path + QStringLiteral(".bad")))
            return;
    }
    if (std::rename(QFile::encodeName(copyPath).constData(), QFile::encodeName(path).constData()) == 0)
        copy.setAutoRemove(false);
}
