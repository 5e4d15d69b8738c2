// PictureBox: paints its canvas (copy only) and turns presses into picture coordinates.
#include "platform/PictureBox.h"

#include "platform/GameState.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRectF>

#include <cmath>

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    // Drawing on the canvas schedules one repaint, however many operations follow before it; a
    // change confined to a part (a fill) repaints only that part, so that a map whose sea fills
    // let the picture build up visibly does not copy the whole bitmap after each of them.
    canvas_.setChangedCallback([this](const QRect& area) {
        if (updatePending_)
            return;
        if (area.isNull() || stretched_) {
            updatePending_ = true;
            update();
        } else {
            update(QRectF(area.x() / pixelRatio_, area.y() / pixelRatio_, area.width() / pixelRatio_,
                          area.height() / pixelRatio_).toAlignedRect());
        }
    });
}

Canvas& PictureBox::canvas()
{
    if (canvas_.image().isNull() && width() > 0 && height() > 0)
        canvas_.resize(scaled(width()), scaled(height()));
    return canvas_;
}

void PictureBox::setPictureSize(int width, int height)
{
    resize(width, height);
    canvas_.resize(scaled(width), scaled(height));
}

void PictureBox::setPixelRatio(qreal ratio)
{
    // Qt reports ratios from 1 to 3 or so; anything odd falls back to one to one.
    pixelRatio_ = (std::isfinite(ratio) && ratio >= 0.25 && ratio <= 8.0) ? ratio : 1.0;
    update();
}

int PictureBox::scaled(int size) const
{
    return ScaleSize(size, pixelRatio_);
}

int PictureBox::unscaled(int pixels) const
{
    return static_cast<int>(std::lround(pixels / pixelRatio_));
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
    } else if (pixelRatio_ == 1.0) {
        const QRect dirty = event->rect() & image.rect();
        if (!dirty.isEmpty())
            painter.drawImage(dirty.topLeft(), image, dirty);
    } else {
        // The dirty part in control pixels, taken from the same part of the larger bitmap.
        const QRectF shown(0, 0, image.width() / pixelRatio_, image.height() / pixelRatio_);
        const QRectF dirty = QRectF(event->rect()) & shown;
        if (!dirty.isEmpty()) {
            const QRectF source(dirty.x() * pixelRatio_, dirty.y() * pixelRatio_,
                                dirty.width() * pixelRatio_, dirty.height() * pixelRatio_);
            painter.drawImage(dirty, image, source);
        }
    }
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    const QPointF position = event->position();
    int x = static_cast<int>(std::floor(position.x() * pixelRatio_));
    int y = static_cast<int>(std::floor(position.y() * pixelRatio_));
    const QImage& image = canvas_.image();
    if (stretched_ && !image.isNull() && width() > 0 && height() > 0) {
        x = static_cast<int>(std::floor(position.x() * image.width() / width()));
        y = static_cast<int>(std::floor(position.y() * image.height() / height()));
    }
    // A double click's second press comes as a double-click event through here too; it
    // starts no click of its own.
    clickButton_ = event->type() == QEvent::MouseButtonPress ? event->button() : Qt::NoButton;
    emit mousePressed(x, y, event->button());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = event->button() == clickButton_ && clickButton_ != Qt::NoButton
                       && rect().contains(event->position().toPoint());
    clickButton_ = Qt::NoButton;
    if (click)
        emit clicked(event->button());
}

void ApplyTemplateBitmap(PictureBox& picture)
{
    QCoreApplication::processEvents();
    Canvas& canvas = picture.canvas();
    canvas.setImage(TemplateBitmap);
    canvas.resize(picture.scaled(picture.width()), picture.scaled(picture.height()));
}
