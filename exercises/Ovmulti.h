// COvningMulti: the multiple-choice exercise (any other keyword, normally "MULTI").
#pragma once

#include "exercises/ovning.h"

class COrt;

class COvningMulti : public COvning {
public:
    std::int32_t RightPosition = 0;
    COrt* AskedPlace = nullptr; // not owned
    bool TickSeen = false;
    Array1<std::string, 4> Answers;
};
