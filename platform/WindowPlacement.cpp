// Placing the game's fixed-size windows.
#include "platform/WindowPlacement.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>

void CentreOnScreen(QWidget& window)
{
    if (const QScreen* screen = window.screen())
        window.move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.frameSize(),
                                        screen->availableGeometry())
                        .topLeft());
}
