// Drawing the block a window shows: display origin, start symbol, start brush, and the
// settings for paper with their restoration.
#include <gtest/gtest.h>

#include "model/Display.h"
#include "tests/model/ModelTestSupport.h"

namespace {

using namespace modeltest;

// A printer-like canvas whose text is taller than the screen's, so that the Spacing taken
// from the height of "ja" differs from the screen's 6.
class TallTextCanvas : public TestCanvas {
 public:
  static constexpr int Height = 22;
  TSize TextExtent(const std::string& text) override { return {W(text), Height}; }
};

TEST(DisplayTest, OriginIsFixedInTheStructogramAndCentredOverTheFlowchart) {
  BlockPtr root = Root({Stmt("Anweisung")});
  TestCanvas canvas;
  TDisplayOptions options;
  EXPECT_EQ(GetDisplayOrigin(*root, canvas, options), (TPoint{15, 15}));
  options.Flowchart = 1;
  const int32_t width = root->GetSize(canvas, options).w;
  EXPECT_EQ(width, W("Anweisung") + 12 + 6);
  EXPECT_EQ(GetDisplayOrigin(*root, canvas, options), (TPoint{width / 2 + 30, 15}));
}

TEST(DisplayTest, FlowchartStartsWithTheStartSymbolOnTheScreenBrush) {
  BlockPtr root = Root({Stmt("a")});
  TestCanvas canvas;
  TDisplayOptions options;
  options.Flowchart = 1;
  DisplayStruktogramm(*root, canvas, {100, 15}, options);
  ASSERT_GE(canvas.ops.size(), 3u);
  const auto& ellipse = canvas.ops[0];
  EXPECT_EQ(ellipse.kind, TestCanvas::Kind::Ellipse);
  EXPECT_EQ(ellipse.points, (std::vector<TPoint>{{98, 6}, {103, 11}}));
  EXPECT_EQ(ellipse.brush.Color, Colors::ScreenBackground);
  EXPECT_TRUE(canvas.FindLine({100, 11}, {100, 15}));
  // The shown block's frame is one shade darker than the window.
  EXPECT_EQ(canvas.ops[2].kind, TestCanvas::Kind::Polygon);
  EXPECT_EQ(canvas.ops[2].brush.Color, Colors::ScreenBackground - ShadeStep);
  EXPECT_EQ(options.TopBlock, root.get());
}

TEST(DisplayTest, StructogramHasNoStartSymbolAndPaperStartsWhite) {
  BlockPtr root = Root({Stmt("a")});
  TestCanvas canvas;
  TDisplayOptions options;
  DisplayStruktogramm(*root, canvas, {15, 15}, options);
  EXPECT_TRUE(canvas.OfKind(TestCanvas::Kind::Ellipse).empty());

  TestCanvas paper;
  options.Flowchart = 1;
  options.OnScreen = 0;
  DisplayStruktogramm(*root, paper, {100, 15}, options);
  EXPECT_EQ(paper.ops[0].brush.Color, Colors::PrintBackground);
}

TEST(DisplayTest, PrintingDrawsHeadingAndDiagramForPaperThenRestoresTheScreenSettings) {
  BlockPtr root = Root({Stmt("a")});
  TElement* statement = root->Body;
  TallTextCanvas printer;
  TDisplayOptions options;
  options.Flowchart = 1;
  options.Select(statement);
  PrintStruktogramm(*root, printer, "gesamtes Programm", options);

  ASSERT_FALSE(printer.ops.empty());
  EXPECT_EQ(printer.ops[0].kind, TestCanvas::Kind::Text);
  EXPECT_EQ(printer.ops[0].text, "gesamtes Programm");
  EXPECT_EQ(printer.ops[0].points[0], (TPoint{10, 10}));
  EXPECT_EQ(printer.Font.Name, "Times New Roman");
  EXPECT_EQ(printer.Font.PointSize, 12);
  EXPECT_FALSE(printer.AnyRed());
  // Spacing is half the height of "ja" on the printer; the origin's x is measured there too:
  // the printed root is at least 100 wide, plus 6, plus Spacing.
  const int32_t spacing = TallTextCanvas::Height / 2;
  const int32_t originX = (100 + 6 + spacing) / 2 + 30;
  const auto boxes = printer.OfKind(TestCanvas::Kind::Rectangle);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].points[0].y, 80 + spacing + 1);
  EXPECT_EQ(boxes[0].points[1].y - boxes[0].points[0].y, TallTextCanvas::Height + 11);
  EXPECT_EQ(boxes[0].points[0].x + boxes[0].points[1].x, 2 * originX);
  EXPECT_EQ(boxes[0].pen.Width, 3);

  EXPECT_EQ(options.Spacing, 6);
  EXPECT_EQ(options.Printing, 0);
  EXPECT_EQ(options.OnScreen, 1);
}

}  // namespace
