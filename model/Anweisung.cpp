#include "model/Anweisung.h"

#include "model/DrawHelpers.h"

TAnweisung::TAnweisung(std::string text) : TElement(std::move(text)) {}

TSize TAnweisung::ComputeSize(Canvas& canvas, TDisplayOptions& options) {
  const TSize text = BoundedSize(canvas.TextExtent(Text));
  TSize size{text.w + 12, text.h + 10};
  if (options.Flowchart) size.h = text.h + 11 + options.Spacing;
  if (options.Printing) size.w += 2 * options.Spacing;
  return size;
}

TElement::DrawResult TAnweisung::DrawElement(Canvas& canvas, TPoint origin, int32_t width,
                                             TDisplayOptions& options) {
  const auto [x, y] = origin;
  const TColor brush = canvas.Brush.Color;
  canvas.Brush.Color = Colors::White;
  auto [w, h] = GetSize(canvas, options);
  TRect box;
  if (options.Flowchart) {
    if (options.Printing) w -= 2 * options.Spacing;
    box = {x - w / 2, y, x + w / 2, y + h - options.Spacing};
  } else {
    box = {x, y, x + width, y + h + 1};
  }
  const bool selected = options.IsSelected(this) && options.OnScreen;
  if (selected) {
    SetRedPen(canvas);
    options.SelectionRect = box;
  }
  canvas.Rectangle(box.Left, box.Top, box.Right, box.Bottom);
  canvas.TextOut(box.Left + 5, y + 5, Text);
  if (options.Flowchart) {
    const bool dropTarget = options.DropTarget == this;
    DrawConnector(canvas, HeadDown, x, y + h - options.Spacing - 1, x, y + h - 1, dropTarget,
                  options.Printing);
    if (dropTarget && options.OnScreen)
      DrawFlowchartDropBar(canvas, x, y + h - 1 - options.Spacing / 2);
  }
  SetBlackPen(canvas);
  canvas.Brush.Color = brush;
  const bool marks = !options.Flowchart && (selected || options.DropTarget == this);
  return {h, marks};
}

void TAnweisung::DrawAfterSuccessors(Canvas& canvas, TPoint origin, int32_t width,
                                     TDisplayOptions& options) {
  if (options.IsSelected(this) && options.OnScreen)
    DrawFootSelectionMark(canvas, options.SelectionRect, options.SelectionRect.Bottom + 1);
  // A drop goes after the statement: the mark lies across its bottom edge.
  if (options.DropTarget == this)
    DrawDropBar(canvas, origin.x, origin.x + width, origin.y + GetSize(canvas, options).h);
}

TElement* TAnweisung::CopyElement() const {
  auto* copy = new TAnweisung(Text);
  copy->Movable = Movable;
  return copy;
}
