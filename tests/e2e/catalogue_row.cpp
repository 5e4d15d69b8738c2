// Tells the end-to-end test where an exercise sits in the main menu, read with the game's own
// catalogue reader: e2e_catalogue_row <Ovning.crp> <world part code> <kind>
// prints "<row in the part's list> <number> <area colour as RRGGBB> <Swedish name>" for the first
// exercise of that part and kind, and fails when there is none.
#include "data/ovningar.h"
#include "exercises/ovning.h"
#include "map/UKarta.h"
#include "platform/Win1252.h"

#include <cstdio>
#include <exception>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <Ovning.crp> <world part code> <kind>\n", argv[0]);
        return 2;
    }
    try {
        COvningar catalogue;
        catalogue.LoadFromFile(argv[1]);
        const std::string part = argv[2];
        const std::string kind = argv[3];
        int row = 0;
        for (const COvning* e = catalogue.First; e; e = e->Next) {
            if (e->WorldPart != part)
                continue;
            if (e->Kind == kind) {
                // 0 in the catalogue keeps the map's own colour.
                const TColor bgr = e->AreaColor != 0 ? e->AreaColor : CKarta().AreaColor;
                std::printf("%d %d %02X%02X%02X %s\n", row, e->Number, bgr & 0xFF, (bgr >> 8) & 0xFF,
                            (bgr >> 16) & 0xFF, FromWin1252(e->Names[1]).toUtf8().constData());
                return 0;
            }
            ++row;
        }
        std::fprintf(stderr, "no %s exercise of part %s in %s\n", argv[3], argv[2], argv[1]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.what());
    }
    return 1;
}
