#pragma once

#include <cstdint>
#include <optional>
#include <unordered_set>
#include <vector>

#include "model/Block.h"

// Questions about where an element stands in a tree, each answered by one walk over the
// contents of top (never its successors).

// Whether element is top or lies anywhere below it.
bool Contains(const TElement& top, const TElement* element);
// Whether element lies below container, in its body or branches.
bool ContainsInContents(const TElement& container, const TElement* element);

// The block, decision or loop whose body or branch holds the sequence that element stands
// in; null when element is top or does not lie below it.
TElement* FindContainer(TElement& top, const TElement* element);

// How many block levels lie between top and element: 0 for the elements of top's body; a
// branch block stands at its decision's or loop's level, and a body lies one level below the
// block that holds it. Nothing when element does not lie below top; -1 for top itself.
std::optional<int32_t> LevelOf(const TBlock& top, const TElement* element);

// Erases from candidates every element that is top or lies below it; stops early once
// candidates is empty.
void EraseContained(const TElement& top, std::unordered_set<const TElement*>& candidates);

// How many block levels lie below element alone, its successors left out (0 for a
// statement, 1 for a decision or loop with plain branches).
int32_t OwnDepth(const TElement& element);

// The containers whose contents hold element, from top down to the innermost (each one's
// contents holding the next); empty when element is top or does not lie below it. Adds the
// number of elements looked at to visited.
std::vector<TElement*> ContainersOf(TElement& top, const TElement* element, std::size_t& visited);

// The element the Down key selects after element in a window showing shown, in reading
// order: into blocks and loop bodies, past decisions' branches and out of finished
// sequences; shown itself after its last element. At the end of a sequence one walk finds
// all of element's containers, and the way out costs one step per level. Adds the number of
// elements looked at to visited, if given.
TElement* NextInReadingOrder(TBlock& shown, TElement* element, std::size_t* visited = nullptr);
