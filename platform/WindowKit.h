// The pieces every game window is built from: fonts by pixel size, colours, buttons, labels,
// panels, shapes and the opening that all fixed windows share. A window's constructor then reads
// as its table of controls.
#pragma once

#include "platform/Shape.h"
#include "platform/Types.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

class PictureBox;
class QFrame;
class QLabel;
class QObject;
class QPushButton;
class QTimer;
class QWidget;

// Fonts by character height in pixels, so that the window's layout does not depend on the
// screen's dpi.
QFont FontPixels(const QString& family, int pixels, bool bold = false);
QFont ArialPixels(int pixels, bool bold = false);
// The font of the windows' own texts: "MS Sans Serif" at 11 pixels.
QFont WindowFont();

// A colour as Qt gives it or as the game keeps it (0x00BBGGRR). Qt's own QColor(QRgb) would read
// a game colour as 0xAARRGGBB, and a Qt::GlobalColor would convert to a game colour's number, so
// window colours are given through this type.
struct WindowColour {
    WindowColour(const QColor& colour) : qt(colour) {}
    WindowColour(Qt::GlobalColor colour) : qt(colour) {}
    WindowColour(TColor colour);
    QColor qt;
};

void SetColour(QWidget* widget, QPalette::ColorRole role, WindowColour colour);
// Fills the widget's background with the colour.
void FillBackground(QWidget* widget, WindowColour colour);

// The opening of a window of fixed size: object name, caption and the language string that
// replaces the caption (tag 0: none).
void OpenFixedWindow(QWidget* window, const char* name, const QString& title, QSize size, int tag = 0);

// A push button that never takes Enter for itself (the window decides what Enter does), with
// the language string `tag` as its caption (0: none).
QPushButton* MakeButton(QWidget* parent, const char* name, const QRect& at, int tag,
                        Qt::FocusPolicy focus = Qt::TabFocus);
// A label with a transparent background; a null rectangle leaves its place to the layout.
QLabel* MakeLabel(QWidget* parent, const char* name, const QRect& at, const QFont& font,
                  WindowColour colour, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
// A panel with a one-pixel black border. Controls go into the returned client widget, so that
// their positions count from inside the border.
QWidget* MakePanel(QWidget* parent, QFrame*& panel, const char* name, const QRect& at);
ShapeWidget* MakeShape(QWidget* parent, const char* name, ShapeWidget::Kind kind, const QRect& at);
// A picture control; a null rectangle leaves its size and place to the caller.
PictureBox* MakePicture(QWidget* parent, const char* name, const QRect& at = QRect());
// A timer the window owns, not started.
QTimer* MakeTimer(QObject* owner, const char* name, int intervalMs);
// F1 anywhere in the window, whichever control has the focus.
void OnHelpKey(QWidget* window, std::function<void()> openHelp);
