#include "tests/model/ModelTestSupport.h"

using namespace modeltest;

namespace {

// The condition "???" measured in both views.
const int kTw = W("???");
const int kCwS = kTw + 10, kChS = kTh + 12;
const int kChF = kTw / 3 + kTh + 2, kCwF = 3 * kChF + 2;
// Three times "nein": the least width of a branch in the structogram view.
const int kN = 3 * W("nein");
// An empty block is title plus 10 high; in the flowchart 40 + 6 wide and 15 higher.
const int kEbH = kTh + 10, kEbWF = 40 + 6, kEbHF = kTh + 10 + 2 * 6 + 3;

TEST(DecisionGeometryTest, ConditionSizeInBothViews) {
  TestCanvas canvas;
  TIf decision("???");
  TDisplayOptions structogram = Screen(View::Structogram);
  TDisplayOptions flowchart = Screen(View::Flowchart);
  EXPECT_EQ(decision.GetConditionSize(canvas, structogram), (TSize{kCwS, kChS}));
  EXPECT_EQ(decision.GetConditionSize(canvas, flowchart), (TSize{kCwF, kChF}));
  // The diamond's height grows by a third of the text width.
  TIf wide(std::string(30, 'x'));
  const int h = W(std::string(30, 'x')) / 3 + kTh + 2;
  EXPECT_EQ(wide.GetConditionSize(canvas, flowchart), (TSize{3 * h + 2, h}));
}

TEST(DecisionGeometryTest, NewDecisionInTheStructogramGivesEachBranchThreeTimesNein) {
  TestCanvas canvas;
  TDisplayOptions options = Screen(View::Structogram);
  TIf decision("???");
  EXPECT_EQ(decision.GetSize(canvas, options), (TSize{std::max(3 * kCwS, kN + kN), kChS + kEbH}));
  EXPECT_EQ(decision.GetBranchOrigin(canvas, {10, 20}, options, 1), (TPoint{10, 20 + kChS}));
  EXPECT_EQ(decision.GetBranchOrigin(canvas, {10, 20}, options, 2), (TPoint{10 + kN, 20 + kChS}));
}

TEST(DecisionGeometryTest, LongConditionHandsHalfTheSurplusRoundedDownToTheYesBranch) {
  TestCanvas canvas;
  TDisplayOptions options = Screen(View::Structogram);
  const std::string text(41, 'c');  // an odd surplus
  TIf decision(text);
  const int cw = W(text) + 10;
  const int surplus = 3 * cw - kN - kN;
  ASSERT_EQ(surplus % 2, 1);
  EXPECT_EQ(decision.GetSize(canvas, options), (TSize{3 * cw, kChS + kEbH}));
  EXPECT_EQ(decision.GetBranchOrigin(canvas, {10, 20}, options, 2),
            (TPoint{10 + kN + surplus / 2, 20 + kChS}));
  EXPECT_EQ(kN + surplus / 2, 3 * cw / 2);  // the tip of the triangle
}

TEST(DecisionGeometryTest, WideBranchesSetTheWidthAndTheTallerBranchTheHeight) {
  TestCanvas canvas;
  TDisplayOptions options = Screen(View::Structogram);
  const std::string wide(20, 'w');
  TIf decision("???");
  decision.Branches[0]->Body = Chain({Stmt(wide), Stmt("a"), Stmt("b")});
  const int w1 = W(wide) + 12;
  EXPECT_EQ(decision.GetSize(canvas, options), (TSize{w1 + kN, kChS + 3 * (kTh + 10)}));
  EXPECT_EQ(decision.GetBranchOrigin(canvas, {10, 20}, options, 2), (TPoint{10 + w1, 20 + kChS}));
}

TEST(DecisionGeometryTest, PrintedBranchesAreAtLeastAHundredWide) {
  TestCanvas canvas;
  TDisplayOptions options = Printing(View::Structogram);
  TIf decision("???");
  EXPECT_EQ(decision.GetSize(canvas, options), (TSize{100 + 100, kChS + kEbH}));
  EXPECT_EQ(decision.GetBranchOrigin(canvas, {10, 20}, options, 2), (TPoint{10 + 100, 20 + kChS}));
}

TEST(DecisionGeometryTest, NewDecisionInTheFlowchart) {
  TestCanvas canvas;
  TDisplayOptions options = Screen(View::Flowchart);
  TIf decision("???");
  EXPECT_EQ(decision.GetSize(canvas, options),
            (TSize{std::max(3 * kCwF + 6, kEbWF + kEbWF + 10), kChF + kEbHF + 2 * 6 + 5}));
  const int t = (kEbWF + kEbWF + 6) / 2;
  const int y = 20 + kChF + 4 + 6;
  EXPECT_EQ(decision.GetBranchOrigin(canvas, {200, 20}, options, 1),
            (TPoint{200 - t + kEbWF / 2, y}));
  EXPECT_EQ(decision.GetBranchOrigin(canvas, {200, 20}, options, 2),
            (TPoint{200 + t - kEbWF / 2, y}));
}

TEST(DecisionGeometryTest, FlowchartBranchColumnsAreCentredOnTheirOwnWidths) {
  TestCanvas canvas;
  TDisplayOptions options = Screen(View::Flowchart);
  TIf decision("???");
  decision.Branches[0]->Body = Stmt("Anweisung");
  const int w1 = W("Anweisung") + 12 + 6;
  const int h1 = (kTh + 11 + 6) + 2 * 6 + 3;
  const int t = (w1 + kEbWF + 6) / 2;
  EXPECT_EQ(decision.GetBranchOrigin(canvas, {200, 20}, options, 1),
            (TPoint{200 - t + w1 / 2, 20 + kChF + 4 + 6}));
  EXPECT_EQ(decision.GetBranchOrigin(canvas, {200, 20}, options, 2),
            (TPoint{200 + t - kEbWF / 2, 20 + kChF + 4 + 6}));
  EXPECT_EQ(decision.GetSize(canvas, options).h, kChF + h1 + 2 * 6 + 5);
}

TEST(DecisionGeometryTest, PrintedFlowchartUsesThePrintingSpacing) {
  TestCanvas canvas;
  TDisplayOptions options = Printing(View::Flowchart);
  TIf decision("???");
  const int p = kPrintSpacing;
  const int bw = 100 + 6 + p, bh = kTh + 10 + 2 * p + 3;
  EXPECT_EQ(decision.GetSize(canvas, options),
            (TSize{std::max(3 * kCwF + 6, bw + bw + 10), kChF + bh + 2 * p + 5}));
  EXPECT_EQ(decision.GetBranchOrigin(canvas, {200, 20}, options, 1).y, 20 + kChF + 4 + p);
}

TEST(DecisionGeometryTest, ABlockAroundADecisionTakesItsSize) {
  TestCanvas canvas;
  TDisplayOptions options = Screen(View::Structogram);
  BlockPtr block(Block("B", {new TIf("???"), Stmt("Anweisung")}));
  const int decisionW = std::max(3 * kCwS, kN + kN), decisionH = kChS + kEbH;
  EXPECT_EQ(block->GetSize(canvas, options), (TSize{decisionW, decisionH + kTh + 10}));
}

}  // namespace
