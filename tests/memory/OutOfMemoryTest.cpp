// Memory that runs out while the undo history records or restores a state: the design and the
// history stay as they were, and nothing half done is ever restored.
#include <gtest/gtest.h>

#include "shell/UndoHistory.h"
#include "tests/memory/FailingAllocation.h"
#include "tests/support/TreeText.h"

namespace {

// Larger than any small allocation, smaller than the buffers of a state of the designs below.
constexpr std::size_t Limit = 128 * 1024;

std::string Statements(int count) {
  std::string design;
  for (int i = 0; i < count; ++i) design += "A(Anweisung " + std::to_string(i) + ") ";
  return design;
}

// Ten thousand statements and a text of Limit bytes.
BlockPtr LargeDesign() {
  return BuildBlock(Statements(10000) + "A(" + std::string(Limit, 'x') + ")", "gross");
}

TEST(OutOfMemoryHistoryTest, AStateEntersTheHistoryOnlyWhenComplete) {
  UndoHistory history;
  history.SaveUndoState(*BuildBlock("A(klein)", "k"));
  const BlockPtr large = LargeDesign();
  {
    FailLargeAllocations fail(Limit);
    EXPECT_THROW(history.SaveUndoState(*large), std::bad_alloc);
    EXPECT_GT(fail.Failures(), 0u);
  }
  ASSERT_EQ(history.Count(), 1);
  EXPECT_EQ(RenderBody(*history.Undo()), "A(klein)");
  history.SaveUndoState(*large);
  EXPECT_TRUE(RenderBody(*history.StateCopy(1)) == RenderBody(*large)) << "once memory is found";
}

// A flat state fails on its long text, a design kept whole while it is flattened.
TEST(OutOfMemoryHistoryTest, AStepBackThatFailsLeavesTheHistoryAsItWas) {
  for (const bool keptWhole : {false, true}) {
    SCOPED_TRACE(keptWhole ? "kept whole" : "flat");
    UndoHistory history;
    history.SaveUndoState(*BuildBlock("A(alt)", "k"));
    BlockPtr large = LargeDesign();
    const std::string design = RenderBody(*large);
    const TBlock* tree = large.get();
    if (keptWhole)
      history.RecordReplaced(large);
    else
      history.SaveUndoState(*large);
    {
      FailLargeAllocations fail(Limit);
      EXPECT_THROW(history.Undo(), std::bad_alloc);
    }
    EXPECT_EQ(history.UndoPosition(), 0);
    ASSERT_EQ(history.Count(), 2);
    const BlockPtr back = history.Undo();
    // Designs this large are compared without printing them.
    EXPECT_TRUE(RenderBody(*back) == design);
    if (keptWhole) {
      EXPECT_EQ(back.get(), tree);
    }
    EXPECT_TRUE(RenderBody(*history.StateCopy(1)) == design) << "the state still holds it";
    EXPECT_EQ(RenderBody(*history.Undo()), "A(alt)");
  }
}

}  // namespace
