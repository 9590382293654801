#include <algorithm>

#include "model/CoveredFill.h"
#include "model/DrawHelpers.h"
#include "model/Loops.h"

TWhile::TWhile(std::string text) : TBedingung(std::move(text)) {
  Branches[0] = new TBlock("While-Block");
  Branches[0]->Movable = 0;
  BranchCount = 1;
}

TFor::TFor(std::string text) : TWhile(std::move(text)) { Branches[0]->Text = "For-Block"; }

TSize TWhile::ComputeSize(Canvas& canvas, TDisplayOptions& options) {
  const auto [cw, ch] = GetConditionSize(canvas, options);
  const auto [bw, bh] = Branches[0]->GetSize(canvas, options);
  if (options.Flowchart) {
    const int32_t height = canvas.TextExtent("ja").h + 2 * options.Spacing + ch + bh + 14;
    int32_t width = 2 * canvas.TextExtent("nein").w + cw - 4;
    if (width < bw) width = bw + 18;
    return {width, height};
  }
  return {std::max(cw, bw + BarWidth), ch + bh};
}

TPoint TWhile::GetBranchOrigin(Canvas& canvas, TPoint origin, TDisplayOptions& options,
                               int32_t /*branch*/) {
  const int32_t ch = GetConditionSize(canvas, options).h;
  if (options.Flowchart)
    return {origin.x, BoundedPosition(int64_t{origin.y} + ch + options.Spacing + 1 +
                                      canvas.TextExtent("ja").h)};
  return {origin.x + BarWidth, origin.y + ch};
}

TElement::DrawResult TWhile::DrawElement(Canvas& canvas, TPoint origin, int32_t width,
                                         TDisplayOptions& options) {
  const auto [x0, y0] = origin;
  const int32_t height = GetSize(canvas, options).h;
  const bool selected = options.IsSelected(this) && options.OnScreen;
  if (selected) {
    SetRedPen(canvas);
    const auto [cw, ch] = GetConditionSize(canvas, options);
    options.SelectionRect = options.Flowchart ? TRect{x0 - cw, y0, x0 + cw, y0 + ch}
                                              : TRect{x0, y0, x0 + width, y0 + height + 1};
  }
  if (options.Flowchart) {
    DrawFlowchart(canvas, origin, width, options);
  } else {
    const TColor brush = canvas.Brush.Color;
    canvas.Brush.Color = Colors::White;
    // The body covers the box right of the left strip and below the condition.
    const int32_t ch = GetConditionSize(canvas, options).h;
    DrawCoveredFrame(canvas, {x0, y0, x0 + width, y0 + height + 1},
                     {{x0, y0, x0 + width, y0 + ch + 1}, {x0, y0 + ch, x0 + 21, y0 + height + 1}});
    canvas.TextOut(x0 + 5, y0 + 5, Text);
    canvas.Brush.Color = brush;
    const Placement body = ContentPlacement(canvas, origin, width, options, 0);
    Branches[0]->Draw(canvas, body.origin, body.width, options);
  }
  SetBlackPen(canvas);
  const bool marks = !options.Flowchart && (selected || options.DropTarget == this);
  return {height, marks};
}

void TWhile::DrawFlowchart(Canvas& canvas, TPoint origin, int32_t width,
                           TDisplayOptions& options) {
  const auto [x0, y0] = origin;
  const auto [cw, ch] = GetConditionSize(canvas, options);
  const TSize ja = canvas.TextExtent("ja");
  const int32_t spacing = options.Spacing;
  const bool thick = options.Printing;
  DrawDiamond(canvas, x0, y0, {cw, ch}, Text);
  DrawConnector(canvas, HeadDown, x0, y0 + ch, x0, y0 + ch + spacing + ja.h, false, thick);
  const Placement body = ContentPlacement(canvas, origin, width, options, 0);
  Branches[0]->Draw(canvas, body.origin, body.width, options);
  if (options.IsSelected(this) && options.OnScreen) SetRedPen(canvas);
  const bool dropTarget = options.DropTarget == this;
  if (dropTarget) canvas.Pen.Color = Colors::Red;
  const auto [bw, bh] = Branches[0]->GetSize(canvas, options);
  const int32_t side = 6 + std::max(bw, cw) / 2;
  const int32_t exitY = y0 + ch + ja.h + spacing + bh + 13;
  canvas.MoveTo(x0 + cw / 2, y0 + ch / 2);
  canvas.LineTo(x0 + side, y0 + ch / 2);
  canvas.LineTo(x0 + side, exitY);
  canvas.LineTo(x0, exitY);
  DrawConnector(canvas, HeadDown, x0, exitY, x0, exitY + spacing, dropTarget, thick);
  if (dropTarget && options.OnScreen) DrawFlowchartDropBar(canvas, x0, exitY + spacing / 2);
  const int32_t bodyEnd = y0 + ch + ja.h + spacing + bh;
  canvas.MoveTo(x0, bodyEnd);
  canvas.LineTo(x0, bodyEnd + 3);
  canvas.LineTo(x0 - side, bodyEnd + 3);
  canvas.LineTo(x0 - side, y0 + ch / 2);
  DrawConnector(canvas, HeadRight, x0 - side, y0 + ch / 2, x0 - cw / 2, y0 + ch / 2, false, thick);
  canvas.TextOut(x0 - ja.w - 2, y0 + ch, "ja");
  canvas.TextOut(x0 + cw / 2 - 4, y0 + ch / 2 - canvas.TextExtent("nein").h, "nein");
}

void TWhile::DrawAfterSuccessors(Canvas& canvas, TPoint origin, int32_t width,
                                 TDisplayOptions& options) {
  if (options.IsSelected(this) && options.OnScreen)
    DrawFootSelectionMark(canvas, options.SelectionRect, options.SelectionRect.Bottom + 1);
  if (options.DropTarget == this)
    DrawDropBar(canvas, origin.x, origin.x + width, origin.y + GetSize(canvas, options).h);
}

TElement* TWhile::CopyElement() const { return CopyOf(*this); }

TElement* TFor::CopyElement() const { return CopyOf(*this); }
