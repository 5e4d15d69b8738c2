// TOvningsformular: the abstract exercise screen that exercises report to, and the narrow
// interfaces through which the map and multiple-choice exercises reach their own screens.
#pragma once

#include "platform/Types.h"

#include <QWidget>
#include <cstdint>
#include <string>

class CKarta;
class COvning;
class PictureBox;

class TOvningsformular : public QWidget {
public:
    explicit TOvningsformular(QWidget* parent = nullptr) : QWidget(parent) {}
    virtual void VisaFraga(const std::string& text) = 0;
    virtual void VisaProcent(std::int32_t percent) = 0;
};

// The exercise outlives its screen: when a screen goes, the exercise must not keep pointing at
// the screen or at the map the screen owned.
void DetachExercise(COvning* exercise, const CKarta* map, const TOvningsformular* screen);

// What the place and area exercises need of the map exercise screen.
class TMapExerciseScreen : public TOvningsformular {
public:
    using TOvningsformular::TOvningsformular;
    virtual PictureBox* GetMapImage() = 0;
    // (x, y): picture coordinates of the label's centre; text is Windows-1252 bytes.
    virtual void ShowName(const std::string& text, int x, int y, TColor fontColor, TColor backColor,
                          bool visible) = 0;
};

// What the multiple-choice exercise needs of its screen.
class TMultiExerciseScreen : public TOvningsformular {
public:
    using TOvningsformular::TOvningsformular;
    virtual PictureBox* AnswerImage(int k) = 0; // k = 1..4
    virtual void DrawAnswer(PictureBox* box, TColor colour, const std::string& text) = 0;
};
