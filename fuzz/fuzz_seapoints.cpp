// Fuzz target for the sea points of a map ("Hav<n>.crp"): any bytes as the file.
#include "map/UKarta.h"
#include "platform/Errors.h"

#include "FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > MaxFuzzInput)
        return 0;
    CKarta map;
    try {
        map.LoadSeaPoints(WriteFuzzFile(data, size));
    } catch (const EInOutError&) {
    } catch (const ERangeError&) {
    }
    // FillSea walks SeaPoints[1..SeaPointCount]: the count must stay inside the array.
    FUZZ_CHECK(map.SeaPointCount >= 0 && map.SeaPointCount <= CKarta::MaxSeaPoints);
    return 0;
}
