// The settings file "GLOBANA.INI": a sectioned key=value file in the user's configuration
// folder (QStandardPaths::GenericConfigLocation, so XDG_CONFIG_HOME moves it).
#pragma once

#include <QString>

// Full path of the settings file, looked up afresh on every call.
QString SettingsFilePath();

// The value of section/key as text, or defaultValue when the key is absent.
QString ReadSettingString(const QString& section, const QString& key, const QString& defaultValue);
// The value as a whole number; defaultValue when the key is absent, 0 when it is not a number.
int ReadSettingInteger(const QString& section, const QString& key, int defaultValue);
// Writes section/key = value at once over the file as it is now. The folder is made when missing;
// a file that cannot be read, or not written back, is kept aside as GLOBANA.INI.bad (.bad.2, …)
// and the settings start afresh. The first save of a run that still fails is reported in a
// message box; later failures are not, so that a switch clicked ten times asks once.
void WriteSettingString(const QString& section, const QString& key, const QString& value);
