#include "tests/model/ModelTestSupport.h"

using namespace modeltest;
using Kind = TestCanvas::Kind;
using Op = TestCanvas::Op;

namespace {

std::vector<TPoint> HeadDownAt(int x, int y, int d) {
  return {{x - d, y - d}, {x + d, y - d}, {x, y}};
}

// --- connectors and pens ---------------------------------------------------------------------

TEST(DrawConnectorTest, HeadsByKindAreFilledBlackAndTheBrushIsRestored) {
  TestCanvas canvas = ScreenCanvas();
  DrawConnector(canvas, HeadDown, 5, 5, 5, 20, false, false);
  DrawConnector(canvas, HeadRight, 5, 5, 20, 5, false, false);
  DrawConnector(canvas, PlainToEnd, 50, 5, 50, 20, false, false);
  DrawConnector(canvas, 1, 70, 5, 70, 20, false, false);

  const Op* down = canvas.FindPolygon(HeadDownAt(5, 20, 2));
  ASSERT_NE(down, nullptr);
  EXPECT_EQ(down->brush.Color, Colors::Black);
  EXPECT_NE(canvas.FindPolygon({{20 - 2, 5 - 2}, {20 - 2, 5 + 2}, {20, 5}}), nullptr);
  EXPECT_NE(canvas.FindLine({50, 5}, {50, 20}), nullptr);
  EXPECT_NE(canvas.FindLine({50, 20}, {50, 21}), nullptr);
  EXPECT_NE(canvas.FindLine({70, 5}, {70, 20}), nullptr);
  EXPECT_EQ(canvas.OfKind(Kind::Polygon).size(), 2u);
  EXPECT_EQ(canvas.OfKind(Kind::Line).size(), 5u);
  EXPECT_EQ(canvas.Brush.Color, Colors::ScreenBackground);
}

TEST(DrawConnectorTest, MarkedOnScreenIsRedThenLeavesABlackPen) {
  TestCanvas canvas = ScreenCanvas();
  DrawConnector(canvas, HeadDown, 5, 5, 5, 20, true, false);
  const Op* line = canvas.FindLine({5, 5}, {5, 20});
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->pen.Color, Colors::Red);
  const Op* head = canvas.FindPolygon(HeadDownAt(5, 20, 2));
  ASSERT_NE(head, nullptr);
  EXPECT_EQ(head->brush.Color, Colors::Red);
  EXPECT_EQ(canvas.Pen.Color, Colors::Black);
  EXPECT_EQ(canvas.Brush.Color, Colors::ScreenBackground);
}

TEST(DrawConnectorTest, ThickHeadsAreTenUnitsAndNeverRed) {
  TestCanvas canvas = PrinterCanvas();
  DrawConnector(canvas, HeadDown, 5, 5, 5, 40, true, true);
  EXPECT_NE(canvas.FindPolygon(HeadDownAt(5, 40, 10)), nullptr);
  EXPECT_FALSE(canvas.AnyRed());
}

// --- statements ------------------------------------------------------------------------------

TEST(StatementDrawingTest, StructogramBoxesSpanTheWidthAndShareABorderRow) {
  TestCanvas canvas = ScreenCanvas();
  TDisplayOptions options = Screen(View::Structogram);
  ElementPtr sequence(Chain({Stmt("Anweisung"), Stmt("zwei")}));
  sequence->Draw(canvas, {10, 20}, 200, options);

  const int h = kTh + 10;
  auto boxes = canvas.OfKind(Kind::Rectangle);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].points, (std::vector<TPoint>{{10, 20}, {10 + 200, 20 + h + 1}}));
  EXPECT_EQ(boxes[0].brush.Color, Colors::White);
  EXPECT_EQ(boxes[1].points, (std::vector<TPoint>{{10, 20 + h}, {10 + 200, 20 + 2 * h + 1}}));
  const Op* text = canvas.FindText("Anweisung");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->points[0], (TPoint{10 + 5, 20 + 5}));
  EXPECT_EQ(canvas.Brush.Color, Colors::ScreenBackground);
  EXPECT_EQ(canvas.Pen.Color, Colors::Black);
}

TEST(StatementDrawingTest, FlowchartBoxIsCentredWithAConnectorToTheNextBox) {
  TestCanvas canvas = ScreenCanvas();
  TDisplayOptions options = Screen(View::Flowchart);
  ElementPtr sequence(Chain({Stmt("Anweisung"), Stmt("x")}));
  sequence->Draw(canvas, {100, 20}, 0, options);

  const int w = W("Anweisung") + 12, h = kTh + 11 + 6;
  EXPECT_NE(canvas.FindRectangle({100 - w / 2, 20, 100 + w / 2, 20 + h - 6}), nullptr);
  const Op* text = canvas.FindText("Anweisung");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->points[0], (TPoint{100 - w / 2 + 5, 20 + 5}));
  EXPECT_NE(canvas.FindLine({100, 20 + h - 6 - 1}, {100, 20 + h - 1}), nullptr);
  EXPECT_NE(canvas.FindPolygon(HeadDownAt(100, 20 + h - 1, 2)), nullptr);
  const int w2 = W("x") + 12;
  EXPECT_NE(canvas.FindRectangle({100 - w2 / 2, 20 + h, 100 + w2 / 2, 20 + 2 * h - 6}), nullptr);
}

TEST(StatementDrawingTest, PrintedFlowchartBoxKeepsItsScreenWidthAndUsesThePrintingSpacing) {
  TestCanvas canvas = PrinterCanvas();
  TDisplayOptions options = Printing(View::Flowchart);
  ElementPtr statement(Stmt("Anweisung"));
  statement->Draw(canvas, {100, 20}, 0, options);

  const int w = W("Anweisung") + 12, h = kTh + 11 + kPrintSpacing;
  const Op* box = canvas.FindRectangle({100 - w / 2, 20, 100 + w / 2, 20 + h - kPrintSpacing});
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->pen.Width, 3);
  EXPECT_NE(canvas.FindLine({100, 20 + h - kPrintSpacing - 1}, {100, 20 + h - 1}), nullptr);
  EXPECT_NE(canvas.FindPolygon(HeadDownAt(100, 20 + h - 1, 10)), nullptr);
}

// --- blocks ----------------------------------------------------------------------------------

TEST(BlockDrawingTest, StructogramBlockIsABoxBehindItsBodyWithoutItsTitle) {
  TestCanvas canvas = ScreenCanvas();
  TDisplayOptions options = Screen(View::Structogram);
  ElementPtr sequence(Chain({Block("Titel", {Stmt("Anweisung")}), Block("leer")}));
  sequence->Draw(canvas, {10, 20}, 200, options);

  const int h = kTh + 10;
  auto boxes = canvas.Where([&](const Op& op) {
    return op.kind == Kind::Rectangle && op.points[0] == TPoint{10, 20} &&
           op.points[1] == TPoint{210, 20 + h + 1};
  });
  EXPECT_EQ(boxes.size(), 2u);  // the block's and its statement's
  EXPECT_NE(canvas.FindRectangle({10, 20 + h, 210, 20 + 2 * h + 1}), nullptr);
  EXPECT_EQ(canvas.FindText("Titel"), nullptr);
  EXPECT_EQ(canvas.FindText("leer"), nullptr);
}

TEST(BlockDrawingTest, CollapsedBlockShowsItsTitleOnlyInBothViews) {
  for (View view : {View::Structogram, View::Flowchart}) {
    SCOPED_TRACE(ViewName(view));
    TestCanvas canvas = ScreenCanvas();
    TDisplayOptions options = Screen(view);
    BlockPtr block(Block("Programm", {Stmt("innen")}));
    options.ToggleCollapsed(block.get());
    block->Draw(canvas, {100, 20}, 200, options);

    const int w = W("Programm") + 12;
    const Op* title = canvas.FindText("Programm");
    ASSERT_NE(title, nullptr);
    const int left = view == View::Flowchart ? 100 - w / 2 : 100;
    EXPECT_EQ(title->points[0], (TPoint{left + 5, 20 + 5}));
    EXPECT_EQ(canvas.FindText("innen"), nullptr);
  }
}

TEST(BlockDrawingTest, CollapsedFlowchartBlockIsCrossedByAnArrow) {
  TestCanvas canvas = ScreenCanvas();
  TDisplayOptions options = Screen(View::Flowchart);
  BlockPtr block(Block("Programm", {Stmt("innen")}));
  options.ToggleCollapsed(block.get());
  block->Draw(canvas, {100, 20}, 0, options);

  const int w = W("Programm") + 12, h = kTh + 10 + 6 + 1, bottom = 20 + h - 6 - 1;
  const Op* frame = canvas.FindPolygon(
      {{100 - w / 2, 20}, {100 + w / 2, 20}, {100 + w / 2, bottom}, {100 - w / 2, bottom}});
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->pen.Style, PenStyle::Dot);
  EXPECT_NE(canvas.FindLine({100, 20}, {100, bottom}), nullptr);
  EXPECT_NE(canvas.FindPolygon(HeadDownAt(100, bottom, 2)), nullptr);
  EXPECT_NE(canvas.FindPolygon(HeadDownAt(100, 20 + h - 1, 2)), nullptr);
}

TEST(BlockDrawingTest, FlowchartBlockFramesItsBodyBetweenEntryAndExitConnectors) {
  TestCanvas canvas = ScreenCanvas();
  TDisplayOptions options = Screen(View::Flowchart);
  BlockPtr block(Block("B", {Stmt("Anweisung")}));
  block->Draw(canvas, {100, 20}, 0, options);

  const int sw = W("Anweisung") + 12, sh = kTh + 11 + 6;
  const int w = sw + 6, h = sh + 2 * 6 + 3, bottom = 20 + h - 6 - 1;
  const Op* frame = canvas.FindPolygon(
      {{100 - w / 2, 20}, {100 + w / 2, 20}, {100 + w / 2, bottom}, {100 - w / 2, bottom}});
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->pen.Style, PenStyle::Dot);
  EXPECT_EQ(frame->pen.Color, Colors::Grey);
  EXPECT_EQ(frame->pen.Width, 1);
  EXPECT_NE(canvas.FindLine({100, 20}, {100, 20 + 6}), nullptr);
  EXPECT_NE(canvas.FindPolygon(HeadDownAt(100, 20 + 6, 2)), nullptr);
  const int bodyY = 20 + 6 + 1;
  EXPECT_NE(canvas.FindRectangle({100 - sw / 2, bodyY, 100 + sw / 2, bodyY + sh - 6}), nullptr);
  EXPECT_NE(canvas.FindLine({100, bottom}, {100, 20 + h - 1}), nullptr);
  EXPECT_NE(canvas.FindPolygon(HeadDownAt(100, 20 + h - 1, 2)), nullptr);
  const Op* exit = canvas.FindLine({100, bottom}, {100, 20 + h - 1});
  EXPECT_EQ(exit->pen.Style, PenStyle::Solid);
}

TEST(BlockDrawingTest, EmptyFlowchartBlockHasAnExitConnectorButNoEntry) {
  TestCanvas canvas = ScreenCanvas();
  TDisplayOptions options = Screen(View::Flowchart);
  BlockPtr block(Block("B"));
  block->Draw(canvas, {100, 20}, 0, options);

  const int h = kTh + 10 + 2 * 6 + 3, bottom = 20 + h - 6 - 1;
  EXPECT_NE(
      canvas.FindPolygon({{100 - 23, 20}, {100 + 23, 20}, {100 + 23, bottom}, {100 - 23, bottom}}),
      nullptr);
  EXPECT_NE(canvas.FindLine({100, bottom}, {100, 20 + h - 1}), nullptr);
  EXPECT_TRUE(canvas
                  .Where([](const Op& op) {
                    return op.kind == Kind::Line && op.points[0] == TPoint{100, 20};
                  })
                  .empty());
}

TEST(BlockDrawingTest, RootAndBranchBlocksEndInAPlainLineAndUserBlocksInAHead) {
  TestCanvas canvas = ScreenCanvas();
  TDisplayOptions options = Screen(View::Flowchart);
  BlockPtr root = Root();
  root->Draw(canvas, {100, 20}, 0, options);
  const int h = kTh + 10 + 2 * 6 + 3, bottom = 20 + h - 6 - 1;
  EXPECT_NE(canvas.FindLine({100, bottom}, {100, 20 + h - 1}), nullptr);
  EXPECT_NE(canvas.FindLine({100, 20 + h - 1}, {100, 20 + h}), nullptr);
  EXPECT_EQ(canvas.FindPolygon(HeadDownAt(100, 20 + h - 1, 2)), nullptr);

  canvas.ops.clear();
  BlockPtr user(Block("gesamtes Programm"));
  user->Draw(canvas, {100, 20}, 0, options);
  EXPECT_NE(canvas.FindPolygon(HeadDownAt(100, 20 + h - 1, 2)), nullptr);
  EXPECT_EQ(canvas.FindLine({100, 20 + h - 1}, {100, 20 + h}), nullptr);
}

TEST(BlockDrawingTest, TheShownBlockIsDrawnWithoutItsSuccessors) {
  TestCanvas canvas = ScreenCanvas();
  TDisplayOptions options = Screen(View::Structogram);
  TBlock* shown = Block("gezeigt", {Stmt("innen")});
  BlockPtr root = Root({shown, Stmt("danach")});
  options.TopBlock = shown;
  shown->Draw(canvas, {0, 0}, 200, options);
  EXPECT_NE(canvas.FindText("innen"), nullptr);
  EXPECT_EQ(canvas.FindText("danach"), nullptr);
}

}  // namespace
