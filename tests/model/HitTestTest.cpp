#include "tests/model/ModelTestSupport.h"

using namespace modeltest;

namespace {

const int kTw = W("???");
const int kChS = kTh + 12;
const int kChF = kTw / 3 + kTh + 2;
const int kN = 3 * W("nein");

// --- edges, for every kind in both views -----------------------------------------------------

struct EdgeParam {
  KindCase kind;
  View view;
};

void PrintTo(const EdgeParam& p, std::ostream* os) { *os << p.kind.name << ViewName(p.view); }

class HitEdgeTest : public testing::TestWithParam<EdgeParam> {
 protected:
  void SetUp() override {
    options = Screen(GetParam().view);
    element = GetParam().kind.make();
    successor = Stmt("Anweisung");
    sequence.reset(Chain({element, successor}));
    // The hit test measures the element exactly as drawing does.
    size = element->GetSize(canvas, options);
    flow = GetParam().view == View::Flowchart;
    left = flow ? x0 - size.w / 2 : x0;
    right = flow ? x0 + size.w / 2 : x0 + size.w;
  }
  TElement* At(int x, int y) { return sequence->ElementAt(canvas, {x0, y0}, options, x, y); }

  static constexpr int x0 = 200, y0 = 20;
  TestCanvas canvas;
  TDisplayOptions options;
  TElement* element = nullptr;
  TElement* successor = nullptr;
  ElementPtr sequence;
  TSize size;
  bool flow = false;
  int left = 0, right = 0;
};

TEST_P(HitEdgeTest, TopLeftCornerIsTheElementAndTheColumnsBesideAreMisses) {
  options.DropAfter = 1;
  EXPECT_EQ(At(left, y0), element);
  EXPECT_EQ(options.DropAfter, 0);
  EXPECT_EQ(At(left - 1, y0), nullptr);
  EXPECT_EQ(At(right + 1, y0), nullptr);
  EXPECT_EQ(options.DropAfter, 0);
}

TEST_P(HitEdgeTest, RightEdgeAndBottomEdgeBelongToTheElement) {
  for (TPoint p : {TPoint{right, y0}, TPoint{x0, y0 + size.h}, TPoint{left, y0 + size.h}}) {
    TElement* hit = At(p.x, p.y);
    EXPECT_NE(hit, nullptr) << p.x << "," << p.y;
    EXPECT_NE(hit, successor) << p.x << "," << p.y;
  }
}

TEST_P(HitEdgeTest, TheRowBelowTheBottomEdgeIsTheSuccessor) {
  EXPECT_EQ(At(x0, y0 + size.h + 1), successor);
}

std::vector<EdgeParam> EdgeParams() {
  std::vector<EdgeParam> result;
  for (const KindCase& kind : AllKinds())
    for (View view : {View::Structogram, View::Flowchart}) result.push_back({kind, view});
  return result;
}

INSTANTIATE_TEST_SUITE_P(Kinds, HitEdgeTest, testing::ValuesIn(EdgeParams()),
                         [](const testing::TestParamInfo<EdgeParam>& info) {
                           return std::string(info.param.kind.name) + ViewName(info.param.view);
                         });

// --- blocks and DropAfter --------------------------------------------------------------------

// A structogram element is drawn, and hit, as wide as its sequence; never the block behind it.
TEST(HitTestTest, ANarrowStatementIsHitAcrossTheWholeWidthOfItsBlock) {
  TestCanvas canvas;
  TDisplayOptions options = Screen(View::Structogram);
  TAnweisung* narrow = Stmt("x");
  BlockPtr block(Block("B", {narrow, Stmt("Anweisung")}));
  const int blockRight = 10 + W("Anweisung") + 12;
  for (int x : {10, 10 + W("x") + 12 + 1, blockRight})
    EXPECT_EQ(block->ElementAt(canvas, {10, 20}, options, x, 25), narrow) << x;
  EXPECT_EQ(options.DropAfter, 0);
  EXPECT_EQ(block->ElementAt(canvas, {10, 20}, options, blockRight + 1, 25), nullptr);
}

TEST(HitTestTest, TheRootBlockNeverTakesADropAfterItself) {
  TestCanvas canvas;
  TDisplayOptions options = Screen(View::Flowchart);
  BlockPtr root = Root({Stmt("x"), Stmt("Anweisung")});
  const int besideX = 100 + (W("x") + 12) / 2 + 1;  // right of the narrow box, below the entry
  EXPECT_EQ(root->ElementAt(canvas, {100, 20}, options, besideX, 20 + 6 + 1 + 5), root.get());
  EXPECT_EQ(options.DropAfter, 0);
}

// Behind its body a structogram block is reached at its head rows (a drop there heads its
// body) and, when it can move, at its foot rows (a drop there goes after it).
TEST(HitTestTest, AStructogramBlockIsHitOnItsHeadAndFootRows) {
  TestCanvas canvas;
  TAnweisung* first = Stmt("x");
  TAnweisung* last = Stmt("y");
  BlockPtr block(Block("B", {first, last}));
  const TElement* expected[] = {block.get(), first, last};
  const int bottom = 20 + 2 * (kTh + 10);
  // row, movable, hit (0: the block, 1: first statement, 2: last statement), DropAfter
  const int cases[][4] = {{20 + 3, 1, 0, 0},     {20 + 4, 1, 1, 0}, {bottom - 4, 1, 2, 0},
                          {bottom - 3, 1, 0, 1}, {bottom, 1, 0, 1}, {20 + 3, 0, 0, 0},
                          {bottom, 0, 2, 0}};
  for (const auto& [y, movable, hit, after] : cases) {
    SCOPED_TRACE(testing::Message() << "row " << y << (movable ? " movable" : " fixed"));
    TDisplayOptions options = Screen(View::Structogram);
    block->Movable = movable;
    options.DropAfter = 1 - after;
    EXPECT_EQ(block->ElementAt(canvas, {10, 20}, options, 10 + 30, y), expected[hit]);
    EXPECT_EQ(options.DropAfter, after);
  }
}

TEST(HitTestTest, WhereNestedBlocksShareAnEdgeTheInnerOneIsHit) {
  TestCanvas canvas;
  TDisplayOptions options = Screen(View::Structogram);
  TBlock* inner = Block("innen", {Stmt("x")});
  BlockPtr outer(Block("aussen", {inner}));
  const int bottom = 20 + kTh + 10;
  EXPECT_EQ(outer->ElementAt(canvas, {10, 20}, options, 10 + 30, 20 + 1), inner);
  EXPECT_EQ(options.DropAfter, 0);
  EXPECT_EQ(outer->ElementAt(canvas, {10, 20}, options, 10 + 30, bottom - 1), inner);
  EXPECT_EQ(options.DropAfter, 1);
}

TEST(HitTestTest, FlowchartBlockTakesDropsIntoItsBodyOnItsEntryBand) {
  TestCanvas canvas;
  TDisplayOptions options = Screen(View::Flowchart);
  BlockPtr block(Block("B", {Stmt("Anweisung")}));
  const int blockHalf = (W("Anweisung") + 12 + 6) / 2;
  const int x = 100 + blockHalf - 1;  // right of the statement's box
  const int bodyY = 20 + 6 + 1;
  EXPECT_EQ(block->ElementAt(canvas, {100, 20}, options, 100, 20 + 3), block.get());
  EXPECT_EQ(options.DropAfter, 0);
  EXPECT_EQ(block->ElementAt(canvas, {100, 20}, options, x, bodyY), block.get());
  EXPECT_EQ(options.DropAfter, 0);
  EXPECT_EQ(block->ElementAt(canvas, {100, 20}, options, x, bodyY + 1), block.get());
  EXPECT_EQ(options.DropAfter, 1);
  EXPECT_EQ(block->ElementAt(canvas, {100, 20}, options, 100, bodyY), block->Body);
  EXPECT_EQ(options.DropAfter, 0);
}

TEST(HitTestTest, ACollapsedBlockHidesItsBodyFromTheHitTest) {
  for (View view : {View::Structogram, View::Flowchart}) {
    SCOPED_TRACE(ViewName(view));
    TestCanvas canvas;
    TDisplayOptions options = Screen(view);
    BlockPtr block(Block("Programm", {Stmt("innen")}));
    options.ToggleCollapsed(block.get());
    EXPECT_EQ(block->ElementAt(canvas, {100, 20}, options, 100, 20 + 12), block.get());
    EXPECT_EQ(options.DropAfter, 0);
  }
}

TEST(HitTestTest, AMissResetsDropAfter) {
  TestCanvas canvas;
  TDisplayOptions options = Screen(View::Structogram);
  BlockPtr block(Block("B", {Stmt("x")}));
  options.DropAfter = 1;
  EXPECT_EQ(block->ElementAt(canvas, {10, 20}, options, 500, 500), nullptr);
  EXPECT_EQ(options.DropAfter, 0);
}

// --- the branch strip ------------------------------------------------------------------------

TEST(HitTestTest, TheSevenRowsAboveTheDecisionsBranchesSelectABranchBlock) {
  TestCanvas canvas;
  TDisplayOptions options = Screen(View::Structogram);
  ElementPtr owner(new TIf("???"));
  auto* decision = static_cast<TIf*>(owner.get());
  auto at = [&](int x, int y) { return decision->ElementAt(canvas, {10, 20}, options, x, y); };
  const int tip = 10 + kN, rightEdge = 10 + 2 * kN;
  for (int y : {20 + kChS - 7, 20 + kChS - 1}) {
    EXPECT_EQ(at(10, y), decision->Branch(1)) << y;
    EXPECT_EQ(at(tip, y), decision->Branch(1)) << y;
    EXPECT_EQ(at(tip + 1, y), decision->Branch(2)) << y;
    EXPECT_EQ(at(rightEdge, y), decision->Branch(2)) << y;
  }
  EXPECT_EQ(at(10, 20 + kChS - 8), decision);
  EXPECT_EQ(at(tip + 1, 20 + kChS - 8), decision);
}

TEST(HitTestTest, WithALongConditionTheStripSplitsAtTheTipOfTheTriangle) {
  TestCanvas canvas;
  TDisplayOptions options = Screen(View::Structogram);
  const std::string text(41, 'c');
  TIf decision(text);
  const int tip = 10 + 3 * (W(text) + 10) / 2, y = 20 + kChS - 1;
  EXPECT_EQ(decision.ElementAt(canvas, {10, 20}, options, tip, y), decision.Branch(1));
  EXPECT_EQ(decision.ElementAt(canvas, {10, 20}, options, tip + 1, y), decision.Branch(2));
}

class StripTest : public testing::TestWithParam<KindCase> {};

TEST_P(StripTest, TheSevenRowsBelowTheTopBandHeightSelectTheBody) {
  TestCanvas canvas;
  TDisplayOptions options = Screen(View::Structogram);
  ElementPtr owner(GetParam().make());
  auto* loop = static_cast<TBedingung*>(owner.get());
  auto at = [&](int y) { return loop->ElementAt(canvas, {10, 20}, options, 10 + 5, y); };
  EXPECT_EQ(at(20 + kChS - 1), loop->Branch(1));
  EXPECT_EQ(at(20 + kChS - 7), loop->Branch(1));
  EXPECT_EQ(at(20 + kChS - 8), loop);
}

TEST_P(StripTest, TheFlowchartHasNoStrip) {
  TestCanvas canvas;
  TDisplayOptions options = Screen(View::Flowchart);
  ElementPtr loop(GetParam().make());
  const int left = 100 - loop->GetSize(canvas, options).w / 2;
  EXPECT_EQ(loop->ElementAt(canvas, {100, 20}, options, left, 20 + kChF - 1), loop.get());
}

INSTANTIATE_TEST_SUITE_P(Conditions, StripTest, testing::ValuesIn(ConditionKinds()), KindName);

TEST(HitTestTest, OnATestAfterLoopsBottomBandTheLoopIsHit) {
  TestCanvas canvas;
  TDisplayOptions options = Screen(View::Structogram);
  TDoWhile loop("???");
  const int bodyH = kTh + 10;
  EXPECT_EQ(loop.ElementAt(canvas, {10, 20}, options, 10 + 30, 20 + bodyH + 5), &loop);
  EXPECT_EQ(loop.ElementAt(canvas, {10, 20}, options, 10 + 5, 20 + kChS), &loop);
  EXPECT_EQ(loop.ElementAt(canvas, {10, 20}, options, 10 + 30, 20 + 5), loop.Branch(1));
}

// --- elements inside branches ----------------------------------------------------------------

TEST(HitTestTest, StatementsInsideBranchesAndBodiesAreFoundInBothViews) {
  for (View view : {View::Structogram, View::Flowchart}) {
    SCOPED_TRACE(ViewName(view));
    TestCanvas canvas;
    TDisplayOptions options = Screen(view);
    auto* decision = new TIf("???");
    TAnweisung* no = Stmt("nein-Zweig");
    decision->Branches[1]->Body = no;
    auto* loop = new TDoWhile("???");
    TAnweisung* inLoop = Stmt("rumpf");
    loop->Branches[0]->Body = inLoop;
    ElementPtr sequence(Chain({decision, loop}));

    const TPoint origin{300, 20};
    const bool flow = view == View::Flowchart;
    // Where the body is hit inside its block: below the entry connector, or below the
    // structogram block's head rows.
    const int entry = flow ? 6 + 1 : TBlock::HeadRows;
    TPoint b2 = decision->GetBranchOrigin(canvas, origin, options, 2);
    EXPECT_EQ(sequence->ElementAt(canvas, origin, options, b2.x + 1, b2.y + entry + 2), no);

    const TPoint loopOrigin{300, 20 + decision->GetSize(canvas, options).h};
    TPoint body = loop->GetBranchOrigin(canvas, loopOrigin, options, 1);
    EXPECT_EQ(sequence->ElementAt(canvas, origin, options, body.x + 1, body.y + entry + 2), inLoop);
  }
}

}  // namespace
