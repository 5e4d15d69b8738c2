// Fuzz target for the exercise catalogue: any bytes as "Ovning.crp", then every exercise is
// looked up by its name as the main menu does.
#include "data/ovningar.h"
#include "exercises/ovning.h"
#include "platform/Errors.h"
#include "platform/GameState.h"

#include "FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > MaxFuzzInput)
        return 0;
    COvningar catalogue;
    try {
        catalogue.LoadFromFile(WriteFuzzFile(data, size));
    } catch (const EInOutError&) {
    } catch (const ERangeError&) {
    }
    // A failed load keeps what it read so far; the chain must still be whole.
    for (COvning* e = catalogue.First; e; e = e->Next) {
        FUZZ_CHECK(e->SelectorCount >= 0 && e->SelectorCount <= 100);
        FUZZ_CHECK(e->Level >= 0 && e->Level <= 255);
        FUZZ_CHECK(e->BorderWidth >= 0 && e->BorderWidth <= 255);
        for (int i = 1; i <= e->SelectorCount; ++i)
            FUZZ_CHECK(e->Selectors[i].size() <= 255);
        for (int language = 1; language <= 5; ++language) {
            CurrentLanguage = language;
            const COvning* found = catalogue.FindByName(e->Names[language]);
            FUZZ_CHECK(found && found->Names[language] == e->Names[language]);
        }
    }
    return 0;
}
