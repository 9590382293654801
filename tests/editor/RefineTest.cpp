// "Genauer bestimmen": a statement becomes a block of its own, shown in a new window.
#include "tests/editor/EditorTestSupport.h"
#include "window/EditMessages.h"

namespace editortest {
namespace {

using RefineTest = EditorTest;

TEST_F(RefineTest, AStatementBecomesACollapsedBlockShownInANewWindow) {
  SetDesign("A(a) A(x) A(c)");
  RightClickPopup(First(), At({1}), "Genauerbestimmen1");
  EXPECT_EQ(Design(), "A(a) B(x)[] A(c)");
  auto* block = dynamic_cast<TBlock*>(At({1}));
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->Movable, 1);
  EXPECT_EQ(First().Options->SelectedElement(), block);
  EXPECT_TRUE(First().Options->IsCollapsed(block));
  const std::vector<TForm1*> windows = form->DiagramWindows();
  ASSERT_EQ(windows.size(), 2u);
  TForm1* window = windows.front();
  EXPECT_EQ(window, form->ActiveWindow());
  EXPECT_EQ(window->ShownBlock, block);
  EXPECT_EQ(window->windowTitle(), "x");
  EXPECT_FALSE(window->Options->IsCollapsed(block));
  EXPECT_TRUE(dialogs.messages.empty());

  // Two states: the statement alone, then the statement followed by the block.
  Trigger("Rckgngig1");
  QCoreApplication::processEvents();
  EXPECT_EQ(Design(), "A(a) A(x) B(x)[] A(c)");
  EXPECT_EQ(form->DiagramWindows().size(), 1u);
  Trigger("Rckgngig1");
  EXPECT_EQ(Design(), "A(a) A(x) A(c)");
}

TEST_F(RefineTest, OnlyStatementsCanBeRefined) {
  SetDesign("I(c)[|] W(w)[] F(i von 1 bis 2)[] D(d)[] R(r)[]");
  const auto expectRefused = [&](const char* what) {
    const std::size_t before = dialogs.messages.size();
    Popup(First(), "Genauerbestimmen1");
    ASSERT_EQ(dialogs.messages.size(), before + 1) << what;
    EXPECT_EQ(dialogs.messages.back().kind, MessageKind::Error) << what;
    EXPECT_EQ(dialogs.messages.back().caption, "Fehler") << what;
    EXPECT_EQ(dialogs.messages.back().text, OnlyStatementsMessage) << what;
  };
  for (int i = 0; i < 5; ++i) {
    Click(First(), At({i}));
    expectRefused(At({i})->Text.c_str());
  }
  First().Options->ClearSelection();
  expectRefused("nothing selected");
  EXPECT_EQ(Design(), "I(c)[|] W(w)[] F(i von 1 bis 2)[] D(d)[] R(r)[]");
  EXPECT_EQ(States(), 0);
  EXPECT_EQ(form->DiagramWindows().size(), 1u);
}

TEST_F(RefineTest, ABlockIsOnlyShownInANewWindow) {
  SetDesign("B(b)[A(x)]");
  RightClickPopup(First(), At({0}), "Genauerbestimmen1");
  EXPECT_EQ(Design(), "B(b)[A(x)]");
  EXPECT_EQ(States(), 0);
  EXPECT_FALSE(First().Options->IsCollapsed(At({0})));
  ASSERT_EQ(form->DiagramWindows().size(), 2u);
  EXPECT_EQ(form->DiagramWindows().front()->ShownBlock, At({0}));
  EXPECT_EQ(form->DiagramWindows().front()->windowTitle(), "b");
}

}  // namespace
}  // namespace editortest
