#pragma once

#include <cstdint>
#include <unordered_set>
#include <vector>

#include "model/MeasureCache.h"
#include "platform/Geometry.h"

class TElement;
class TBlock;

// The per-window view state that every measuring, drawing and hit test receives: selection,
// collapsed blocks, the drop target of a drag, the view kind and the printing mode.
// Both lists grow as needed.
class TDisplayOptions {
 public:
  TBlock* TopBlock = nullptr;
  std::vector<TElement*> Selection;
  TRect SelectionRect;
  std::vector<TElement*> Collapsed;
  TElement* DropTarget = nullptr;
  uint8_t DropAfter = 0;
  uint8_t OnScreen = 1;
  int32_t Spacing = 6;
  uint8_t Printing = 0;
  uint8_t Flowchart = 0;

  int32_t SelectionCount() const { return static_cast<int32_t>(Selection.size()); }
  int32_t CollapsedCount() const { return static_cast<int32_t>(Collapsed.size()); }

  bool IsSelected(const TElement* element) const;
  TElement* SelectedElement() const;
  void Select(TElement* element);
  void ClearSelection();

  bool IsCollapsed(const TElement* element) const;
  void ToggleCollapsed(TElement* element);
  // Changes whenever the collapsed blocks change; 0 while none is collapsed.
  uint64_t CollapsedVersion() const { return collapsedVersion_; }

  // Working state of measuring and drawing passes; not part of the view state.
  MeasureCache Measures;
  DrawPass Drawing;

 private:
  uint64_t collapsedVersion_ = 0;
  // Mirrors Collapsed for constant-time lookups while measuring large designs.
  std::unordered_set<const TElement*> collapsedSet_;
};
