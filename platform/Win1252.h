// Conversion between the Windows-1252 bytes of the game's files and Qt's Unicode strings.
#pragma once

#include <QString>
#include <string>

// Every byte maps to a character (the five bytes Windows-1252 leaves undefined map to the
// C1 controls of the same number, so nothing is lost on a round trip).
QString FromWin1252(const std::string& bytes);

// Characters outside Windows-1252 become '?'.
std::string ToWin1252(const QString& text);
