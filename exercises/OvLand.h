// COvningLandArea: the area exercise ("AREA"): click inside the named area on the map.
#pragma once

#include "exercises/ovning.h"

class COvningLandArea : public COvning {
public:
    std::string CurrentSelector;
    std::int32_t CurrentIndex = 0;
};
