// The scan-line flood fill that colours areas and seas.
#pragma once

#include "platform/Canvas.h"
#include "platform/Types.h"

// 4-connected scan-line fill with the canvas's brush colour.
// Surface: repaint the region of pixels of `color`. Border: fill up to pixels of `color`.
void FloodFillAt(Canvas& canvas, int x, int y, TColor color, FillStyle style);
