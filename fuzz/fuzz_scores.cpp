// Fuzz target for the top-ten file "scores.hgh": any bytes as the file, then the table is
// written and read back, which must give the same table.
#include "platform/Errors.h"
#include "scores/ScoreFile.h"

#include "FuzzFile.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > MaxFuzzInput)
        return 0;
    auto table = std::make_unique<ScoreTable>();
    ClearScoreTable(*table);
    try {
        ReadScoreFile(WriteFuzzFile(data, size), *table);
    } catch (const EInOutError&) {
    }
    for (int exercise = 1; exercise <= ScoreExercises; ++exercise) {
        for (int rank = 1; rank <= ScoreRanks; ++rank) {
            const std::string& name = (*table)[exercise][rank].Name;
            FUZZ_CHECK(name.size() <= MaxScoreNameLength);
            FUZZ_CHECK(name.find_first_of("\r\n") == std::string::npos);
        }
    }

    // Whatever was read, even in part, survives a save: the saved text reads back unchanged.
    const std::string text = FormatScoreFile(*table);
    auto again = std::make_unique<ScoreTable>();
    ClearScoreTable(*again);
    ReadScoreFile(WriteFuzzFile(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
                  *again);
    for (int exercise = 1; exercise <= ScoreExercises; ++exercise)
        for (int rank = 1; rank <= ScoreRanks; ++rank)
            FUZZ_CHECK((*again)[exercise][rank] == (*table)[exercise][rank]);
    return 0;
}
