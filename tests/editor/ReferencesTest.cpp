// Windows that refer to parts of the design another window changes: a window showing a block
// that was deleted elsewhere goes on showing it, and selections, drop targets and collapsed
// blocks that left a window's shown block are forgotten. Run under the sanitizers, these
// tests also prove that nothing is used after it is freed and nothing is leaked.
#include "tests/editor/EditorTestSupport.h"

namespace editortest {
namespace {

class ReferencesTest : public EditorTest {
 protected:
  // A new window showing block, opened from the first window.
  TForm1* OpenWindowOn(TElement* block) {
    First().Options->ClearSelection();
    First().Options->Select(block);
    TForm1* window = First().InneuemFensteranzeigen();
    EXPECT_TRUE(window);
    return window;
  }

  void DeleteInFirst(TElement* element) {
    Click(First(), element);
    Key(First(), Qt::Key_Delete);
  }

  void Close(TForm1* window) {
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
};

TBlock* BranchOf(TElement* element, int branch) {
  return dynamic_cast<TBedingung&>(*element).Branch(branch);
}

TEST_F(ReferencesTest, AWindowOnABranchOfADeletedDecisionGoesOnShowingIt) {
  SetDesign("I(c)[A(y1) A(y2)|A(n)] A(z)");
  TBlock* yes = BranchOf(At({0}), 1);
  TForm1* window = OpenWindowOn(yes);
  Click(*window, At({0, 1, 1}));
  DeleteInFirst(At({0}));
  EXPECT_EQ(Design(), "A(z)");
  EXPECT_EQ(window->ShownBlock, yes);
  EXPECT_EQ(RenderBody(*yes), "A(y1) A(y2)");
  EXPECT_EQ(Selected(*window), "A(y2)") << "still inside what the window shows";
  EXPECT_EQ(form->KeptForWindows(), 1u);
  // The window can still be worked in; the design does not change by it.
  Key(*window, Qt::Key_Delete);
  EXPECT_EQ(RenderBody(*yes), "A(y1)");
  EXPECT_EQ(Design(), "A(z)");
  window->Repaint();
  Close(window);
  EXPECT_EQ(form->KeptForWindows(), 0u) << "freed once no window shows it";
}

TEST_F(ReferencesTest, AWindowOnABlockInsideADeletedBlockKeepsItAliveUntilGivenAnother) {
  SetDesign("B(outer)[A(o) B(inner)[A(i)]] A(z)");
  TForm1* window = OpenWindowOn(At({0, 1, 1}));
  window->Options->Select(At({0, 1, 1, 1, 0}));
  window->ChangeDisplay();
  DeleteInFirst(At({0}));
  EXPECT_EQ(Design(), "A(z)");
  EXPECT_EQ(RenderBody(*window->ShownBlock), "A(i)");
  EXPECT_EQ(form->KeptForWindows(), 1u);
  // Given the root block, the window no longer needs the deleted block.
  window->SetBlock(&Root());
  form->RefreshAll();
  EXPECT_EQ(form->KeptForWindows(), 0u);
  Close(window);
}

TEST_F(ReferencesTest, SelectionsDropTargetsAndCollapsedBlocksThatLeftAWindowAreForgotten) {
  SetDesign("A(z) I(c)[B(k)[A(y)]|A(n)]");
  TForm1* window = OpenWindowOn(&Root());
  Click(*window, At({1, 1, 0}));
  window->ChangeDisplay();
  ASSERT_EQ(window->Options->CollapsedCount(), 1);
  // A drag in the other window is under way while the decision is deleted here.
  DragPress(*window, ClientPointOn(*window, At({0})));
  DragMove(*window, ClientPointOn(*window, At({1})));
  ASSERT_EQ(window->Options->DropTarget, At({1}));
  First().Options->ClearSelection();
  First().Options->Select(At({1}));
  First().Loeschen();
  EXPECT_EQ(window->Options->DropTarget, nullptr);
  EXPECT_EQ(window->Options->SelectedElement(), At({0})) << "A(z) is still in the window";
  EXPECT_EQ(window->Options->CollapsedCount(), 0);
  DragRelease(*window, ClientPointOn(*window, At({0})));
  EXPECT_EQ(Design(), "A(z)");

  // A selection inside the deleted part is cleared, so the keys find nothing to act on.
  SetDesign("I(c)[A(y)|] A(z)");
  form->UndoStates.ClearUndoStates();
  Click(*window, At({0, 1, 0}));
  DeleteInFirst(At({0}));
  EXPECT_EQ(window->Options->SelectionCount(), 0);
  Key(*window, Qt::Key_Delete);
  Key(*window, Qt::Key_Insert);
  Key(*window, Qt::Key_Return);
  EXPECT_EQ(Design(), "A(z)");
  EXPECT_EQ(States(), 1);
  EXPECT_TRUE(dialogs.inputCalls.empty());
  EXPECT_EQ(form->KeptForWindows(), 0u);
}

TEST_F(ReferencesTest, DeletingTheShownBlockOrABranchHandsOverOnlyTheBody) {
  SetDesign("B(k)[A(1) I(c)[A(y)|] A(2)] A(z)");
  auto* block = static_cast<TBlock*>(At({0}));
  TForm1* window = OpenWindowOn(block);
  TForm1* branchWindow = OpenWindowOn(BranchOf(At({0, 1, 1}), 1));
  // The branch's body goes when the block that holds the decision is emptied.
  Click(*window, block);
  Key(*window, Qt::Key_Delete);
  EXPECT_EQ(Design(), "B(k)[] A(z)");
  EXPECT_EQ(window->ShownBlock, block);
  EXPECT_EQ(RenderBody(*branchWindow->ShownBlock), "A(y)");
  EXPECT_EQ(form->KeptForWindows(), 1u);
  Close(branchWindow);
  EXPECT_EQ(form->KeptForWindows(), 0u);
  Close(window);
}

TEST_F(ReferencesTest, UndoAfterDeletingWhatAnotherWindowShows) {
  SetDesign("B(outer)[B(inner)[A(i)]] W(w)[A(b)] A(z)");
  TForm1* inner = OpenWindowOn(At({0, 1, 0}));
  TForm1* body = OpenWindowOn(BranchOf(At({1}), 1));
  Click(*inner, At({0, 1, 0, 1, 0}));
  DeleteInFirst(At({0}));
  DeleteInFirst(At({0}));
  EXPECT_EQ(Design(), "A(z)");
  EXPECT_EQ(form->KeptForWindows(), 2u);
  form->MdiArea->setActiveSubWindow(body);
  Key(*body, Qt::Key_Z, Qt::ControlModifier);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(Design(), "W(w)[A(b)] A(z)");
  for (TForm1* window : form->DiagramWindows()) EXPECT_EQ(window->ShownBlock, &Root());
  EXPECT_EQ(form->KeptForWindows(), 0u);
  Trigger("Rckgngig1");
  EXPECT_EQ(Design(), "B(outer)[B(inner)[A(i)]] W(w)[A(b)] A(z)");
  First().Repaint();
}

}  // namespace
}  // namespace editortest
