// The process-wide state that every layer reads: the language, the sound switches, the colour
// scheme and the template bitmap. The main menu and the language dialog set it.
#include "platform/GameState.h"

int CurrentLanguage = 2;
bool SoundOn = true;
bool MusicOn = true;
int ColorCount = 1 << 24;
TColor PanelColor = 0x02E0D0C0;
TColor FrameColor = 0x00A05A28;
TColor WrongColor = 0x024040FF;
TColor BlinkColor = 0x0000FF00;
QImage TemplateBitmap;

void SetColourScheme(int colorCount)
{
    ColorCount = colorCount;
    if (colorCount <= 256) {
        PanelColor = 0x00C0C0C0;
        FrameColor = 0x00800000;
        WrongColor = 0x000000FF;
    } else {
        PanelColor = 0x02E0D0C0;
        FrameColor = 0x00A05A28;
        WrongColor = 0x024040FF;
    }
    BlinkColor = 0x0000FF00;
}
