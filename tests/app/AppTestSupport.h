// Shared pieces of the application-shell tests: a private settings folder; the recorded boxes and
// media players come with it.
#pragma once

#include "platform/Settings.h"
#include "support/RecordedBoxes.h"
#include "support/RecordedPlayers.h"

#include <QByteArray>
#include <QFile>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>

// Points XDG_CONFIG_HOME at a fresh folder for the lifetime of the object, so GLOBANA.INI is
// private to one test.
class PrivateSettings {
public:
    PrivateSettings() : old_(qgetenv("XDG_CONFIG_HOME")), hadOld_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", folder_.path().toLocal8Bit());
    }
    ~PrivateSettings()
    {
        if (hadOld_)
            qputenv("XDG_CONFIG_HOME", old_);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }

    // Writes the whole file as it stands, one key=value per line in its section.
    void WriteFile(const QByteArray& text) const
    {
        QFile file(SettingsFilePath());
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(text);
    }
    bool FileExists() const { return QFile::exists(SettingsFilePath()); }
    QString Value(const QString& key) const
    {
        return QSettings(SettingsFilePath(), QSettings::IniFormat).value(key).toString();
    }
    QByteArray FileText() const
    {
        QFile file(SettingsFilePath());
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

private:
    QTemporaryDir folder_;
    QByteArray old_;
    bool hadOld_;
};
