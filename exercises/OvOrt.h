// COvningOrt: the place exercise ("ORT"): click the named place on the map.
#pragma once

#include "exercises/ovning.h"

class CKarta;
class COrt;
class TMapExerciseScreen;
struct GeoPoint;

// The place a click at `point` means: the included place, answered or not, nearest on the
// picture; the earlier in the list on a tie; none when no place is included.
COrt* NearestIncludedPlace(const CKarta& map, const GeoPoint& point);

class COvningOrt : public COvning {
public:
    std::string NextQuestion() override;
    bool IsCorrect(const TAnswer& answer) override;
    void CorrectAnswer() override;
    void WrongAnswer(const TAnswer& answer) override;
    void Start(TOvningsformular* screen) override;
    void Tick() override;
    std::vector<std::string> Missed() const override;

    COrt* PlaceAt(const TAnswer& answer) const;
    void DrawMap();

    COrt* CurrentPlace = nullptr; // not owned

private:
    TMapExerciseScreen* MapScreen() const;
    void HideName();
};
