// A diagram window that is scrolled: clicks hit what is drawn under them, every command keeps
// the selected element in sight, a refused drop takes its mark away at once, and inserting
// into a collapsed block opens it only where it was collapsed.
#include <QScrollBar>

#include "tests/editor/EditorTestSupport.h"

namespace editortest {
namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

class ScrolledWindowTest : public EditorTest {
 protected:
  // Statements a0 .. a(count - 1), more than the first window shows at once.
  void SetTallDesign(int count) {
    std::string notation;
    for (int i = 0; i < count; ++i) notation += "A(a" + std::to_string(i) + ") ";
    SetDesign(notation);
  }
  QRect Client(TForm1& window) { return window.view().viewport()->rect(); }
  // Where the selected element is drawn now, in client coordinates.
  QRect SelectionOnScreen(TForm1& window) {
    window.Repaint();
    const TRect r = window.Options->SelectionRect;
    return QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1));
  }
  void SelectOnly(TForm1& window, TElement* element) {
    window.Options->ClearSelection();
    window.Options->Select(element);
  }
  QPoint MaxScroll(TForm1& window) {
    return {window.view().horizontalScrollBar()->maximum(),
            window.view().verticalScrollBar()->maximum()};
  }
};

// Narrow statements stand in wide boxes: inside a decision's branches, a loop's body and a
// block, all widened by one long statement.
constexpr const char* kWideDesign =
    "A(x) I(c)[A(j) D(d)[A(r)]|A(n) W(w)[A(l)]] B(b)[A(i)] "
    "A(eine sehr lange Anweisung, die das ganze Programm so breit macht, dass man es schieben "
    "muss, um alles zu sehen) A(y1) A(y2) A(y3) A(y4) A(y5) A(y6) A(y7) A(y8) A(y9) A(y10) "
    "A(y11) A(y12) A(y13) A(y14) A(y15) A(y16)";

TEST_F(ScrolledWindowTest, ClicksHitWhatIsDrawnUnderThemInBothViews) {
  for (const char* view : {"Struktogramm1", "Flussdiagramm1"}) {
    SCOPED_TRACE(view);
    Trigger(view);
    SetDesign(kWideDesign);
    First().SetScrollOffsets({23, 41});
    ASSERT_EQ(First().ScrollOffsets(), QPoint(23, 41)) << "the window must scroll";
    const bool flowchart = std::string(view) == "Flussdiagramm1";
    TElement* decision = At({1});
    const std::vector<TElement*> statements = {
        At({0}),       At({1, 1, 0}),       At({1, 1, 1, 1, 0}),
        At({1, 2, 0}), At({1, 2, 1, 1, 0}), At({2, 1, 0})};
    for (TElement* statement : statements) {
      SCOPED_TRACE(statement->Text);
      SelectOnly(First(), statement);
      const QRect drawn = SelectionOnScreen(First());
      // Below a block's head rows and above a movable block's foot rows.
      const int top = drawn.top() + TBlock::HeadRows, bottom = drawn.bottom() - TBlock::FootRows;
      for (QPoint p : {QPoint(drawn.left() + 1, top), QPoint(drawn.right() - 1, top),
                       QPoint(drawn.right() - 1, bottom), QPoint(drawn.left() + 1, bottom)})
        EXPECT_EQ(First().ElementAtClientPoint(p.x(), p.y()), statement) << p.x() << "," << p.y();
    }
    SelectOnly(First(), decision);
    const QRect band = SelectionOnScreen(First());
    const QPoint inBand = flowchart ? band.center() : QPoint(band.right() - 1, band.top() + 2);
    EXPECT_EQ(First().ElementAtClientPoint(inBand.x(), inBand.y()), decision);
  }
}

TEST_F(ScrolledWindowTest, AnElementInsertedBelowTheVisiblePartIsScrolledIntoSight) {
  for (const char* view : {"Struktogramm1", "Flussdiagramm1"}) {
    SCOPED_TRACE(view);
    Trigger(view);
    SetTallDesign(40);
    First().SetScrollOffsets({0, 0});
    SelectOnly(First(), At({39}));
    dialogs.ConfirmInput("neu");
    Key(First(), Qt::Key_Insert);
    ASSERT_EQ(First().Options->SelectedElement(), At({40}));
    EXPECT_TRUE(Client(First()).contains(SelectionOnScreen(First())));
    // Just enough: the new element stands at the window's foot, not at its top.
    EXPECT_GT(SelectionOnScreen(First()).top(), Client(First()).height() / 2);
  }
}

TEST_F(ScrolledWindowTest, KeysScrollOnlyAsFarAsTheSelectionNeeds) {
  SetTallDesign(40);
  First().SetScrollOffsets(MaxScroll(First()));
  Click(First(), At({39}));
  const QPoint bottom = First().ScrollOffsets();
  Key(First(), Qt::Key_Up);  // the statement above is in sight: no scrolling
  ASSERT_EQ(First().Options->SelectedElement(), At({38}));
  EXPECT_EQ(First().ScrollOffsets(), bottom);
  SelectOnly(First(), At({1}));
  Key(First(), Qt::Key_Up);  // the first statement lies far above
  EXPECT_TRUE(Client(First()).contains(SelectionOnScreen(First())));
  First().SetScrollOffsets(MaxScroll(First()));
  Key(First(), Qt::Key_Up);  // the whole design, taller than the window, shows its top left
  ASSERT_EQ(First().Options->SelectedElement(), &Root());
  EXPECT_TRUE(Client(First()).contains(SelectionOnScreen(First()).topLeft()));
}

TEST_F(ScrolledWindowTest, AnElementDroppedBelowTheVisiblePartIsScrolledIntoSight) {
  SetTallDesign(40);
  First().SetScrollOffsets({0, 0});
  // The lowest statement whose box begins inside the window takes the drop after itself.
  TElement* target = nullptr;
  for (int i = 0; i < 40; ++i)
    if (DocumentOrigin(First(), At({i}))->y < Client(First()).height()) target = At({i});
  ASSERT_NE(target, nullptr);
  TElement* dragged = At({0});
  const QPoint on = ClientPointOn(First(), target);
  ASSERT_TRUE(Client(First()).contains(on));
  Drag(First(), ClientPointOn(First(), dragged), on);
  ASSERT_EQ(target->Next, dragged);
  EXPECT_TRUE(Client(First()).contains(SelectionOnScreen(First())));
}

TEST_F(ScrolledWindowTest, ARefusedDropTakesItsMarkAwayAtOnce) {
  for (const char* view : {"Struktogramm1", "Flussdiagramm1"}) {
    SCOPED_TRACE(view);
    Trigger(view);
    SetDesign("A(a) A(b) A(c)");
    TElement* a = At({0});
    DragPress(First(), ClientPointOn(First(), a));
    DragMove(First(), ClientPointOn(First(), At({2})));
    ASSERT_EQ(First().Options->DropTarget, At({2}));
    PaintCounter counter(First().view().viewport());
    DragRelease(First(), ClientPointOn(First(), a));  // onto itself: refused
    EXPECT_EQ(Design(), "A(a) A(b) A(c)");
    EXPECT_EQ(First().Options->DropTarget, nullptr);
    EXPECT_GE(counter.paints, 1) << "the window was not repainted without the mark";
  }
}

// Inserting into a block collapsed in one window opens it there and in every other window
// where it is collapsed; where it is open, it stays open.
TEST_F(ScrolledWindowTest, InsertingIntoACollapsedBlockOpensItOnlyWhereItWasCollapsed) {
  SetDesign("B(b)[A(alt)] A(danach)");
  auto* block = static_cast<TBlock*>(At({0}));
  SelectOnly(First(), block);
  TForm1* inner = First().InneuemFensteranzeigen();  // shows the block itself, open
  ASSERT_TRUE(inner);
  SelectOnly(First(), &Root());
  TForm1* second = First().InneuemFensteranzeigen();  // the whole design once more
  ASSERT_TRUE(second);
  SelectOnly(*second, block);
  second->ChangeDisplay();
  SelectOnly(First(), block);
  First().ChangeDisplay();
  ASSERT_TRUE(First().Options->IsCollapsed(block));
  ASSERT_TRUE(second->Options->IsCollapsed(block));

  dialogs.ConfirmInput("neu");
  First().Einfuegen("Anweisung");
  EXPECT_EQ(Design(), "B(b)[A(neu) A(alt)] A(danach)");
  EXPECT_FALSE(First().Options->IsCollapsed(block));
  EXPECT_FALSE(second->Options->IsCollapsed(block));
  EXPECT_FALSE(inner->Options->IsCollapsed(block)) << "the open window must not fold";
}

}  // namespace
}  // namespace editortest
