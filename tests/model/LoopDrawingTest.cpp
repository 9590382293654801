#include "tests/model/ModelTestSupport.h"

using namespace modeltest;
using Kind = TestCanvas::Kind;
using Op = TestCanvas::Op;

namespace {

const int kTw = W("???");
const int kChS = kTh + 12;
const int kChF = kTw / 3 + kTh + 2, kCwF = 3 * kChF + 2;
const int kEbH = kTh + 10, kEbWF = 40 + 6, kEbHF = kTh + 10 + 2 * 6 + 3;
constexpr int x0 = 200, y0 = 20;

std::vector<TPoint> Diamond(int top) {
  return {{x0, top},
          {x0 + kCwF / 2, top + kChF / 2},
          {x0, top + kChF},
          {x0 - kCwF / 2, top + kChF / 2}};
}

bool IsClearOutline(const Op& op) {
  return op.kind == Kind::Rectangle && op.brush.Style == BrushStyle::Clear;
}

// Clear outlines after the successor's text are marks; frames covered by their contents are
// outlined before it.
std::vector<const Op*> MarkOutlines(const TestCanvas& canvas, const std::string& successor) {
  const int after = canvas.IndexOf(canvas.FindText(successor));
  return canvas.Where(
      [&](const Op& op) { return IsClearOutline(op) && canvas.IndexOf(&op) > after; });
}

// --- structogram -----------------------------------------------------------------------------

TEST(LoopDrawingTest, WhileShowsItsBandOnTopAndItsBodyIndentedBelow) {
  TestCanvas canvas = ScreenCanvas();
  TDisplayOptions options = Screen(View::Structogram);
  ElementPtr sequence(Chain({new TWhile("???"), Stmt("danach")}));
  sequence->Draw(canvas, {10, 20}, 200, options);

  const int H = kChS + kEbH;
  EXPECT_EQ(canvas.FindRectangle({10, 20, 210, 20 + H + 1})->brush.Color, Colors::White);
  EXPECT_EQ(canvas.FindText("???")->points[0], (TPoint{10 + 5, 20 + 5}));
  EXPECT_NE(canvas.FindRectangle({10 + 20, 20 + kChS, 210, 20 + kChS + kEbH + 1}), nullptr);
  EXPECT_NE(canvas.FindRectangle({10, 20 + H, 210, 20 + H + kTh + 10 + 1}), nullptr);
}

TEST(LoopDrawingTest, DoWhileShowsItsBodyOnTopAndItsBandBelow) {
  TestCanvas canvas = ScreenCanvas();
  TDisplayOptions options = Screen(View::Structogram);
  ElementPtr sequence(Chain({new TDoWhile("???"), Stmt("danach")}));
  sequence->Draw(canvas, {10, 20}, 200, options);

  const int H = kEbH + kChS;
  EXPECT_NE(canvas.FindRectangle({10, 20, 210, 20 + H + 1}), nullptr);
  EXPECT_EQ(canvas.FindText("???")->points[0], (TPoint{10 + 5, 20 + kEbH + 5}));
  EXPECT_NE(canvas.FindRectangle({10 + 20, 20, 210, 20 + kEbH + 1}), nullptr);
  EXPECT_NE(canvas.FindRectangle({10, 20 + H, 210, 20 + H + kTh + 10 + 1}), nullptr);
}

TEST(LoopDrawingTest, SelectedWhileHasAFootMarkButNoLineUnderItsBand) {
  TestCanvas canvas = ScreenCanvas();
  TDisplayOptions options = Screen(View::Structogram);
  auto* loop = new TWhile("???");
  ElementPtr sequence(Chain({loop, Stmt("danach")}));
  options.Select(loop);
  sequence->Draw(canvas, {10, 20}, 200, options);

  const int bottom = 20 + kChS + kEbH + 1;
  EXPECT_EQ(options.SelectionRect, (TRect{10, 20, 210, bottom}));
  auto outlines = MarkOutlines(canvas, "danach");
  ASSERT_EQ(outlines.size(), 1u);
  EXPECT_LT(canvas.IndexOf(canvas.FindText("danach")), canvas.IndexOf(outlines[0]));
  EXPECT_NE(canvas.FindRectangle({10, bottom - 2, 210, bottom + 1}), nullptr);
  EXPECT_EQ(canvas.FindLine({10, bottom - 3}, {210, bottom - 3})->pen.Color, Colors::Red);
  EXPECT_EQ(canvas.FindLine({10, bottom}, {210, bottom})->pen.Color, Colors::Black);
  EXPECT_EQ(canvas.FindLine({10, 20 + kChS}, {210, 20 + kChS}), nullptr);
}

TEST(LoopDrawingTest, SelectedDoWhileIsDrawnRedWithoutAMark) {
  TestCanvas canvas = ScreenCanvas();
  TDisplayOptions options = Screen(View::Structogram);
  auto* loop = new TDoWhile("???");
  loop->Branches[0]->Body = Stmt("innen");
  ElementPtr sequence(Chain({loop, Stmt("danach")}));
  options.Select(loop);
  sequence->Draw(canvas, {10, 20}, 200, options);

  EXPECT_EQ(options.SelectionRect, (TRect{10, 20, 210, 20 + kChS + kEbH + 1}));
  EXPECT_EQ(canvas.FindRectangle({10, 20, 210, 20 + kChS + kEbH + 1})->pen.Color, Colors::Red);
  EXPECT_EQ(canvas.FindText("???")->fontColor, Colors::Red);
  EXPECT_EQ(canvas.FindText("innen")->fontColor, Colors::Black);
  EXPECT_EQ(canvas.FindText("danach")->fontColor, Colors::Black);
  EXPECT_TRUE(MarkOutlines(canvas, "danach").empty());
}

class LoopDropMarkTest : public testing::TestWithParam<KindCase> {};

TEST_P(LoopDropMarkTest, DropMarkIsARedBarAcrossTheBottomEdge) {
  TestCanvas canvas = ScreenCanvas();
  TDisplayOptions options = Screen(View::Structogram);
  TElement* loop = GetParam().make();
  ElementPtr sequence(Chain({loop, Stmt("danach")}));
  options.DropTarget = loop;
  sequence->Draw(canvas, {10, 20}, 200, options);

  const Op* mark = FindDropBar(canvas, 10, 210, 20 + kChS + kEbH);
  ASSERT_NE(mark, nullptr);
  EXPECT_LT(canvas.IndexOf(canvas.FindText("danach")), canvas.IndexOf(mark));
}

INSTANTIATE_TEST_SUITE_P(Loops, LoopDropMarkTest, testing::ValuesIn(LoopKinds()), KindName);

// --- flowchart -------------------------------------------------------------------------------

TEST(LoopDrawingTest, FlowchartWhileDiamondBodyExitAndLoopBack) {
  TestCanvas canvas = ScreenCanvas();
  TDisplayOptions options = Screen(View::Flowchart);
  ElementPtr sequence(Chain({new TWhile("???"), Stmt("danach")}));
  sequence->Draw(canvas, {x0, y0}, 0, options);

  const int side = 6 + std::max(kEbWF, kCwF) / 2;  // the diamond is wider than the body
  EXPECT_NE(canvas.FindPolygon(Diamond(y0)), nullptr);
  EXPECT_EQ(canvas.FindText("???")->points[0], (TPoint{x0 - kTw / 2, y0 + kChF / 2 - kTh / 2}));
  EXPECT_NE(canvas.FindLine({x0, y0 + kChF}, {x0, y0 + kChF + 6 + kTh}), nullptr);
  const int bodyY = y0 + kChF + 6 + 1 + kTh;
  EXPECT_NE(canvas.FindPolygon({{x0 - kEbWF / 2, bodyY},
                                {x0 + kEbWF / 2, bodyY},
                                {x0 + kEbWF / 2, bodyY + kEbHF - 6 - 1},
                                {x0 - kEbWF / 2, bodyY + kEbHF - 6 - 1}}),
            nullptr);

  const int mid = y0 + kChF / 2, exitY = y0 + kChF + kTh + 6 + kEbHF + 13;
  EXPECT_NE(canvas.FindLine({x0 + kCwF / 2, mid}, {x0 + side, mid}), nullptr);
  EXPECT_NE(canvas.FindLine({x0 + side, mid}, {x0 + side, exitY}), nullptr);
  EXPECT_NE(canvas.FindLine({x0 + side, exitY}, {x0, exitY}), nullptr);
  EXPECT_NE(canvas.FindLine({x0, exitY}, {x0, exitY + 6}), nullptr);

  const int backY = y0 + kChF + kTh + 6 + kEbHF;
  EXPECT_NE(canvas.FindLine({x0, backY}, {x0, backY + 3}), nullptr);
  EXPECT_NE(canvas.FindLine({x0, backY + 3}, {x0 - side, backY + 3}), nullptr);
  EXPECT_NE(canvas.FindLine({x0 - side, backY + 3}, {x0 - side, mid}), nullptr);
  EXPECT_NE(canvas.FindLine({x0 - side, mid}, {x0 - kCwF / 2, mid}), nullptr);
  EXPECT_NE(canvas.FindPolygon(
                {{x0 - kCwF / 2 - 2, mid - 2}, {x0 - kCwF / 2 - 2, mid + 2}, {x0 - kCwF / 2, mid}}),
            nullptr);

  EXPECT_EQ(canvas.FindText("ja")->points[0], (TPoint{x0 - W("ja") - 2, y0 + kChF}));
  EXPECT_EQ(canvas.FindText("nein")->points[0], (TPoint{x0 + kCwF / 2 - 4, mid - kTh}));
  const int H = kTh + 2 * 6 + kChF + kEbHF + 14, w = W("danach") + 12;
  EXPECT_NE(canvas.FindRectangle({x0 - w / 2, y0 + H, x0 + w / 2, y0 + H + kTh + 11}), nullptr);
}

TEST(LoopDrawingTest, FlowchartWhileSideLinesFollowAWideBody) {
  TestCanvas canvas = ScreenCanvas();
  TDisplayOptions options = Screen(View::Flowchart);
  auto* loop = new TWhile("???");
  loop->Branches[0]->Body = Stmt(std::string(30, 'l'));
  ElementPtr element(loop);
  element->Draw(canvas, {x0, y0}, 0, options);

  const int bw = W(std::string(30, 'l')) + 12 + 6, side = 6 + bw / 2;
  const int mid = y0 + kChF / 2;
  EXPECT_NE(canvas.FindLine({x0 + kCwF / 2, mid}, {x0 + side, mid}), nullptr);
  EXPECT_NE(canvas.FindLine({x0 - side, mid}, {x0 - kCwF / 2, mid}), nullptr);
}

struct AfterCase {
  const char* name;
  std::function<TElement*()> make;
  const char* exitLabel;
  const char* loopBackLabel;
};

void PrintTo(const AfterCase& c, std::ostream* os) { *os << c.name; }

class TestAfterFlowchartTest : public testing::TestWithParam<AfterCase> {};

TEST_P(TestAfterFlowchartTest, BodyAboveTheDiamondWithExitAndLoopBackLabels) {
  TestCanvas canvas = ScreenCanvas();
  TDisplayOptions options = Screen(View::Flowchart);
  ElementPtr element(GetParam().make());
  element->Draw(canvas, {x0, y0}, 0, options);

  const std::string exit = GetParam().exitLabel, back = GetParam().loopBackLabel;
  const int yd = y0 + kEbHF + 12, mid = yd + kChF / 2;
  EXPECT_NE(canvas.FindLine({x0, y0}, {x0, y0 + 12}), nullptr);
  EXPECT_NE(canvas.FindPolygon({{x0 - kEbWF / 2, y0 + 12},
                                {x0 + kEbWF / 2, y0 + 12},
                                {x0 + kEbWF / 2, y0 + 12 + kEbHF - 6 - 1},
                                {x0 - kEbWF / 2, y0 + 12 + kEbHF - 6 - 1}}),
            nullptr);
  const Op* exitText = canvas.FindText(exit);
  const Op* backText = canvas.FindText(back);
  ASSERT_NE(exitText, nullptr);
  ASSERT_NE(backText, nullptr);
  EXPECT_EQ(exitText->points[0], (TPoint{x0 - W(exit) - 2, y0 + kChF + kEbHF + 11}));
  EXPECT_EQ(backText->points[0], (TPoint{x0 - kCwF / 2 - W(back) + 5, mid + 1}));
  const Op* diamond = canvas.FindPolygon(Diamond(yd));
  ASSERT_NE(diamond, nullptr);
  EXPECT_LT(canvas.IndexOf(backText), canvas.IndexOf(diamond));

  const int exitY = y0 + kChF + kEbHF + 13;
  EXPECT_NE(canvas.FindLine({x0, exitY}, {x0, exitY + kTh}), nullptr);
  const int side = 6 + std::max(kEbWF, kCwF) / 2;
  EXPECT_NE(canvas.FindLine({x0 - kCwF / 2, mid}, {x0 - side, mid}), nullptr);
  EXPECT_NE(canvas.FindLine({x0 - side, mid}, {x0 - side, y0 + 4}), nullptr);
  EXPECT_NE(canvas.FindLine({x0 - side, y0 + 4}, {x0 - 1, y0 + 4}), nullptr);
}

TElement* CopyOf(TElement* source) {
  ElementPtr owned(source);
  return owned->CreateCopy();
}

INSTANTIATE_TEST_SUITE_P(
    Loops, TestAfterFlowchartTest,
    testing::Values(
        AfterCase{"DoWhile", [] { return new TDoWhile("???"); }, "nein", "ja"},
        AfterCase{"Repeat", [] { return new TRepeat("???"); }, "ja", "nein"},
        AfterCase{"CopiedDoWhile", [] { return CopyOf(new TDoWhile("???")); }, "nein", "ja"},
        AfterCase{"CopiedRepeat", [] { return CopyOf(new TRepeat("???")); }, "ja", "nein"}),
    [](const testing::TestParamInfo<AfterCase>& info) { return std::string(info.param.name); });

TEST(LoopDrawingTest, PrintedLoopsUseThePrintingSpacingExceptForTheTestAfterConnectors) {
  const int p = kPrintSpacing, bh = kTh + 10 + 2 * p + 3;
  TestCanvas canvas = PrinterCanvas();
  TDisplayOptions options = Printing(View::Flowchart);
  ElementPtr loops(Chain({new TWhile("???"), new TDoWhile("???")}));
  options.Select(loops.get());
  options.Select(loops->Next);
  loops->Draw(canvas, {x0, y0}, 0, options);

  EXPECT_FALSE(canvas.AnyRed());
  EXPECT_NE(canvas.FindLine({x0, y0 + kChF}, {x0, y0 + kChF + p + kTh}), nullptr);
  const int exitY = y0 + kChF + kTh + p + bh + 13;
  EXPECT_NE(canvas.FindLine({x0, exitY}, {x0, exitY + p}), nullptr);
  EXPECT_NE(
      canvas.FindPolygon({{x0 - 10, exitY + p - 10}, {x0 + 10, exitY + p - 10}, {x0, exitY + p}}),
      nullptr);

  const int y1 = y0 + kTh + 2 * p + kChF + bh + 14;  // the do-while's top
  EXPECT_NE(canvas.FindLine({x0, y1}, {x0, y1 + 12}), nullptr);
  const int exit2 = y1 + kChF + bh + 13;
  EXPECT_NE(canvas.FindLine({x0, exit2}, {x0, exit2 + kTh}), nullptr);
}

TEST(LoopDrawingTest, FlowchartDropTargetLoopsMarkTheirExitConnector) {
  for (const KindCase& kind : LoopKinds()) {
    SCOPED_TRACE(kind.name);
    TestCanvas canvas = ScreenCanvas();
    TDisplayOptions options = Screen(View::Flowchart);
    ElementPtr loop(kind.make());
    options.DropTarget = loop.get();
    loop->Draw(canvas, {x0, y0}, 0, options);
    const bool before = dynamic_cast<TDoWhile*>(loop.get()) == nullptr;
    const int exitY = before ? y0 + kChF + kTh + 6 + kEbHF + 13 : y0 + kChF + kEbHF + 13;
    const int length = before ? 6 : kTh;
    EXPECT_EQ(canvas.FindLine({x0, exitY}, {x0, exitY + length})->pen.Color, Colors::Red);
    const Op* entry = before ? canvas.FindLine({x0, y0 + kChF}, {x0, y0 + kChF + 6 + kTh})
                             : canvas.FindLine({x0, y0}, {x0, y0 + 12});
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->pen.Color, Colors::Black);
  }
}

TEST(LoopDrawingTest, ACountingLoopIsDrawnExactlyLikeAWhileLoop) {
  for (View view : {View::Structogram, View::Flowchart}) {
    SCOPED_TRACE(ViewName(view));
    TestCanvas forCanvas = ScreenCanvas(), whileCanvas = ScreenCanvas();
    TDisplayOptions options = Screen(view);
    auto* counting = new TFor("i von 1 bis 10");
    auto* plain = new TWhile("i von 1 bis 10");
    counting->Branches[0]->Body = Stmt("x");
    plain->Branches[0]->Body = Stmt("x");
    ElementPtr a(counting), b(plain);
    a->Draw(forCanvas, {x0, y0}, 300, options);
    b->Draw(whileCanvas, {x0, y0}, 300, options);
    ASSERT_EQ(forCanvas.ops.size(), whileCanvas.ops.size());
    for (size_t i = 0; i < forCanvas.ops.size(); ++i) {
      EXPECT_EQ(forCanvas.ops[i].kind, whileCanvas.ops[i].kind) << i;
      EXPECT_EQ(forCanvas.ops[i].points, whileCanvas.ops[i].points) << i;
      EXPECT_EQ(forCanvas.ops[i].text, whileCanvas.ops[i].text) << i;
    }
    EXPECT_EQ(a->GetSize(forCanvas, options), b->GetSize(whileCanvas, options));
  }
}

}  // namespace
