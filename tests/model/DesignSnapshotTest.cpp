// Undo states are flat snapshots: restoring one must give back the design taken, flags and
// texts included, as a tree of its own, also from a snapshot object used before.
#include "model/DesignChange.h"
#include "model/DesignSnapshot.h"
#include "tests/model/MeasureTestSupport.h"
#include "tests/model/ModelTestSupport.h"
#include "tests/support/RandomDesign.h"
#include "tests/support/TreeCompare.h"
#include "tests/support/TreeText.h"

using namespace measuretest;
using namespace modeltest;

namespace {

// Empty, short or long, of any bytes but 00 and 01, which never enter a text.
std::string AnyText(RandomDesign& design) {
  const std::size_t lengths[] = {0, 1 + design.Number(15), 16 + design.Number(3000)};
  std::string text(lengths[design.Number(3)], ' ');
  for (char& c : text) c = char(2 + design.Number(254));
  return text;
}

// A random design of every kind whose texts and flags take any value they can hold.
void Scramble(RandomDesign& design) {
  for (TElement* e : TreeElements(&design.root())) {
    e->Text = AnyText(design);
    e->Movable = uint8_t(design.Number(2));
    if (auto* block = dynamic_cast<TBlock*>(e)) block->Braced = uint8_t(design.Number(2));
    if (auto* loop = dynamic_cast<TDoWhile*>(e)) loop->ContinueOnTrue = uint8_t(design.Number(2));
  }
}

TEST(DesignSnapshotTest, RestoringGivesBackTheDesignTaken) {
  DesignSnapshot snapshot;
  for (unsigned seed = 1; seed <= 20; ++seed) {
    RandomDesign design(seed, 150);
    Scramble(design);
    snapshot.Take(design.root());
    BlockPtr restored = snapshot.Restore();
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(restored->Next, nullptr);
    EXPECT_EQ(TreeDifference(&design.root(), restored.get()), "") << "seed " << seed;
  }
}

TEST(DesignSnapshotTest, RestoredTreesShareNothingWithTheOriginalOrEachOther) {
  DesignSnapshot snapshot;
  BlockPtr restored;
  BlockPtr reference;
  {
    RandomDesign design(7, 150);
    snapshot.Take(design.root());
    restored = snapshot.Restore();
    reference = snapshot.Restore();
    for (TElement* e : TreeElements(&design.root())) e->SetText("geändert");
  }  // the original is freed
  EXPECT_EQ(TreeDifference(restored.get(), reference.get()), "");

  RandomDesign edits(8);
  for (TElement* e : TreeElements(restored.get())) {
    e->SetText(edits.Text());
    if (e->Movable && e->RecordTag() == 'A' && edits.Number(3) == 0) {
      restored->DeleteElement(e);
      DisposeElement(e);
    }
  }
  EXPECT_EQ(TreeDifference(snapshot.Restore().get(), reference.get()), "");
}

TEST(DesignSnapshotTest, ARecycledSnapshotHoldsOnlyTheDesignTakenLast) {
  RandomDesign large(3, 300);
  Scramble(large);
  BlockPtr small = BuildBlock("A(eins) W(w)[B(b)[A(innen)]]", "klein");
  SnapshotPool pool;
  std::unique_ptr<DesignSnapshot> snapshot = pool.Acquire();
  snapshot->Take(large.root());
  DesignSnapshot* recycled = snapshot.get();
  pool.Recycle(std::move(snapshot));

  snapshot = pool.Acquire();
  ASSERT_EQ(snapshot.get(), recycled);
  EXPECT_TRUE(snapshot->Empty());
  EXPECT_EQ(snapshot->Restore(), nullptr);
  snapshot->Take(*small);
  EXPECT_EQ(TreeDifference(small.get(), snapshot->Restore().get()), "");
  snapshot->Take(large.root());
  EXPECT_EQ(TreeDifference(&large.root(), snapshot->Restore().get()), "");
}

TEST(DesignSnapshotTest, TheDeepestDesignAFileMayHoldIsTakenAndRestored) {
  BlockPtr root = Root();
  TBlock* level = root.get();
  for (int32_t depth = 0; depth < MaxNestingDepth; depth += 2) {
    auto* loop = new TRepeat("bis " + std::to_string(depth));
    level->InsertElement(Stmt("daneben"));
    level->InsertElement(loop);
    level = loop->Branch(1);
  }
  DesignSnapshot snapshot;
  snapshot.Take(*root);
  BlockPtr restored = snapshot.Restore();
  EXPECT_EQ(NestingDepth(*restored), NestingDepth(*root));
  EXPECT_EQ(TreeDifference(root.get(), restored.get()), "");
}

// A design measured in a window with nothing collapsed, and one of its statements.
struct MeasuredDesign {
  BlockPtr root =
      BuildBlock("A(eins) I(x)[B(b)[A(innen) W(w)[A(tief)]]|A(nein)] R(r)[]", "Programm");
  TDisplayOptions options;
  CountingCanvas canvas;
  MeasuredDesign() {
    options.Measures.Enabled = true;
    canvas.Measure(*root, options);
  }
  TElement* Deep() {
    for (TElement* e : TreeElements(root.get()))
      if (e->Text == "tief") return e;
    return nullptr;
  }
  void ExpectSizeAsFresh(TBlock& shown) {
    TDisplayOptions fresh = Fresh(options);
    EXPECT_EQ(shown.GetSize(canvas, options), shown.GetSize(canvas, fresh));
  }
};

TEST(DesignSnapshotTest, ARestoredDesignNeedsNoMeasuringWhereItsOriginalNeededNone) {
  VerifyScope verify;
  MeasuredDesign design;
  DesignSnapshot snapshot;
  snapshot.Take(*design.root);
  BlockPtr restored = snapshot.Restore();
  MeasureCache::Verify = false;
  EXPECT_EQ(design.canvas.Measure(*restored, design.options), 0);
}

TEST(DesignSnapshotTest, SizesThatMayNotHoldForTheRestoredDesignStayBehind) {
  VerifyScope verify;
  {  // taken while a change waits to be finished: the holders' sizes are not yet forgotten
    MeasuredDesign design;
    DesignChange change;
    design.Deep()->SetText("viel tiefer als vorher");
    DesignSnapshot snapshot;
    snapshot.Take(*design.root);
    change.Finish({design.root.get()});
    BlockPtr restored = snapshot.Restore();
    design.ExpectSizeAsFresh(*restored);
  }
  {  // measured with a collapsed block, which the restored design does not hold
    MeasuredDesign design;
    design.options.ToggleCollapsed(design.root->Body->Next->Content(0));
    design.canvas.Measure(*design.root, design.options);
    DesignSnapshot snapshot;
    snapshot.Take(*design.root);
    BlockPtr restored = snapshot.Restore();
    design.ExpectSizeAsFresh(*restored);
  }
}

}  // namespace
