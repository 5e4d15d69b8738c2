// ShapeWidget: a filled or outlined rectangle or circle drawn with a black one-pixel pen, the
// frames, rules and the coloured dot of the game's windows.
#pragma once

#include "platform/Types.h"

#include <QWidget>

class ShapeWidget : public QWidget {
    Q_OBJECT
public:
    enum class Kind { Rectangle, Circle };

    explicit ShapeWidget(Kind kind, QWidget* parent = nullptr);

    // Setting the brush colour makes the brush solid; a clear brush leaves only the outline.
    void setBrushColor(TColor color);
    void setBrushClear();
    TColor brushColor() const { return brushColor_; }
    bool brushClear() const { return brushClear_; }

signals:
    void mousePressed(int x, int y, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Kind kind_;
    TColor brushColor_ = 0xFFFFFF;
    bool brushClear_ = false;
};

// A TColor as a Qt colour (the palette flag in the top byte is ignored).
QColor ToQColor(TColor color);
