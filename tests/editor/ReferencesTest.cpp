// Windows on parts of the design another window changes: a window whose block leaves the design
// closes with the command, the first stays on the root, and selections, drop targets and folds
// that left a window's block are forgotten. Under the sanitizers: nothing used after freeing.
#include <QPointer>

#include "model/TreeQueries.h"
#include "tests/editor/EditorTestSupport.h"

namespace editortest {
namespace {

TBlock* BranchOf(TElement* element, int branch) {
  return dynamic_cast<TBedingung&>(*element).Branch(branch);
}

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

  // As At, but a path ending in a branch number names that branch block, the empty one the root.
  TElement* AtPath(std::vector<int> path) {
    if (path.empty()) return &Root();
    if (path.size() % 2) return path.size() == 1 ? At({path[0]}) : At({path[0], path[1], path[2]});
    const int branch = path.back();
    path.pop_back();
    return BranchOf(AtPath(path), branch);
  }

  void Close(TForm1* window) {
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
};

// Each case opens windows on blocks, deletes one element in the first window and names the
// windows that must close; the others still show blocks of the design.
TEST_F(ReferencesTest, AWindowWhoseBlockLeavesTheDesignClosesWithTheCommand) {
  using Paths = std::vector<std::vector<int>>;
  const std::tuple<const char*, const char*, std::vector<int>, Paths, std::vector<bool>> cases[] = {
      // design, after, deleted, windows' blocks, which close
      {"I(c)[A(y1) A(y2)|A(n)] A(z)", "A(z)", {0}, {{0, 1}}, {true}},
      {"B(outer)[A(o) B(inner)[A(i)]] A(z)", "A(z)", {0}, {{0, 1, 1}, {0}, {}}, {1, 1, 0}},
      {"W(w)[B(k)[A(i)]] B(s)[A(t)]", "B(s)[A(t)]", {0}, {{0, 1}, {0, 1, 0}, {1}}, {1, 1, 0}},
      // Emptying the root takes every inner block out; the first window shows the root still.
      {"B(a)[A(x)] I(c)[|A(n)]", "", {}, {{0}, {1, 2}, {}}, {1, 1, 0}},
  };
  for (const auto& [design, after, deleted, shown, closes] : cases) {
    SCOPED_TRACE(design);
    SetDesign(design);
    std::vector<QPointer<TForm1>> windows;
    for (const std::vector<int>& path : shown) {
      windows.emplace_back(OpenWindowOn(AtPath(path)));
      Click(*windows.back(), AtPath(path));
    }
    DeleteInFirst(AtPath(deleted));
    EXPECT_EQ(Design(), after);
    EXPECT_EQ(form->WaitingToBeFreed(), 0u) << "freed with the command";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(&First(), form->FirstWindow());
    EXPECT_EQ(First().ShownBlock, &Root());
    for (std::size_t i = 0; i < windows.size(); ++i) {
      EXPECT_EQ(!windows[i], closes[i]) << "window " << i;
      if (windows[i]) {
        EXPECT_TRUE(Contains(Root(), windows[i]->ShownBlock)) << "window " << i;
        Close(windows[i]);
      }
    }
    form->UndoStates.ClearUndoStates();
  }
}

// A drag on the free area of a window's own block puts the element at the end of that block's
// body, never behind the block; a window on the moved block goes on showing it.
TEST_F(ReferencesTest, ADropOnTheShownBlocksFreeAreaStaysInsideIt) {
  SetDesign("A(a) B(inner)[B(blk)[A(q)] A(w)] A(z)");
  TForm1* inner = OpenWindowOn(At({1}));
  QPointer<TForm1> blk = OpenWindowOn(At({1, 1, 0}));
  const QPoint freeArea = ClientPointOn(*inner, At({1}), 1);
  ASSERT_NE(freeArea, QPoint(-1, -1)) << "no free area beside the block's elements";
  Drag(*inner, ClientPointOn(*inner, At({1, 1, 0})), freeArea);
  const char* const moved = "A(a) B(inner)[A(w) B(blk)[A(q)]] A(z)";
  EXPECT_EQ(Design(), moved);
  EXPECT_EQ(States(), 1);
  // Already at the end, it stays where it is and nothing is recorded.
  Drag(*inner, ClientPointOn(*inner, At({1, 1, 1})), ClientPointOn(*inner, At({1}), 1));
  EXPECT_EQ(Design(), moved);
  EXPECT_EQ(States(), 1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_TRUE(blk);
  EXPECT_EQ(blk->ShownBlock, At({1, 1, 1}));
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
  EXPECT_EQ(form->WaitingToBeFreed(), 0u);
}

TEST_F(ReferencesTest, DeletingTheShownBlockOrABranchHandsOverOnlyTheBody) {
  SetDesign("B(k)[A(1) I(c)[A(y)|] A(2)] A(z)");
  auto* block = static_cast<TBlock*>(At({0}));
  TForm1* window = OpenWindowOn(block);
  QPointer<TForm1> branchWindow = OpenWindowOn(BranchOf(At({0, 1, 1}), 1));
  // The branch's body goes when the block that holds the decision is emptied.
  Click(*window, block);
  Key(*window, Qt::Key_Delete);
  EXPECT_EQ(Design(), "B(k)[] A(z)");
  EXPECT_EQ(window->ShownBlock, block) << "the emptied block stays in the design";
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(branchWindow);
  EXPECT_EQ(form->WaitingToBeFreed(), 0u);
  Close(window);
}

TEST_F(ReferencesTest, UndoAfterDeletingWhatAnotherWindowShows) {
  SetDesign("B(outer)[B(inner)[A(i)]] W(w)[A(b)] A(z)");
  QPointer<TForm1> inner = OpenWindowOn(At({0, 1, 0}));
  QPointer<TForm1> body = OpenWindowOn(BranchOf(At({1}), 1));
  Click(*inner, At({0, 1, 0, 1, 0}));
  DeleteInFirst(At({0}));
  DeleteInFirst(At({0}));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(Design(), "A(z)");
  EXPECT_FALSE(inner);
  EXPECT_FALSE(body);
  EXPECT_EQ(form->DiagramWindows(), std::vector<TForm1*>{&First()});
  Key(First(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Design(), "W(w)[A(b)] A(z)");
  Trigger("Rckgngig1");
  EXPECT_EQ(Design(), "B(outer)[B(inner)[A(i)]] W(w)[A(b)] A(z)");
  First().Repaint();
}

}  // namespace
}  // namespace editortest
