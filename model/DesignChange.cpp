#include "model/DesignChange.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "model/Block.h"
#include "model/MeasureCache.h"

namespace {
DesignChange* innermost = nullptr;
}  // namespace

DesignChange::DesignChange() : outer_(innermost) { innermost = this; }

DesignChange::~DesignChange() {
  if (!noted_.empty()) NotifyDesignChanged();
  // Closed out of order, a change is unlinked wherever it stands.
  for (DesignChange** link = &innermost; *link; link = &(*link)->outer_)
    if (*link == this) {
      *link = outer_;
      break;
    }
}

void DesignChange::Note(TElement& element) {
  if (innermost)
    innermost->noted_.push_back(&element);
  else
    NotifyDesignChanged();
}

void DesignChange::Forget(const TElement& element) {
  for (DesignChange* change = innermost; change; change = change->outer_)
    std::erase(change->noted_, &element);
}

void DesignChange::SettlePending() {
  bool waiting = false;
  for (DesignChange* change = innermost; change; change = change->outer_) {
    waiting = waiting || !change->noted_.empty();
    change->noted_.clear();
  }
  if (waiting) NotifyDesignChanged();
}

bool DesignChange::Pending() {
  for (DesignChange* change = innermost; change; change = change->outer_)
    if (!change->noted_.empty()) return true;
  return false;
}

void DesignChange::Finish(std::span<TBlock* const> roots) {
  if (noted_.empty()) return;
  std::sort(noted_.begin(), noted_.end(), std::less<>());
  noted_.erase(std::unique(noted_.begin(), noted_.end()), noted_.end());
  // A shown block may lie inside another one that stands outside the design, so every root
  // is searched for every noted element: a root holding one must forget its own size, also
  // when an inner root was searched first. Each search ends once it has found them all.
  std::vector<uint8_t> placed(noted_.size(), 0);
  std::vector<const TBlock*> searched;
  for (TBlock* root : roots) {
    if (!root || std::find(searched.begin(), searched.end(), root) != searched.end()) continue;
    searched.push_back(root);
    found_.assign(noted_.size(), 0);
    missing_ = noted_.size();
    MarkSequence(root, true);
    for (std::size_t i = 0; i < placed.size(); ++i) placed[i] |= found_[i];
  }
  if (std::find(placed.begin(), placed.end(), 0) != placed.end()) NotifyDesignChanged();
  noted_.clear();
}

void DesignChange::FinishAll(std::span<TBlock* const> roots) {
  if (!innermost) return;
  // One walk serves them all.
  for (DesignChange* change = innermost->outer_; change; change = change->outer_) {
    innermost->noted_.insert(innermost->noted_.end(), change->noted_.begin(), change->noted_.end());
    change->noted_.clear();
  }
  innermost->Finish(roots);
}

bool DesignChange::Found(const TElement* element) {
  const std::less<> before;
  if (before(element, noted_.front()) || before(noted_.back(), element)) return false;
  const auto it = std::lower_bound(noted_.begin(), noted_.end(), element, before);
  if (it == noted_.end() || *it != element) return false;
  uint8_t& found = found_[it - noted_.begin()];
  if (!found) --missing_;
  found = 1;
  return true;
}

// Forgets the size of every element in the sequence (or of first alone) that is noted or
// holds a noted element; true when there was one. An element lies in one tree only, and the
// blocks a window shows within the design share the design's elements, so the walk ends once
// every noted element has been found: what holds them is marked as the recursion returns.
bool DesignChange::MarkSequence(TElement* first, bool alone) {
  bool holds = false;
  for (TElement* e = first; e && missing_ > 0; e = alone ? nullptr : e->Next) {
    bool touched = Found(e);
    for (int32_t i = 0; i < e->ContentCount(); ++i)
      if (MarkSequence(e->Content(i), false)) touched = true;
    if (touched) {
      e->cachedStamp_ = 0;
      holds = true;
    }
  }
  return holds;
}
