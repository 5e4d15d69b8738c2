// The process-wide state that every layer reads. The main menu and the language dialog set it.
#pragma once

#include "platform/Types.h"

#include <QImage>

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
