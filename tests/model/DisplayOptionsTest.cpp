#include <vector>

#include "tests/model/ModelTestSupport.h"

using namespace modeltest;

namespace {

TEST(DisplayOptionsTest, StartsWithNothingSelectedOrCollapsedOnScreenInStructogramView) {
  TDisplayOptions options;
  EXPECT_EQ(options.TopBlock, nullptr);
  EXPECT_EQ(options.SelectionCount(), 0);
  EXPECT_EQ(options.SelectedElement(), nullptr);
  EXPECT_EQ(options.SelectionRect, (TRect{0, 0, 0, 0}));
  EXPECT_EQ(options.CollapsedCount(), 0);
  EXPECT_EQ(options.DropTarget, nullptr);
  EXPECT_EQ(options.DropAfter, 0);
  EXPECT_EQ(options.OnScreen, 1);
  EXPECT_EQ(options.Spacing, 6);
  EXPECT_EQ(options.Printing, 0);
  EXPECT_EQ(options.Flowchart, 0);
}

TEST(DisplayOptionsTest, SelectingAnElementTwiceKeepsOneEntryAndTheLastSelectionWins) {
  TAnweisung a("a"), b("b");
  TDisplayOptions options;
  options.Select(&a);
  options.Select(&b);
  options.Select(&a);
  EXPECT_EQ(options.SelectionCount(), 2);
  EXPECT_EQ(options.SelectedElement(), &b);
  EXPECT_TRUE(options.IsSelected(&a));
  EXPECT_TRUE(options.IsSelected(&b));
}

TEST(DisplayOptionsTest, SelectingNullAfterClearingLeavesOneNullEntry) {
  TAnweisung a("a");
  TDisplayOptions options;
  options.Select(&a);
  options.ClearSelection();
  EXPECT_EQ(options.SelectionCount(), 0);
  EXPECT_FALSE(options.IsSelected(&a));

  options.Select(nullptr);
  EXPECT_EQ(options.SelectionCount(), 1);
  EXPECT_EQ(options.SelectedElement(), nullptr);
  EXPECT_FALSE(options.IsSelected(&a));
}

TEST(DisplayOptionsTest, TogglingTwiceRestoresTheListAndKeepsTheOrderOfTheOthers) {
  TBlock a("a"), b("b"), c("c"), d("d");
  TDisplayOptions options;
  for (TBlock* block : {&a, &b, &c, &d}) options.ToggleCollapsed(block);

  options.ToggleCollapsed(&b);
  EXPECT_EQ(options.Collapsed, (std::vector<TElement*>{&a, &c, &d}));
  EXPECT_FALSE(options.IsCollapsed(&b));
  EXPECT_TRUE(options.IsCollapsed(&a));
  EXPECT_TRUE(options.IsCollapsed(&d));

  options.ToggleCollapsed(&b);
  EXPECT_EQ(options.Collapsed, (std::vector<TElement*>{&a, &c, &d, &b}));
  EXPECT_TRUE(options.IsCollapsed(&b));
}

TEST(DisplayOptionsTest, HoldsFiveHundredCollapsedBlocksAndReleasesThemAll) {
  std::vector<TBlock> blocks(500);
  TDisplayOptions options;
  for (TBlock& block : blocks) options.ToggleCollapsed(&block);
  EXPECT_EQ(options.CollapsedCount(), 500);
  for (TBlock& block : blocks) EXPECT_TRUE(options.IsCollapsed(&block));

  for (size_t i = 0; i < blocks.size(); i += 2) options.ToggleCollapsed(&blocks[i]);
  EXPECT_EQ(options.CollapsedCount(), 250);
  for (size_t i = 0; i < blocks.size(); ++i)
    EXPECT_EQ(options.IsCollapsed(&blocks[i]), i % 2 == 1) << "block " << i;
}

}  // namespace
