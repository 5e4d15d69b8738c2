// The generators of the application shell's content: interface strings, sounds, music,
// pictures, help pages and README.TXT. Each writes its files into the content folder.
#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace shellcontent {

// Thrown for bad source files or failed writes; main prints the message and fails.
struct GenerateError {
    std::string message;
};

struct LangEntry {
    int number = 0;
    std::array<QString, 5> texts; // languages 1..5: Swedish, English, French, German, Spanish
};

// Reads the UTF-8 string table (see lang.tsv for the format).
std::vector<LangEntry> ReadLangTable(const QString& path);
// Writes lang.crp: one record per entry, texts in Windows-1252.
void WriteLangFile(const std::vector<LangEntry>& entries, const QString& path);
// Texts that do not fit the control that shows them, measured in the control's font.
QStringList CheckCaptionWidths(const std::vector<LangEntry>& entries);

void WriteSounds(const QString& contentDir);
void WriteMusic(const QString& contentDir);
// previewDir: where to leave a PNG of the logo for looking at (empty: none).
void WritePictures(const QString& contentDir, const QString& previewDir);
void WriteHelp(const QString& sourceDir, const QString& contentDir);
void WriteReadme(const QString& sourceDir, const QString& contentDir);

// Shared by the writers.
std::string Win1252OrThrow(const QString& text, const QString& where);
QString ReadUtf8File(const QString& path);
void WriteBytes(const QString& path, const std::string& bytes);

} // namespace shellcontent
