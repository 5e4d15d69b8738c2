// COvningFlagga: the flag exercise ("FLAGG"): click the named country's flag.
#pragma once

#include "exercises/ovning.h"

class COvningFlagga : public COvning {
public:
    std::int32_t AskedPosition = 0;
    std::int32_t FlagCount = 0;
};
