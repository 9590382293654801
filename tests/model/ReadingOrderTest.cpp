// The Down key's walk out of deep nesting after a long sequence: one walk over the design,
// not one per level climbed.
#include "model/TreeQueries.h"
#include "tests/model/ModelTestSupport.h"

using namespace modeltest;

namespace {

TEST(ReadingOrderTest, OutOfDeepNestingInOneWalk) {
  constexpr int Statements = 2000, Depth = 100;
  BlockPtr root = Root();
  for (int i = 0; i < Statements; ++i) Fill(root.get(), {Stmt("s")});
  std::vector<TBlock*> nested;
  for (TBlock* holder = root.get(); nested.size() < Depth; holder = nested.back()) {
    nested.push_back(Block("b"));
    Fill(holder, {nested.back()});
  }
  TElement* deepest = Stmt("tief");
  Fill(nested.back(), {deepest});
  TElement* after = Stmt("danach");
  for (TElement* expected : {static_cast<TElement*>(root.get()), after}) {
    std::size_t visited = 0;
    EXPECT_EQ(NextInReadingOrder(*root, deepest, &visited), expected);
    EXPECT_LE(visited, std::size_t(Statements + 3 * Depth));
    nested[Depth / 2]->Next = after;  // a successor half-way out ends the climb there
  }
}

}  // namespace
