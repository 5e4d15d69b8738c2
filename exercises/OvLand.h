// COvningLandArea: the area exercise ("AREA"): click inside the named area on the map.
#pragma once

#include "exercises/ovning.h"

class CArea;
class TMapExerciseScreen;

class COvningLandArea : public COvning {
public:
    std::string NextQuestion() override;
    bool IsCorrect(const TAnswer& answer) override;
    void CorrectAnswer() override;
    void WrongAnswer(const TAnswer& answer) override;
    void Start(TOvningsformular* screen) override;
    void Tick() override;
    std::vector<std::string> Missed() const override;

    CArea* AreaAt(const TAnswer& answer) const;
    std::string SelectorAt(const TAnswer& answer) const;
    void DrawMap();

    std::string CurrentSelector;
    std::int32_t CurrentIndex = 0;

private:
    TMapExerciseScreen* MapScreen() const;
};
