// The language table of interface strings ("lang.crp") and the labelling of windows from it.
// The language dialog TfrmLang is declared in LangDialog.h.
#pragma once

#include <QString>
#include <string>

class QWidget;

// Entry (language 1..5, number 1..34); anything outside raises ERangeError.
std::string& LanguageText(int language, int number);
// Entry of CurrentLanguage, as Windows-1252 bytes and as display text.
const std::string& LanguageString(int number);
QString LanguageCaption(int number);
void ClearLanguageTable();

// Reads ExeDir()/lang.crp into the table.
void LoadLanguageTable();
void LoadLanguageTableFrom(const std::string& path);

// Gives every push button and label owned by the window whose "Tag" property is not 0 the
// string of that number in the current language, then the window's own caption if its Tag
// is not 0. A Tag outside 1..34 raises ERangeError.
void TranslateCaptions(QWidget* window);
