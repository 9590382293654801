#include "tests/model/ModelTestSupport.h"

using namespace modeltest;
using Kind = TestCanvas::Kind;
using Op = TestCanvas::Op;

namespace {

const int kH = kTh + 10;  // a statement's height in the structogram view

bool IsFrame(const Op& op) { return op.kind == Kind::Polygon && op.points.size() == 4; }

// --- selection -------------------------------------------------------------------------------

TEST(MarksTest, SelectedStatementIsRedWithAGapAtItsFootDrawnAfterItsSuccessors) {
  TestCanvas canvas = ScreenCanvas();
  TDisplayOptions options = Screen(View::Structogram);
  TAnweisung* selected = Stmt("Anweisung");
  ElementPtr sequence(Chain({selected, Stmt("zwei")}));
  options.Select(selected);
  sequence->Draw(canvas, {10, 20}, 200, options);

  const TRect box{10, 20, 210, 20 + kH + 1};
  const int bm = box.Bottom;
  EXPECT_EQ(options.SelectionRect, box);
  EXPECT_EQ(canvas.FindRectangle(box)->pen.Color, Colors::Red);
  EXPECT_EQ(canvas.FindText("Anweisung")->fontColor, Colors::Red);
  EXPECT_EQ(canvas.FindText("zwei")->fontColor, Colors::Black);

  auto outlines = canvas.Where([&](const Op& op) {
    return op.kind == Kind::Rectangle && op.brush.Style == BrushStyle::Clear;
  });
  ASSERT_EQ(outlines.size(), 1u);
  EXPECT_EQ(outlines[0]->points, (std::vector<TPoint>{{10, 20}, {210, bm}}));
  EXPECT_EQ(outlines[0]->pen.Color, Colors::Red);
  const int successorBox =
      canvas.IndexOf(canvas.FindRectangle({10, 20 + kH, 210, 20 + 2 * kH + 1}));
  EXPECT_LT(successorBox, canvas.IndexOf(outlines[0]));

  const Op* blank = canvas.FindRectangle({10, bm - 2, 210, bm + 1});
  ASSERT_NE(blank, nullptr);
  EXPECT_EQ(blank->pen.Color, Colors::Window);
  EXPECT_EQ(blank->brush.Color, Colors::Window);
  const Op* red = canvas.FindLine({10, bm - 3}, {210, bm - 3});
  ASSERT_NE(red, nullptr);
  EXPECT_EQ(red->pen.Color, Colors::Red);
  const Op* black = canvas.FindLine({10, bm}, {210, bm});
  ASSERT_NE(black, nullptr);
  EXPECT_EQ(black->pen.Color, Colors::Black);
  EXPECT_LT(canvas.IndexOf(blank), canvas.IndexOf(red));
  EXPECT_LT(canvas.IndexOf(red), canvas.IndexOf(black));
  EXPECT_EQ(canvas.Pen.Color, Colors::Black);
}

TEST(MarksTest, SelectedBlockShowsItsMarkAtItsHead) {
  TestCanvas canvas = ScreenCanvas();
  TDisplayOptions options = Screen(View::Structogram);
  TBlock* block = Block("B", {Stmt("innen")});
  ElementPtr sequence(Chain({block, Stmt("danach")}));
  options.Select(block);
  sequence->Draw(canvas, {10, 20}, 200, options);

  EXPECT_EQ(options.SelectionRect, (TRect{10, 20, 210, 20 + kH + 1}));
  const Op* blank = canvas.FindRectangle({10, 20, 210, 20 + 3});
  ASSERT_NE(blank, nullptr);
  EXPECT_EQ(blank->brush.Color, Colors::Window);
  EXPECT_EQ(blank->pen.Color, Colors::Window);
  const Op* red = canvas.FindLine({10, 20}, {210, 20});
  ASSERT_NE(red, nullptr);
  EXPECT_EQ(red->pen.Color, Colors::Red);
  const Op* black = canvas.FindLine({10, 23}, {210, 23});
  ASSERT_NE(black, nullptr);
  EXPECT_EQ(black->pen.Color, Colors::Black);
  EXPECT_LT(canvas.IndexOf(canvas.FindText("danach")), canvas.IndexOf(blank));
  EXPECT_EQ(canvas.FindText("innen")->fontColor, Colors::Black);
}

TEST(MarksTest, SelectedFlowchartBlockHasARedDottedFrame) {
  TestCanvas canvas = ScreenCanvas();
  TDisplayOptions options = Screen(View::Flowchart);
  BlockPtr block(Block("B"));
  options.Select(block.get());
  block->Draw(canvas, {100, 20}, 0, options);

  const int w = 40 + 6, h = kTh + 10 + 2 * 6 + 3;
  auto frames = canvas.Where(IsFrame);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0]->pen.Color, Colors::Red);
  EXPECT_EQ(frames[0]->pen.Style, PenStyle::Dot);
  EXPECT_EQ(options.SelectionRect, (TRect{100 - w, 20, 100 + w, 20 + h}));
}

TEST(MarksTest, NothingIsMarkedOrShadedWhilePrinting) {
  for (View view : {View::Structogram, View::Flowchart}) {
    SCOPED_TRACE(ViewName(view));
    TestCanvas canvas = PrinterCanvas();
    TDisplayOptions options = Printing(view);
    TAnweisung* statement = Stmt("Anweisung");
    TBlock* inner = Block("innen", {statement});
    BlockPtr root = Root({inner});
    options.Select(statement);
    options.Select(inner);
    root->Draw(canvas, {100, 20}, 200, options);

    EXPECT_FALSE(canvas.AnyRed());
    EXPECT_EQ(options.SelectionRect, (TRect{}));
    for (const Op* frame : canvas.Where(IsFrame)) {
      EXPECT_EQ(frame->brush.Color, Colors::PrintBackground);
      EXPECT_EQ(frame->pen.Color, Colors::Black);
    }
    EXPECT_TRUE(canvas.Where([](const Op& op) { return op.pen.Color == Colors::Window; }).empty());
  }
}

// --- drop marks ------------------------------------------------------------------------------

TEST(MarksTest, DropMarkOfAStatementIsARedBarAcrossItsBottomEdge) {
  TestCanvas canvas = ScreenCanvas();
  TDisplayOptions options = Screen(View::Structogram);
  TAnweisung* target = Stmt("Anweisung");
  ElementPtr sequence(Chain({target, Stmt("zwei")}));
  options.DropTarget = target;
  sequence->Draw(canvas, {10, 20}, 200, options);

  const Op* mark = FindDropBar(canvas, 10, 210, 20 + kH);
  ASSERT_NE(mark, nullptr);
  EXPECT_LT(canvas.IndexOf(canvas.FindText("zwei")), canvas.IndexOf(mark));
  EXPECT_EQ(canvas.Pen.Color, Colors::Black);
  EXPECT_EQ(canvas.Brush.Color, Colors::ScreenBackground);
}

// The bar lies across the edge where the element will stand: heading the body, or after it.
TEST(MarksTest, DropMarkOfABlockLiesAcrossTheEdgeWhereTheDropGoes) {
  for (uint8_t after : {0, 1}) {
    SCOPED_TRACE(after);
    TestCanvas canvas = ScreenCanvas();
    TDisplayOptions options = Screen(View::Structogram);
    TBlock* target = Block("B", {Stmt("innen")});
    ElementPtr sequence(Chain({target, Stmt("danach")}));
    options.DropTarget = target;
    options.DropAfter = after;
    sequence->Draw(canvas, {10, 20}, 200, options);

    const Op* mark = FindDropBar(canvas, 10, 210, after ? 20 + kH : 20);
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(FindDropBar(canvas, 10, 210, after ? 20 : 20 + kH), nullptr);
    EXPECT_LT(canvas.IndexOf(canvas.FindText("danach")), canvas.IndexOf(mark));
  }
}

TEST(MarksTest, InTheFlowchartTheConnectorToTheDropPositionTurnsRed) {
  TestCanvas canvas = ScreenCanvas();
  TDisplayOptions options = Screen(View::Flowchart);
  TAnweisung* target = Stmt("Anweisung");
  ElementPtr sequence(Chain({target, Stmt("zwei")}));
  options.DropTarget = target;
  sequence->Draw(canvas, {100, 20}, 0, options);

  const int h = kTh + 11 + 6;
  EXPECT_EQ(canvas.FindLine({100, 20 + h - 6 - 1}, {100, 20 + h - 1})->pen.Color, Colors::Red);
  EXPECT_EQ(canvas.FindRectangle({100 - 37, 20, 100 + 37, 20 + h - 6})->pen.Color, Colors::Black);
  EXPECT_EQ(canvas.FindText("zwei")->fontColor, Colors::Black);
}

TEST(MarksTest, FlowchartBlockMarksItsEntryOrItsExitByDropAfter) {
  const int sh = kTh + 11 + 6, h = sh + 2 * 6 + 3;
  for (uint8_t after : {0, 1}) {
    SCOPED_TRACE(after);
    TestCanvas canvas = ScreenCanvas();
    TDisplayOptions options = Screen(View::Flowchart);
    BlockPtr block(Block("B", {Stmt("Anweisung")}));
    options.DropTarget = block.get();
    options.DropAfter = after;
    block->Draw(canvas, {100, 20}, 0, options);

    const Op* entry = canvas.FindLine({100, 20}, {100, 20 + 6});
    const Op* exit = canvas.FindLine({100, 20 + h - 6 - 1}, {100, 20 + h - 1});
    ASSERT_NE(entry, nullptr);
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(entry->pen.Color == Colors::Red, after == 0);
    EXPECT_EQ(exit->pen.Color == Colors::Red, after == 1);
  }
}

// In the flowchart a red bar, 12 pixels to each side, crosses the one red connector, to where
// the element lands; an empty branch takes the drop on its frame.
TEST(MarksTest, FlowchartDropBarCrossesTheMarkedConnectorOfEveryKind) {
  for (const KindCase& kind : AllKinds()) {
    SCOPED_TRACE(kind.name);
    TestCanvas canvas = ScreenCanvas();
    TDisplayOptions options = Screen(View::Flowchart);
    options.DropTarget = kind.make();
    options.DropAfter = 1;
    ElementPtr(Chain({options.DropTarget, Stmt("danach")}))->Draw(canvas, {100, 20}, 0, options);
    auto red = canvas.Where([](const Op& op) {
      return op.kind == Kind::Line && op.pen.Color == Colors::Red && op.points[0].x == 100 &&
             op.points[1].x == 100;
    });
    ASSERT_EQ(red.size(), 1u);
    const int middle = (red[0]->points[0].y + red[0]->points[1].y) / 2;
    EXPECT_NE(FindDropBar(canvas, 100 - 12, 100 + 13, middle), nullptr);
    EXPECT_EQ(canvas.Pen.Color, Colors::Black);
  }
  TestCanvas canvas = ScreenCanvas();
  TDisplayOptions options = Screen(View::Flowchart);
  TIf decision("???");
  const TPoint no = decision.GetBranchOrigin(canvas, {200, 20}, options, 2);
  options.DropTarget = decision.ElementAt(canvas, {200, 20}, options, no.x, no.y + 10);
  ASSERT_EQ(options.DropTarget, decision.Branch(2));
  decision.Draw(canvas, {200, 20}, 0, options);
  for (int branch : {1, 2}) {
    const TPoint origin = decision.GetBranchOrigin(canvas, {200, 20}, options, branch);
    const int frameMiddle = origin.y + (kTh + 10 + 2 * 6 + 3 - 6 - 1) / 2;
    const Op* bar = FindDropBar(canvas, origin.x - 12, origin.x + 13, frameMiddle);
    EXPECT_EQ(bar != nullptr, branch == 2);
  }
}

// --- painting order --------------------------------------------------------------------------

TEST(MarksTest, MarksFollowTheWholeSequenceTheLastElementsFirst) {
  TestCanvas canvas = ScreenCanvas();
  TDisplayOptions options = Screen(View::Structogram);
  TAnweisung* first = Stmt("eins");
  TAnweisung* last = Stmt("drei");
  ElementPtr sequence(Chain({first, Stmt("zwei"), last}));
  options.Select(first);
  options.DropTarget = last;
  sequence->Draw(canvas, {10, 20}, 200, options);

  const int lastBox = canvas.IndexOf(canvas.FindText("drei"));
  const int dropMark = canvas.IndexOf(FindDropBar(canvas, 10, 210, 20 + 3 * kH));
  const int selectionMark = canvas.IndexOf(canvas.FindLine({10, 20 + kH - 2}, {210, 20 + kH - 2}));
  ASSERT_GE(dropMark, 0);
  ASSERT_GE(selectionMark, 0);
  EXPECT_LT(lastBox, dropMark);
  EXPECT_LT(dropMark, selectionMark);
}

TEST(MarksTest, MarksInsideABlockComeBeforeTheBlocksSuccessors) {
  TestCanvas canvas = ScreenCanvas();
  TDisplayOptions options = Screen(View::Structogram);
  TAnweisung* inner = Stmt("innen");
  ElementPtr sequence(Chain({Block("B", {inner}), Stmt("danach")}));
  options.Select(inner);
  sequence->Draw(canvas, {10, 20}, 200, options);

  const int mark = canvas.IndexOf(canvas.FindLine({10, 20 + kH - 2}, {210, 20 + kH - 2}));
  ASSERT_GE(mark, 0);
  EXPECT_LT(mark, canvas.IndexOf(canvas.FindText("danach")));
}

// --- nesting shades --------------------------------------------------------------------------

TEST(MarksTest, NestedFlowchartBlocksAreShadedOneStepPerLevelAndTheBrushIsRestored) {
  TestCanvas canvas = ScreenCanvas();
  TDisplayOptions options = Screen(View::Flowchart);
  TBlock* shown = Block("eins", {Block("zwei", {Block("drei", {Stmt("x")})})});
  BlockPtr root = Root({shown});
  options.TopBlock = shown;
  shown->Draw(canvas, {100, 20}, 0, options);

  auto frames = canvas.Where(IsFrame);
  ASSERT_EQ(frames.size(), 3u);
  EXPECT_EQ(frames[0]->brush.Color, 0x02F5EFEFu);
  EXPECT_EQ(frames[1]->brush.Color, 0x02F5E9E9u);
  EXPECT_EQ(frames[2]->brush.Color, 0x02F5E3E3u);
  EXPECT_EQ(canvas.Brush.Color, Colors::ScreenBackground);
}

TEST(MarksTest, InsideAPrintedBlockThePenIsThreeWide) {
  for (View view : {View::Structogram, View::Flowchart}) {
    SCOPED_TRACE(ViewName(view));
    TestCanvas canvas = PrinterCanvas();
    TDisplayOptions options = Printing(view);
    BlockPtr block(Block("B", {Stmt("Anweisung")}));
    block->Draw(canvas, {100, 20}, 200, options);

    const Op* text = canvas.FindText("Anweisung");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->pen.Width, 3);
    auto boxes = canvas.OfKind(Kind::Rectangle);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().pen.Width, 3);
  }
}

TEST(MarksTest, PrintedFlowchartBlockFrameIsNarrowerThanItsMeasuredWidthBySpacing) {
  TestCanvas canvas = PrinterCanvas();
  TDisplayOptions options = Printing(View::Flowchart);
  BlockPtr block(Block("B", {Stmt("Anweisung")}));
  block->Draw(canvas, {100, 20}, 0, options);

  const int p = kPrintSpacing;
  const int w = 100 + 6;  // measured 100 + 6 + p, drawn without p
  const int h = (kTh + 11 + p) + 2 * p + 3, bottom = 20 + h - p - 1;
  const Op* frame = canvas.FindPolygon(
      {{100 - w / 2, 20}, {100 + w / 2, 20}, {100 + w / 2, bottom}, {100 - w / 2, bottom}});
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->pen.Width, 1);
  EXPECT_NE(canvas.FindLine({100, 20}, {100, 20 + p}), nullptr);
  EXPECT_NE(canvas.FindPolygon({{100 - 10, 20 + p - 10}, {100 + 10, 20 + p - 10}, {100, 20 + p}}),
            nullptr);
}

}  // namespace
