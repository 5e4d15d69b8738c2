// COvningFlagga: the flag exercise ("FLAGG"): click the named country's flag.
#pragma once

#include "exercises/ovning.h"

class COvningFlagga : public COvning {
public:
    static constexpr int MaxFlags = 16;

    std::string NextQuestion() override;
    bool IsCorrect(const TAnswer& answer) override;
    void Start(TOvningsformular* screen) override;
    void Tick() override {}
    std::vector<std::string> Missed() const override;

    // Name of the area at a grid position, empty above FlagCount.
    std::string FlagName(int position) const;
    // Raises an error naming the first selector that has no area in the map's area list.
    void CheckSelectorsHaveAreas() const;

    std::int32_t AskedPosition = 0;
    std::int32_t FlagCount = 0;
    // Answers it took to find the flag at each grid position (1 on the first try).
    Array1<std::int32_t, MaxFlags> FlagTries;
};
