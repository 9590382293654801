// Texts wider than any canvas: sizes and positions stay bounded and no sum of them leaves the
// 32-bit range (the sanitizers' build reports one that does), in both views.
#include "model/Display.h"
#include "tests/model/ModelTestSupport.h"

using namespace modeltest;

namespace {

// Texts starting with "breit" are 1.2 billion pixels wide: two side by side pass the range.
struct WideTextCanvas : TestCanvas {
  TSize TextExtent(const std::string& text) override {
    return text.starts_with("breit") ? TSize{1200000000, TextHeight} : TestCanvas::TextExtent(text);
  }
};

// Decisions nested in each other's no-branch, each with a wide condition and yes-branch.
TEST(ExtremeSizeTest, NestedWideDecisionsAreMeasuredAndDrawnWithinTheBounds) {
  TElement* inner = Stmt("breit");
  for (int level = 0; level < 30; ++level) {
    auto* decision = new TIf("breit");
    decision->Branch(1)->Body = Stmt("breit");
    decision->Branch(2)->Body = inner;
    inner = decision;
  }
  BlockPtr root = Root({inner});
  constexpr int64_t Bound = int64_t{MaxPosition} + MaxExtent + 100;  // and a frame's pixels
  for (View view : {View::Structogram, View::Flowchart}) {
    SCOPED_TRACE(ViewName(view));
    WideTextCanvas canvas;
    TDisplayOptions options = Screen(view);
    EXPECT_EQ(root->GetSize(canvas, options).w, MaxExtent);
    DisplayStruktogramm(*root, canvas, GetDisplayOrigin(*root, canvas, options), options);
    ASSERT_FALSE(canvas.ops.empty());
    for (const auto& op : canvas.ops)
      for (const TPoint& p : op.points)
        EXPECT_LE(std::max(std::abs(int64_t{p.x}), std::abs(int64_t{p.y})), Bound);
  }
}

}  // namespace
