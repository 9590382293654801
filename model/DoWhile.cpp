#include <algorithm>

#include "model/CoveredFill.h"
#include "model/DrawHelpers.h"
#include "model/Loops.h"

TDoWhile::TDoWhile(std::string text) : TWhile(std::move(text)) {
  Branches[0]->Text = "DoWhile-Block";
  ContinueOnTrue = 1;
}

TRepeat::TRepeat(std::string text) : TDoWhile(std::move(text)) {
  Branches[0]->Text = "RepeatUntil-Block";
  Branches[0]->Braced = 0;
  ContinueOnTrue = 0;
}

TSize TDoWhile::ComputeSize(Canvas& canvas, TDisplayOptions& options) {
  const auto [cw, ch] = GetConditionSize(canvas, options);
  const auto [bw, bh] = Branches[0]->GetSize(canvas, options);
  if (options.Flowchart) {
    const int32_t height = canvas.TextExtent("ja").h + ch + bh + 14;
    const char* loopBackLabel = ContinueOnTrue ? "ja" : "nein";
    int32_t width = 2 * canvas.TextExtent(loopBackLabel).w + cw - 4;
    if (bw > width) width = bw + 18;
    return {width, height};
  }
  return {std::max(cw, bw + BarWidth), ch + bh};
}

TPoint TDoWhile::GetBranchOrigin(Canvas&, TPoint origin, TDisplayOptions& options,
                                 int32_t /*branch*/) {
  if (options.Flowchart) return {origin.x, origin.y + 12};
  return {origin.x + BarWidth, origin.y};
}

TElement::DrawResult TDoWhile::DrawElement(Canvas& canvas, TPoint origin, int32_t width,
                                           TDisplayOptions& options) {
  const auto [x0, y0] = origin;
  if (options.IsSelected(this) && options.OnScreen) {
    SetRedPen(canvas);
    const auto [cw, ch] = GetConditionSize(canvas, options);
    const int32_t bh = Branches[0]->GetSize(canvas, options).h;
    options.SelectionRect = options.Flowchart ? TRect{x0 - cw, y0, x0 + cw, y0 + ch}
                                              : TRect{x0, y0, x0 + width, y0 + ch + bh + 1};
  }
  if (options.Flowchart)
    DrawFlowchart(canvas, origin, width, options);
  else
    DrawStructogram(canvas, origin, width, options);
  SetBlackPen(canvas);
  return {GetSize(canvas, options).h, !options.Flowchart && options.DropTarget == this};
}

void TDoWhile::DrawFlowchart(Canvas& canvas, TPoint origin, int32_t width,
                             TDisplayOptions& options) {
  const auto [x0, y0] = origin;
  const auto [cw, ch] = GetConditionSize(canvas, options);
  const auto [bw, bh] = Branches[0]->GetSize(canvas, options);
  const bool thick = options.Printing;
  const int32_t yd = y0 + bh + 12;
  const int32_t side = 6 + std::max(bw, cw) / 2;
  DrawConnector(canvas, HeadDown, x0, y0, x0, y0 + 12, false, thick);
  const Placement body = ContentPlacement(canvas, origin, width, options, 0);
  Branches[0]->Draw(canvas, body.origin, body.width, options);
  if (options.IsSelected(this) && options.OnScreen) SetRedPen(canvas);
  const char* exitLabel = ContinueOnTrue ? "nein" : "ja";
  const char* loopBackLabel = ContinueOnTrue ? "ja" : "nein";
  canvas.TextOut(x0 - canvas.TextExtent(exitLabel).w - 2, y0 + ch + bh + 11, exitLabel);
  canvas.TextOut(x0 - cw / 2 - canvas.TextExtent(loopBackLabel).w + 5, yd + ch / 2 + 1,
                 loopBackLabel);
  DrawDiamond(canvas, x0, yd, {cw, ch}, Text);
  const int32_t exitTop = y0 + ch + bh + 13;
  const int32_t exitLength = canvas.TextExtent("ja").h;
  const bool dropTarget = options.DropTarget == this;
  DrawConnector(canvas, HeadDown, x0, exitTop, x0, exitTop + exitLength, dropTarget, thick);
  if (dropTarget && options.OnScreen) DrawFlowchartDropBar(canvas, x0, exitTop + exitLength / 2);
  canvas.MoveTo(x0 - cw / 2, yd + ch / 2);
  canvas.LineTo(x0 - side, yd + ch / 2);
  canvas.LineTo(x0 - side, y0 + 4);
  DrawConnector(canvas, HeadRight, x0 - side, y0 + 4, x0 - 1, y0 + 4, false, thick);
}

void TDoWhile::DrawStructogram(Canvas& canvas, TPoint origin, int32_t width,
                               TDisplayOptions& options) {
  const auto [x0, y0] = origin;
  const int32_t ch = GetConditionSize(canvas, options).h;
  const int32_t bh = Branches[0]->GetSize(canvas, options).h;
  const TColor brush = canvas.Brush.Color;
  canvas.Brush.Color = Colors::White;
  // The body covers the box right of the left strip and above the condition.
  DrawCoveredFrame(canvas, {x0, y0, x0 + width, y0 + bh + ch + 1},
                   {{x0, y0, x0 + 21, y0 + bh + 1}, {x0, y0 + bh, x0 + width, y0 + bh + ch + 1}});
  canvas.TextOut(x0 + 5, y0 + bh + 5, Text);
  canvas.Brush.Color = brush;
  const Placement body = ContentPlacement(canvas, origin, width, options, 0);
  Branches[0]->Draw(canvas, body.origin, body.width, options);
}

void TDoWhile::DrawAfterSuccessors(Canvas& canvas, TPoint origin, int32_t width,
                                   TDisplayOptions& options) {
  DrawDropBar(canvas, origin.x, origin.x + width, origin.y + GetSize(canvas, options).h);
}

TElement* TDoWhile::CopyElement() const { return CopyOf(*this); }

TElement* TRepeat::CopyElement() const { return CopyOf(*this); }
