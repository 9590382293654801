// Remembered sizes and skipped off-canvas rows must never change what is measured, drawn or
// hit: random designs under random edits are compared with fresh, unremembered passes.
#include <gtest/gtest.h>

#include "tests/model/MeasureTestSupport.h"

using namespace measuretest;

namespace {

class ClippedCanvas : public TestCanvas {
 public:
  TRect clip = Canvas::ClipRect();
  TRect ClipRect() const override { return clip; }
};

// One random change of the design or of the view state.
void RandomEdit(RandomDesign& design, TDisplayOptions& options) {
  TElement* target = design.Pick();
  switch (design.Number(6)) {
    case 0:
      design.InsertRandom();
      break;
    case 1:
      if (target->Movable && !dynamic_cast<TBlock*>(target)) {
        design.root().DeleteElement(target);
        DisposeElement(target);
      }
      break;
    case 2:
      target->SetText(design.Text());
      break;
    case 3:
      if (dynamic_cast<TBlock*>(target)) options.ToggleCollapsed(target);
      break;
    case 4:
      options.Flowchart = !options.Flowchart;
      break;
    default:
      options.Printing = !options.Printing;
      options.Spacing = options.Printing ? 9 : 6;
      break;
  }
}

TEST(MeasureCacheTest, RandomEditsNeverShowARememberedSizeThatIsStale) {
  VerifyScope verify;
  for (unsigned seed = 1; seed <= 8; ++seed) {
    RandomDesign design(seed);
    TDisplayOptions options;
    options.Measures.Enabled = true;
    for (int step = 0; step < 60; ++step) {
      RandomEdit(design, options);
      ASSERT_NO_FATAL_FAILURE(ExpectMeasuredAsFresh(design.root(), options, design));
    }
  }
}

bool Touches(const TestCanvas::Op& op, const TRect& clip) {
  int32_t top = INT32_MAX, bottom = INT32_MIN;
  for (const TPoint& p : op.points) {
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  }
  if (op.kind == TestCanvas::Kind::Text) bottom += TestCanvas::TextHeight;
  return bottom >= clip.Top && top < clip.Bottom;
}

std::vector<TestCanvas::Op> Visible(const std::vector<TestCanvas::Op>& ops, const TRect& clip) {
  std::vector<TestCanvas::Op> visible;
  for (const auto& op : ops)
    if (Touches(op, clip)) visible.push_back(op);
  return visible;
}

bool SameOp(const TestCanvas::Op& a, const TestCanvas::Op& b) {
  return a.kind == b.kind && a.points == b.points && a.text == b.text &&
         a.pen.Color == b.pen.Color && a.pen.Width == b.pen.Width && a.pen.Style == b.pen.Style &&
         a.brush.Color == b.brush.Color && a.brush.Style == b.brush.Style &&
         a.fontColor == b.fontColor;
}

TEST(MeasureCacheTest, DrawingSkipsOnlyWhatCannotReachTheVisibleRows) {
  for (unsigned seed = 1; seed <= 6; ++seed) {
    RandomDesign design(seed);
    for (int i = 0; i < 200; ++i) design.InsertRandom();
    for (int view = 0; view < 2; ++view) {
      TDisplayOptions options;
      options.Measures.Enabled = true;
      options.Flowchart = view;
      options.Select(design.Pick());
      options.DropTarget = design.Pick();
      TestCanvas full;
      const TSize size = design.root().GetSize(full, options);
      design.root().Draw(full, {400, 15}, size.w, options);
      const TRect fullSelection = options.SelectionRect;
      ClippedCanvas clipped;
      clipped.clip = {0, size.h / 2, 800, size.h / 2 + 300};
      design.root().Draw(clipped, {400, 15}, size.w, options);
      EXPECT_EQ(options.SelectionRect, fullSelection) << "seed " << seed;
      const auto expected = Visible(full.ops, clipped.clip);
      const auto actual = Visible(clipped.ops, clipped.clip);
      ASSERT_EQ(expected.size(), actual.size()) << "seed " << seed << " view " << view;
      for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_TRUE(SameOp(expected[i], actual[i])) << "op " << i << " seed " << seed;
      EXPECT_LT(clipped.ops.size(), full.ops.size());
    }
  }
}

}  // namespace
