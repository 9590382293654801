#include "model/CoveredFill.h"

void FillOnly(Canvas& canvas, const TRect& rect) {
  if (rect.Right <= rect.Left || rect.Bottom <= rect.Top) return;
  const TPen pen = canvas.Pen;
  // A one-pixel outline in the brush colour lies inside the rectangle, like the fill.
  canvas.Pen = {canvas.Brush.Color, 1, PenStyle::Solid};
  canvas.Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom);
  canvas.Pen = pen;
}

void DrawCoveredFrame(Canvas& canvas, const TRect& box, std::initializer_list<TRect> uncovered) {
  if (!canvas.SkipsCoveredFills()) {
    canvas.Rectangle(box.Left, box.Top, box.Right, box.Bottom);
    return;
  }
  for (const TRect& part : uncovered) FillOnly(canvas, part);
  OutlineOnly(canvas, box);
}

void OutlineOnly(Canvas& canvas, const TRect& rect) {
  const BrushStyle style = canvas.Brush.Style;
  canvas.Brush.Style = BrushStyle::Clear;
  canvas.Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom);
  canvas.Brush.Style = style;
}
