#pragma once

#include "model/Block.h"

// Asks a decision's or loop's constructor for the element without its branch blocks, which
// the caller then supplies (copying and reading do).
struct WithoutBranches {};

// Abstract base of the elements with a condition and one or two owned branch blocks:
// the decision and the loops.
class TBedingung : public TElement {
 public:
  TBlock* Branches[2] = {nullptr, nullptr};  // Branches[0] is branch 1
  int32_t BranchCount = 0;

  explicit TBedingung(std::string text = {});
  ~TBedingung() override;

  TBlock* Branch(int32_t number) const { return Branches[number - 1]; }
  int32_t ContentCount() const override { return BranchCount; }
  TElement* Content(int32_t index) const override;

  // The condition symbol: the band in the structogram view, the diamond in the flowchart.
  TSize GetConditionSize(Canvas& canvas, TDisplayOptions& options);
  // Where branch block number branch (1 or 2) is drawn and hit-tested.
  virtual TPoint GetBranchOrigin(Canvas& canvas, TPoint origin, TDisplayOptions& options,
                                 int32_t branch) = 0;
  // The width branch block number branch is drawn and hit-tested at, given the element's own
  // origin and width (structogram view; the flowchart does not use widths).
  virtual int32_t GetBranchWidth(Canvas& canvas, TPoint origin, int32_t width,
                                 TDisplayOptions& options, int32_t branch) = 0;
  Placement ContentPlacement(Canvas& canvas, TPoint origin, int32_t width, TDisplayOptions& options,
                             int32_t index) override;

  // Reads the condition and the branch records after the tag (shared by every kind).
  static void ReadRecord(RecordReader& reader, TBedingung& element);

 protected:
  TElement* HitInside(Canvas& canvas, TPoint origin, int32_t width, TDisplayOptions& options,
                      int32_t x, int32_t y) override;
  void DisposeContents() override;
  void DeleteFromContents(TElement* element) override;
  void RemoveFromContents(const TElement* element) override;
  TElement* FindInContents(const TElement* element) override;
  // A copy of source, of the same kind, with deep copies of its branches.
  template <class Kind>
  static TElement* CopyOf(const Kind& source) {
    auto* copy = new Kind(WithoutBranches{});
    source.CopyInto(*copy);
    return copy;
  }
  // Copies text and Movable and deep copies of the branches into a copy made without them.
  void CopyInto(TBedingung& copy) const;
  // Writes the tag, the condition and each branch block followed by an end marker.
  void SaveElement(Stream& stream) const override;
};

// A decision: a condition with a yes-branch (1) and a no-branch (2).
class TIf : public TBedingung {
 public:
  explicit TIf(std::string text = {});
  explicit TIf(WithoutBranches) { BranchCount = 2; }

  static TIf* CreateFromStream(RecordReader& reader);
  char RecordTag() const override { return 'I'; }
  TPoint GetBranchOrigin(Canvas& canvas, TPoint origin, TDisplayOptions& options,
                         int32_t branch) override;
  int32_t GetBranchWidth(Canvas& canvas, TPoint origin, int32_t width, TDisplayOptions& options,
                         int32_t branch) override;

 protected:
  DrawResult DrawElement(Canvas& canvas, TPoint origin, int32_t width,
                         TDisplayOptions& options) override;
  void DrawAfterSuccessors(Canvas& canvas, TPoint origin, int32_t width,
                           TDisplayOptions& options) override;
  TSize ComputeSize(Canvas& canvas, TDisplayOptions& options) override;
  TElement* CopyElement() const override;
  void ExportElement(std::string& output, const std::string& indent) const override;

 private:
  void DrawStructogram(Canvas& canvas, TPoint origin, int32_t width, TDisplayOptions& options);
  void DrawFlowchart(Canvas& canvas, TPoint origin, TDisplayOptions& options);
};
