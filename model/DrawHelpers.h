#pragma once

#include <cstdint>

#include "platform/Canvas.h"

// The nesting shade: subtracted from the brush colour per block level on screen.
constexpr TColor ShadeStep = 0x000606;

// Pen colour and font colour red.
void SetRedPen(Canvas& canvas);
// Pen colour and font colour black.
void SetBlackPen(Canvas& canvas);

enum ConnectorKind : uint8_t { HeadDown = 0, HeadRight = 2, PlainToEnd = 4 };

// A line from (x1, y1) to (x2, y2) with the end mark of kind; marked draws it red, thick
// uses the printing head size.
void DrawConnector(Canvas& canvas, uint8_t kind, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                   bool marked, bool thick);

// Small conveniences for the drawing code.
inline void Line(Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
}
inline bool IsRed(const Canvas& canvas) { return canvas.Pen.Color == 0x0000FF; }
