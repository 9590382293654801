#include "tests/model/ModelTestSupport.h"

using namespace modeltest;
using Kind = TestCanvas::Kind;
using Op = TestCanvas::Op;

namespace {

const int kTw = W("???");
const int kChS = kTh + 12;
const int kChF = kTw / 3 + kTh + 2, kCwF = 3 * kChF + 2;
const int kN = 3 * W("nein");
const int kEbH = kTh + 10, kEbWF = 40 + 6, kEbHF = kTh + 10 + 2 * 6 + 3;

// A decision "???" at (10, 20) given 300 units, wider than its measured 3 * 84.
struct StructogramScene {
  static constexpr int x0 = 10, y0 = 20, width = 300;
  TestCanvas canvas = ScreenCanvas();
  TDisplayOptions options = Screen(View::Structogram);
  TIf* decision = new TIf("???");
  ElementPtr sequence{Chain({decision, Stmt("danach")})};
  void Draw() { sequence->Draw(canvas, {x0, y0}, width, options); }
};

TEST(DecisionDrawingTest, StructogramBandLabelsDiagonalsAndBranchesUseTheGivenWidth) {
  StructogramScene s;
  s.Draw();
  const int x0 = s.x0, y0 = s.y0, H = kChS + kEbH;
  const int x2 = x0 + kN;
  const int w1 = x2 - x0 + 1, w2 = x0 + s.width - x2;

  EXPECT_EQ(s.canvas.FindRectangle({x0, y0, x0 + 300, y0 + H + 1})->brush.Color, Colors::White);
  const int xm = static_cast<int>((w1 * 5.0 / 6 + w2 * 1.0 / 6 + w1) / 2);
  EXPECT_EQ(s.canvas.FindText("???")->points[0], (TPoint{x0 + xm - kTw / 2, y0 + 2}));
  EXPECT_EQ(s.canvas.FindText("ja")->points[0], (TPoint{x0 + 2, y0 + kChS - kTh - 2}));
  EXPECT_EQ(s.canvas.FindText("nein")->points[0],
            (TPoint{x0 + 300 - W("nein") - 2, y0 + kChS - kTh - 2}));
  EXPECT_NE(s.canvas.FindLine({x0, y0}, {x2, y0 + kChS}), nullptr);
  EXPECT_NE(s.canvas.FindLine({x2, y0 + kChS}, {x0 + 300, y0}), nullptr);
  EXPECT_NE(s.canvas.FindRectangle({x0, y0 + kChS, x0 + w1, y0 + kChS + kEbH + 1}), nullptr);
  EXPECT_NE(s.canvas.FindRectangle({x2, y0 + kChS, x2 + w2, y0 + kChS + kEbH + 1}), nullptr);
  EXPECT_NE(s.canvas.FindRectangle({x0, y0 + H, x0 + 300, y0 + H + kTh + 10 + 1}), nullptr);
  EXPECT_EQ(s.canvas.Brush.Color, Colors::ScreenBackground);
}

TEST(DecisionDrawingTest, StructogramBranchesKeepTheirOwnHeights) {
  StructogramScene s;
  s.decision->Branches[0]->Body = Chain({Stmt("a"), Stmt("b")});
  s.Draw();
  const int x0 = s.x0, y0 = s.y0, h1 = 2 * (kTh + 10);
  const int x2 = x0 + kN;
  EXPECT_NE(s.canvas.FindRectangle({x0, y0, x0 + 300, y0 + kChS + h1 + 1}), nullptr);
  EXPECT_NE(s.canvas.FindRectangle({x0, y0 + kChS, x2 + 1, y0 + kChS + h1 + 1}), nullptr);
  EXPECT_NE(s.canvas.FindRectangle({x2, y0 + kChS, x0 + 300, y0 + kChS + kEbH + 1}), nullptr);
}

TEST(DecisionDrawingTest, SelectedDecisionIsRedAndMarkedAtItsFootAndUnderItsBand) {
  StructogramScene s;
  s.decision->Branches[0]->Body = Stmt("innen");
  s.options.Select(s.decision);
  s.Draw();
  const int x0 = s.x0, y0 = s.y0, H = kChS + (kTh + 10), bottom = y0 + H + 1;

  EXPECT_EQ(s.options.SelectionRect, (TRect{x0, y0, x0 + 300, bottom}));
  EXPECT_EQ(s.canvas.FindText("???")->fontColor, Colors::Red);
  EXPECT_EQ(s.canvas.FindText("nein")->fontColor, Colors::Red);
  EXPECT_EQ(s.canvas.FindLine({x0, y0}, {x0 + kN, y0 + kChS})->pen.Color, Colors::Red);
  EXPECT_EQ(s.canvas.FindText("innen")->fontColor, Colors::Black);

  const int after = s.canvas.IndexOf(s.canvas.FindText("danach"));
  const Op* band = s.canvas.FindLine({x0, y0 + kChS}, {x0 + 300, y0 + kChS});
  ASSERT_NE(band, nullptr);
  EXPECT_EQ(band->pen.Color, Colors::Red);
  EXPECT_LT(after, s.canvas.IndexOf(band));
  const Op* blank = s.canvas.FindRectangle({x0, bottom - 2, x0 + 300, bottom});
  ASSERT_NE(blank, nullptr);
  EXPECT_EQ(blank->brush.Color, Colors::Window);
  EXPECT_EQ(s.canvas.FindLine({x0, bottom - 3}, {x0 + 300, bottom - 3})->pen.Color, Colors::Red);
  EXPECT_EQ(s.canvas.FindLine({x0, bottom}, {x0 + 300, bottom})->pen.Color, Colors::Black);
}

TEST(DecisionDrawingTest, DropMarkIsARedBarAcrossTheBottomEdge) {
  StructogramScene s;
  s.options.DropTarget = s.decision;
  s.Draw();
  const Op* mark = FindDropBar(s.canvas, s.x0, s.x0 + 300, s.y0 + kChS + kEbH);
  ASSERT_NE(mark, nullptr);
  EXPECT_LT(s.canvas.IndexOf(s.canvas.FindText("danach")), s.canvas.IndexOf(mark));
}

// A decision "???" at (200, 20) in the flowchart view.
struct FlowchartScene {
  static constexpr int x0 = 200, y0 = 20;
  TestCanvas canvas = ScreenCanvas();
  TDisplayOptions options = Screen(View::Flowchart);
  TIf* decision = new TIf("???");
  ElementPtr sequence{Chain({decision, Stmt("danach")})};
  void Draw() { sequence->Draw(canvas, {x0, y0}, 0, options); }
};

TEST(DecisionDrawingTest, FlowchartDiamondConnectorsLabelsAndJoin) {
  FlowchartScene s;
  s.Draw();
  const int x0 = s.x0, y0 = s.y0, t = (kEbWF + kEbWF + 6) / 2;
  const int x1 = x0 - t + kEbWF / 2, x2 = x0 + t - kEbWF / 2, yb = y0 + kChF + 4 + 6;
  const int top = y0 + kChF - 5, tip = y0 + kChF + 3 + 6;

  EXPECT_NE(s.canvas.FindLine({x1, top}, {x0, y0 + kChF / 2}), nullptr);
  EXPECT_NE(s.canvas.FindLine({x0, y0 + kChF / 2}, {x2, top}), nullptr);
  EXPECT_NE(s.canvas.FindLine({x1, top}, {x1, tip}), nullptr);
  EXPECT_NE(s.canvas.FindLine({x2, top}, {x2, tip}), nullptr);
  EXPECT_EQ(s.canvas.FindText("ja")->points[0], (TPoint{x1 - W("ja") - 2, tip - kTh}));
  EXPECT_EQ(s.canvas.FindText("nein")->points[0], (TPoint{x2 + 2, tip - kTh}));
  const Op* diamond = s.canvas.FindPolygon(
      {{x0, y0}, {x0 + kCwF / 2, y0 + kChF / 2}, {x0, y0 + kChF}, {x0 - kCwF / 2, y0 + kChF / 2}});
  ASSERT_NE(diamond, nullptr);
  EXPECT_EQ(diamond->brush.Color, Colors::White);
  EXPECT_EQ(s.canvas.FindText("???")->points[0], (TPoint{x0 - kTw / 2, y0 + kChF / 2 - kTh / 2}));

  const int ye = yb + kEbHF;
  EXPECT_NE(s.canvas.FindLine({x1, ye}, {x2, ye}), nullptr);
  EXPECT_NE(s.canvas.FindLine({x0, ye + 1}, {x0, ye + 1 + 6}), nullptr);
  const int successorW = W("danach") + 12;
  EXPECT_NE(s.canvas.FindRectangle(
                {x0 - successorW / 2, ye + 6 + 1, x0 + successorW / 2, ye + 6 + 1 + kTh + 11}),
            nullptr);
}

TEST(DecisionDrawingTest, FlowchartShorterBranchIsExtendedToTheLongerOnesEnd) {
  FlowchartScene s;
  s.decision->Branches[0]->Body = Stmt("Anweisung");
  s.Draw();
  const int x0 = s.x0, y0 = s.y0, w1 = W("Anweisung") + 12 + 6;
  const int h1 = (kTh + 11 + 6) + 2 * 6 + 3;
  const int t = (w1 + kEbWF + 6) / 2;
  const int x1 = x0 - t + w1 / 2, x2 = x0 + t - kEbWF / 2, yb = y0 + kChF + 4 + 6;
  const int e1 = yb + h1, e2 = yb + kEbHF;
  ASSERT_LT(e2, e1);
  EXPECT_NE(s.canvas.FindLine({x2, e2}, {x2, e1}), nullptr);
  EXPECT_NE(s.canvas.FindLine({x2, e1}, {x1, e1}), nullptr);
  EXPECT_NE(s.canvas.FindLine({x0, e1 + 1}, {x0, e1 + 1 + 6}), nullptr);
}

TEST(DecisionDrawingTest, SelectedFlowchartDecisionDrawsItsOwnLinesRed) {
  FlowchartScene s;
  s.decision->Branches[1]->Body = Stmt("innen");
  s.options.Select(s.decision);
  s.Draw();
  const int x0 = s.x0, y0 = s.y0;
  EXPECT_EQ(s.options.SelectionRect, (TRect{x0 - kCwF, y0, x0 + kCwF, y0 + kChF}));
  auto diamonds = s.canvas.Where([&](const Op& op) {
    return op.kind == Kind::Polygon && op.points.size() == 4 && op.points[0] == TPoint{x0, y0};
  });
  ASSERT_EQ(diamonds.size(), 1u);
  EXPECT_EQ(diamonds[0]->pen.Color, Colors::Red);
  EXPECT_EQ(s.canvas.FindText("ja")->fontColor, Colors::Red);
  EXPECT_EQ(s.canvas.FindText("innen")->fontColor, Colors::Black);
  EXPECT_EQ(s.canvas.FindText("danach")->fontColor, Colors::Black);
  EXPECT_TRUE(s.canvas
                  .Where([](const Op& op) {
                    return op.kind == Kind::Rectangle && op.brush.Style == BrushStyle::Clear;
                  })
                  .empty());
}

TEST(DecisionDrawingTest, FlowchartDropTargetShowsARedJoinAndOutgoingConnector) {
  FlowchartScene s;
  s.options.DropTarget = s.decision;
  s.Draw();
  const int x0 = s.x0, t = (kEbWF + kEbWF + 6) / 2;
  const int x1 = x0 - t + kEbWF / 2, x2 = x0 + t - kEbWF / 2;
  const int ye = s.y0 + kChF + 4 + 6 + kEbHF;
  EXPECT_EQ(s.canvas.FindLine({x1, ye}, {x2, ye})->pen.Color, Colors::Red);
  EXPECT_EQ(s.canvas.FindLine({x0, ye + 1}, {x0, ye + 7})->pen.Color, Colors::Red);
  EXPECT_EQ(s.canvas.FindText("danach")->fontColor, Colors::Black);
}

TEST(DecisionDrawingTest, PrintedDecisionIsNeverRedAndItsFlowchartLabelsStandTenAway) {
  for (View view : {View::Structogram, View::Flowchart}) {
    SCOPED_TRACE(ViewName(view));
    TestCanvas canvas = PrinterCanvas();
    TDisplayOptions options = Printing(view);
    ElementPtr decision(new TIf("???"));
    options.Select(decision.get());
    decision->Draw(canvas, {200, 20}, 300, options);
    EXPECT_FALSE(canvas.AnyRed());
    EXPECT_EQ(options.SelectionRect, (TRect{}));
    if (view == View::Flowchart) {
      const int p = kPrintSpacing, bw = 100 + 6 + p;
      const int t = (bw + bw + 6) / 2, x1 = 200 - t + bw / 2, x2 = 200 + t - bw / 2;
      const int top = 20 + kChF + 3 + p - kTh;
      EXPECT_EQ(canvas.FindText("ja")->points[0], (TPoint{x1 - W("ja") - 10, top}));
      EXPECT_EQ(canvas.FindText("nein")->points[0], (TPoint{x2 + 10, top}));
    }
  }
}

}  // namespace
