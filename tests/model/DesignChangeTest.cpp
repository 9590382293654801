// Edits made within a DesignChange forget only the sizes along the paths to what they
// touched: random local edits must never leave a stale size, and what cannot be placed falls
// back to forgetting every size.
#include "model/DesignChange.h"
#include "model/DesignSnapshot.h"
#include "model/TreeQueries.h"
#include "tests/model/MeasureTestSupport.h"
#include "tests/model/ModelTestSupport.h"

using namespace measuretest;
using namespace modeltest;

namespace {

// A design in two windows: one shows it whole, the other an inner block, which edits may take
// out of the design; the taken-out part stays alive as long as that window shows it.
class TwoWindows {
 public:
  explicit TwoWindows(unsigned seed) : design(seed) {
    std::vector<TBlock*> blocks;
    for (TElement* e : TreeElements(&design.root()))
      if (auto* block = dynamic_cast<TBlock*>(e); block && e != &design.root())
        blocks.push_back(block);
    inner = blocks.empty() ? &design.root() : blocks[design.Number(blocks.size())];
    whole.Measures.Enabled = true;
    part.Measures.Enabled = true;
  }

  TBlock& root() { return design.root(); }

  // Every element of the design and of the part taken out of it.
  std::vector<TElement*> Elements() {
    auto all = TreeElements(&root());
    if (detached) {
      const auto more = TreeElements(detached.get());
      all.insert(all.end(), more.begin(), more.end());
    }
    return all;
  }

  TElement* Pick() {
    const auto all = Elements();
    return all[design.Number(all.size())];
  }

  // The root of the tree that holds element.
  TElement* TopOf(TElement* element) {
    return detached && Contains(*detached, element) ? detached.get() : &root();
  }

  bool IsTop(const TElement* element) {
    return element == &design.root() || element == detached.get();
  }

  // One to three random edits within a change that is finished with the blocks the windows
  // show.
  void LocalEdit() {
    DesignChange change;
    for (std::size_t i = 0, edits = 1 + design.Number(3); i < edits; ++i) {
      if (design.Number(4) == 0) snapshot.Take(root());
      Edit(Pick());
    }
    change.Finish({&root(), inner});
  }

  void Edit(TElement* target) {
    switch (design.Number(8)) {
      case 0:
        if (TakesInsert(target)) target->InsertElement(design.NewElement());
        break;
      case 1:
        Delete(target);
        break;
      case 2:
        Move(target);
        break;
      case 3:
        Detach(design.Number(2) ? target : HolderOfInner());
        break;
      case 4:
        if (detached && TopOf(target) == &root()) target->InsertElement(detached.release());
        break;
      case 5:
        target->SetText(design.Text());
        break;
      default:
        ChangeView(design.Number(2) ? whole : part, target);
        break;
    }
  }

  // Takes element out of the design, as a window whose block was deleted elsewhere keeps it.
  void Detach(TElement* element) {
    if (detached || !element || !element->Movable || IsTop(element) || TopOf(element) != &root())
      return;
    root().RemoveElement(element);
    element->Next = nullptr;
    detached.reset(element);
  }

  // A random element of the design that holds the second window's block, or null.
  TElement* HolderOfInner() {
    std::vector<TElement*> holders;
    for (TElement* e : TreeElements(&root()))
      if (e != &root() && Contains(*e, inner)) holders.push_back(e);
    return holders.empty() ? nullptr : holders[design.Number(holders.size())];
  }

  // Whether inserting at element keeps the part taken out free of successors.
  bool TakesInsert(TElement* element) const {
    return element != detached.get() || dynamic_cast<TBlock*>(element);
  }

  // Deletes and frees target, or empties it when it is a branch block; nothing the second
  // window shows is freed.
  void Delete(TElement* target) {
    if (IsTop(target) || (Contains(*target, inner) && target != inner)) return;
    if (!target->Movable) {
      TopOf(target)->DeleteElement(target);
    } else if (target != inner) {
      TopOf(target)->DeleteElement(target);
      DisposeElement(target);
    }
  }

  // Drags target somewhere else: after an element or into a block's body.
  void Move(TElement* target) {
    if (!target->Movable || IsTop(target)) return;
    TElement* destination = Pick();
    if (Contains(*target, destination) || !TakesInsert(destination)) return;
    TopOf(target)->RemoveElement(target);
    // Like a drop, only a movable element takes a successor: never a branch block.
    if (design.Number(2) && destination->Movable && !IsTop(destination))
      LinkAfter(*destination, target);
    else
      destination->InsertElement(target);
  }

  void ChangeView(TDisplayOptions& options, TElement* target) {
    if (dynamic_cast<TBlock*>(target) && design.Number(2))
      options.ToggleCollapsed(target);
    else
      options.Flowchart = !options.Flowchart;
  }

  RandomDesign design;
  TBlock* inner;
  ElementPtr detached;
  TDisplayOptions whole;
  TDisplayOptions part;
  DesignSnapshot snapshot;  // taken at random moments, also halfway through a change
};

// Snapshots restored at random moments are measured too: the sizes they bring along must hold.
TEST(DesignChangeTest, RandomLocalEditsInTwoWindowsNeverLeaveAStaleSize) {
  VerifyScope verify;
  for (unsigned seed = 1; seed <= 12; ++seed) {
    TwoWindows windows(seed);
    for (int step = 0; step < 80; ++step) {
      windows.LocalEdit();
      ASSERT_NO_FATAL_FAILURE(ExpectMeasuredAsFresh(windows.root(), windows.whole, windows.design));
      ASSERT_NO_FATAL_FAILURE(ExpectMeasuredAsFresh(*windows.inner, windows.part, windows.design));
      if (!windows.snapshot.Empty() && windows.design.Number(3) == 0) {
        BlockPtr restored = windows.snapshot.Restore();
        ASSERT_NO_FATAL_FAILURE(ExpectMeasuredAsFresh(*restored, windows.whole, windows.design));
      }
    }
  }
}

// A design with a statement four blocks deep and 60 statements beside it.
struct DeepStatement {
  TAnweisung* deep = Stmt("tief");
  TIf* decision = new TIf("x > 0");
  BlockPtr root = Root({Block("A", {decision})});
  TDisplayOptions options;

  DeepStatement() {
    decision->Branch(1)->Body = Block("C", {deep});
    for (int i = 0; i < 30; ++i) {
      root->Body->InsertElement(Stmt("nebenan"));
      decision->Branch(2)->InsertElement(Stmt("daneben"));
    }
    options.Measures.Enabled = true;
  }
};

TEST(DesignChangeTest, LocalEditsMeasureOnlyWhatHoldsTheChangedElements) {
  DeepStatement design;
  CountingCanvas canvas;
  EXPECT_GT(canvas.Measure(*design.root, design.options), 60);
  {
    DesignChange change;
    design.deep->SetText("tiefer");
    change.Finish({design.root.get()});
  }
  // The statement, its block, the branch block, the decision ("nein" too), A and the root.
  EXPECT_EQ(canvas.Measure(*design.root, design.options), 7);
  {  // refined into a block: the block linked after it, the statement deleted and freed
    DesignChange change;
    LinkAfter(*design.deep, new TBlock(design.deep->Text));
    design.root->DeleteElement(design.deep);
    DisposeElement(design.deep);
    change.Finish({design.root.get()});
  }
  EXPECT_EQ(canvas.Measure(*design.root, design.options), 7);
}

TEST(DesignChangeTest, ARepaintCanFinishEveryOpenChange) {
  VerifyScope verify;
  DeepStatement design;
  CountingCanvas canvas;
  canvas.Measure(*design.root, design.options);
  DesignChange command;
  design.deep->SetText("im Befehl");
  {
    DesignChange inner;
    design.root->Body->SetText("im inneren");
    TBlock* roots[] = {design.root.get()};
    DesignChange::FinishAll(roots);
    MeasureCache::Verify = false;
    EXPECT_EQ(canvas.Measure(*design.root, design.options), 7);
  }
}

TEST(DesignChangeTest, WhatCannotBePlacedMakesEverySizeStale) {
  VerifyScope verify;
  DeepStatement design;
  TBlock* inner = static_cast<TBlock*>(design.decision->Branch(1)->Body);
  TDisplayOptions innerOptions;
  innerOptions.Measures.Enabled = true;
  CountingCanvas canvas;
  const int whole = canvas.Measure(*design.root, design.options);
  canvas.Measure(*inner, innerOptions);
  {  // finished without roots
    DesignChange change;
    design.deep->SetText("ohne Wurzeln");
  }
  EXPECT_EQ(canvas.Measure(*design.root, design.options), whole);
  {  // a changed element under none of the roots given
    DesignChange change;
    inner->InsertElement(Stmt("nur im zweiten Fenster"));
    BlockPtr otherDesign = Root();
    change.Finish({otherDesign.get(), nullptr});
  }
  EXPECT_GT(canvas.Measure(*design.root, design.options), whole);
  {  // measured while the change is still open
    DesignChange change;
    design.deep->SetText("noch offen");
    EXPECT_EQ(canvas.Measure(*inner, innerOptions), 3);
    change.Finish({design.root.get(), inner});
  }
  TDisplayOptions fresh = Fresh(design.options);
  EXPECT_EQ(design.root->GetSize(canvas, design.options), design.root->GetSize(canvas, fresh));
}

// Two blocks shown outside the design, one inside the other: whichever is named first, an
// edit inside the inner one makes both forget their sizes.
TEST(DesignChangeTest, AShownBlockInsideAnotherShownBlockIsFoundWhicheverComesFirst) {
  VerifyScope verify;
  for (bool innerFirst : {true, false}) {
    SCOPED_TRACE(innerFirst);
    BlockPtr outer(Block("außen", {new TIf("c")}));
    TBlock* inner = static_cast<TBedingung*>(outer->Body)->Branch(1);
    TDisplayOptions options;
    options.Measures.Enabled = true;
    CountingCanvas canvas;
    canvas.Measure(*outer, options);
    {
      DesignChange change;
      inner->InsertElement(Stmt("eine neue Anweisung mit langem Text"));
      if (innerFirst)
        change.Finish({inner, outer.get()});
      else
        change.Finish({outer.get(), inner});
    }
    TDisplayOptions fresh = Fresh(options);
    EXPECT_EQ(outer->GetSize(canvas, options), outer->GetSize(canvas, fresh));
  }
}

TEST(DesignChangeTest, WindowsThatMeasureAlikeKeepEachOthersSizes) {
  DeepStatement design;
  TDisplayOptions second;
  second.Measures.Enabled = true;
  CountingCanvas canvas;
  EXPECT_GT(canvas.Measure(*design.root, design.options), 60);
  EXPECT_EQ(canvas.Measure(*design.root, second), 0);
  second.ToggleCollapsed(design.decision->Branch(2));
  second.ToggleCollapsed(design.decision->Branch(2));
  EXPECT_EQ(canvas.Measure(*design.root, second), 0);
  {
    DesignChange change;
    design.deep->SetText("geändert");
    change.Finish({design.root.get()});
  }
  EXPECT_EQ(canvas.Measure(*design.root, second), 7);
  EXPECT_EQ(canvas.Measure(*design.root, design.options), 0);
}

}  // namespace
