// The Down key's walk at the end of long sequences and deep nesting: one walk over the design
// finds the way out, not one walk per level.
#include "model/TreeQueries.h"
#include "tests/model/ModelTestSupport.h"

using namespace modeltest;

namespace {

constexpr int Statements = 2000;
constexpr int Depth = 100;

// root [ Statements statements, b1 [ b2 [ ... bDepth [ tief ] ] ] ]; inner[i] is block b(i+1).
struct LongAndDeep {
  BlockPtr root = Root();
  std::vector<TBlock*> inner;
  TElement* deepest = Stmt("tief");

  LongAndDeep() {
    for (int i = 0; i < Statements; ++i) Fill(root.get(), {Stmt("s")});
    TBlock* holder = root.get();
    for (int i = 0; i < Depth; ++i) {
      inner.push_back(Block("b"));
      Fill(holder, {inner.back()});
      holder = inner.back();
    }
    Fill(holder, {deepest});
  }
};

TEST(ReadingOrderTest, OutOfDeepNestingInOneWalk) {
  LongAndDeep design;
  std::size_t visited = 0;
  EXPECT_EQ(NextInReadingOrder(*design.root, design.deepest, &visited), design.root.get());
  EXPECT_LE(visited, std::size_t(Statements + 3 * Depth + 3));
  // A successor half-way out ends the climb there.
  TElement* after = Stmt("danach");
  design.inner[Depth / 2]->Next = after;
  visited = 0;
  EXPECT_EQ(NextInReadingOrder(*design.root, design.deepest, &visited), after);
  EXPECT_LE(visited, std::size_t(Statements + 3 * Depth + 3));
}

TEST(ReadingOrderTest, AWindowsShownBlockEndsTheWalkThoughItHasASuccessor) {
  LongAndDeep design;
  TBlock& shown = *design.inner[Depth - 2];
  shown.Next = Stmt("danach");
  TBlock& innermost = *design.inner[Depth - 1];
  EXPECT_EQ(NextInReadingOrder(shown, design.deepest), &shown);
  EXPECT_EQ(NextInReadingOrder(shown, &shown), &innermost);
  EXPECT_EQ(NextInReadingOrder(innermost, &innermost), design.deepest);
  innermost.Body = nullptr;
  EXPECT_EQ(NextInReadingOrder(innermost, &innermost), &innermost) << "an empty shown block";
  delete design.deepest;
}

}  // namespace
