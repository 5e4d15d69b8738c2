// Small maps built in memory and screens that record what the exercises ask of them.
#pragma once

#include "exercises/ExerciseScreen.h"
#include "map/UKarta.h"
#include "platform/Canvas.h"
#include "support/MapRecords.h"
#include "support/SoundRecorder.h"
#include "support/TempFolder.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

// Writes the records to files in the folder and loads them into a new map.
std::unique_ptr<CKarta> MakeMap(const TempFolder& folder, const std::vector<AreaRecord>& areas,
                                const std::vector<PlaceRecord>& places);

class RecordingScreen : public TOvningsformular {
public:
    void VisaFraga(const std::string& text) override { questions.push_back(text); }
    void VisaProcent(std::int32_t percent) override { percents.push_back(percent); }
    std::vector<std::string> questions;
    std::vector<int> percents;
};

class FakeMapScreen : public TMapExerciseScreen {
public:
    void VisaFraga(const std::string& text) override { questions.push_back(text); }
    void VisaProcent(std::int32_t percent) override { percents.push_back(percent); }
    MapImage GetMapImage() override { return {&picture, 1.0}; }
    void ShowName(const std::string& text, int x, int y, TColor fontColor, TColor backColor,
                  bool visible) override;

    Canvas picture{400, 300};
    std::vector<std::string> questions;
    std::vector<int> percents;
    struct Name {
        std::string text;
        int x, y;
        TColor font, back;
        bool visible;
    };
    std::vector<Name> names;
};

class FakeMultiScreen : public TMultiExerciseScreen {
public:
    void VisaFraga(const std::string& text) override { questions.push_back(text); }
    void VisaProcent(std::int32_t percent) override { percents.push_back(percent); }
    void DrawAnswer(int k, TColor colour, const std::string& text) override;

    std::array<TColor, 4> colours{};
    std::array<std::string, 4> texts;
    std::vector<std::string> questions;
    std::vector<int> percents;
};

// Language strings 9, 10, 13, 14 in English, for question texts.
void SetQuestionStrings();
