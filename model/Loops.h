#pragma once

#include "model/Bedingung.h"

// Loop with the test before the body; draws, measures and places the body for its kind
// and for the counting loop.
class TWhile : public TBedingung {
 public:
  explicit TWhile(std::string text = {});
  explicit TWhile(WithoutBranches) { BranchCount = 1; }

  static TWhile* CreateFromStream(RecordReader& reader);
  char RecordTag() const override { return 'W'; }
  TPoint GetBranchOrigin(Canvas& canvas, TPoint origin, TDisplayOptions& options,
                         int32_t branch) override;
  // The body is drawn right of the bar, over the rest of the loop's width.
  int32_t GetBranchWidth(Canvas&, TPoint, int32_t width, TDisplayOptions& options,
                         int32_t) override {
    return options.Flowchart ? width : width - BarWidth;
  }

  // Width of the bar left of the body in the structogram view.
  static constexpr int32_t BarWidth = 20;

 protected:
  DrawResult DrawElement(Canvas& canvas, TPoint origin, int32_t width,
                         TDisplayOptions& options) override;
  void DrawAfterSuccessors(Canvas& canvas, TPoint origin, int32_t width,
                           TDisplayOptions& options) override;
  TSize ComputeSize(Canvas& canvas, TDisplayOptions& options) override;
  TElement* CopyElement() const override;
  void ExportElement(std::string& output, const std::string& indent) const override;

 private:
  void DrawFlowchart(Canvas& canvas, TPoint origin, int32_t width, TDisplayOptions& options);
};

// Counting loop; its text is the header "variable von start bis end".
class TFor : public TWhile {
 public:
  explicit TFor(std::string text = {});
  explicit TFor(WithoutBranches bare) : TWhile(bare) {}

  static TFor* CreateFromStream(RecordReader& reader);
  char RecordTag() const override { return 'F'; }

 protected:
  TElement* CopyElement() const override;
  void ExportElement(std::string& output, const std::string& indent) const override;
};

// Loop with the test after the body, repeated while the condition holds.
class TDoWhile : public TWhile {
 public:
  uint8_t ContinueOnTrue = 1;

  explicit TDoWhile(std::string text = {});
  explicit TDoWhile(WithoutBranches bare) : TWhile(bare) {}

  static TDoWhile* CreateFromStream(RecordReader& reader);
  char RecordTag() const override { return 'D'; }
  TPoint GetBranchOrigin(Canvas& canvas, TPoint origin, TDisplayOptions& options,
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
  void DrawFlowchart(Canvas& canvas, TPoint origin, int32_t width, TDisplayOptions& options);
  void DrawStructogram(Canvas& canvas, TPoint origin, int32_t width, TDisplayOptions& options);
};

// Loop with the test after the body, repeated until the condition holds; its body is
// exported without braces.
class TRepeat : public TDoWhile {
 public:
  explicit TRepeat(std::string text = {});
  explicit TRepeat(WithoutBranches bare) : TDoWhile(bare) { ContinueOnTrue = 0; }

  static TRepeat* CreateFromStream(RecordReader& reader);
  char RecordTag() const override { return 'R'; }

 protected:
  TElement* CopyElement() const override;
  void ExportElement(std::string& output, const std::string& indent) const override;
};
