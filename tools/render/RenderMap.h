// Offscreen rendering of an exercise map from area, water, sea-point and place files, for the
// command-line renderer and for content checks.
#pragma once

#include <QImage>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

struct RenderOptions {
    enum class Kind { Area, Place };

    std::string AreasFile;  // may be empty: no areas
    std::string WaterFile;  // may be empty: no waters
    std::string SeaFile;    // may be empty: no sea points
    std::string PlacesFile; // may be empty: no places

    // The view: set (top, bottom, centre longitude), else fitted to FitKeys' areas, else to
    // the included areas.
    struct View {
        float Top = 0, Bottom = 0, Centre = 0;
    };
    std::optional<View> ViewSet;
    std::vector<std::string> FitKeys;

    int Width = 1916;
    int Height = 1000;
    std::vector<std::string> IncludeKeys;
    int Level = 255;
    Kind MapKind = Kind::Area;
    int Border = 1;
    // Device pixels per screen pixel: pens, dots and fonts grow with it (Width and Height are
    // the picture's own pixels).
    double PixelRatio = 1.0;
    bool Grid = false;
    std::string OutFile;
};

// Reads the command-line arguments (without the program name). Returns an error text, empty
// when the options are complete.
std::string ParseRenderArguments(const QStringList& arguments, RenderOptions& options);

// Loads the files with the game's loaders, marks the keys as an exercise does, sets or fits
// the view and runs the area or place drawing sequence. Throws what the loaders throw.
QImage RenderMap(const RenderOptions& options);

// Pixels that each key's hint lights: the map is drawn once as RenderMap draws it, then the key's
// included areas are filled lime from their seeds, as after a third wrong answer, and the newly
// lime pixels are counted.
std::vector<int> HintPixels(const RenderOptions& options, const std::vector<std::string>& keys);
