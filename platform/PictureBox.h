// PictureBox: a picture control that owns a Canvas, shows it and reports mouse presses in
// picture coordinates.
#pragma once

#include "platform/Canvas.h"

#include <QWidget>

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // The bitmap. While it is empty, the first access gives it the control's size (white).
    Canvas& canvas();
    const Canvas& canvas() const { return canvas_; }

    // Resizes the control and its bitmap together (the bitmap at the pixel ratio).
    void setPictureSize(int width, int height);

    // Device pixels per control pixel. At 2 the bitmap has twice the control's width and
    // height and is shown one to one on a high-density screen; presses are reported in bitmap
    // pixels. Set it before the bitmap is sized; 1 unless a screen asks for more.
    void setPixelRatio(qreal ratio);
    qreal pixelRatio() const { return pixelRatio_; }
    // A size in control pixels as bitmap pixels (0 stays 0, anything else at least 1).
    int scaled(int size) const;
    // Bitmap pixels back to control pixels, for placing widgets over the picture.
    int unscaled(int pixels) const;

    // Stretched: the bitmap is scaled to the control.
    void setStretched(bool stretched);
    bool stretched() const { return stretched_; }
    // Transparent: no background is painted, and pixels of the bitmap's bottom-left colour are
    // left out.
    void setTransparent(bool transparent);
    bool transparent() const { return transparent_; }

    void refresh();

signals:
    // Every press, the second press of a double click included.
    void mousePressed(int x, int y, Qt::MouseButton button);
    // A press released over the control: one per click, also when the click is a double click.
    void clicked(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const QImage& shownImage();

    Canvas canvas_;
    bool stretched_ = false;
    bool transparent_ = false;
    bool updatePending_ = false;
    qreal pixelRatio_ = 1.0;
    Qt::MouseButton clickButton_ = Qt::NoButton; // the press that a release would make a click
    QImage masked_;          // the bitmap with its transparent colour cut out
    qint64 maskedKey_ = -1;  // cacheKey of the bitmap masked_ was made from
};

// Gives the picture a copy of TemplateBitmap sized to the picture control.
void ApplyTemplateBitmap(PictureBox& picture);
