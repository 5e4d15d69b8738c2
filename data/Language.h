// The language table of interface strings ("lang.crp").
#pragma once

#include <QString>
#include <string>

// Entry (language 1..5, number 1..34); anything outside raises ERangeError.
std::string& LanguageText(int language, int number);
// Entry of CurrentLanguage, as Windows-1252 bytes and as display text.
const std::string& LanguageString(int number);
QString LanguageCaption(int number);
void ClearLanguageTable();
// Reads ExeDir()/lang.crp into the table.
void LoadLanguageTable();
void LoadLanguageTableFrom(const std::string& path);
