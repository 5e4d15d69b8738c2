// TOvningsformular: the abstract exercise screen that exercises report to, and the narrow
// interfaces through which the map and multiple-choice exercises reach their own screens.
#pragma once

#include "platform/Types.h"

#include <QWidget>
#include <cstdint>
#include <memory>
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

// The exercise's map with its place list "Ort<n>.crp" and area list "AREA<n>.crp" (none for an
// area file number outside 1..3); with waters, also "Vatten.crp", the sea points "Hav<n>.crp"
// and the graticule for the world file. Bare names: the current directory is the game folder.
std::unique_ptr<CKarta> LoadExerciseMap(const COvning& exercise, bool withWaters);

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
