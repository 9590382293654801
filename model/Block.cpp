#include "model/Block.h"

#include <algorithm>
#include <array>

#include "model/DesignChange.h"
#include "model/CoveredFill.h"
#include "model/DrawHelpers.h"

TBlock::TBlock(std::string text) : TElement(std::move(text)) {}

TBlock::~TBlock() { DisposeContents(); }

void TBlock::InsertElement(TElement* element) {
  DesignChange::Note(*this);
  DesignChange::Note(*element);
  element->Next = Body;
  Body = element;
}

TSize TBlock::ComputeSize(Canvas& canvas, TDisplayOptions& options) {
  const TSize text = BoundedSize(canvas.TextExtent(Text));
  TSize size;
  if (options.IsCollapsed(this)) {
    size = {text.w + 12, text.h + 10};
    if (options.Flowchart) size.h += options.Spacing + 1;
  } else {
    int64_t height = 0;
    for (TElement* e = Body; e; e = e->Next) {
      const TSize part = e->GetSize(canvas, options);
      size.w = std::max(size.w, part.w);
      height += part.h;
    }
    size.h = BoundedExtent(height);
    size.w = std::max(size.w, options.Printing ? 100 : 40);
    size.h = std::max(size.h, text.h + 10);
    if (options.Flowchart) {
      size.w += 6;
      size.h += 2 * options.Spacing + 3;
    }
  }
  if (options.Printing && options.Flowchart) size.w += options.Spacing;
  return size;
}

void TBlock::DrawFlowchartFrame(Canvas& canvas, TPoint origin, TSize size,
                                TDisplayOptions& options) {
  const auto [x, y] = origin;
  const auto [w, h] = size;
  const int32_t frameBottom = y + h - options.Spacing - 1;
  canvas.Pen.Style = PenStyle::Dot;
  if (options.IsSelected(this) && options.OnScreen) {
    SetRedPen(canvas);
    options.SelectionRect = {x - w, y, x + w, y + h};
  }
  if (!IsRed(canvas) && options.OnScreen) canvas.Pen.Color = Colors::Grey;
  canvas.Pen.Width = 1;
  const std::array<TPoint, 4> frame{
      {{x - w / 2, y}, {x + w / 2, y}, {x + w / 2, frameBottom}, {x - w / 2, frameBottom}}};
  canvas.Polygon(frame);
  if (options.Printing) canvas.Pen.Width = 3;
  if (!IsRed(canvas)) canvas.Pen.Color = Colors::Black;
  canvas.Pen.Style = PenStyle::Solid;
  if (options.IsCollapsed(this)) canvas.TextOut(x - w / 2 + 5, y + 5, Text);
  const bool dropAfter = options.DropTarget == this && options.DropAfter == 1;
  DrawConnector(canvas, Movable ? HeadDown : PlainToEnd, x, frameBottom, x, y + h - 1, dropAfter,
                options.Printing);
  if (dropAfter && options.OnScreen)
    DrawFlowchartDropBar(canvas, x, frameBottom + options.Spacing / 2);
}

bool TBlock::BodyCoversFrame(Canvas& canvas, TSize size, TDisplayOptions& options) {
  if (!Body || options.IsCollapsed(this)) return false;
  int32_t height = 0;
  for (TElement* e = Body; e; e = e->Next) height += e->GetSize(canvas, options).h;
  return height == size.h;
}

void TBlock::DrawStructogramFrame(Canvas& canvas, TPoint origin, int32_t width, TSize size,
                                  TDisplayOptions& options) {
  const auto [x, y] = origin;
  const TRect box{x, y, x + width, y + size.h + 1};
  if (options.IsSelected(this) && options.OnScreen) options.SelectionRect = box;
  canvas.Brush.Color = Colors::White;
  canvas.Pen.Width = 1;
  if (BodyCoversFrame(canvas, size, options))
    DrawCoveredFrame(canvas, box, {});
  else
    canvas.Rectangle(box.Left, box.Top, box.Right, box.Bottom);
  if (options.Printing) {
    canvas.Pen.Width = 3;
    if (!IsRed(canvas)) canvas.Pen.Color = Colors::Black;
  }
  if (options.IsCollapsed(this)) canvas.TextOut(x + 5, y + 5, Text);
}

TElement::Placement TBlock::ContentPlacement(Canvas&, TPoint origin, int32_t width,
                                             TDisplayOptions& options, int32_t) {
  if (options.Flowchart) origin.y += options.Spacing + 1;
  return {origin, width};
}

bool TBlock::ShowsContents(const TDisplayOptions& options) const {
  return !options.IsCollapsed(this);
}

// In the flowchart a drop into the block is marked where the new element will stand: on the
// entry connector, at the top of a collapsed frame, or inside an empty one.
void TBlock::DrawBody(Canvas& canvas, TPoint origin, int32_t width, TSize size,
                      TDisplayOptions& options) {
  const auto [x, y] = origin;
  const bool marked = options.DropTarget == this && options.DropAfter == 0;
  const bool marksHere = marked && options.Flowchart && options.OnScreen;
  const int32_t frameBottom = y + size.h - options.Spacing - 1;
  if (options.IsCollapsed(this)) {
    if (options.Flowchart)
      DrawConnector(canvas, HeadDown, x, y, x, frameBottom, marked, options.Printing);
    if (marksHere) DrawFlowchartDropBar(canvas, x, y);
    return;
  }
  if (!Body) {
    if (marksHere) DrawFlowchartDropBar(canvas, x, (y + frameBottom) / 2);
    return;
  }
  if (options.Flowchart) {
    DrawConnector(canvas, HeadDown, x, y, x, y + options.Spacing, marked, options.Printing);
    if (marksHere) DrawFlowchartDropBar(canvas, x, y + options.Spacing / 2);
  }
  SetBlackPen(canvas);
  const Placement body = ContentPlacement(canvas, origin, width, options, 0);
  Body->Draw(canvas, body.origin, body.width, options);
}

TElement::DrawResult TBlock::DrawElement(Canvas& canvas, TPoint origin, int32_t width,
                                         TDisplayOptions& options) {
  const TSize measured = GetSize(canvas, options);
  TSize size = measured;
  if (options.Printing && options.Flowchart) size.w -= options.Spacing;
  const TColor brush = canvas.Brush.Color;
  if (options.OnScreen) canvas.Brush.Color = brush - ShadeStep;
  if (options.Flowchart)
    DrawFlowchartFrame(canvas, origin, size, options);
  else
    DrawStructogramFrame(canvas, origin, width, size, options);
  DrawBody(canvas, origin, width, size, options);
  canvas.Brush.Color = brush;
  SetBlackPen(canvas);
  const bool selected = options.IsSelected(this) && options.OnScreen;
  const bool marks = !options.Flowchart && (selected || options.DropTarget == this);
  return {measured.h, marks};
}

void TBlock::DrawAfterSuccessors(Canvas& canvas, TPoint origin, int32_t width,
                                 TDisplayOptions& options) {
  if (options.IsSelected(this) && options.OnScreen) {
    const TRect& r = options.SelectionRect;
    SetRedPen(canvas);
    canvas.Brush.Color = Colors::Window;
    canvas.Pen.Color = Colors::Window;
    canvas.Rectangle(r.Left, r.Top, r.Right, r.Top + 3);
    canvas.Pen.Color = Colors::Red;
    Line(canvas, r.Left, r.Top, r.Right, r.Top);
    SetBlackPen(canvas);
    Line(canvas, r.Left, r.Top + 3, r.Right, r.Top + 3);
  }
  // A drop goes to the head of the body, or after the block below its top row.
  if (options.DropTarget == this) {
    const int32_t edge = options.DropAfter == 1 ? origin.y + GetSize(canvas, options).h : origin.y;
    DrawDropBar(canvas, origin.x, origin.x + width, edge);
  }
}

TElement* TBlock::HitInside(Canvas& canvas, TPoint origin, int32_t width, TDisplayOptions& options,
                            int32_t x, int32_t y) {
  if (!Body || options.IsCollapsed(this)) return this;
  const Placement body = ContentPlacement(canvas, origin, width, options, 0);
  TElement* result = Body->ElementAt(canvas, body.origin, body.width, options, x, y);
  // A block nested at the same edge claims the head or foot rows before this one.
  if (!options.Flowchart && !dynamic_cast<TBlock*>(result)) {
    if (y < origin.y + HeadRows) {
      options.DropAfter = 0;
      return this;
    }
    if (Movable && y > origin.y + GetSize(canvas, options).h - FootRows) {
      options.DropAfter = 1;
      return this;
    }
  }
  if (!result) result = this;
  if (result == this && Movable && body.origin.y < y) options.DropAfter = 1;
  return result;
}

TElement* TBlock::CopyElement() const {
  auto* copy = new TBlock(Text);
  copy->Movable = Movable;
  copy->Braced = Braced;
  if (Body) copy->Body = Body->CreateCopy();
  return copy;
}

void TBlock::DisposeContents() {
  while (Body) {
    TElement* next = Body->Next;
    DisposeElement(Body);
    Body = next;
  }
}

void TBlock::DeleteFromContents(TElement* element) { DeleteFromSequence(*this, Body, element); }

void TBlock::RemoveFromContents(const TElement* element) {
  RemoveFromSequence(*this, Body, element);
}

TElement* TBlock::FindInContents(const TElement* element) {
  return FindInSequence(Body, this, element);
}
