#include "bench/DesignGenerator.h"

#include <algorithm>
#include <string>

#include "model/Anweisung.h"
#include "model/Loops.h"

namespace {

// Appends elements after tail and returns the new tail.
class ChainBuilder {
 public:
  explicit ChainBuilder(TBlock& block) : block_(block), tail_(LastInSequence(block.Body)) {}
  void Add(TElement* element) {
    if (tail_)
      tail_->Next = element;
    else
      block_.Body = element;
    tail_ = element;
  }

 private:
  TBlock& block_;
  TElement* tail_;
};

// Numbered with six digits, so that texts have the same length in designs of every size.
std::string Numbered(const char* prefix, int64_t number) {
  std::string digits = std::to_string(number);
  return prefix + std::string(digits.size() < 6 ? 6 - digits.size() : 0, '0') + digits;
}

std::string StatementText(int64_t number) { return Numbered("x", number) + " := x + 1"; }

int64_t counter = 0;

// Elements in one unit of the nested shape: with two structures per level it reaches 8
// levels.
constexpr int64_t NestedUnit = 1000;

void AddStatements(TBlock& block, int64_t count) {
  ChainBuilder chain(block);
  for (int64_t i = 0; i < count; ++i) chain.Add(new TAnweisung(StatementText(++counter)));
}

// A structure of the kind number picks, with the condition text of its kind.
TElement* MakeStructure(int64_t kind) {
  const std::string condition = Numbered("i < ", ++counter);
  switch (kind % 6) {
    case 0:
      return new TIf(condition);
    case 1:
      return new TWhile(condition);
    case 2:
      return new TFor(Numbered("i von 1 bis ", counter));
    case 3:
      return new TDoWhile(condition);
    case 4:
      return new TRepeat(condition);
    default:
      return new TBlock(Numbered("Block ", counter));
  }
}

// The blocks a structure's contents go into.
std::vector<TBlock*> ContentBlocks(TElement* structure) {
  if (auto* block = dynamic_cast<TBlock*>(structure)) return {block};
  auto* condition = static_cast<TBedingung*>(structure);
  std::vector<TBlock*> blocks;
  for (int32_t i = 1; i <= condition->BranchCount; ++i) blocks.push_back(condition->Branch(i));
  return blocks;
}

void FillNested(TBlock& block, int64_t budget, int depth, int64_t fanout) {
  if (depth >= 8 || budget <= fanout + 2) {
    AddStatements(block, budget);
    return;
  }
  ChainBuilder chain(block);
  const int64_t perStructure = (budget - 2) / fanout;
  chain.Add(new TAnweisung(StatementText(++counter)));
  for (int64_t i = 0; i < fanout; ++i) {
    TElement* structure = MakeStructure(depth + i);
    chain.Add(structure);
    const std::vector<TBlock*> parts = ContentBlocks(structure);
    const int64_t inside = perStructure - 1;
    for (size_t p = 0; p < parts.size(); ++p) {
      const int64_t share = inside / static_cast<int64_t>(parts.size()) +
                            (p == 0 ? inside % static_cast<int64_t>(parts.size()) : 0);
      FillNested(*parts[p], share, depth + 1, fanout);
    }
  }
  AddStatements(block, budget - 1 - perStructure * fanout);
}

void FillDeep(TBlock& root, int64_t n) {
  constexpr int64_t Levels = 200;
  const int64_t statements = n > Levels ? n - Levels : 0;
  const int64_t perLevel = statements / (2 * Levels);
  TBlock* block = &root;
  for (int64_t level = 0; level < Levels; ++level) {
    AddStatements(*block, perLevel);
    TElement* structure = MakeStructure(level % 5);  // decisions and loops only
    ChainBuilder(*block).Add(structure);
    AddStatements(*block, perLevel);
    block = ContentBlocks(structure).front();
  }
  AddStatements(*block, statements - 2 * perLevel * Levels);
}

}  // namespace

BlockPtr GenerateDesign(DesignShape shape, int64_t n) {
  counter = 0;
  BlockPtr root(new TBlock("gesamtes Programm"));
  root->Movable = 0;
  root->Braced = 0;
  switch (shape) {
    case DesignShape::Flat:
      AddStatements(*root, n);
      break;
    case DesignShape::Nested:
      // Units of the same make-up, so that designs of every size differ only in length.
      for (int64_t done = 0; done < n; done += NestedUnit)
        FillNested(*root, std::min(NestedUnit, n - done), 0, 2);
      break;
    case DesignShape::Deep:
      FillDeep(*root, n);
      break;
  }
  return root;
}

const char* ShapeName(DesignShape shape) {
  switch (shape) {
    case DesignShape::Flat:
      return "flat";
    case DesignShape::Nested:
      return "nested";
    case DesignShape::Deep:
      return "deep";
  }
  return "";
}
