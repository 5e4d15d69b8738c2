// COvning: the base of every exercise (fields filled by the catalogue, booking, start),
// and TAnswer.
#pragma once

#include "platform/Array1.h"
#include "platform/Types.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CKarta;
class TOvningsformular;

struct TAnswer {
    float Latitude = 0.0f;
    float Longitude = 0.0f;
    std::int32_t Index = 0;
};

class COvning {
public:
    COvning();
    virtual ~COvning() = default;
    COvning(const COvning&) = delete;
    COvning& operator=(const COvning&) = delete;

    // Virtual operations, in slot order. The abstract ones raise EAbstractError.
    virtual std::string NextQuestion();
    virtual bool IsCorrect(const TAnswer& answer);
    virtual void CorrectAnswer();
    virtual void WrongAnswer(const TAnswer& answer);
    virtual void Start(TOvningsformular* screen);
    virtual void Tick();

    void IncludeItems();

    // Practice of what the last round took more than one try on. Missed() names those
    // questions: selectors in the area and flag exercises, place ids in the place and
    // multiple-choice exercises. StartPractice plays a round of only those on the same map,
    // judged as in the exercise; any other Start plays the whole exercise again.
    virtual std::vector<std::string> Missed() const { return {}; }
    void StartPractice(TOvningsformular* screen);
    bool Practising() const { return !Practice.empty(); }
    // The questions of the practice round being played; empty in a round of the whole exercise.
    std::vector<std::string> Practice;

    // Plays a sound file on channel 1 (right answers) or 2 (anything else). The screen that runs
    // the exercise hands in the game's players; unset, the exercise is silent.
    std::function<void(const std::string& fileName, int channel)> PlaySound;
    // Lets the window system handle what is pending (repaints, clicks) between steps, and waits
    // for more: the pause after a right answer sleeps on it until the screen's timer ticks.
    // Qt's event loop unless a test hands in its own.
    std::function<void()> ProcessMessages;
    std::function<void()> WaitForMessages;

    std::int32_t Number = 0;
    Array1<std::string, 5> Names;
    std::string Kind;
    TOvningsformular* Screen = nullptr; // not owned
    std::int32_t Level = 0;
    TColor LandColor = 0;
    TColor AreaColor = 0;
    TColor SeaColor = 0;
    bool NeedPlaceFlag1 = false;
    bool NeedPlaceFlag2 = false;
    std::string WorldPart;
    COvning* Next = nullptr; // owned by the catalogue
    CKarta* Map = nullptr;   // owned by the screen
    double CenterLon = 0.0;
    double NorthLat = 0.0;
    double SouthLat = 0.0;
    std::int32_t SelectorCount = 0;
    std::int32_t AreaFileNo = 0;
    std::int32_t PlaceFileNo = 0;
    std::int32_t BorderWidth = 0;
    Array1<std::string, 100> Selectors;
    Array1<bool, 100> Answered;
    std::int32_t AnswerCount = 0;
    std::int32_t WrongCount = 0;
    std::int32_t Tries = 0;
    std::int32_t AskedCount = 0;
    std::int32_t Percent = 0;
    std::int32_t BlinkState = 0;
    bool Finished = false;

protected:
    void ComputePercent();
    // First step of every kind's Start: takes the practice that StartPractice asked for, or none.
    void BeginRound();
    bool InPractice(const std::string& question) const;

private:
    std::vector<std::string> nextPractice_;
};
