// COvningLandArea: the area exercise ("AREA"): click inside the named area on the map.
#pragma once

#include "exercises/ovning.h"

class CArea;
class CAreor;
class TMapExerciseScreen;
struct GeoPoint;

// The area a click at `point` means: among the included areas, answered or not, that contain
// it, the one whose box ends furthest south (an enclave beats the area around it); the earlier
// on a tie; none outside every included area.
CArea* InnermostIncludedArea(const CAreor& areas, const GeoPoint& point);

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
