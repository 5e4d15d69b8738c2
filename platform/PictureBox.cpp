// PictureBox: paints its canvas (copy only) and turns presses into picture coordinates.
#include "platform/PictureBox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    // Drawing on the canvas schedules one repaint, however many operations follow before it.
    canvas_.setChangedCallback([this] {
        if (!updatePending_) {
            updatePending_ = true;
            update();
        }
    });
}

Canvas& PictureBox::canvas()
{
    if (canvas_.image().isNull() && width() > 0 && height() > 0)
        canvas_.resize(width(), height());
    return canvas_;
}

void PictureBox::setPictureSize(int width, int height)
{
    resize(width, height);
    canvas_.resize(width, height);
}

void PictureBox::setStretched(bool stretched)
{
    stretched_ = stretched;
    update();
}

void PictureBox::setTransparent(bool transparent)
{
    transparent_ = transparent;
    update();
}

void PictureBox::refresh()
{
    update();
}

const QImage& PictureBox::shownImage()
{
    const QImage& image = canvas_.image();
    if (!transparent_ || image.isNull())
        return image;
    if (maskedKey_ != image.cacheKey()) {
        masked_ = image.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = image.pixel(0, image.height() - 1);
        for (int y = 0; y < masked_.height(); ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(masked_.scanLine(y));
            for (int x = 0; x < masked_.width(); ++x) {
                if (row[x] == key)
                    row[x] = 0;
            }
        }
        maskedKey_ = image.cacheKey();
    }
    return masked_;
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    updatePending_ = false;
    const QImage& image = shownImage();
    if (image.isNull())
        return;
    QPainter painter(this);
    if (!transparent_)
        painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (stretched_) {
        painter.drawImage(rect(), image);
    } else {
        const QRect dirty = event->rect() & image.rect();
        if (!dirty.isEmpty())
            painter.drawImage(dirty.topLeft(), image, dirty);
    }
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    int x = at.x();
    int y = at.y();
    const QImage& image = canvas_.image();
    if (stretched_ && !image.isNull() && width() > 0 && height() > 0) {
        x = static_cast<int>(qint64(x) * image.width() / width());
        y = static_cast<int>(qint64(y) * image.height() / height());
    }
    emit mousePressed(x, y, event->button());
}
