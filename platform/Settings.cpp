// Reading and writing "GLOBANA.INI" through QSettings in INI format.
#include "platform/Settings.h"

#include <QSettings>
#include <QStandardPaths>

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

void WriteSettingString(const QString& section, const QString& key, const QString& value)
{
    QSettings settings(SettingsFilePath(), QSettings::IniFormat);
    // Written to a temporary file and renamed over the old one (QSaveFile), so a crash during
    // the save leaves the old settings; this is Qt's default, stated here because it matters.
    settings.setAtomicSyncRequired(true);
    settings.setValue(KeyOf(section, key), value);
    settings.sync();
}
