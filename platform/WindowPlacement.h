// Placing the game's fixed-size windows.
#pragma once

class QWidget;

// Centres the window, frame included, on the available area of its screen.
void CentreOnScreen(QWidget& window);
