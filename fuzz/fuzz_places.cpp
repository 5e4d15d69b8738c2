// Fuzz target for place lists: any bytes as a place file, then the marks of an exercise run.
#include "data/Orter.h"
#include "platform/Errors.h"

#include "FuzzFile.h"

namespace {

// The invariant that the exercises rely on: Remaining counts included, unanswered places.
int Unanswered(const COrter& list)
{
    int n = 0;
    for (const COrt* p = list.First; p; p = p->Next)
        n += p->Included && !p->Answered;
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > MaxFuzzInput)
        return 0;
    COrter list;
    try {
        list.LoadFromFile(WriteFuzzFile(data, size));
    } catch (const EInOutError&) {
    } catch (const ERangeError&) {
    }
    for (const COrt* p = list.First; p; p = p->Next) {
        FUZZ_CHECK(p->Level >= 0 && p->Level <= 32767);
        for (int i = 2; i <= 5; ++i)
            FUZZ_CHECK(!p->Names[i].empty() || p->Names[1].empty());
        FUZZ_CHECK(!p->Included && !p->Answered && p->Tries == 0);
    }
    if (!list.First)
        return 0;

    // Two runs of an exercise, with filters taken from the input.
    const int level = size > 0 ? data[size - 1] * 128 : 0;
    for (int run = 0; run < 2; ++run) {
        list.ClearMarks();
        FUZZ_CHECK(list.Remaining == 0 && Unanswered(list) == 0);
        for (const COrt* p = list.First; p; p = p->Next) {
            list.IncludeForKey(p->Keys[1 + run], level, (size & 1) != 0, (size & 2) != 0);
            FUZZ_CHECK(list.Remaining == Unanswered(list));
            FUZZ_CHECK(list.IncludedTotal == list.Remaining);
        }
        if (list.First->Included && !list.First->Answered) {
            list.First->Answered = true;
            --list.Remaining;
            FUZZ_CHECK(list.Remaining == Unanswered(list));
        }
    }
    return 0;
}
