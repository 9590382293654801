#include "model/DisplayOptions.h"

#include <algorithm>

bool TDisplayOptions::IsSelected(const TElement* element) const {
  return std::find(Selection.begin(), Selection.end(), element) != Selection.end();
}

TElement* TDisplayOptions::SelectedElement() const {
  return Selection.empty() ? nullptr : Selection.back();
}

void TDisplayOptions::Select(TElement* element) {
  if (!IsSelected(element)) Selection.push_back(element);
}

void TDisplayOptions::ClearSelection() { Selection.clear(); }

bool TDisplayOptions::IsCollapsed(const TElement* element) const {
  return collapsedSet_.contains(element);
}

void TDisplayOptions::ToggleCollapsed(TElement* element) {
  // Drawn from one counter for all options, so that no two collapsed sets share a version;
  // every empty set has version 0, so that windows without collapsed blocks measure alike.
  static uint64_t lastCollapsedVersion = 0;
  auto it = std::find(Collapsed.begin(), Collapsed.end(), element);
  if (it != Collapsed.end()) {
    Collapsed.erase(it);
    collapsedSet_.erase(element);
  } else {
    Collapsed.push_back(element);
    collapsedSet_.insert(element);
  }
  collapsedVersion_ = Collapsed.empty() ? 0 : ++lastCollapsedVersion;
}
