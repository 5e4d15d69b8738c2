// Shared routines of the whole game: process-wide state, the executable's folder, the
// geometry helpers of the map, flood fill and picture preparation. (The language table,
// captions and sound routines are declared in Lang.h and Sound.h.)
#pragma once

#include "platform/Canvas.h"
#include "platform/Types.h"

#include <QImage>
#include <string>

class PictureBox;

// ---- Process-wide state (set up by the main menu and the language dialog) ----
extern int CurrentLanguage; // 1 Swedish, 2 English, 3 French, 4 German, 5 Spanish
extern bool SoundOn;
extern bool MusicOn;
extern int ColorCount;
extern TColor PanelColor;
extern TColor FrameColor;
extern TColor WrongColor;
extern TColor BlinkColor;
extern QImage TemplateBitmap;

// Picks the colour scheme for a display showing colorCount colours.
void SetColourScheme(int colorCount);

// The folder of the game files, without a trailing separator: GameFolderFor(the executable's
// folder).
std::string ExeDir();
// ExeDir() + "/" + name
std::string ExePath(const std::string& name);
// exeDir when the game files (Ovning.crp) are there (a build or a portable copy), else the
// installed data folder: exeDir/../share/globana, then the folder the game was built to install
// into. exeDir when none holds them.
std::string GameFolderFor(const std::string& exeDir);
// Where "scores.hgh" is kept: beside the game files when a score file is already there and that
// folder is writable (a portable copy keeps its scores), else in the user's data folder
// (QStandardPaths::AppDataLocation), which is created when missing.
std::string ScoreFilePath(const std::string& gameDir = ExeDir());

// ---- Geometry helpers ----
float Interpolate(float value, float fromLow, float fromHigh, float toLow, float toHigh);
float MaxOf(float a, float b);
float MinOf(float a, float b);
bool IsBetween(double a, double b, double v);
// vertices[0 .. count-1]
bool PointInPolygon(const GeoPoint& point, const GeoPoint* vertices, int count);

// 4-connected scan-line fill with the canvas's brush colour.
// Surface: repaint the region of pixels of `color`. Border: fill up to pixels of `color`.
void FloodFillAt(Canvas& canvas, int x, int y, TColor color, FillStyle style);

// Gives the picture a copy of TemplateBitmap sized to the picture control.
void ApplyTemplateBitmap(PictureBox& picture);
