#include "model/TreeQueries.h"

#include <algorithm>

#include "model/Loops.h"
#include "model/Records.h"

namespace {

// The level of the sequence that starts at first, whose container stands at level.
std::optional<int32_t> LevelInSequence(const TElement* first, int32_t level,
                                       const TElement* element);

std::optional<int32_t> LevelInContents(const TElement& container, int32_t level,
                                       const TElement* element) {
  const bool isBlock = dynamic_cast<const TBlock*>(&container) != nullptr;
  for (int32_t i = 0; i < container.ContentCount(); ++i) {
    const TElement* content = container.Content(i);
    if (!content) continue;
    // A body lies below its block; a branch block stands at its owner's level.
    if (auto found = LevelInSequence(content, isBlock ? level + 1 : level, element)) return found;
  }
  return std::nullopt;
}

std::optional<int32_t> LevelInSequence(const TElement* first, int32_t level,
                                       const TElement* element) {
  for (const TElement* e = first; e; e = e->Next) {
    if (e == element) return level;
    if (auto found = LevelInContents(*e, level, element)) return found;
  }
  return std::nullopt;
}

TElement* ContainerInContents(TElement& container, const TElement* element) {
  for (int32_t i = 0; i < container.ContentCount(); ++i) {
    for (TElement* e = container.Content(i); e; e = e->Next) {
      if (e == element) return &container;
      if (TElement* found = ContainerInContents(*e, element)) return found;
    }
  }
  return nullptr;
}

// Whether element lies in container's contents; path gains the containers on the way to it.
bool PathInContents(TElement& container, const TElement* element, std::vector<TElement*>& path,
                    std::size_t& visited) {
  path.push_back(&container);
  for (int32_t i = 0; i < container.ContentCount(); ++i) {
    for (TElement* e = container.Content(i); e; e = e->Next) {
      ++visited;
      if (e == element || PathInContents(*e, element, path, visited)) return true;
    }
  }
  path.pop_back();
  return false;
}

}  // namespace

std::vector<TElement*> ContainersOf(TElement& top, const TElement* element, std::size_t& visited) {
  std::vector<TElement*> path;
  if (&top != element) PathInContents(top, element, path, visited);
  return path;
}

namespace {

TElement* NextInOrder(TBlock& shown, TElement* element, std::size_t& visited) {
  ++visited;
  if (auto* block = dynamic_cast<TBlock*>(element); block && block->Body) return block->Body;
  if (auto* loop = dynamic_cast<TWhile*>(element)) return loop->Branch(1);
  if (element == &shown) return &shown;
  if (element->Next) return element->Next;
  const std::vector<TElement*> containers = ContainersOf(shown, element, visited);
  for (auto level = containers.rbegin(); level != containers.rend(); ++level) {
    ++visited;
    if (*level == &shown) return &shown;
    if ((*level)->Next) return (*level)->Next;
  }
  return &shown;
}

}  // namespace

bool ContainsInContents(const TElement& container, const TElement* element) {
  for (int32_t i = 0; i < container.ContentCount(); ++i)
    for (const TElement* e = container.Content(i); e; e = e->Next)
      if (e == element || ContainsInContents(*e, element)) return true;
  return false;
}

bool Contains(const TElement& top, const TElement* element) {
  return &top == element || ContainsInContents(top, element);
}

TElement* FindContainer(TElement& top, const TElement* element) {
  if (&top == element) return nullptr;
  return ContainerInContents(top, element);
}

std::optional<int32_t> LevelOf(const TBlock& top, const TElement* element) {
  if (&top == element) return -1;
  return LevelInContents(top, -1, element);
}

void EraseContained(const TElement& top, std::unordered_set<const TElement*>& candidates) {
  candidates.erase(&top);
  for (int32_t i = 0; i < top.ContentCount() && !candidates.empty(); ++i)
    for (const TElement* e = top.Content(i); e && !candidates.empty(); e = e->Next)
      EraseContained(*e, candidates);
}

int32_t OwnDepth(const TElement& element) {
  const bool isBlock = dynamic_cast<const TBlock*>(&element) != nullptr;
  int32_t deepest = 0;
  for (int32_t i = 0; i < element.ContentCount(); ++i) {
    const TElement* content = element.Content(i);
    const int32_t below = content ? NestingDepth(*content) : 0;
    // A block's body lies one level below the block; a branch block is itself a level.
    deepest = std::max(deepest, isBlock ? 1 + below : below);
  }
  return deepest;
}

TElement* NextInReadingOrder(TBlock& shown, TElement* element, std::size_t* visited) {
  std::size_t looked = 0;
  TElement* next = NextInOrder(shown, element, looked);
  if (visited) *visited += looked;
  return next;
}
