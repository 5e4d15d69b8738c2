// COvningMulti: the multiple-choice exercise (any other keyword, normally "MULTI").
#pragma once

#include "exercises/ovning.h"

class COrt;
class TMultiExerciseScreen;

class COvningMulti : public COvning {
public:
    std::string NextQuestion() override;
    bool IsCorrect(const TAnswer& answer) override;
    void CorrectAnswer() override;
    void WrongAnswer(const TAnswer& answer) override;
    void Start(TOvningsformular* screen) override;
    void Tick() override { TickSeen = true; }
    std::vector<std::string> Missed() const override;

    // Raises an error when the exercise cannot draw four distinct answers of both kinds,
    // or when a selector matches no area: the drawing of wrong answers would never end.
    void CheckPlayable() const;
    // True while CorrectAnswer waits for the screen's tick; answers are ignored meanwhile.
    bool Pausing() const { return pausing_; }

    std::int32_t RightPosition = 0;
    COrt* AskedPlace = nullptr; // not owned
    bool TickSeen = false;
    Array1<std::string, 4> Answers;

private:
    TMultiExerciseScreen* MultiScreen() const;
    std::string AreaKeyOf(const COrt& place) const;
    bool pausing_ = false;
};
