#include "model/DesignSnapshot.h"
#include "tests/model/ModelTestSupport.h"
#include "tests/support/TreeText.h"

using namespace modeltest;

namespace {

// A million statements: every operation must walk the sequence without one call per element.
constexpr int kCount = 1000000;

class LongSequenceTest : public testing::Test {
 protected:
  void SetUp() override {
    block.reset(Block("lang"));
    TElement* tail = nullptr;
    for (int i = 0; i < kCount; ++i) {
      auto* statement = new TAnweisung("Anweisung");
      if (tail)
        tail->Next = statement;
      else
        block->Body = statement;
      tail = statement;
    }
    last = tail;
    canvas.recording = false;
  }

  BlockPtr block;
  TElement* last = nullptr;
  TestCanvas canvas;
};

TEST_F(LongSequenceTest, IsMeasuredInBothViews) {
  TDisplayOptions structogram = Screen(View::Structogram);
  TDisplayOptions flowchart = Screen(View::Flowchart);
  const int w = W("Anweisung") + 12;
  EXPECT_EQ(block->GetSize(canvas, structogram), (TSize{w, kCount * (kTh + 10)}));
  EXPECT_EQ(block->GetSize(canvas, flowchart), (TSize{w + 6, kCount * (kTh + 11 + 6) + 2 * 6 + 3}));
}

TEST_F(LongSequenceTest, IsDrawnInBothViewsWithItsLastElementSelected) {
  for (View view : {View::Structogram, View::Flowchart}) {
    TDisplayOptions options = Screen(view);
    options.Select(last);
    block->Draw(canvas, {100, 0}, 200, options);
    const int top =
        view == View::Flowchart ? 6 + 1 + (kCount - 1) * (kTh + 11 + 6) : (kCount - 1) * (kTh + 10);
    EXPECT_EQ(options.SelectionRect.Top, top) << ViewName(view);
  }
}

TEST_F(LongSequenceTest, HitsItsLastElementInBothViews) {
  TDisplayOptions structogram = Screen(View::Structogram);
  const int lastTop = (kCount - 1) * (kTh + 10);
  EXPECT_EQ(block->ElementAt(canvas, {0, 0}, structogram, 5, lastTop + 5), last);

  TDisplayOptions flowchart = Screen(View::Flowchart);
  const int lastTopFlow = 6 + 1 + (kCount - 1) * (kTh + 11 + 6);
  EXPECT_EQ(block->ElementAt(canvas, {100, 0}, flowchart, 100, lastTopFlow + 5), last);
}

TEST_F(LongSequenceTest, TreeOperationsReachTheLastElement) {
  TElement* beforeLast = block->FindParent(last);
  ASSERT_NE(beforeLast, nullptr);
  EXPECT_EQ(beforeLast->Next, last);

  block->RemoveElement(last);
  EXPECT_EQ(beforeLast->Next, nullptr);
  beforeLast->InsertElement(last);
  EXPECT_EQ(LastInSequence(block->Body), last);

  block->DeleteElement(block.get());
  EXPECT_EQ(block->Body, nullptr);
}

TEST_F(LongSequenceTest, IsCopiedAndDisposed) {
  ElementPtr copy(block->CreateCopy());
  auto* blockCopy = static_cast<TBlock*>(copy.get());
  TElement* copiedLast = LastInSequence(blockCopy->Body);
  ASSERT_NE(copiedLast, nullptr);
  EXPECT_NE(copiedLast, last);
  EXPECT_EQ(copiedLast->Text, "Anweisung");
  copy.reset();
  EXPECT_EQ(last->Text, "Anweisung");
}

TEST_F(LongSequenceTest, IsTakenIntoASnapshotAndRestored) {
  DesignSnapshot snapshot;
  snapshot.Take(*block);
  BlockPtr restored = snapshot.Restore();
  EXPECT_EQ(SequenceLength(restored->Body), std::size_t(kCount));
  EXPECT_EQ(LastInSequence(restored->Body)->Text, "Anweisung");
}

}  // namespace
