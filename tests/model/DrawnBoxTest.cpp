// Drawing and the hit test agree: a point inside the box an element is drawn in hits that
// element, also where a sequence draws a narrow element wider than it measures, and also
// with the origin moved as a scrolled window moves it.
#include "model/Display.h"
#include "tests/model/ModelTestSupport.h"

using namespace modeltest;
using Op = TestCanvas::Op;

namespace {

// A long statement widens the root; the decision's no-branch takes the surplus, and the
// loops and the block inside the branches pass it on to their narrow contents.
struct WideScene {
  TAnweisung* top = Stmt("x");
  TIf* decision = new TIf("c");
  TAnweisung* yes = Stmt("j");
  TDoWhile* doLoop = new TDoWhile("d");
  TAnweisung* inDo = Stmt("r");
  TAnweisung* no = Stmt("n");
  TWhile* loop = new TWhile("w");
  TAnweisung* inLoop = Stmt("l");
  TAnweisung* inBlock = Stmt("b");
  BlockPtr root;

  WideScene() {
    decision->Branches[0]->Body = Chain({yes, doLoop});
    doLoop->Branches[0]->Body = inDo;
    decision->Branches[1]->Body = Chain({no, loop});
    loop->Branches[0]->Body = inLoop;
    root = Root({top, decision, Block("B", {inBlock}),
                 Stmt("eine recht lange Anweisung, die alles breiter macht")});
  }
  std::vector<TAnweisung*> Statements() const { return {top, yes, inDo, no, inLoop, inBlock}; }
};

struct Scroll {
  int x, y;
};

class DrawnBoxTest : public testing::TestWithParam<std::tuple<View, Scroll>> {
 protected:
  void SetUp() override {
    options = Screen(std::get<0>(GetParam()));
    const Scroll scroll = std::get<1>(GetParam());
    origin = GetDisplayOrigin(*scene.root, canvas, options);
    origin.x -= scroll.x;
    origin.y -= scroll.y;
    DisplayStruktogramm(*scene.root, canvas, origin, options);
  }
  // The shape an element's text was drawn in: the op just before the text.
  const Op& ShapeOf(const TElement* element) {
    const Op* text = canvas.FindText(element->Text);
    EXPECT_NE(text, nullptr) << element->Text;
    return canvas.ops[canvas.IndexOf(text) - 1];
  }
  TElement* At(int x, int y) { return scene.root->ElementAt(canvas, origin, options, x, y); }

  WideScene scene;
  TestCanvas canvas;
  TDisplayOptions options;
  TPoint origin;
};

// Each of these statements heads a block's body, whose head rows stand for the block in the
// structogram; the corners are taken below them.
TEST_P(DrawnBoxTest, EveryCornerOfAStatementsDrawnBoxHitsTheStatement) {
  for (TAnweisung* statement : scene.Statements()) {
    SCOPED_TRACE(statement->Text);
    const Op& box = ShapeOf(statement);
    ASSERT_EQ(box.kind, TestCanvas::Kind::Rectangle);
    const auto [l, t] = box.points[0];
    const auto [r, b] = box.points[1];  // exclusive
    const int top = t + TBlock::HeadRows, bottom = b - 1 - TBlock::FootRows;
    for (TPoint p :
         {TPoint{l + 1, top}, TPoint{r - 2, top}, TPoint{r - 2, bottom}, TPoint{l + 1, bottom}})
      EXPECT_EQ(At(p.x, p.y), statement) << p.x << "," << p.y;
  }
}

INSTANTIATE_TEST_SUITE_P(ViewsAndScrolls, DrawnBoxTest,
                         testing::Combine(testing::Values(View::Structogram, View::Flowchart),
                                          testing::Values(Scroll{0, 0}, Scroll{37, 53})),
                         [](const testing::TestParamInfo<std::tuple<View, Scroll>>& info) {
                           const Scroll scroll = std::get<1>(info.param);
                           return std::string(ViewName(std::get<0>(info.param))) +
                                  (scroll.x ? "Scrolled" : "AtHome");
                         });

}  // namespace
