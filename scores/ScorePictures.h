// The built-in pictures of the high-score windows, drawn in code.
#pragma once

#include <QColor>
#include <QImage>

// The pictures are opaque (Format_RGB32) on the background colour they will be shown on, so a
// transparent picture control that leaves out that colour shows smooth edges.

// A band of gold stars, drawn above and below a top-ten list.
QImage DecorationBand(int width, int height, const QColor& background);

// A 32 x 32 flower icon with petals of the given colour.
QImage FlowerIcon(const QColor& petals, const QColor& background);
