// Fuzz target for the interface strings: any bytes as "lang.crp".
#include "data/Language.h"
#include "platform/Errors.h"

#include "FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > MaxFuzzInput)
        return 0;
    ClearLanguageTable();
    try {
        LoadLanguageTableFrom(WriteFuzzFile(data, size));
    } catch (const EInOutError&) {
    } catch (const ERangeError&) {
    }
    for (int language = 1; language <= 5; ++language)
        for (int number = 1; number <= 34; ++number)
            FUZZ_CHECK(LanguageText(language, number).size() <= 255);
    return 0;
}
