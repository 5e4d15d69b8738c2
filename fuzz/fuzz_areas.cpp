// Fuzz target for area lists: any bytes as an area file, then the marks and look-ups that the
// exercises make.
#include "data/Areor.h"
#include "platform/Errors.h"

#include "FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > MaxFuzzInput)
        return 0;
    CAreor list;
    try {
        list.LoadFromFile(WriteFuzzFile(data, size));
    } catch (const EInOutError&) {
    } catch (const ERangeError&) {
    }
    FUZZ_CHECK(list.Count >= 0 && list.Count <= CAreor::MaxAreas);
    for (int i = 1; i <= list.Count; ++i) {
        const CArea& a = list.Item(i);
        FUZZ_CHECK(a.VertexCount >= 0 && a.VertexCount <= CArea::MaxVertices);
        FUZZ_CHECK(a.Reserved >= 0 && a.Reserved <= 32767);
        for (int k = 2; k <= 5; ++k)
            FUZZ_CHECK(!a.Names[k].empty() || a.Names[1].empty());
        // The outline as the map and the hit test walk it.
        float sum = 0;
        for (int k = 1; k <= a.VertexCount; ++k)
            sum += a.Vertices[k].Latitude - a.Vertices[k].Longitude;
        (void)sum;
    }

    list.ClearMarks();
    for (int i = 1; i <= list.Count; ++i) {
        const CArea& a = list.Item(i);
        list.IncludeForKey(a.Keys[2]);
        const CArea* found = list.FindByKey(a.Keys[1]);
        FUZZ_CHECK(found && found->Keys[1] == a.Keys[1]);
        list.MarkAnswered(a.Keys[3], i);
    }
    for (int i = 1; i <= list.Count; ++i) {
        const CArea& a = list.Item(i);
        FUZZ_CHECK(!a.Included || a.VertexCount > 0);
    }
    list.ClearMarks();
    return 0;
}
