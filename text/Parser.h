#pragma once

#include <cstdint>

#include "model/Struktteile.h"
#include "text/Tokenizer.h"

// The parsers of the interpreter. Each consumes what it reads from the front of a Cursor.
//
// Nesting: level is the number of blocks (branch, body and brace blocks) that an element
// made at this point would lie within below the result block. A structure or block whose
// contents would lie deeper than MaxNestingDepth is not made; its head word starts a plain
// statement instead, so deep text is kept as statements and the tree stays loadable.

// What ParseElement yields: nothing, one element or a short chain. closing marks the
// statement "}" that ends a block.
struct Parsed {
  ElementPtr first;
  bool closing = false;
};

// Builds a sequence front to back; appending a chain keeps all its members.
class Chain {
 public:
  void Append(ElementPtr elements);
  ElementPtr Release();

 private:
  ElementPtr first_;
  TElement* last_ = nullptr;
};

// Whether contents at that level may be made.
inline bool MayNest(int32_t contentLevel) { return contentLevel <= MaxNestingDepth; }

// Reads the next element. inBranch tells that a brace block read here becomes the body of a
// branch and dissolves, so its contents lie at level itself.
Parsed ParseElement(Cursor& text, int32_t level, bool inBranch);

// Fills a branch block from the next element: a brace block hands over its body.
void ParseBranch(Cursor& text, int32_t contentLevel, TBlock& branch);

// A chain whose first element is a brace block, with that block replaced by its body.
ElementPtr DissolveLeadingBlock(ElementPtr chain);

// The parsers of the structures, called after their head word.
ElementPtr ParseIf(Cursor& text, int32_t contentLevel);
ElementPtr ParseWhile(Cursor& text, int32_t contentLevel);
ElementPtr ParseFor(Cursor& text, int32_t level, bool inBranch);
ElementPtr ParseDo(Cursor& text, int32_t contentLevel);
