#include "model/Bedingung.h"

#include "model/DrawHelpers.h"

TBedingung::TBedingung(std::string text) : TElement(std::move(text)) {}

TBedingung::~TBedingung() { DisposeContents(); }

TElement* TBedingung::Content(int32_t index) const { return Branches[index]; }

TSize TBedingung::GetConditionSize(Canvas& canvas, TDisplayOptions& options) {
  const TSize text = BoundedSize(canvas.TextExtent(Text));
  if (options.Flowchart) {
    const int32_t h = text.w / 3 + text.h + 2;
    return {3 * h + 2, h};
  }
  return {text.w + 10, text.h + 12};
}

TElement::Placement TBedingung::ContentPlacement(Canvas& canvas, TPoint origin, int32_t width,
                                                 TDisplayOptions& options, int32_t index) {
  return {GetBranchOrigin(canvas, origin, options, index + 1),
          GetBranchWidth(canvas, origin, width, options, index + 1)};
}

TElement* TBedingung::HitInside(Canvas& canvas, TPoint origin, int32_t width,
                                TDisplayOptions& options, int32_t x, int32_t y) {
  TElement* result = this;
  for (int32_t i = 0; i < BranchCount; ++i) {
    const Placement branch = ContentPlacement(canvas, origin, width, options, i);
    if (TElement* hit = Branches[i]->ElementAt(canvas, branch.origin, branch.width, options, x, y))
      result = hit;
  }
  if (result != this) return result;
  // The lowest rows of the condition band select a branch block itself.
  const int32_t ch = GetConditionSize(canvas, options).h;
  if (origin.y + ch - 8 < y && y < origin.y + ch && !options.Flowchart) {
    result = Branch(1);
    if (BranchCount == 2 && GetBranchOrigin(canvas, origin, options, 2).x < x) result = Branch(2);
  }
  return result;
}

void TBedingung::DisposeContents() {
  for (TBlock*& branch : Branches) {
    DisposeElement(branch);
    branch = nullptr;
  }
}

void TBedingung::DeleteFromContents(TElement* element) {
  for (int32_t i = 0; i < BranchCount; ++i) Branches[i]->DeleteElement(element);
}

void TBedingung::RemoveFromContents(const TElement* element) {
  for (int32_t i = 0; i < BranchCount; ++i) Branches[i]->RemoveElement(element);
}

TElement* TBedingung::FindInContents(const TElement* element) {
  if (Branches[0] == element || Branches[1] == element) return this;
  for (TBlock* branch : Branches)
    if (branch)
      if (TElement* found = branch->FindParent(element)) return found;
  return nullptr;
}

void TBedingung::CopyInto(TBedingung& copy) const {
  copy.Text = Text;
  copy.Movable = Movable;
  for (int i = 0; i < BranchCount; ++i)
    copy.Branches[i] = static_cast<TBlock*>(Branches[i]->CreateCopy());
}
