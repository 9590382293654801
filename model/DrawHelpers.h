#pragma once

#include <cstdint>
#include <string>

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

// The selection mark at the foot of a statement, decision or loop with the test before:
// a red frame around rect whose bottom shows a red line, a blank band in the window colour
// and a black line. bandLineY, when given, adds a red line across the frame at that row;
// blankBottom is the exclusive bottom of the blank band.
void DrawFootSelectionMark(Canvas& canvas, const TRect& rect, int32_t blankBottom,
                           const int32_t* bandLineY = nullptr);

// The white condition diamond of the flowchart view with its top corner at (x, top) and the
// condition text in its middle; the brush is left as it was.
void DrawDiamond(Canvas& canvas, int32_t x, int32_t top, TSize size, const std::string& text);

// Half the height of the drop mark, and half the width of its flowchart form.
constexpr int32_t DropBarHalfHeight = 2;
constexpr int32_t FlowchartDropBarHalfWidth = 12;

// The drop mark, where a dragged element would land: a solid red bar from left to right
// (exclusive), centred on row y. Pen, font colour and brush are left as they were.
void DrawDropBar(Canvas& canvas, int32_t left, int32_t right, int32_t y);
// The flowchart's drop mark, across the connector or frame edge at (x, y).
inline void DrawFlowchartDropBar(Canvas& canvas, int32_t x, int32_t y) {
  DrawDropBar(canvas, x - FlowchartDropBarHalfWidth, x + FlowchartDropBarHalfWidth + 1, y);
}
