#include "model/DrawHelpers.h"

#include <array>

void SetRedPen(Canvas& canvas) {
  canvas.Pen.Color = Colors::Red;
  canvas.Font.Color = Colors::Red;
}

void SetBlackPen(Canvas& canvas) {
  canvas.Pen.Color = Colors::Black;
  canvas.Font.Color = Colors::Black;
}

void DrawConnector(Canvas& canvas, uint8_t kind, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                   bool marked, bool thick) {
  const TColor brush = canvas.Brush.Color;
  canvas.Brush.Color = Colors::Black;
  int32_t d = 10;
  if (!thick) {
    if (marked) {
      canvas.Pen.Color = Colors::Red;
      canvas.Brush.Color = Colors::Red;
    }
    d = 2;
  }
  Line(canvas, x1, y1, x2, y2);
  if (kind == HeadDown) {
    const std::array<TPoint, 3> head{{{x2 - d, y2 - d}, {x2 + d, y2 - d}, {x2, y2}}};
    canvas.Polygon(head);
  } else if (kind == HeadRight) {
    const std::array<TPoint, 3> head{{{x2 - d, y2 - d}, {x2 - d, y2 + d}, {x2, y2}}};
    canvas.Polygon(head);
  } else if (kind == PlainToEnd) {
    canvas.LineTo(x2, y2 + 1);
  }
  if (marked) canvas.Pen.Color = Colors::Black;
  canvas.Brush.Color = brush;
}

void DrawFootSelectionMark(Canvas& canvas, const TRect& rect, int32_t blankBottom,
                           const int32_t* bandLineY) {
  SetRedPen(canvas);
  canvas.Brush.Style = BrushStyle::Clear;
  canvas.Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom);
  if (bandLineY) Line(canvas, rect.Left, *bandLineY, rect.Right, *bandLineY);
  canvas.Brush.Style = BrushStyle::Solid;
  canvas.Brush.Color = Colors::Window;
  canvas.Pen.Color = Colors::Window;
  canvas.Rectangle(rect.Left, rect.Bottom - 2, rect.Right, blankBottom);
  canvas.Pen.Color = Colors::Red;
  canvas.Brush.Color = Colors::White;
  Line(canvas, rect.Left, rect.Bottom - 3, rect.Right, rect.Bottom - 3);
  SetBlackPen(canvas);
  Line(canvas, rect.Left, rect.Bottom, rect.Right, rect.Bottom);
}

void DrawDropBar(Canvas& canvas, int32_t left, int32_t right, int32_t y) {
  const TPen pen = canvas.Pen;
  const TBrush brush = canvas.Brush;
  canvas.Pen = TPen{Colors::Red, 1, PenStyle::Solid};
  canvas.Brush = TBrush{Colors::Red, BrushStyle::Solid};
  canvas.Rectangle(left, y - DropBarHalfHeight, right, y + DropBarHalfHeight + 1);
  canvas.Pen = pen;
  canvas.Brush = brush;
}

void DrawDiamond(Canvas& canvas, int32_t x, int32_t top, TSize size, const std::string& text) {
  const auto [cw, ch] = size;
  const TColor brush = canvas.Brush.Color;
  canvas.Brush.Color = Colors::White;
  const std::array<TPoint, 4> diamond{
      {{x, top}, {x + cw / 2, top + ch / 2}, {x, top + ch}, {x - cw / 2, top + ch / 2}}};
  canvas.Polygon(diamond);
  const TSize extent = canvas.TextExtent(text);
  canvas.TextOut(x - extent.w / 2, top + ch / 2 - extent.h / 2, text);
  canvas.Brush.Color = brush;
}
