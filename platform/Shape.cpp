// ShapeWidget painting: brush first, then the pen outline inside the widget's rectangle.
#include "platform/Shape.h"

#include "platform/Canvas.h"

#include <QMouseEvent>
#include <QPainter>

QColor ToQColor(TColor color)
{
    return QColor::fromRgb(ToQRgb(color));
}

// Only the shape is painted (no background fill): a circle's corners show what lies behind it.
ShapeWidget::ShapeWidget(Kind kind, QWidget* parent) : QWidget(parent), kind_(kind) {}

void ShapeWidget::setBrushColor(TColor color)
{
    brushColor_ = color;
    brushClear_ = false;
    update();
}

void ShapeWidget::setBrushClear()
{
    brushClear_ = true;
    update();
}

void ShapeWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    if (brushClear_)
        painter.setBrush(Qt::NoBrush);
    else
        painter.setBrush(ToQColor(brushColor_));
    // Qt's outline covers width+1 x height+1 pixels: one less keeps it inside the widget.
    if (kind_ == Kind::Circle) {
        const int d = qMin(width(), height());
        painter.drawEllipse(QRect((width() - d) / 2, (height() - d) / 2, d - 1, d - 1));
    } else {
        painter.drawRect(QRect(0, 0, width() - 1, height() - 1));
    }
}

void ShapeWidget::mousePressEvent(QMouseEvent* event)
{
    emit mousePressed(event->position().toPoint().x(), event->position().toPoint().y(),
                      event->button());
}
