#pragma once

#include <initializer_list>

#include "platform/Canvas.h"

// A structogram element paints every pixel of its box opaquely: its box is columns
// x .. x + width - 1 and rows y .. y + height. A frame whose inside its contents cover
// therefore needs no fill there, and filling it anyway costs the whole area once per
// nesting level. These draw a frame's parts apart so that only the uncovered parts are filled.

// The frame box filled and outlined, where the fill is needed only in the uncovered parts
// of it: on a canvas that skips covered fills these are filled and the box outlined.
void DrawCoveredFrame(Canvas& canvas, const TRect& box, std::initializer_list<TRect> uncovered);

// Paints the rectangle's pixels (columns l .. r-1, rows t .. b-1) in the brush colour,
// without an outline; an empty rectangle paints nothing.
void FillOnly(Canvas& canvas, const TRect& rect);

// Draws the rectangle's outline with the pen and leaves its inside as it is.
void OutlineOnly(Canvas& canvas, const TRect& rect);
