// Moving elements by dragging them with the left or the right mouse button: the drop marker
// while moving, where a release puts the element, and the drops that are refused.
#include "tests/editor/EditorTestSupport.h"

namespace editortest {
namespace {

class DragTest : public EditorTest {
 protected:
  // Drags element onto target, released where the hit test yields target with that DropAfter
  // verdict (any verdict for -1).
  void DragOnto(const TElement* element, const TElement* target, int dropAfter = -1,
                Qt::MouseButton button = Qt::LeftButton) {
    const QPoint from = ClientPointOn(First(), element);
    const QPoint to = ClientPointOn(First(), target, dropAfter);
    ASSERT_NE(from, QPoint(-1, -1));
    ASSERT_NE(to, QPoint(-1, -1)) << "no point on the target with that verdict";
    Drag(First(), from, to, button);
  }

  // A drop that must leave the design and the history as they are.
  void ExpectRefused(const TElement* element, const TElement* target, int dropAfter = -1) {
    const std::string design = Design();
    const int states = States();
    DragOnto(element, target, dropAfter);
    EXPECT_EQ(Design(), design);
    EXPECT_EQ(States(), states) << "a refused drop records no state";
    EXPECT_EQ(First().Dragging, 0);
    EXPECT_EQ(First().Options->DropTarget, nullptr);
  }
};

TBlock* BranchOf(TElement* element, int branch) {
  return dynamic_cast<TBedingung&>(*element).Branch(branch);
}

TEST_F(DragTest, TheMarkerFollowsTheDragAndTheReleaseMovesTheElement) {
  for (const char* view : {"Flussdiagramm1", "Struktogramm1"}) {
    SCOPED_TRACE(view);
    Trigger(view);
    SetDesign("A(a) A(b) A(c) A(d)");
    TElement* b = At({1});
    DragPress(First(), ClientPointOn(First(), b));
    EXPECT_EQ(First().Dragging, 1);
    const int selectedOnly = RedPixels(First());
    EXPECT_GT(selectedOnly, 0) << "the selected element is drawn in red";
    DragMove(First(), ClientPointOn(First(), At({3})));
    EXPECT_EQ(First().Options->DropTarget, At({3}));
    EXPECT_GT(RedPixels(First()), selectedOnly) << "the marker is red";
    // Over itself and over its predecessor a drop would change nothing: no marker.
    for (const TElement* nowhere : {b, At({0})}) {
      DragMove(First(), ClientPointOn(First(), nowhere));
      EXPECT_EQ(First().Options->DropTarget, nullptr);
      EXPECT_EQ(RedPixels(First()), selectedOnly);
    }
    DragMove(First(), ClientPointOn(First(), At({2})));
    EXPECT_EQ(First().Options->DropTarget, At({2}));
    DragRelease(First(), ClientPointOn(First(), At({2})));
    EXPECT_EQ(Design(), "A(a) A(c) A(b) A(d)");
    EXPECT_EQ(First().Options->DropTarget, nullptr);
    EXPECT_EQ(First().Dragging, 0);
    EXPECT_EQ(First().Options->SelectedElement(), b) << "the selection stays on the moved element";
    EXPECT_EQ(RedPixels(First()), selectedOnly);
    EXPECT_EQ(History(), std::vector<std::string>{"A(a) A(b) A(c) A(d)"});
    form->UndoStates.ClearUndoStates();
  }
}

TEST_F(DragTest, TheRightButtonDragsLikeTheLeft) {
  SetDesign("A(a) A(b) A(c)");
  TElement* a = At({0});
  DragOnto(a, At({2}), -1, Qt::RightButton);
  First().PopupMenu1->hide();
  EXPECT_EQ(Design(), "A(b) A(c) A(a)");
  EXPECT_EQ(First().Options->SelectedElement(), a);
  EXPECT_EQ(States(), 1);
}

// Through the platform, a right press asks for the pop-up menu at once; the menu waits for
// the release, so that the drag reaches it, and then opens on the moved element.
TEST_F(DragTest, ARightDragMovesTheElementBeforeThePopUpMenuOpens) {
  SetDesign("A(a) A(b) A(c)");
  TElement* a = At({0});
  UserPress(First(), ClientPointOn(First(), a), Qt::RightButton);
  EXPECT_EQ(First().Options->SelectedElement(), a);
  EXPECT_FALSE(First().PopupMenu1->isVisible());
  const QPoint c = ClientPointOn(First(), At({2}));
  UserMove(First(), c);
  EXPECT_EQ(First().Options->DropTarget, At({2}));
  UserRelease(First(), c, Qt::RightButton);
  EXPECT_EQ(Design(), "A(b) A(c) A(a)");
  EXPECT_TRUE(First().PopupMenu1->isVisible());
  EXPECT_EQ(First().Options->SelectedElement(), a) << "the menu acts on the moved element";
  First().PopupMenu1->hide();

  // A plain right click selects and opens the menu, whose items act on the selection.
  UserPress(First(), ClientPointOn(First(), At({0})), Qt::RightButton);
  UserRelease(First(), ClientPointOn(First(), At({0})), Qt::RightButton);
  ASSERT_TRUE(First().PopupMenu1->isVisible());
  Popup(First(), "Lschen1");
  First().PopupMenu1->hide();
  EXPECT_EQ(Design(), "A(c) A(a)");
}

TEST_F(DragTest, AnElementIsNeverDroppedIntoItself) {
  for (const char* view : {"Flussdiagramm1", "Struktogramm1"}) {
    SCOPED_TRACE(view);
    Trigger(view);
    SetDesign("I(c)[A(y) I(d)[A(dy)|]|A(n)] B(b)[A(x) W(w)[A(wx)]] A(z)");
    TElement* decision = At({0});
    ExpectRefused(decision, decision);
    ExpectRefused(decision, At({0, 1, 0}));
    ExpectRefused(decision, At({0, 1, 1, 1, 0}));
    ExpectRefused(decision, BranchOf(decision, 2));
    ExpectRefused(decision, BranchOf(At({0, 1, 1}), 1));
    ExpectRefused(At({1}), At({1, 1, 1, 1, 0}));
    ExpectRefused(At({1}), BranchOf(At({1, 1, 1}), 1));
    ExpectRefused(At({1}), At({1}));
  }
}

TEST_F(DragTest, ReleasingOverThePredecessorChangesNothingUnlessItIsABlocksHead) {
  for (const char* view : {"Flussdiagramm1", "Struktogramm1"}) {
    SCOPED_TRACE(view);
    Trigger(view);
    SetDesign("A(a) A(s) B(b)[A(x)] A(t)");
    ExpectRefused(At({1}), At({0}));
    ExpectRefused(At({3}), At({2}), 1);
    // Outside its after-area the block takes the element at the head of its body.
    TElement* t = At({3});
    DragOnto(t, At({2}), 0);
    EXPECT_EQ(Design(), "A(a) A(s) B(b)[A(t) A(x)]");
    EXPECT_EQ(First().Options->SelectedElement(), t);
    EXPECT_EQ(States(), 1);
    form->UndoStates.ClearUndoStates();
  }
}

TEST_F(DragTest, FlowchartBlocksTakeDropsInTheirTopBandAndAfterThemElsewhere) {
  SetDesign("B(b)[A(x) A(y)] A(s) W(w)[B(inner)[A(i)]]");
  auto* block = static_cast<TBlock*>(At({0}));
  const TPoint origin = *DocumentOrigin(First(), block);
  const QPoint scroll = First().ScrollOffsets();
  const int band = First().Options->Spacing + 1;
  // The top band is Spacing + 1 high: rows up to origin.y + band fall into the body.
  for (int row = 0; row <= band + 3; ++row) {
    TElement* hit = First().ElementAtClientPoint(origin.x - scroll.x(), origin.y + row - scroll.y());
    if (hit != block) continue;
    EXPECT_EQ(First().Options->DropAfter, row <= band ? 0 : 1) << "row " << row;
  }
  TElement* s = At({1});
  DragOnto(s, block, 0);
  EXPECT_EQ(Design(), "B(b)[A(s) A(x) A(y)] W(w)[B(inner)[A(i)]]");
  DragOnto(s, block, 1);
  EXPECT_EQ(Design(), "B(b)[A(x) A(y)] A(s) W(w)[B(inner)[A(i)]]");
  EXPECT_EQ(States(), 2);
  // Also a movable block in a loop's body: its after-area puts the element after it.
  DragOnto(s, At({2, 1, 0}), 1);
  EXPECT_EQ(Design(), "B(b)[A(x) A(y)] W(w)[B(inner)[A(i)] A(s)]");
  DragOnto(s, At({1, 1, 0}), 0);
  EXPECT_EQ(Design(), "B(b)[A(x) A(y)] W(w)[B(inner)[A(s) A(i)]]");
}

TEST_F(DragTest, StructogramDropsGoAfterStatementsAndBlocksAndIntoBranches) {
  Trigger("Struktogramm1");
  SetDesign("A(s) B(b)[A(x)] I(c)[A(y)|] W(w)[] A(z)");
  TElement* s = At({0});
  DragOnto(s, At({1}), 1);
  EXPECT_EQ(Design(), "B(b)[A(x)] A(s) I(c)[A(y)|] W(w)[] A(z)");
  DragOnto(s, At({0}), 0);
  EXPECT_EQ(Design(), "B(b)[A(s) A(x)] I(c)[A(y)|] W(w)[] A(z)");
  DragOnto(s, BranchOf(At({1}), 2));
  EXPECT_EQ(Design(), "B(b)[A(x)] I(c)[A(y)|A(s)] W(w)[] A(z)");
  DragOnto(s, BranchOf(At({2}), 1));
  EXPECT_EQ(Design(), "B(b)[A(x)] I(c)[A(y)|] W(w)[A(s)] A(z)");
  DragOnto(s, At({1, 1, 0}));
  EXPECT_EQ(Design(), "B(b)[A(x)] I(c)[A(y) A(s)|] W(w)[] A(z)");
  // A decision moves with its branches.
  DragOnto(At({1}), At({3}));
  EXPECT_EQ(Design(), "B(b)[A(x)] W(w)[] A(z) I(c)[A(y) A(s)|]");
  EXPECT_EQ(States(), 6);
}

TEST_F(DragTest, ReleasingOverTheBlockAnElementHeadsRecordsAStateAndChangesNothing) {
  for (const char* view : {"Flussdiagramm1", "Struktogramm1"}) {
    SCOPED_TRACE(view);
    Trigger(view);
    SetDesign("B(b)[A(s) A(x)] A(z)");
    form->UndoStates.ClearUndoStates();
    auto* block = static_cast<TBlock*>(At({0}));
    TElement* s = At({0, 1, 0});
    DragPress(First(), ClientPointOn(First(), s));
    const QPoint head = ClientPointOn(First(), block, 0);
    ASSERT_NE(head, QPoint(-1, -1));
    DragMove(First(), head);
    EXPECT_EQ(First().Options->DropTarget, nullptr) << "no marker";
    DragRelease(First(), head);
    EXPECT_EQ(Design(), "B(b)[A(s) A(x)] A(z)");
    EXPECT_EQ(States(), 1);
    EXPECT_EQ(First().Options->SelectedElement(), s);
  }
}

TEST_F(DragTest, APressOnAnElementThatCannotMoveStartsNoDrag) {
  SetDesign("I(c)[A(y)|] A(z)");
  const QPoint branch = ClientPointOn(First(), BranchOf(At({0}), 2));
  ASSERT_NE(branch, QPoint(-1, -1));
  DragPress(First(), branch);
  EXPECT_EQ(First().Dragging, 0);
  DragMove(First(), ClientPointOn(First(), At({1})));
  EXPECT_EQ(First().Options->DropTarget, nullptr);
  DragRelease(First(), ClientPointOn(First(), At({1})));
  EXPECT_EQ(Design(), "I(c)[A(y)|] A(z)");
  EXPECT_EQ(States(), 0);
  // Releasing over nothing refuses the drop too.
  DragPress(First(), ClientPointOn(First(), At({1})));
  DragRelease(First(), QPoint(First().view().viewport()->width() - 2,
                              First().view().viewport()->height() - 2));
  EXPECT_EQ(Design(), "I(c)[A(y)|] A(z)");
  EXPECT_EQ(States(), 0);
}

// A press whose release never arrived (a pop-up menu took the mouse) must not leave the
// window armed when the next press hits a branch block, which cannot move.
TEST_F(DragTest, ALostReleaseLeavesNothingArmedForTheNextPress) {
  SetDesign("W(c)[A(y)] A(z)");
  DragPress(First(), ClientPointOn(First(), At({1})));
  ASSERT_EQ(First().Dragging, 1);
  DragPress(First(), ClientPointOn(First(), BranchOf(At({0}), 1)));
  EXPECT_EQ(First().Dragging, 0);
  DragRelease(First(), ClientPointOn(First(), At({1})));
  EXPECT_EQ(Design(), "W(c)[A(y)] A(z)");
  EXPECT_EQ(States(), 0);
}

}  // namespace
}  // namespace editortest
