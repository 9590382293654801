#include <algorithm>

#include "model/Bedingung.h"
#include "model/CoveredFill.h"
#include "model/DrawHelpers.h"

TIf::TIf(std::string text) : TBedingung(std::move(text)) {
  Branches[0] = new TBlock("Ja-Block");
  Branches[1] = new TBlock("Nein-Block");
  Branches[0]->Movable = 0;
  Branches[1]->Movable = 0;
  BranchCount = 2;
}

TSize TIf::ComputeSize(Canvas& canvas, TDisplayOptions& options) {
  const int32_t gap = options.Flowchart ? 10 : 0;
  const TSize cond = GetConditionSize(canvas, options);
  int32_t minimum = 3 * cond.w;
  auto [w1, h1] = Branches[0]->GetSize(canvas, options);
  auto [w2, h2] = Branches[1]->GetSize(canvas, options);
  int32_t height = cond.h + std::max(h1, h2) + gap;
  if (options.Flowchart) {
    height += 2 * options.Spacing - 5;
    minimum += 6;
  } else {
    const int32_t n = 3 * canvas.TextExtent("nein").w;
    w1 = std::max(w1, n);
    w2 = std::max(w2, n);
  }
  return {std::max(minimum, w1 + w2 + gap), height};
}

TPoint TIf::GetBranchOrigin(Canvas& canvas, TPoint origin, TDisplayOptions& options,
                            int32_t branch) {
  const TSize cond = GetConditionSize(canvas, options);
  const int32_t below = cond.h + (options.Flowchart ? 4 + options.Spacing : 0);
  const int32_t y = BoundedPosition(int64_t{origin.y} + below);
  int32_t w1 = Branches[0]->GetSize(canvas, options).w;
  int32_t w2 = Branches[1]->GetSize(canvas, options).w;
  if (options.Flowchart) {
    const int32_t t = (w1 + w2 + 6) / 2;
    const int32_t offset = branch == 1 ? -t + w1 / 2 : t - w2 / 2;
    return {BoundedPosition(int64_t{origin.x} + offset), y};
  }
  const int32_t n = 3 * canvas.TextExtent("nein").w;
  w1 = std::max(w1, n);
  w2 = std::max(w2, n);
  const int32_t surplus = std::max(0, 3 * cond.w - w1 - w2);
  w1 += surplus / 2;
  return {branch == 2 ? BoundedPosition(int64_t{origin.x} + w1) : origin.x, y};
}

// The yes-branch reaches to the tip column, which it shares with the no-branch; the
// no-branch takes the rest of the given width.
int32_t TIf::GetBranchWidth(Canvas& canvas, TPoint origin, int32_t width, TDisplayOptions& options,
                            int32_t branch) {
  if (options.Flowchart) return 0;
  const int32_t tip = GetBranchOrigin(canvas, origin, options, 2).x;
  return branch == 1 ? tip - origin.x + 1 : origin.x + width - tip;
}

TElement::DrawResult TIf::DrawElement(Canvas& canvas, TPoint origin, int32_t width,
                                      TDisplayOptions& options) {
  if (options.Flowchart)
    DrawFlowchart(canvas, origin, options);
  else
    DrawStructogram(canvas, origin, width, options);
  SetBlackPen(canvas);
  const bool selected = options.IsSelected(this) && options.OnScreen;
  const bool marks = !options.Flowchart && (selected || options.DropTarget == this);
  return {GetSize(canvas, options).h, marks};
}

void TIf::DrawStructogram(Canvas& canvas, TPoint origin, int32_t width,
                          TDisplayOptions& options) {
  const auto [x0, y0] = origin;
  const TSize cond = GetConditionSize(canvas, options);
  const TSize text = canvas.TextExtent(Text);
  const int32_t height = GetSize(canvas, options).h;
  const TPoint o1 = GetBranchOrigin(canvas, origin, options, 1);
  const TPoint o2 = GetBranchOrigin(canvas, origin, options, 2);
  const TRect box{x0, y0, x0 + width, y0 + height + 1};
  if (options.IsSelected(this) && options.OnScreen) {
    SetRedPen(canvas);
    options.SelectionRect = box;
  }
  const TColor brush = canvas.Brush.Color;
  canvas.Brush.Color = Colors::White;
  const int32_t w1 = GetBranchWidth(canvas, origin, width, options, 1);
  const int32_t w2 = GetBranchWidth(canvas, origin, width, options, 2);
  // The branches cover the box below the condition, each down to its own height.
  const int32_t h1 = Branches[0]->GetSize(canvas, options).h;
  const int32_t h2 = Branches[1]->GetSize(canvas, options).h;
  DrawCoveredFrame(canvas, box,
                   {{x0, y0, box.Right, o1.y + 1},
                    {x0, o1.y + h1, x0 + w1, box.Bottom},
                    {o2.x, o2.y + h2, box.Right, box.Bottom}});
  // Centred on the triangle's tip for equal branches, nudged toward the wider one otherwise.
  const auto xm = static_cast<int32_t>((w1 * 5.0 / 6.0 + w2 * 1.0 / 6.0 + w1) / 2.0);
  canvas.TextOut(x0 + xm - text.w / 2, y0 + 2, Text);
  const TSize ja = canvas.TextExtent("ja");
  const TSize nein = canvas.TextExtent("nein");
  canvas.TextOut(x0 + 2, y0 + cond.h - ja.h - 2, "ja");
  canvas.TextOut(x0 + width - nein.w - 2, y0 + cond.h - nein.h - 2, "nein");
  canvas.MoveTo(x0, y0);
  canvas.LineTo(o2.x, y0 + cond.h);
  canvas.LineTo(x0 + width, y0);
  canvas.Brush.Color = brush;
  Branches[0]->Draw(canvas, o1, w1, options);
  Branches[1]->Draw(canvas, o2, w2, options);
}

void TIf::DrawFlowchart(Canvas& canvas, TPoint origin, TDisplayOptions& options) {
  const auto [x0, y0] = origin;
  const auto [cw, ch] = GetConditionSize(canvas, options);
  const TPoint o1 = GetBranchOrigin(canvas, origin, options, 1);
  const TPoint o2 = GetBranchOrigin(canvas, origin, options, 2);
  const int32_t spacing = options.Spacing;
  const bool selected = options.IsSelected(this) && options.OnScreen;
  if (selected) {
    SetRedPen(canvas);
    options.SelectionRect = {x0 - cw, y0, x0 + cw, y0 + ch};
  }
  canvas.MoveTo(o1.x, y0 + ch - 5);
  canvas.LineTo(x0, y0 + ch / 2);
  canvas.LineTo(o2.x, y0 + ch - 5);
  DrawConnector(canvas, HeadDown, o1.x, y0 + ch - 5, o1.x, y0 + ch + 3 + spacing, false,
                options.Printing);
  DrawConnector(canvas, HeadDown, o2.x, y0 + ch - 5, o2.x, y0 + ch + 3 + spacing, false,
                options.Printing);
  const int32_t d = options.Printing ? 10 : 2;
  const int32_t labelTop = y0 + ch + 3 + spacing - canvas.TextExtent("ja").h;
  canvas.TextOut(o1.x - canvas.TextExtent("ja").w - d, labelTop, "ja");
  canvas.TextOut(o2.x + d, labelTop, "nein");
  DrawDiamond(canvas, x0, y0, {cw, ch}, Text);
  Branches[0]->Draw(canvas, o1, 0, options);
  if (selected) SetRedPen(canvas);
  Branches[1]->Draw(canvas, o2, 0, options);
  if (selected) SetRedPen(canvas);
  if (options.DropTarget == this) canvas.Pen.Color = Colors::Red;
  const int32_t e1 = o1.y + Branches[0]->GetSize(canvas, options).h;
  const int32_t e2 = o2.y + Branches[1]->GetSize(canvas, options).h;
  int32_t ye;
  if (e2 < e1) {
    canvas.MoveTo(o2.x, e2);
    canvas.LineTo(o2.x, e1);
    canvas.LineTo(o1.x, e1);
    ye = e1;
  } else {
    canvas.MoveTo(o1.x, e1);
    canvas.LineTo(o1.x, e2);
    canvas.LineTo(o2.x, e2);
    ye = e2;
  }
  const bool dropTarget = options.DropTarget == this;
  DrawConnector(canvas, HeadDown, x0, ye + 1, x0, ye + 1 + spacing, dropTarget, options.Printing);
  if (dropTarget && options.OnScreen) DrawFlowchartDropBar(canvas, x0, ye + 1 + spacing / 2);
}

void TIf::DrawAfterSuccessors(Canvas& canvas, TPoint origin, int32_t width,
                              TDisplayOptions& options) {
  const int32_t height = GetSize(canvas, options).h;
  if (options.IsSelected(this) && options.OnScreen) {
    const int32_t bandLine = origin.y + GetConditionSize(canvas, options).h;
    DrawFootSelectionMark(canvas, options.SelectionRect, options.SelectionRect.Bottom,
                          &bandLine);
  }
  if (options.DropTarget == this)
    DrawDropBar(canvas, origin.x, origin.x + width, origin.y + height);
}

TElement* TIf::CopyElement() const { return CopyOf(*this); }
