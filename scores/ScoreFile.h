// The top-ten table of every exercise and its text file "scores.hgh": reading, writing and
// entering a new result. No widgets here; the windows in Tioitopp and Topp use these.
#pragma once

#include "platform/Array1.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/types.h>

struct TScoreEntry {
    std::int32_t Score = 0; // percentage; 0 marks an empty place
    std::string Name;       // Windows-1252 bytes, at most MaxScoreNameLength
};

inline bool operator==(const TScoreEntry& a, const TScoreEntry& b)
{
    return a.Score == b.Score && a.Name == b.Name;
}

constexpr int ScoreExercises = 90;
constexpr int ScoreRanks = 10;
constexpr std::size_t MaxScoreNameLength = 50;

// [exercise 1..90][rank 1..10]; rank 1 is the best.
using ScoreTable = Array1<Array1<TScoreEntry, ScoreRanks>, ScoreExercises>;

// The name a new entry carries until the player has typed one: "Okänd" in Windows-1252.
inline const std::string UnknownScoreName = "Ok\xE4nd";

// Every place gets score 0 and an empty name.
void ClearScoreTable(ScoreTable& table);

// Reads records of four lines (exercise, rank, name, score) into their places; a later record
// replaces an earlier one, records for an exercise above 90 or a rank above 10 are skipped,
// names are cut to 50 bytes. A missing or unreadable file, a non-numeric field, a truncated
// record or an exercise or rank below 1 raises EInOutError (EFileNotFound / EFileOpenFailed
// when the file cannot be opened); the records before the fault stay in the table.
void ReadScoreFile(const std::string& path, ScoreTable& table);

// Writes all 900 records, CR LF line ends. The old file is replaced only once the new one is
// completely on disk, so a failed save leaves it as it was. Raises EInOutError on failure.
void WriteScoreFile(const std::string& path, const ScoreTable& table);

// The file's text as WriteScoreFile writes it.
std::string FormatScoreFile(const ScoreTable& table);

// Saves the table in place of a file that could not be read completely: the file is kept
// aside first (KeepFileAside); when even that fails, it is written over. Raises
// EInOutError when the table cannot be written.
void WriteOverDamagedScoreFile(const std::string& path, const ScoreTable& table);

// Enters a result into the file as it stands now, for a window that read it some time ago: under
// an advisory lock on "<path>.lock" (another copy of the game may save meanwhile), the file is
// read again, the score entered with its name, and the table written as WriteScoreFile does. A
// file that cannot be read to its end is kept aside first (WriteOverDamagedScoreFile) with what
// was read before the fault. Score -1 enters nothing and only writes the file back. `table`
// becomes what was written; returns the rank the result took now (it may differ from the one
// shown), 0 when it no longer enters. Raises EInOutError when the table cannot be written.
int SaveScore(const std::string& path, int exercise, int score, const std::string& name,
              ScoreTable& table);

// Enters a result: the first rank whose stored score is strictly lower takes it, the ranks
// below move down one and rank 10 drops out; the new entry is named UnknownScoreName.
// Returns that rank, or 0 when the score enters nowhere. Scores below 1 never enter.
int InsertScore(ScoreTable& table, int exercise, int score);

// A stored name: cut to 50 bytes, CR and LF replaced by spaces (a line break inside a name
// would split its record).
std::string CleanScoreName(std::string name);
// A typed name as stored: Windows-1252 with '?' for characters outside it, then cleaned.
std::string ScoreNameFromText(const QString& text);

// Tests replace the write(2) call used for the new file to inject failures; nullptr restores.
using ScoreFileWriteFunction = ssize_t (*)(int fd, const void* data, std::size_t size);
void SetScoreFileWriteFunction(ScoreFileWriteFunction function);
