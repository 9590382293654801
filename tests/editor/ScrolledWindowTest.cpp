// A scrolled diagram window: clicks hit what is drawn under them, commands keep the selection
// in sight, a refused drop loses its mark at once, inserting opens a block only where folded.
#include <QScrollBar>

#include "tests/editor/EditorTestSupport.h"

namespace editortest {
namespace {

constexpr const char* kViews[] = {"Struktogramm1", "Flussdiagramm1"};

class ScrolledWindowTest : public EditorTest {
 protected:
  void SetTallDesign() {  // a0 .. a39, more than the window shows at once
    std::string notation;
    for (int i = 0; i < 40; ++i) notation += "A(a" + std::to_string(i) + ") ";
    SetDesign(notation);
  }
  QRect Client() { return First().view().viewport()->rect(); }
  QRect Shown() {  // where the selected element is drawn, in client points
    First().Repaint();
    const TRect r = First().Options->SelectionRect;
    return QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1));
  }
  QRect Select(TElement* element) {
    First().Options->ClearSelection();
    First().Options->Select(element);
    return Shown();
  }
};

// Narrow statements in boxes widened by one long statement: branches, a loop body, a block.
TEST_F(ScrolledWindowTest, ClicksHitWhatIsDrawnUnderThemInBothViews) {
  for (const char* view : kViews) {
    SCOPED_TRACE(view);
    Trigger(view);
    SetDesign("A(x) I(c)[A(j) D(d)[A(r)]|A(n) W(w)[A(l)]] B(b)[A(i)] A(" + std::string(150, 'L') +
              ") A(y1) A(y2) A(y3) A(y4) A(y5) A(y6) A(y7) A(y8) A(y9) A(y10) A(y11) A(y12)");
    First().SetScrollOffsets({23, 41});
    ASSERT_EQ(First().ScrollOffsets(), QPoint(23, 41)) << "the window must scroll";
    for (TElement* statement : {At({0}), At({1, 1, 0}), At({1, 1, 1, 1, 0}), At({1, 2, 0}),
                                At({1, 2, 1, 1, 0}), At({2, 1, 0})}) {
      const QRect drawn = Select(statement);
      // Below a block's head rows and above a movable block's foot rows.
      const int top = drawn.top() + TBlock::HeadRows, bottom = drawn.bottom() - TBlock::FootRows;
      for (QPoint p : {QPoint(drawn.left() + 1, top), QPoint(drawn.right() - 1, bottom)})
        EXPECT_EQ(First().ElementAtClientPoint(p.x(), p.y()), statement) << statement->Text;
    }
    const QRect band = Select(At({1}));
    const QPoint inBand = std::string(view) == "Flussdiagramm1"
                              ? band.center()
                              : QPoint(band.right() - 1, band.top() + 2);
    EXPECT_EQ(First().ElementAtClientPoint(inBand.x(), inBand.y()), At({1}));
  }
}

// Moving by keys, dropping and inserting scroll only as far as the selection needs.
TEST_F(ScrolledWindowTest, CommandsScrollTheSelectionJustIntoSight) {
  SetTallDesign();
  const auto scrollToEnd = [&] {
    First().SetScrollOffsets({First().view().horizontalScrollBar()->maximum(),
                              First().view().verticalScrollBar()->maximum()});
  };
  scrollToEnd();
  Click(First(), At({39}));
  const QPoint bottom = First().ScrollOffsets();
  Key(First(), Qt::Key_Up);  // the statement above is in sight: no scrolling
  ASSERT_EQ(First().Options->SelectedElement(), At({38}));
  EXPECT_EQ(First().ScrollOffsets(), bottom);
  Select(At({1}));
  Key(First(), Qt::Key_Up);  // the first statement lies far above
  EXPECT_TRUE(Client().contains(Shown()));
  scrollToEnd();
  Key(First(), Qt::Key_Up);  // the whole design, taller than the window, shows its top left
  ASSERT_EQ(First().Options->SelectedElement(), &Root());
  EXPECT_TRUE(Client().contains(Shown().topLeft()));

  // The lowest statement whose box begins inside the window takes a drop after itself.
  First().SetScrollOffsets({0, 0});
  TElement* target = nullptr;
  for (int i = 0; i < 40; ++i)
    if (DocumentOrigin(First(), At({i}))->y < Client().height()) target = At({i});
  TElement* dragged = At({0});
  Drag(First(), ClientPointOn(First(), dragged), ClientPointOn(First(), target));
  ASSERT_EQ(target->Next, dragged);
  EXPECT_TRUE(Client().contains(Shown()));

  for (const char* view : kViews) {
    SCOPED_TRACE(view);
    Trigger(view);
    SetTallDesign();
    First().SetScrollOffsets({0, 0});
    Select(At({39}));
    dialogs.ConfirmInput("neu");
    Key(First(), Qt::Key_Insert);  // below the visible part
    ASSERT_EQ(First().Options->SelectedElement(), At({40}));
    const QRect inserted = Shown();
    EXPECT_TRUE(Client().contains(inserted));
    EXPECT_GT(inserted.top(), Client().height() / 2) << "at the foot, not the top";
  }
}

// The release repaints at once, also when the refused drop repaints nothing else (the mark's
// removal and the unchanged design are DragTest's).
TEST_F(ScrolledWindowTest, ARefusedDropTakesItsMarkAwayAtOnce) {
  struct PaintCounter : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
      return paints += event->type() == QEvent::Paint, false;
    }
    int paints = 0;
  } counter;
  SetDesign("A(a) A(b) A(c)");
  DragPress(First(), ClientPointOn(First(), At({0})));
  DragMove(First(), ClientPointOn(First(), At({2})));
  ASSERT_EQ(First().Options->DropTarget, At({2}));
  First().view().viewport()->installEventFilter(&counter);
  DragRelease(First(), ClientPointOn(First(), At({0})));  // onto itself: refused
  EXPECT_GE(counter.paints, 1) << "the window was not repainted without the mark";
}

TEST_F(ScrolledWindowTest, InsertingIntoACollapsedBlockOpensItOnlyWhereItWasCollapsed) {
  SetDesign("B(b)[A(alt)] A(danach)");
  auto* block = static_cast<TBlock*>(At({0}));
  Select(block);
  TForm1* inner = First().InneuemFensteranzeigen();  // shows the block itself, open
  Select(block);
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
