#pragma once

#include "model/Element.h"

class RecordReader;

// A block: a titled sequence of elements. The root of a design, the branches and bodies of
// decisions and loops, and the named blocks a user inserts are all blocks.
class TBlock : public TElement {
 public:
  TElement* Body = nullptr;  // owned, with all its successors
  uint8_t Braced = 1;        // only the program-text export reads it

  explicit TBlock(std::string text = {});
  ~TBlock() override;

  // In the structogram view a block's body covers the whole block. The rows at its head,
  // where its selection mark is drawn, stand for the block itself (a drop there heads its
  // body), and the rows at the foot of a movable block take a drop after it; where blocks
  // begin or end on the same row, the innermost takes them.
  static constexpr int32_t HeadRows = 4;
  static constexpr int32_t FootRows = 4;

  static TBlock* CreateFromStream(RecordReader& reader);
  char RecordTag() const override { return 'B'; }

  void InsertElement(TElement* element) override;
  int32_t ContentCount() const override { return 1; }
  TElement* Content(int32_t) const override { return Body; }
  Placement ContentPlacement(Canvas& canvas, TPoint origin, int32_t width, TDisplayOptions& options,
                             int32_t index) override;
  bool ShowsContents(const TDisplayOptions& options) const override;

 protected:
  DrawResult DrawElement(Canvas& canvas, TPoint origin, int32_t width,
                         TDisplayOptions& options) override;
  void DrawAfterSuccessors(Canvas& canvas, TPoint origin, int32_t width,
                           TDisplayOptions& options) override;
  TSize ComputeSize(Canvas& canvas, TDisplayOptions& options) override;
  TElement* HitInside(Canvas& canvas, TPoint origin, int32_t width, TDisplayOptions& options,
                      int32_t x, int32_t y) override;
  TElement* CopyElement() const override;
  void DisposeContents() override;
  void DeleteFromContents(TElement* element) override;
  void RemoveFromContents(const TElement* element) override;
  TElement* FindInContents(const TElement* element) override;
  void SaveElement(Stream& stream) const override;
  void ExportElement(std::string& output, const std::string& indent) const override;

 private:
  void DrawFlowchartFrame(Canvas& canvas, TPoint origin, TSize size, TDisplayOptions& options);
  void DrawStructogramFrame(Canvas& canvas, TPoint origin, int32_t width, TSize size,
                            TDisplayOptions& options);
  void DrawBody(Canvas& canvas, TPoint origin, int32_t width, TSize size,
                TDisplayOptions& options);
  // Whether the body's elements, stacked, cover the whole structogram frame of size.
  bool BodyCoversFrame(Canvas& canvas, TSize size, TDisplayOptions& options);
};

using BlockPtr = std::unique_ptr<TBlock, SequenceDeleter>;
