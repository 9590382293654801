// A diagram window that is scrolled: clicks hit what is drawn under them, every command keeps
// the selected element in sight, a refused drop takes its mark away at once, and inserting
// into a collapsed block opens it only where it was collapsed.
#include <QScrollBar>

#include "tests/editor/EditorTestSupport.h"

namespace editortest {
namespace {

constexpr const char* kViews[] = {"Struktogramm1", "Flussdiagramm1"};

class ScrolledWindowTest : public EditorTest {
 protected:
  // Statements a0 .. a39, more than the first window shows at once.
  void SetTallDesign() {
    std::string notation;
    for (int i = 0; i < 40; ++i) notation += "A(a" + std::to_string(i) + ") ";
    SetDesign(notation);
  }
  QRect Client() { return First().view().viewport()->rect(); }
  // Where the selected element is drawn now, in client coordinates.
  QRect SelectionOnScreen() {
    First().Repaint();
    const TRect r = First().Options->SelectionRect;
    return QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1));
  }
  void SelectOnly(TForm1& window, TElement* element) {
    window.Options->ClearSelection();
    window.Options->Select(element);
  }
  void ScrollToEnd() {
    First().SetScrollOffsets({First().view().horizontalScrollBar()->maximum(),
                              First().view().verticalScrollBar()->maximum()});
  }
};

// Narrow statements stand in wide boxes: inside a decision's branches, a loop's body and a
// block, all widened by one long statement.
TEST_F(ScrolledWindowTest, ClicksHitWhatIsDrawnUnderThemInBothViews) {
  for (const char* view : kViews) {
    SCOPED_TRACE(view);
    Trigger(view);
    SetDesign(
        "A(x) I(c)[A(j) D(d)[A(r)]|A(n) W(w)[A(l)]] B(b)[A(i)] A(eine sehr lange "
        "Anweisung, die das ganze Programm so breit macht, dass man es schieben muss, um "
        "alles zu sehen) A(y1) A(y2) A(y3) A(y4) A(y5) A(y6) A(y7) A(y8) A(y9) A(y10) "
        "A(y11) A(y12) A(y13) A(y14) A(y15) A(y16)");
    First().SetScrollOffsets({23, 41});
    ASSERT_EQ(First().ScrollOffsets(), QPoint(23, 41)) << "the window must scroll";
    for (TElement* statement : {At({0}), At({1, 1, 0}), At({1, 1, 1, 1, 0}), At({1, 2, 0}),
                                At({1, 2, 1, 1, 0}), At({2, 1, 0})}) {
      SCOPED_TRACE(statement->Text);
      SelectOnly(First(), statement);
      const QRect drawn = SelectionOnScreen();
      // Below a block's head rows and above a movable block's foot rows.
      const int top = drawn.top() + TBlock::HeadRows, bottom = drawn.bottom() - TBlock::FootRows;
      for (QPoint p : {QPoint(drawn.left() + 1, top), QPoint(drawn.right() - 1, top),
                       QPoint(drawn.right() - 1, bottom), QPoint(drawn.left() + 1, bottom)})
        EXPECT_EQ(First().ElementAtClientPoint(p.x(), p.y()), statement) << p.x() << "," << p.y();
    }
    SelectOnly(First(), At({1}));
    const QRect band = SelectionOnScreen();
    const QPoint inBand = std::string(view) == "Flussdiagramm1"
                              ? band.center()
                              : QPoint(band.right() - 1, band.top() + 2);
    EXPECT_EQ(First().ElementAtClientPoint(inBand.x(), inBand.y()), At({1}));
  }
}

// Inserting, moving by keys and dropping scroll only as far as the selection needs.
TEST_F(ScrolledWindowTest, CommandsScrollTheSelectionJustIntoSight) {
  SetTallDesign();
  ScrollToEnd();
  Click(First(), At({39}));
  const QPoint bottom = First().ScrollOffsets();
  Key(First(), Qt::Key_Up);  // the statement above is in sight: no scrolling
  ASSERT_EQ(First().Options->SelectedElement(), At({38}));
  EXPECT_EQ(First().ScrollOffsets(), bottom);
  SelectOnly(First(), At({1}));
  Key(First(), Qt::Key_Up);  // the first statement lies far above
  EXPECT_TRUE(Client().contains(SelectionOnScreen()));
  ScrollToEnd();
  Key(First(), Qt::Key_Up);  // the whole design, taller than the window, shows its top left
  ASSERT_EQ(First().Options->SelectedElement(), &Root());
  EXPECT_TRUE(Client().contains(SelectionOnScreen().topLeft()));

  // The lowest statement whose box begins inside the window takes a drop after itself.
  First().SetScrollOffsets({0, 0});
  TElement* target = nullptr;
  for (int i = 0; i < 40; ++i)
    if (DocumentOrigin(First(), At({i}))->y < Client().height()) target = At({i});
  ASSERT_TRUE(target && Client().contains(ClientPointOn(First(), target)));
  TElement* dragged = At({0});
  Drag(First(), ClientPointOn(First(), dragged), ClientPointOn(First(), target));
  ASSERT_EQ(target->Next, dragged);
  EXPECT_TRUE(Client().contains(SelectionOnScreen()));

  for (const char* view : kViews) {
    SCOPED_TRACE(view);
    Trigger(view);
    SetTallDesign();
    First().SetScrollOffsets({0, 0});
    SelectOnly(First(), At({39}));
    dialogs.ConfirmInput("neu");
    Key(First(), Qt::Key_Insert);  // below the visible part
    ASSERT_EQ(First().Options->SelectedElement(), At({40}));
    EXPECT_TRUE(Client().contains(SelectionOnScreen()));
    EXPECT_GT(SelectionOnScreen().top(), Client().height() / 2) << "at the foot, not the top";
  }
}

// Counts the paint events a widget receives.
struct PaintCounter : QObject {
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    paints += event->type() == QEvent::Paint;
    return false;
  }
  int paints = 0;
};

TEST_F(ScrolledWindowTest, ARefusedDropTakesItsMarkAwayAtOnce) {
  for (const char* view : kViews) {
    SCOPED_TRACE(view);
    Trigger(view);
    SetDesign("A(a) A(b) A(c)");
    DragPress(First(), ClientPointOn(First(), At({0})));
    DragMove(First(), ClientPointOn(First(), At({2})));
    ASSERT_EQ(First().Options->DropTarget, At({2}));
    PaintCounter counter(First().view().viewport());
    DragRelease(First(), ClientPointOn(First(), At({0})));  // onto itself: refused
    EXPECT_EQ(Design(), "A(a) A(b) A(c)");
    EXPECT_EQ(First().Options->DropTarget, nullptr);
    EXPECT_GE(counter.paints, 1) << "the window was not repainted without the mark";
  }
}

// Inserting into a collapsed block opens it; a window that shows it open keeps it open.
TEST_F(ScrolledWindowTest, InsertingIntoACollapsedBlockOpensItOnlyWhereItWasCollapsed) {
  SetDesign("B(b)[A(alt)] A(danach)");
  auto* block = static_cast<TBlock*>(At({0}));
  SelectOnly(First(), block);
  TForm1* inner = First().InneuemFensteranzeigen();  // shows the block itself, open
  ASSERT_TRUE(inner);
  SelectOnly(First(), block);
  First().ChangeDisplay();
  ASSERT_TRUE(First().Options->IsCollapsed(block));
  dialogs.ConfirmInput("neu");
  First().Einfuegen("Anweisung");
  EXPECT_EQ(Design(), "B(b)[A(neu) A(alt)] A(danach)");
  EXPECT_FALSE(First().Options->IsCollapsed(block));
  EXPECT_FALSE(inner->Options->IsCollapsed(block)) << "the open window must not fold";
}

}  // namespace
}  // namespace editortest
