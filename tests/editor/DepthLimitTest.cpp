// Editing at the deepest nesting a file may hold: inserting, dropping and refining that would
// go deeper are refused with a message and change nothing, so every design can be saved.
#include <QToolButton>

#include "model/Records.h"
#include "shell/Conversions.h"
#include "tests/editor/EditorTestSupport.h"
#include "window/EditMessages.h"

namespace editortest {
namespace {

class DepthLimitTest : public EditorTest {
 protected:
  TIf* innermost = nullptr;  // the decision at the deepest level
  TElement* deepest = nullptr;  // a statement in its yes-branch, MaxNestingDepth levels down
  TElement* loop = nullptr;  // an empty loop right below the root

  void SetUp() override {
    EditorTest::SetUp();
    // Decisions nested in their yes-branches, built inside out.
    deepest = new TAnweisung("tief");
    TElement* inner = deepest;
    for (int32_t level = 0; level < MaxNestingDepth; ++level) {
      auto* decision = new TIf("d" + std::to_string(level));
      decision->Branch(1)->Body = inner;
      if (!innermost) innermost = decision;
      inner = decision;
    }
    loop = new TWhile("w");
    inner->Next = loop;
    DisposeSequence(Root().Body);
    Root().Body = inner;
    NotifyDesignChanged();
    form->RefreshAll();
    ASSERT_EQ(NestingDepth(*Root().Body), MaxNestingDepth);
  }

  void SelectProgrammatically(TElement* element) {
    First().Options->ClearSelection();
    First().Options->Select(element);
  }

  // Expects the command to be refused with the message, leaving everything as it was.
  void ExpectRefused(const std::function<void()>& command, const char* what) {
    const std::string before = SaveDesignBytes(Root());
    const std::size_t messages = dialogs.messages.size();
    command();
    EXPECT_EQ(SaveDesignBytes(Root()), before) << what;
    EXPECT_EQ(States(), 0) << what;
    ASSERT_EQ(dialogs.messages.size(), messages + 1) << what;
    EXPECT_EQ(dialogs.messages.back().kind, MessageKind::Error);
    EXPECT_EQ(dialogs.messages.back().caption, "Fehler");
    EXPECT_EQ(dialogs.messages.back().text, TooDeepToEditMessage);
    EXPECT_TRUE(dialogs.inputCalls.empty()) << what;
  }

  // A client point on element, the window scrolled so that it can be seen.
  QPoint Reveal(const TElement* element) {
    const TPoint origin = *DocumentOrigin(First(), element);
    const QSize client = First().view().viewport()->size();
    First().SetScrollOffsets({origin.x - client.width() / 2, origin.y - client.height() / 2});
    return ClientPointOn(First(), element);
  }
};

TEST_F(DepthLimitTest, InsertingBelowTheDeepestLevelIsRefused) {
  SelectProgrammatically(deepest);
  ExpectRefused([&] { Trigger("IfAnweisung"); }, "a decision after the deepest statement");
  SelectProgrammatically(innermost->Branch(2));
  ExpectRefused([&] { Trigger("WhileSchleife"); }, "a loop into the deepest branch");
  ExpectRefused([&] { form->ButtonClick(form->Button("BForSchleife")); }, "a counting loop");
  // A statement does not go deeper: it is allowed, and the design can still be saved.
  SelectProgrammatically(deepest);
  dialogs.ConfirmInput("auch tief");
  Key(First(), Qt::Key_Insert);
  EXPECT_EQ(RenderSequence(innermost->Branch(1)->Body), "A(tief) A(auch tief)");
  EXPECT_EQ(States(), 1);
  EXPECT_NO_THROW(SaveDesignBytes(Root()));
}

TEST_F(DepthLimitTest, RefiningAtTheDeepestLevelIsRefused) {
  SelectProgrammatically(deepest);
  ExpectRefused([&] { Popup(First(), "Genauerbestimmen1"); }, "refine");
  EXPECT_EQ(form->DiagramWindows().size(), 1u) << "no window opened";
}

TEST_F(DepthLimitTest, DroppingALoopAtTheDeepestLevelIsRefused) {
  Trigger("Struktogramm1");
  const QPoint from = Reveal(loop);
  ASSERT_NE(from, QPoint(-1, -1));
  DragPress(First(), from);
  ASSERT_EQ(First().Options->SelectedElement(), loop);
  const QPoint to = Reveal(deepest);
  ASSERT_NE(to, QPoint(-1, -1));
  ExpectRefused([&] { DragRelease(First(), to); }, "a loop dropped after the deepest statement");
  EXPECT_EQ(First().Options->SelectedElement(), loop);

  // The deepest statement itself may move there.
  DragPress(First(), Reveal(deepest));
  ASSERT_EQ(First().Options->SelectedElement(), deepest);
  const QPoint branch = Reveal(innermost->Branch(2));
  ASSERT_NE(branch, QPoint(-1, -1));
  DragRelease(First(), branch);
  EXPECT_EQ(RenderSequence(innermost->Branch(2)->Body), "A(tief)");
  EXPECT_EQ(States(), 1);
}

}  // namespace
}  // namespace editortest
