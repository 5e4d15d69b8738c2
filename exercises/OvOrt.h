// COvningOrt: the place exercise ("ORT"): click the named place on the map.
#pragma once

#include "exercises/ovning.h"

class COrt;

class COvningOrt : public COvning {
public:
    COrt* CurrentPlace = nullptr; // not owned
};
