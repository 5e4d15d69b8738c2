// What an exercise needs of the screen it runs on. The screens are windows; the exercises see
// only these interfaces, so they run and are tested without a window system.
#pragma once

#include "platform/Types.h"

#include <cstdint>
#include <string>

class Canvas;

// The screen every exercise reports to: the question and the running percentage.
class TOvningsformular {
public:
    virtual ~TOvningsformular() = default;
    virtual void VisaFraga(const std::string& text) = 0;
    virtual void VisaProcent(std::int32_t percent) = 0;
};

// The bitmap the map is drawn on, with its pixels per screen pixel.
struct MapImage {
    Canvas* canvas = nullptr;
    double pixelRatio = 1.0;
};

// What the place and area exercises need of the map exercise screen.
class TMapExerciseScreen : public virtual TOvningsformular {
public:
    virtual MapImage GetMapImage() = 0;
    // (x, y): picture coordinates of the label's centre; text is Windows-1252 bytes.
    virtual void ShowName(const std::string& text, int x, int y, TColor fontColor, TColor backColor,
                          bool visible) = 0;
};

// What the multiple-choice exercise needs of its screen.
class TMultiExerciseScreen : public virtual TOvningsformular {
public:
    // Answer k (1..4) as text centred on the colour.
    virtual void DrawAnswer(int k, TColor colour, const std::string& text) = 0;
};
