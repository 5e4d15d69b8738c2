// A drawing surface with the conventions of the game's drawing rules (GDI-like):
// a line leaves out its end point, which becomes the current point; rectangles and ellipses
// leave out their right and bottom edge; no antialiasing. Colours are TColor (0x00BBGGRR).
#pragma once

#include "platform/Types.h"

#include <QFont>
#include <QImage>
#include <QString>

#include <functional>

enum class PenMode { Copy, NotXor, Mask };
enum class FillStyle { Surface, Border };

class Canvas {
public:
    Canvas() = default;
    Canvas(int width, int height);

    // The bitmap drawn on (Format_RGB32). Resizing keeps the top-left content, new pixels white.
    QImage& image() { return image_; }
    const QImage& image() const { return image_; }
    void setImage(const QImage& image);
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    void resize(int width, int height);

    // Pen
    void setPenColor(TColor color) { penColor_ = color; }
    TColor penColor() const { return penColor_; }
    void setPenWidth(int width) { penWidth_ = width < 1 ? 1 : width; }
    int penWidth() const { return penWidth_; }
    void setPenMode(PenMode mode) { penMode_ = mode; }
    PenMode penMode() const { return penMode_; }

    // Brush: setting its colour makes it solid.
    void setBrushColor(TColor color) { brushColor_ = color; brushClear_ = false; }
    void setBrushSolid() { brushClear_ = false; }
    void setBrushClear() { brushClear_ = true; }
    TColor brushColor() const { return brushColor_; }
    bool brushClear() const { return brushClear_; }

    // Font: name and size in points (96 dpi), or a height in pixels; text colour.
    void setFont(const QString& family, int pointSize, bool bold = false);
    void setFontPixelHeight(const QString& family, int pixelHeight, bool bold = false);
    const QFont& font() const { return font_; }
    void setFontColor(TColor color) { fontColor_ = color; }
    TColor fontColor() const { return fontColor_; }

    // Shapes
    void moveTo(int x, int y) { curX_ = x; curY_ = y; }
    void lineTo(int x, int y);
    void rectangle(int left, int top, int right, int bottom); // pen outline + brush inside
    void ellipse(int left, int top, int right, int bottom);
    void fillRect(int left, int top, int right, int bottom);  // brush only, no outline
    // A border `width` pixels wide just inside the rectangle, in the pen colour, copied; the
    // inside is left alone. Unlike a wide pen it never reaches outside, at any width.
    void frameRect(int left, int top, int right, int bottom, int width);
    void fillAll(TColor color);                               // whole bitmap in one colour

    // Pixels (outside the bitmap: ignored on write, 0 on read)
    void setPixel(int x, int y, TColor color);
    TColor pixel(int x, int y) const;

    // Text, measured and drawn with the current font; top-left at (x, y).
    int textWidth(const QString& text) const;
    int textHeight(const QString& text) const;
    void textOut(int x, int y, const QString& text); // background filled with the brush unless clear

    // Copies another bitmap with its top-left at (x, y).
    void draw(int x, int y, const QImage& picture);

    // Every drawing operation ends by calling the change callback (a picture control repaints
    // through it) with the part of the bitmap it changed, or a null rectangle for any part. Code
    // that writes into image() directly calls changed() when done.
    // Copies of a canvas do not inherit the callback.
    void setChangedCallback(std::function<void(const QRect&)> callback) { onChanged_.callback = std::move(callback); }
    void changed(const QRect& area = QRect()) const
    {
        if (onChanged_.callback)
            onChanged_.callback(area);
    }

private:
    struct ChangedCallback {
        ChangedCallback() = default;
        ChangedCallback(const ChangedCallback&) {}
        ChangedCallback& operator=(const ChangedCallback&) { return *this; }
        std::function<void(const QRect&)> callback;
    };

    QImage image_;
    TColor penColor_ = 0x000000;
    int penWidth_ = 1;
    PenMode penMode_ = PenMode::Copy;
    TColor brushColor_ = 0xFFFFFF;
    bool brushClear_ = false;
    QFont font_;
    TColor fontColor_ = 0x000000;
    int curX_ = 0;
    int curY_ = 0;
    ChangedCallback onChanged_;
};

// A font size in points as a character height in pixels at 96 dpi.
int PointsToPixels(int points);
// A size in screen pixels at a device pixel ratio, rounded; 0 stays 0 and any other size
// keeps at least one pixel.
int ScaleSize(int size, double ratio);

// TColor (0x00BBGGRR, palette flag ignored) <-> Qt's 0xAARRGGBB.
inline QRgb ToQRgb(TColor c)
{
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
inline TColor FromQRgb(QRgb q)
{
    return ((q >> 16) & 0xFFu) | (q & 0xFF00u) | ((q & 0xFFu) << 16);
}
