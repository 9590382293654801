// Texts wider than any canvas: sizes and positions stay within their bounds and are never
// summed past the 32-bit range, in both views.
#include "model/Display.h"
#include "tests/model/ModelTestSupport.h"

using namespace modeltest;

namespace {

// Texts starting with "breit" are measured 1.2 billion pixels wide; two side by side pass
// the 32-bit range.
class WideTextCanvas : public TestCanvas {
 public:
  static constexpr int32_t Wide = 1200000000;
  TSize TextExtent(const std::string& text) override {
    if (text.starts_with("breit")) return {Wide, TextHeight};
    return TestCanvas::TextExtent(text);
  }
};

TIf* Decision(TElement* yes, TElement* no) {
  auto* decision = new TIf("breit");
  decision->Branch(1)->Body = yes;
  decision->Branch(2)->Body = no;
  return decision;
}

TEST(ExtremeSizeTest, WideBranchesSideBySideKeepTheSizeBounded) {
  for (View view : {View::Structogram, View::Flowchart}) {
    SCOPED_TRACE(ViewName(view));
    WideTextCanvas canvas;
    TDisplayOptions options = Screen(view);
    BlockPtr root = Root({Decision(Stmt("breit"), Stmt("breit")), Stmt("breit")});
    auto* decision = static_cast<TIf*>(root->Body);
    EXPECT_EQ(decision->GetSize(canvas, options).w, MaxExtent);
    EXPECT_EQ(root->GetSize(canvas, options).w, MaxExtent);
    EXPECT_GT(decision->GetSize(canvas, options).h, 0);
    const TPoint no = decision->GetBranchOrigin(canvas, {0, 0}, options, 2);
    EXPECT_GT(no.x, 0);
    EXPECT_LE(no.x, MaxPosition);
  }
  WideTextCanvas canvas;
  TDisplayOptions options = Screen(View::Structogram);
  TIf decision("x");
  EXPECT_EQ(decision.GetBranchOrigin(canvas, {MaxPosition, 0}, options, 2).x, MaxPosition);
}

// Decisions nested in each other's no-branch, each with a wide yes-branch: every position
// drawn stays within the bounds (a position plus a size and the few pixels of a frame).
TEST(ExtremeSizeTest, NestedWideDecisionsAreDrawnWithinTheBounds) {
  TElement* inner = Stmt("breit");
  for (int level = 0; level < 30; ++level) inner = Decision(Stmt("breit"), inner);
  BlockPtr root = Root({inner});
  constexpr int64_t Bound = int64_t{MaxPosition} + MaxExtent + 100;
  for (View view : {View::Structogram, View::Flowchart}) {
    SCOPED_TRACE(ViewName(view));
    WideTextCanvas canvas;
    TDisplayOptions options = Screen(view);
    const TPoint origin = GetDisplayOrigin(*root, canvas, options);
    DisplayStruktogramm(*root, canvas, origin, options);
    ASSERT_FALSE(canvas.ops.empty());
    for (const auto& op : canvas.ops)
      for (const TPoint& point : op.points) {
        EXPECT_LE(std::abs(int64_t{point.x}), Bound);
        EXPECT_LE(std::abs(int64_t{point.y}), Bound);
      }
  }
}

}  // namespace
